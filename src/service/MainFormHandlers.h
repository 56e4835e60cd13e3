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

  // Named as the window's layout names them.
  void FormCreate() {}       // the window was made: nothing to do
  void PrnSetup();           // "Select &Printer": choose the printer from the list dialog
  void PrinterFont();        // "Printer &Font": choose the printer font
  void PrintTestPage();      // "Print &Test Page": copy the test page into the spool folder
  void Dominimize();         // "&Exit", Enter, Esc: hand the screen back to the host program
  void DoRestore();          // "&Printer Options": show the service window
  void DoStop();             // "&Remove": ask, then end the service
  void SetDefaultPrinter();  // "Use Windows default printer": follow it, or stop following

 private:
  MainFormDeps d_;
};

}  // namespace korv
