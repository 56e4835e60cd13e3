#pragma once
// TMainForm, the service window: the printer and font labels, the four buttons, the
// "Use Windows default printer" box, the status line, and the icon's menu. It applies
// the service view's posted changes (Messages.h) on its own thread.
#include <atomic>
#include <functional>
#include <optional>
#include <string>

#include "app/MainFormPorts.h"
#include "dialogs/win32/TrayIcon.h"
#include "win32/RoutedWindow.h"
#include "win32/UniqueHandle.h"
#include "win32/Win32Api.h"

namespace korv {

class TMainForm : public ServiceWindow, public win32::RoutedWindow {
 public:
  // Control and menu item identifiers, by the window layout's names.
  enum Control : int {
    kButton1 = 101,  // "Printer &Font"
    kButton2,        // "Print &Test Page"
    kButton3,        // "Select &Printer"
    kButton4,        // "&Exit"
    kCheckBox1,      // "Use Windows default printer"
    kLabel1,         // font label
    kLabel2,         // printer label
    kStatusBar1,
  };

  // What the window's events run, on the window thread. An error one of them raises is
  // shown in the application's standard error box and the service carries on.
  struct Events {
    std::function<void()> Korvprint;  // every activation; the first starts the service
    std::function<void()> FormCreate;
    std::function<void()> PrnSetup;
    std::function<void()> PrinterFont;
    std::function<void()> PrintTestPage;
    std::function<void()> Dominimize;
    // The user clicked the box; CheckBoxTicked() already tells its new state.
    std::function<void()> SetDefaultPrinter;
  };

  static constexpr int kClientWidth = 415;
  static constexpr int kClientHeight = 251;

  TMainForm() = default;
  // Destroys the window and then its icon; the events are not run any more.
  ~TMainForm() override;

  // Creates the window titled "xx", centred, not yet shown, owned by `owner`, with every
  // control; false when the window system refuses any of it.
  bool Create(HWND owner, Events events);

  // Makes the notification-area icon, a component of this window that gets the window's
  // position changes and system commands first (see win32::TrayIcon). After Create; may
  // raise ETrayIcon.
  win32::TrayIcon& CreateTrayIcon(HWND application, win32::TrayIcon::PopupMenu1 menu,
                                  std::function<void(const std::string&)> showError, HICON icon);

  // The message loop offers every message here first, so that Tab, the mnemonics, Enter
  // and Esc work as in a dialog. True when the message was used up.
  bool PreTranslateMessage(MSG& msg);

  // Shows the window minimised and active, as the service starts.
  void ShowMinimised();
  // Shows the window, restored when it was minimised, in front ("&Printer Options").
  void Show() override;
  // The box as last clicked or set; safe from any thread.
  bool CheckBoxTicked() const { return checkBoxTicked_.load(); }

 private:
  // Frees the texts of posted changes that will never be applied.
  void DiscardPending();
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool CreateControls();
  HWND AddControl(const char* cls, const char* text, DWORD style, Control id, int left, int top,
                  int width, int height);
  HWND AddControl(const wchar_t* cls, const wchar_t* text, DWORD style, Control id, int left,
                  int top, int width, int height);
  void OnCommand(int id, int notification);
  void OnActivate(WPARAM wParam);
  void ApplyText(UINT message, const std::string& text);
  void SetLabel(Control label, const std::string& text);
  void EnableControl(Control control, bool enabled);
  void SetCheckBoxTicked(bool ticked);

  Events events_;
  UniqueGdiObject font_;  // outlives the window that uses it
  std::optional<win32::TrayIcon> trayIcon_;
  HWND focused_ = nullptr;                  // the control that gets the focus back on activation
  std::atomic<bool> checkBoxTicked_{true};  // ticked in the layout
};

}  // namespace korv
