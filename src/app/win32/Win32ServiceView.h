#pragma once
// The service view as posted messages to the service window, so either thread may call
// it; the window applies each change on its own thread.
#include <atomic>

#include "base/ServiceView.h"
#include "win32/Win32Api.h"

namespace korv {

class Win32ServiceView : public ServiceView {
 public:
  void Attach(HWND window) { window_ = window; }

  void SetTitle(const std::string& title) override;
  void SetStatus(const std::string& text) override;
  void SetPrinterLabel(const std::string& text) override;
  void SetFontLabel(const std::string& text) override;
  void EnableSelectPrinter(bool enabled) override;
  void EnablePrinterFont(bool enabled) override;
  void EnableTestPage(bool enabled) override;
  void SetUseDefaultTicked(bool ticked) override;

 private:
  void PostFlag(UINT message, bool on);

  std::atomic<HWND> window_{nullptr};
};

}  // namespace korv
