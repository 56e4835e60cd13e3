#pragma once
// The service window in memory: current state of every control plus a log of changes.
#include <string>
#include <vector>

#include "base/ServiceView.h"

namespace korv::fakes {

class FakeServiceView : public ServiceView {
 public:
  void SetTitle(const std::string& t) override { Note("title", title = t); }
  void SetStatus(const std::string& t) override { Note("status", status = t); }
  void SetPrinterLabel(const std::string& t) override { Note("printer", printerLabel = t); }
  void SetFontLabel(const std::string& t) override { Note("font", fontLabel = t); }
  void EnableSelectPrinter(bool e) override { Note("selectPrinter", OnOff(selectPrinter = e)); }
  void EnablePrinterFont(bool e) override { Note("printerFont", OnOff(printerFont = e)); }
  void EnableTestPage(bool e) override { Note("testPage", OnOff(testPage = e)); }
  void SetUseDefaultTicked(bool t) override { Note("useDefault", OnOff(useDefault = t)); }

  std::string title, status, printerLabel, fontLabel;
  bool selectPrinter = true, printerFont = true, testPage = true;
  bool useDefault = true;        // ticked in the window's layout
  std::vector<std::string> log;  // "status=Status - printing", "printerFont=off", ...

 private:
  static std::string OnOff(bool b) { return b ? "on" : "off"; }
  void Note(const char* what, const std::string& value) {
    log.push_back(std::string(what) + "=" + value);
  }
};

}  // namespace korv::fakes
