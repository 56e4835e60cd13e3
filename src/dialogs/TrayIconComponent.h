#pragma once
// The notification-area icon: shows the service's icon with its hint, answers the
// icon's mouse messages, and turns the service window's minimise and close commands,
// which that window hands to it, into hiding the window with only the icon left. One
// instance per application.
//
// Everything runs on the window thread, except the four flags Active (reading),
// CloseToTray, MinimizeToTray and HideOnRestore, which any thread may read and write.
#include <atomic>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "dialogs/TrayShell.h"

namespace korv {

class ETrayIcon : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Window messages and commands the component looks at.
namespace wm {
inline constexpr std::uint32_t kWindowPosChanged = 0x0047;
inline constexpr std::uint32_t kSysCommand = 0x0112;
inline constexpr std::uintptr_t kScMinimize = 0xF020;
inline constexpr std::uintptr_t kScClose = 0xF060;
inline constexpr std::uintptr_t kLButtonDown = 0x201, kLButtonUp = 0x202, kLButtonDblClk = 0x203;
inline constexpr std::uintptr_t kRButtonDown = 0x204, kRButtonUp = 0x205, kRButtonDblClk = 0x206;
inline constexpr std::uintptr_t kMButtonDown = 0x207, kMButtonUp = 0x208, kMButtonDblClk = 0x209;
}  // namespace wm

class TrayIconComponent {
 public:
  // `showError` is the application's standard error display. Throws std::logic_error
  // when another instance exists.
  TrayIconComponent(TrayShell& shell, std::function<void(const std::string&)> showError);
  TrayIconComponent(const TrayIconComponent&) = delete;
  TrayIconComponent& operator=(const TrayIconComponent&) = delete;
  ~TrayIconComponent();  // deletes the icon

  bool Active() const { return active_; }
  void SetActive(bool active);  // window thread: adds or deletes the icon
  bool CloseToTray() const { return closeToTray_; }
  void SetCloseToTray(bool value) { closeToTray_ = value; }
  bool MinimizeToTray() const { return minimizeToTray_; }
  void SetMinimizeToTray(bool value) { minimizeToTray_ = value; }
  bool HideOnRestore() const { return hideOnRestore_; }
  void SetHideOnRestore(bool value) { hideOnRestore_ = value; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);

  // The window layout has been loaded: the icon is added when Active.
  void Loaded();

  bool Added() const { return added_; }

  // The icon's callback message, with the mouse message it carries.
  void IconNotification(std::uintptr_t mouseMessage);
  // A message of the service window, which offers its position changes and system
  // commands here first once the layout is loaded; true when it is consumed, else the
  // window handles it as usual.
  bool ServiceWindowMessage(std::uint32_t message, std::uintptr_t wParam);
  // Brings the service window back (a double click on the icon).
  void Restore();
  // The taskbar was recreated (the shell restarted): an added icon is added again.
  // Raises ETrayIcon when it cannot be.
  void ShellRestarted();

 private:
  NotifyIconRecord Record();
  void AddIcon();
  void ModifyIcon();
  void DeleteIcon();

  TrayShell& shell_;
  std::function<void(const std::string&)> showError_;
  std::atomic<bool> active_{true};
  std::atomic<bool> closeToTray_{true};
  std::atomic<bool> minimizeToTray_{false};
  std::atomic<bool> hideOnRestore_{false};
  std::string hint_;
  bool loaded_ = false;
  bool added_ = false;
  int startupCounter_ = 0;  // window-position changes seen while starting minimised, 0..2
};

}  // namespace korv
