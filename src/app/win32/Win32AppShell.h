#pragma once
// The application shell on FindWindowA, MessageBeep, MessageBoxW and the application's quit.
#include "app/win32/Application.h"
#include "base/AppShell.h"

namespace korv {

class Win32AppShell : public AppShell {
 public:
  explicit Win32AppShell(Application& application) : application_(application) {}

  bool TopLevelWindowExists(const std::string& title) override;
  void MessageBeep(unsigned type) override;
  void ErrorBox(const std::string& text, const std::string& caption) override;
  void Terminate() override { application_.Terminate(); }
  void PostQuit() override { application_.PostQuit(); }

 private:
  Application& application_;
};

}  // namespace korv
