#pragma once
// Waiting for the spool directory to change, while the thread's window messages keep
// flowing. Notifications can be lost or missing on some folders, so whoever waits also
// looks again now and then on its own.
#include <string>

namespace korv {

class SpoolWatch {
 public:
  enum class Wake {
    Changed,   // something in the directory changed; Rearm before looking
    Rung,      // the doorbell rang (a dialog closed, a stop was asked for)
    Messages,  // window messages are waiting for the caller to dispatch
    TimedOut,
    Failed,  // the wait itself failed
  };

  virtual ~SpoolWatch() = default;
  // Starts watching file names, sizes and last-write times; false when it cannot.
  virtual bool Arm(const std::string& directory) = 0;
  // Watches for the next change after a Changed wake; false when the watch is lost.
  virtual bool Rearm() = 0;
  virtual Wake Wait(unsigned milliseconds) = 0;
};

// No notification at all: the loop keeps its fixed cadence.
class NoSpoolWatch : public SpoolWatch {
 public:
  bool Arm(const std::string&) override { return false; }
  bool Rearm() override { return false; }
  Wake Wait(unsigned) override { return Wake::Failed; }
};

}  // namespace korv
