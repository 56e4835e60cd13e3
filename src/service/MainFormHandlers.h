#pragma once
// The service window's handlers, apart from the window itself. Window thread only.
#include "service/AppShell.h"
#include "service/HostWindowActivation.h"
#include "service/MainFormPorts.h"
#include "service/PrinterSelection.h"
#include "service/SavedPrinterChoice.h"
#include "service/ServiceState.h"
#include "service/ServiceView.h"
#include "settings/FileSystem.h"
#include "settings/Profile.h"

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

  void FormCreate() {}
  void PrnSetup();           // "Select &Printer"
  void PrinterFont();        // "Printer &Font"
  void PrintTestPage();      // "Print &Test Page"
  void Dominimize();         // "&Exit", Enter, Esc
  void DoRestore();          // "&Printer Options"
  void DoStop();             // "&Remove"
  void SetDefaultPrinter();  // "Use Windows default printer"

 private:
  MainFormDeps d_;
};

}  // namespace korv
