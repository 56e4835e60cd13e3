#pragma once
// The spool directory's change notification, waited on together with the doorbell and the
// thread's window messages.
#include "spool/Doorbell.h"
#include "spool/SpoolWatch.h"
#include "win32/UniqueHandle.h"

namespace korv {

// A change notification from FindFirstChangeNotification, closed with FindCloseChangeNotification.
struct ChangeNotificationTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) noexcept { FindCloseChangeNotification(handle); }
};

// An auto-reset event: one ring wakes one wait.
class Win32Doorbell : public Doorbell {
 public:
  Win32Doorbell() : event_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}
  void Ring() override {
    if (event_) SetEvent(event_.Get());
  }
  HANDLE Event() const { return event_.Get(); }

 private:
  UniqueHandle<KernelHandleTraits> event_;
};

class Win32SpoolWatch : public SpoolWatch {
 public:
  explicit Win32SpoolWatch(const Win32Doorbell& bell) : bell_(bell) {}

  bool Arm(const std::string& directory) override;
  bool Rearm() override;
  Wake Wait(unsigned milliseconds) override;

 private:
  const Win32Doorbell& bell_;
  UniqueHandle<ChangeNotificationTraits> change_;
};

}  // namespace korv
