#pragma once
// The host window activation and the icon need the service window, which is created after
// the print loop and the window's handlers that use them. They are bound before the first
// activation starts the service, so nothing reaches them unbound.
#include "dialogs/TrayIconSetup.h"
#include "spool/HostWindowActivation.h"

namespace korv::win32 {

class LateHostWindow : public HostWindowActivation {
 public:
  void Bind(HostWindowActivation& real) { real_ = &real; }
  void FindHostWindow() override {
    if (real_) real_->FindHostWindow();
  }
  void ActivateHostWindow(bool pause) override {
    if (real_) real_->ActivateHostWindow(pause);
  }

 private:
  HostWindowActivation* real_ = nullptr;
};

class LateTrayIcon : public TrayIconSetup {
 public:
  void Bind(TrayIconSetup& real) { real_ = &real; }
  void ApplyPrintLoopSettings(const TraySettings& settings) override {
    if (real_) real_->ApplyPrintLoopSettings(settings);
  }

 private:
  TrayIconSetup* real_ = nullptr;
};

}  // namespace korv::win32
