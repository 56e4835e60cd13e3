#include "base/win32/Win32LogClock.h"

#include "win32/Win32Api.h"

namespace korv::win32 {

LogTime Win32LogClock::Now() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

std::int64_t Win32LogClock::Milliseconds() {
  // The performance counter does not wrap as the tick count does after 49 days.
  LARGE_INTEGER frequency{};
  LARGE_INTEGER now{};
  if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0 ||
      !QueryPerformanceCounter(&now))
    return static_cast<std::int64_t>(GetTickCount());
  return static_cast<std::int64_t>(now.QuadPart / frequency.QuadPart * 1000 +
                                   now.QuadPart % frequency.QuadPart * 1000 / frequency.QuadPart);
}

}  // namespace korv::win32
