#pragma once
// Finding the host program's window by its title, and handing the screen back to it.
#include <atomic>

#include "service/Desktop.h"
#include "service/ServiceFlags.h"
#include "service/Waiter.h"

namespace korv {

inline constexpr int kShowMaximized = 3;  // SW_SHOWMAXIMIZED

class HostWindowActivation {
 public:
  HostWindowActivation(Desktop& desktop, ServiceFlags& flags) : desktop_(desktop), flags_(flags) {}

  // Searches once and retitles the window found "Korvelane". Later calls do nothing:
  // the host window is set at most once per run.
  void FindHostWindow();

  // Minimises and hides the service, then raises, maximises and foregrounds the host
  // window, retrying through one-second waits on `waiter` (the calling thread's).
  void ActivateHostWindow(Waiter& waiter, bool pause);

  WindowId HostWindow() const { return hostWindow_.load(); }

 private:
  void Retry(Waiter& waiter, bool (Desktop::*attempt)(WindowId), WindowId window);

  Desktop& desktop_;
  ServiceFlags& flags_;
  std::atomic<bool> searched_{false};
  std::atomic<WindowId> hostWindow_{0};  // written once by the print thread, read by both
};

}  // namespace korv
