#pragma once
// The job log's ports in memory: a log file with its previous file, a clock that only moves
// when told, and the facts about jobs; each records what it was asked and can fail.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "joblog/JobLog.h"
#include "joblog/JobLogPorts.h"

namespace korv::fakes {

class FakeLogFile : public LogFile {
 public:
  bool Append(const std::string& text) override {
    std::lock_guard guard(lock);
    ++appends;
    if (failing) return false;
    current += text;
    return true;
  }
  std::int64_t Size() override {
    std::lock_guard guard(lock);
    ++sizeQueries;
    return failing ? -1 : static_cast<std::int64_t>(current.size());
  }
  bool Rotate() override {
    std::lock_guard guard(lock);
    ++rotations;
    if (failing) return false;
    previous = current;
    current.clear();
    return true;
  }

  std::mutex lock;
  std::string current, previous;
  bool failing = false;
  int appends = 0, sizeQueries = 0, rotations = 0;
};

class FakeLogClock : public LogClock {
 public:
  LogTime Now() override { return now; }
  std::int64_t Milliseconds() override { return steady; }
  LogTime now{2026, 12, 8, 6, 5, 4, 32};
  std::int64_t steady = 0;
};

class FakeJobFacts : public JobFactsSource {
 public:
  bool LogEnabled() override { return enabled; }
  JobFacts Facts(bool raw) override {
    askedRaw.push_back(raw);
    return facts;
  }
  bool enabled = true;
  JobFacts facts{"KorvCapture1", 0, ""};
  std::vector<bool> askedRaw;
};

// Records the print loop's calls as text lines.
class FakeJobLog : public JobLog {
 public:
  void Started(bool raw) override {
    events.push_back(std::string("start ") + (raw ? "raw" : "text"));
  }
  void JobStarted(const std::string& file, std::int64_t bytes, bool raw) override {
    events.push_back("job " + file + " " + std::to_string(bytes) + (raw ? " raw" : " text"));
  }
  void ReprintStarted(const std::string& file, std::int64_t bytes, bool raw) override {
    events.push_back("reprint " + file + " " + std::to_string(bytes) + (raw ? " raw" : " text"));
  }
  void JobEnded(const std::string& result) override { events.push_back("end " + result); }
  void ControlObeyed(const std::string& file) override { events.push_back("control " + file); }
  void Error(const std::string& text) override { events.push_back("error " + text); }
  void Stopped() override { events.push_back("stop"); }
  void Note(const std::string& text) override { events.push_back("note " + text); }
  std::vector<std::string> events;
};

}  // namespace korv::fakes
