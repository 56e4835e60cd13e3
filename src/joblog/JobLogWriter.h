#pragma once
// The job log: formats each event on the print thread, with its time, and hands the line
// to a thread of its own that appends it to the log file. The print thread only ever waits
// for a short lock, never for the disk; when the writer falls behind, lines are dropped and
// counted. The log file turns into the previous file before it would pass 1 MB.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

#include "joblog/JobLog.h"
#include "joblog/JobLogLines.h"
#include "joblog/JobLogPorts.h"

namespace korv {

class JobLogWriter final : public JobLog {
 public:
  static constexpr std::int64_t kRotateAt = 1024 * 1024;
  static constexpr std::size_t kQueueLimit = 2000;

  JobLogWriter(LogFile& file, LogClock& clock, JobFactsSource& facts, std::string version)
      : file_(file), clock_(clock), facts_(facts), version_(std::move(version)) {}
  // Writes what is queued, then ends the thread.
  ~JobLogWriter() override;
  JobLogWriter(const JobLogWriter&) = delete;
  JobLogWriter& operator=(const JobLogWriter&) = delete;

  // Asks whether the log is wanted; only then does it start its thread and write.
  void Started(bool rawMode) override;
  void JobStarted(const std::string& file, std::int64_t bytes, bool raw) override;
  void ReprintStarted(const std::string& file, std::int64_t bytes, bool raw) override;
  void JobEnded(const std::string& result) override;
  void ControlObeyed(const std::string& file) override;
  // An error the same as the one logged last, with nothing logged in between, is not
  // repeated: a folder that stays unreadable would otherwise fill the log ten times a second.
  void Error(const std::string& text) override;
  void Stopped() override;
  void Note(const std::string& text) override;

  // Waits until every line posted so far has been written (or found unwritable).
  void Flush();

 private:
  void Post(const std::string& text);
  void Run();
  void Write(const std::deque<std::string>& lines);
  void Append(const std::string& text);

  LogFile& file_;
  LogClock& clock_;
  JobFactsSource& facts_;
  const std::string version_;

  // Print thread only.
  bool enabled_ = false;
  JobLine job_;
  std::int64_t jobStart_ = 0;
  std::string lastError_;

  // Shared with the log's thread.
  std::mutex lock_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::deque<std::string> queue_;
  std::size_t dropped_ = 0;
  bool writing_ = false;
  bool stop_ = false;

  // The log's thread only.
  std::int64_t size_ = -1;  // -1: to be asked

  std::thread thread_;
};

}  // namespace korv
