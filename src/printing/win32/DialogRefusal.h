#pragma once
// While one exists, no dialog box (window class "#32770") can be created on the calling
// thread: a printer driver or the spooler that would ask the user something (a file name,
// say) gets a failure instead, so the print thread never waits for a person. Owns the
// thread's hook and removes it when destroyed.
#include <windows.h>

namespace korv::win32 {

class DialogRefusal {
 public:
  DialogRefusal();
  ~DialogRefusal();
  DialogRefusal(const DialogRefusal&) = delete;
  DialogRefusal& operator=(const DialogRefusal&) = delete;

  // Dialog boxes refused on this thread since this guard began.
  int Refused() const;

 private:
  HHOOK hook_ = nullptr;
  int refusedBefore_ = 0;
};

}  // namespace korv::win32
