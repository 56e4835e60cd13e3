#pragma once
// The service window's handlers, apart from the window itself. Window thread only.
#include "app/MainFormPorts.h"
#include "app/PrinterSelection.h"
#include "app/SavedPrinterChoice.h"
#include "base/AppShell.h"
#include "base/ServiceState.h"
#include "base/ServiceView.h"
#include "settings/FileSystem.h"
#include "settings/Profile.h"
#include "spool/HostWindowActivation.h"

namespace korv {

struct MainFormDeps {
  ServiceState& state;  // SettingsOpen, FontName, the home and spool directories
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
  HostWindowActivation& host;
  ServiceWindow& window;
};

class MainFormHandlers {
 public:
  explicit MainFormHandlers(const MainFormDeps& deps) : d_(deps) {}

  // Named as the window's layout names them.
  void PrnSetup();       // "Select &Printer": choose the printer from the list dialog
  void PrinterFont();    // "Printer &Font": choose the printer font
  void PrintTestPage();  // "Print &Test Page": copy the test page into the spool folder
  void Dominimize();     // "&Exit", Enter, Esc: hand the screen back to the host program
  void DoRestore();      // "&Printer Options": show the service window
  void DoStop();         // "&Remove": ask, then end the service

 private:
  MainFormDeps d_;
};

}  // namespace korv
