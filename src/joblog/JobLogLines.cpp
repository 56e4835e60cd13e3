#include "joblog/JobLogLines.h"

#include <cstdio>

namespace korv {

std::string IsoTime(const LogTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", t.year, t.month, t.day,
                t.hour, t.minute, t.second, t.millisecond);
  return text;
}

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 32 || byte == 127) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string StartText(const std::string& version, const std::string& printer, bool rawMode) {
  return "start version=" + version + " printer=" + Quoted(printer) +
         " mode=" + (rawMode ? "raw" : "text");
}

std::string JobText(const JobLine& job) {
  std::string text = std::string(job.reprint ? "reprint" : "job") + " file=" + Quoted(job.file) +
                     " bytes=" + std::to_string(job.bytes) + " kind=" + (job.raw ? "raw" : "text") +
                     " printer=" + Quoted(job.printer);
  if (!job.route.empty()) text += " route=" + Quoted(job.route);
  if (!job.raw) text += " pages=" + std::to_string(job.pages);
  return text + " ms=" + std::to_string(job.milliseconds) + " result=" + Quoted(job.result);
}

std::string ControlText(const std::string& file) {
  return "control file=" + Quoted(file);
}

std::string ErrorText(const std::string& text) {
  return "error text=" + Quoted(text);
}

std::string NoteText(const std::string& text) {
  return "note text=" + Quoted(text);
}

std::string StopText() {
  return "stop";
}

std::string LogLine(const LogTime& time, const std::string& text) {
  return IsoTime(time) + " " + text + "\r\n";
}

}  // namespace korv
