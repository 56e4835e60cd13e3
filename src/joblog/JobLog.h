#pragma once
// The job log as the print loop sees it: one call per event. Calls never fail and never
// wait on the disk; a log that cannot be written loses lines, never a job.
#include <cstdint>
#include <string>

namespace korv {

class JobLog {
 public:
  virtual ~JobLog() = default;
  virtual void Started(bool rawMode) = 0;
  virtual void JobStarted(const std::string& file, std::int64_t bytes, bool raw) = 0;
  // A kept job printed again; JobEnded follows as for a job.
  virtual void ReprintStarted(const std::string& file, std::int64_t bytes, bool raw) = 0;
  // `result`: "printed", "stopped" or "failed: " and the failure's text.
  virtual void JobEnded(const std::string& result) = 0;
  virtual void ControlObeyed(const std::string& file) = 0;
  virtual void Error(const std::string& text) = 0;
  // Something the job's printing wants told (commands it could not carry out, say).
  virtual void Note(const std::string& text) { (void)text; }
  virtual void Stopped() = 0;
};

// No log at all.
class NoJobLog final : public JobLog {
 public:
  void Started(bool) override {}
  void JobStarted(const std::string&, std::int64_t, bool) override {}
  void ReprintStarted(const std::string&, std::int64_t, bool) override {}
  void JobEnded(const std::string&) override {}
  void ControlObeyed(const std::string&) override {}
  void Error(const std::string&) override {}
  void Stopped() override {}
};

}  // namespace korv
