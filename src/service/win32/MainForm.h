#pragma once
// TMainForm, the service window: the printer and font labels, the four buttons, the
// "Use Windows default printer" box and the status line, plus the icon's menu.
#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>
#include <string>

#include "service/win32/WindowHandles.h"

namespace korv::win32 {

// Control and menu item identifiers.
enum MainFormId : int {
  kButton1 = 101,  // "Printer &Font"
  kButton2,        // "Print &Test Page"
  kButton3,        // "Select &Printer"
  kButton4,        // "&Exit"
  kCheckBox1,      // "Use Windows default printer"
  kLabel1,         // font label
  kLabel2,         // printer label
  kStatusBar1,
  kPrinterOptions1 = 201,  // "&Printer Options"
  kRemove1,                // "&Remove"
};

// What the window's events run. Each runs on the window thread; an exception thrown by
// one goes to ShowError, the application's standard error box.
struct MainFormEvents {
  std::function<void()> Korvprint;  // activation
  std::function<void()> FormCreate;
  std::function<void()> PrnSetup;
  std::function<void()> PrinterFont;
  std::function<void()> PrintTestPage;
  std::function<void()> Dominimize;
  std::function<void()> DoRestore;
  std::function<void()> DoStop;
  std::function<void()> SetDefaultPrinter;
  std::function<void(const std::exception&)> ShowError;
};

class TMainForm {
 public:
  static constexpr const char* kClassName = "TMainForm";
  static constexpr int kClientWidth = 415;
  static constexpr int kClientHeight = 251;

  // Creates the window, hidden, centred on the screen, with every control; throws
  // std::runtime_error when the window system refuses any of it.
  TMainForm(HINSTANCE instance, HWND owner, MainFormEvents events);
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;
  ~TMainForm();

  HWND Handle() const { return window_.Get(); }
  HMENU PopupMenu1() const { return popupMenu_.Get(); }

  // The message loop offers every message here first: Tab, the arrow keys, the
  // mnemonics, Enter and Esc work as in a dialog. True when the message was handled.
  bool PreTranslateMessage(MSG& msg);

  // The rest runs on the window thread only, except CheckBoxTicked.
  void ShowMinimised();      // as the program starts
  void ShowServiceWindow();  // back from the icon or the minimised state
  void SetCaption(const std::string& text);
  void SetStatus(const std::string& text);
  void SetPrinterLabel(const std::string& text);
  void SetFontLabel(const std::string& text);
  void EnableControl(MainFormId control, bool enabled);
  void SetCheckBoxTicked(bool ticked);
  // The box as last set or clicked; safe from any thread.
  bool CheckBoxTicked() const { return checkBoxTicked_.load(); }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  static void RegisterWindowClass(HINSTANCE instance);

  void CreateControls();
  HWND AddControl(const char* className, const char* caption, DWORD style, int left, int top,
                  int width, int height, MainFormId id);
  void OnCommand(int id, int notification);
  void Run(const std::function<void()>& handler);
  void SetAutoSizeLabel(MainFormId label, int left, int top, const std::string& text);

  HINSTANCE instance_;
  MainFormEvents events_;
  OwnedFont font_;
  OwnedMenu popupMenu_;
  OwnedWindow window_;
  HWND focused_ = nullptr;  // control to give the focus back to on activation
  std::atomic<bool> checkBoxTicked_{true};
};

}  // namespace korv::win32
