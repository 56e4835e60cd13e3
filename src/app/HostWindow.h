#pragma once
// Finding the host program's window by its title, and handing the screen back to it.
#include <atomic>

#include "app/Desktop.h"
#include "base/ServiceFlags.h"
#include "base/Waiter.h"
#include "spool/HostWindowActivation.h"

namespace korv {

inline constexpr int kShowMaximized = 3;  // SW_SHOWMAXIMIZED

class HostWindowActivator final : public HostWindowActivation {
 public:
  // `waiter` waits on the calling thread: it dispatches that thread's messages.
  HostWindowActivator(Desktop& desktop, Waiter& waiter, ServiceFlags& flags)
      : desktop_(desktop), waiter_(waiter), flags_(flags) {}

  // Searches once and retitles the window found "Korvelane". Later calls do nothing:
  // the host window is set at most once per run.
  void FindHostWindow() override;

  // Minimises and hides the service, then raises, maximises and foregrounds the host
  // window, retrying through one-second waits.
  void ActivateHostWindow(bool pause) override;

  WindowId HostWindow() const { return hostWindow_.load(); }

 private:
  void Retry(bool (Desktop::*attempt)(WindowId), WindowId window);

  Desktop& desktop_;
  Waiter& waiter_;
  ServiceFlags& flags_;
  std::atomic<bool> searched_{false};
  std::atomic<WindowId> hostWindow_{0};  // written once by the print thread, read by both
};

}  // namespace korv
