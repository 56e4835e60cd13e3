#pragma once
// The service window's handlers, apart from the window itself. Window thread only.
#include "app/PrinterSelection.h"
#include "app/SavedPrinterChoice.h"
#include "app/ServiceWindowPorts.h"
#include "base/AppShell.h"
#include "base/ServiceState.h"
#include "base/ServiceView.h"
#include "settings/FileSystem.h"
#include "settings/Profile.h"

namespace korv {

struct ServiceWindowDeps {
  ServiceState& state;  // settingsOpen, FontName, the home and spool directories
  Profile& profile;
  ServiceView& view;
  FileSystem& fileSystem;
  SavedPrinterChoice& choice;
  PrinterSelection& printer;
  CanvasFont& printerFont;
  FontDialog& fontDialog;
  ListSelector& listSelector;
  TextMetricsReset& metrics;
  ConfirmBox& confirmBox;
  AppShell& shell;
};

class ServiceWindowHandlers {
 public:
  explicit ServiceWindowHandlers(const ServiceWindowDeps& deps) : d_(deps) {}

  // What the window's buttons and the icon's menu items do.
  void SelectPrinter();      // "Select &Printer": choose the printer from the list dialog
  void ChoosePrinterFont();  // "Printer &Font": choose the printer font
  void PrintTestPage();      // "Print &Test Page": copy the test page into the spool folder
  void AskToRemove();        // "&Remove": ask, then end the service

 private:
  ServiceWindowDeps d_;
};

}  // namespace korv
