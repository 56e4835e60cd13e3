#pragma once
// The job log's lines: an ISO time stamp, the event, then its fields as name=value, texts
// quoted so that a name with spaces or quotes still reads back as one field.
#include <cstdint>
#include <string>

#include "joblog/JobLogPorts.h"

namespace korv {

std::string IsoTime(const LogTime& time);
// "..." with backslash, quote and control characters escaped: a line stays one line.
std::string Quoted(const std::string& text);

struct JobLine {
  std::string file;
  std::int64_t bytes = 0;
  bool raw = false;
  std::string printer;
  int pages = 0;  // text jobs only
  std::int64_t milliseconds = 0;
  std::string result;
  std::string route;     // named when a route chose the printer
  bool reprint = false;  // a kept job printed again
};

std::string StartText(const std::string& version, const std::string& printer, bool rawMode);
std::string JobText(const JobLine& job);
std::string ControlText(const std::string& file);
std::string ErrorText(const std::string& text);
std::string StopText();
std::string NoteText(const std::string& text);
// A whole line: time stamp, a space, the text and CR LF.
std::string LogLine(const LogTime& time, const std::string& text);

}  // namespace korv
