#include "app/win32/Win32SpoolWatch.h"

namespace korv {

bool Win32SpoolWatch::Arm(const std::string& directory) {
  // A new file, a rename or a delete changes names; a rewrite changes size or last write.
  change_.Reset(FindFirstChangeNotificationA(
      directory.c_str(), FALSE,
      FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE));
  return change_.Valid();
}

bool Win32SpoolWatch::Rearm() {
  if (!change_) return false;
  if (FindNextChangeNotification(change_.Get())) return true;
  change_.Reset();
  return false;
}

SpoolWatch::Wake Win32SpoolWatch::Wait(unsigned milliseconds) {
  HANDLE handles[2];
  DWORD count = 0;
  if (change_) handles[count++] = change_.Get();
  const DWORD bellIndex = count;
  if (bell_.Event() != nullptr) handles[count++] = bell_.Event();
  // Input already seen but not taken out of the queue also wakes the wait.
  const DWORD result =
      MsgWaitForMultipleObjectsEx(count, handles, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  if (result == WAIT_TIMEOUT) return Wake::TimedOut;
  if (result == WAIT_OBJECT_0 + count) return Wake::Messages;
  if (result < WAIT_OBJECT_0 + count) {
    return result - WAIT_OBJECT_0 == bellIndex ? Wake::Rung : Wake::Changed;
  }
  return Wake::Failed;
}

}  // namespace korv
