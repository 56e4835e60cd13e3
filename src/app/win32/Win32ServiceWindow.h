#pragma once
// The service window (window class "TMainForm"): the printer and font labels, the four buttons, the
// "Use Windows default printer" box, the status line, and the icon's menu. It applies
// the service view's posted changes (Messages.h) on its own thread.
#include <functional>
#include <optional>
#include <string>

#include "app/ServiceWindowPorts.h"
#include "dialogs/win32/TrayIcon.h"
#include "win32/RoutedWindow.h"
#include "win32/UniqueHandle.h"
#include "win32/Win32Api.h"

namespace korv {

class Win32ServiceWindow : public win32::RoutedWindow {
 public:
  // Control identifiers; the comments give each control's caption.
  enum Control : int {
    kPrinterFontButton = 101,  // "Printer &Font"
    kTestPageButton,           // "Print &Test Page"
    kSelectPrinterButton,      // "Select &Printer"
    kExitButton,               // "&Exit"
    kUseDefaultBox,            // "Use Windows default printer"
    kFontLabel,                // font label
    kPrinterLabel,             // printer label
    kStatusBar,
  };

  // What the window's events run, on the window thread. An error one of them raises is
  // shown in the application's standard error box and the service carries on.
  struct Events {
    std::function<void()> Activated;  // every activation; the first starts the service
    std::function<void()> SelectPrinter;
    std::function<void()> ChoosePrinterFont;
    std::function<void()> PrintTestPage;
    std::function<void()> HandBackToHost;
    // The user clicked the box, which now shows `ticked`.
    std::function<void(bool ticked)> UseDefaultClicked;
  };

  static constexpr int kClientWidth = 415;
  static constexpr int kClientHeight = 251;

  Win32ServiceWindow() = default;
  // Destroys the window and then its icon; the events are not run any more.
  ~Win32ServiceWindow() override;

  // Creates the window titled "xx", centred, not yet shown, owned by `owner`, with every
  // control; false when the window system refuses any of it.
  bool Create(HWND owner, Events events);

  // Makes the notification-area icon, a component of this window that gets the window's
  // position changes and system commands first (see win32::TrayIcon). After Create; may
  // raise ETrayIcon.
  win32::TrayIcon& CreateTrayIcon(HWND application, win32::TrayIcon::TrayMenu menu,
                                  std::function<void(const std::string&)> showError, HICON icon);

  // The message loop offers every message here first, so that Tab, the mnemonics, Enter
  // and Esc work as in a dialog. True when the message was used up.
  bool PreTranslateMessage(MSG& msg);

  // Shows the window minimised and active, as the service starts.
  void ShowMinimised();
  // Shows the window, restored when it was minimised, in front ("&Printer Options").
  void Show();

 private:
  // Frees the texts of posted changes that will never be applied.
  void DiscardPending();
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool CreateControls();
  HWND AddControl(const char* cls, const char* text, DWORD style, Control id, int left, int top,
                  int width, int height);
  void OnCommand(int id, int notification);
  void OnActivate(WPARAM wParam);
  void ApplyText(UINT message, const std::string& text);
  void SetLabel(Control label, const std::string& text);
  void EnableControl(Control control, bool enabled);
  void TickUseDefaultBox(bool ticked);

  Events events_;
  UniqueGdiObject font_;  // outlives the window that uses it
  std::optional<win32::TrayIcon> trayIcon_;
  HWND focused_ = nullptr;  // the control that gets the focus back on activation
};

}  // namespace korv
