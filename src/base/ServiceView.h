#pragma once
// The service window as the core sees it. Callable from either thread: the Win32 view
// posts each change to the window thread, which applies it.
#include <string>

namespace korv {

class ServiceView {
 public:
  virtual ~ServiceView() = default;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void SetStatus(const std::string& text) = 0;
  virtual void SetPrinterLabel(const std::string& text) = 0;
  virtual void SetFontLabel(const std::string& text) = 0;
  virtual void EnableSelectPrinter(bool enabled) = 0;  // "Select &Printer"
  virtual void EnablePrinterFont(bool enabled) = 0;    // "Printer &Font"
  virtual void EnableTestPage(bool enabled) = 0;       // "Print &Test Page"
  // "Use Windows default printer". Setting it only changes the box, never runs its click.
  virtual void SetUseDefaultTicked(bool ticked) = 0;
};

}  // namespace korv
