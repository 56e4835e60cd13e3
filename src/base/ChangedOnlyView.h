#pragma once
// The service view passing on only what differs from the value last passed on, so an
// idle or busy print thread does not redraw the window with what it already shows. Every
// caller of the window must go through the same instance, or it would miss their changes.
#include <mutex>
#include <optional>
#include <string>

#include "base/ServiceView.h"

namespace korv {

class ChangedOnlyView : public ServiceView {
 public:
  explicit ChangedOnlyView(ServiceView& inner) : inner_(inner) {}

  void SetTitle(const std::string& title) override { Pass(title_, title, &ServiceView::SetTitle); }
  void SetStatus(const std::string& text) override { Pass(status_, text, &ServiceView::SetStatus); }
  void SetPrinterLabel(const std::string& text) override {
    Pass(printerLabel_, text, &ServiceView::SetPrinterLabel);
  }
  void SetFontLabel(const std::string& text) override {
    Pass(fontLabel_, text, &ServiceView::SetFontLabel);
  }
  void EnableSelectPrinter(bool on) override {
    Pass(selectPrinter_, on, &ServiceView::EnableSelectPrinter);
  }
  void EnablePrinterFont(bool on) override {
    Pass(printerFont_, on, &ServiceView::EnablePrinterFont);
  }
  void EnableTestPage(bool on) override { Pass(testPage_, on, &ServiceView::EnableTestPage); }
  // Always passed on: the user's clicks change the box too, so what was passed last need
  // not be what it shows.
  void SetUseDefaultTicked(bool ticked) override {
    std::lock_guard<std::mutex> lock(mutex_);
    inner_.SetUseDefaultTicked(ticked);
  }

 private:
  // Under the lock, so two threads' changes of one control reach the window in the order
  // they were made here.
  template <typename T, typename Arg>
  void Pass(std::optional<T>& last, const T& value, void (ServiceView::*set)(Arg)) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (last && *last == value) return;
    (inner_.*set)(value);
    last = value;
  }

  ServiceView& inner_;
  std::mutex mutex_;
  std::optional<std::string> title_, status_, printerLabel_, fontLabel_;
  std::optional<bool> selectPrinter_, printerFont_, testPage_;
};

}  // namespace korv
