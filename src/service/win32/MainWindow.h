#pragma once
// The service window: status line, printer and font labels, and the buttons, applying the
// service view's posted changes. Its handlers come from outside (Handlers), so the
// window's behaviour can grow without touching how it is built.
#include <functional>
#include <string>

#include "service/win32/WindowHandles.h"
#include "settings/win32/Win32Api.h"

namespace korv {

class MainWindow {
 public:
  // Control identifiers, by the window layout's names.
  enum Control : int {
    kButton1 = 101,  // "Printer &Font"
    kButton2 = 102,  // "Print &Test Page"
    kButton3 = 103,  // "Select &Printer"
    kButton4 = 104,  // "&Exit"
    kCheckBox1 = 105,
  };

  struct Handlers {
    std::function<void()> activate;                // each activation; the first starts the service
    std::function<void(Control control)> command;  // a button or the box was clicked
  };

  MainWindow() = default;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window titled "xx", owned by `owner`, not yet shown; false on failure.
  bool Create(HINSTANCE instance, HWND owner, Handlers handlers);
  HWND Window() const { return window_.Get(); }
  // Shows the window minimised, as the service starts.
  void ShowMinimised();
  // Frees the texts of posted changes that will never be applied (at exit).
  void DiscardPending();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateControls(HINSTANCE instance);
  HWND AddControl(HINSTANCE instance, const char* cls, const char* text, DWORD style, int id,
                  int left, int top, int width, int height);
  void ApplyText(UINT message, const std::string& text);
  void SetLabel(HWND label, const std::string& text);

  Handlers handlers_;
  UniqueGdiObject font_;  // outlives the window that uses it
  UniqueWindow window_;
  // Child windows belong to the service window and go with it.
  HWND statusBar_ = nullptr;
  HWND printerLabel_ = nullptr;  // Label2
  HWND fontLabel_ = nullptr;     // Label1
};

}  // namespace korv
