#pragma once
// The window system as the notification-area icon uses it: the shell's notify-icon call,
// the service's two windows (the application window and the service window), the
// cursor and the icon's pop-up menu. Numbers carry the window system's own values.
#include <cstddef>
#include <cstdint>
#include <string>

#include "dialogs/WindowId.h"

namespace korv {

using IconId = std::uintptr_t;  // 0: no icon

inline constexpr std::uint32_t kNotifyIconRecordSize = 88;  // the first record layout
inline constexpr std::uint32_t kTrayIconId = 2;
inline constexpr std::uint32_t kTrayCallbackMessage = 0x06FF;
inline constexpr std::size_t kTrayTipLimit = 63;  // the record's tip holds 64 with the NUL

namespace nif {
inline constexpr std::uint32_t kMessage = 0x1;
inline constexpr std::uint32_t kIcon = 0x2;
inline constexpr std::uint32_t kTip = 0x4;
}  // namespace nif

struct NotifyIconRecord {
  std::uint32_t size = kNotifyIconRecordSize;
  WindowId window = 0;  // receives the callback message
  std::uint32_t id = kTrayIconId;
  std::uint32_t flags = 0;
  std::uint32_t callbackMessage = kTrayCallbackMessage;
  IconId icon = 0;
  std::string tip;
};

enum class NotifyIconOp { Add, Modify, Delete };

enum class TrayWindow { Application, Service };

enum class ShowCommand : int { Hide = 0, ShowNormal = 1, Show = 5, Restore = 9 };

struct ScreenPoint {
  int x = 0, y = 0;
};

class TrayShell {
 public:
  virtual ~TrayShell() = default;
  virtual bool NotifyIcon(NotifyIconOp op, const NotifyIconRecord& record) = 0;
  virtual WindowId MessageWindow() = 0;          // the icon's hidden window
  virtual IconId ApplicationIcon() = 0;          // 0 when the application has none
  virtual IconId StandardApplicationIcon() = 0;  // the system's application icon
  virtual bool IsMinimized(TrayWindow window) = 0;
  virtual void ShowWindow(TrayWindow window, ShowCommand command) = 0;
  virtual void SetForegroundWindow(TrayWindow window) = 0;
  virtual void BringWindowToTop(TrayWindow window) = 0;
  virtual void RestoreApplication() = 0;  // un-minimises the application
  virtual void ProcessMessages() = 0;     // the window thread's pending messages
  virtual ScreenPoint CursorPos() = 0;
  virtual bool HasPopupMenu() = 0;
  // Pops the menu up at `at` for the service window and runs the item chosen.
  virtual void PopupMenu(ScreenPoint at) = 0;
};

}  // namespace korv
