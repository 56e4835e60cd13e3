#pragma once
// The service window's handlers, apart from the window itself. Window thread only.
#include <string>

#include "service/MainFormPorts.h"
#include "service/PrinterSelection.h"
#include "service/SavedPrinterChoice.h"
#include "service/ServiceFlags.h"
#include "service/ServiceView.h"
#include "service/SharedText.h"
#include "settings/FileSystem.h"
#include "settings/Profile.h"

namespace korv {

struct MainFormDeps {
  Profile& profile;
  ServiceView& view;
  ServiceFlags& flags;
  SharedText& fontName;
  FileSystem& fileSystem;
  SavedPrinterChoice& choice;
  PrinterSelection& printer;
  CanvasFont& printerFont;
  FontDialog& fontDialog;
  ListSelector& listSelector;
  TextMetricsReset& metrics;
  UserPrompts& prompts;
  AppCommands& app;
};

class MainFormHandlers {
 public:
  explicit MainFormHandlers(const MainFormDeps& deps) : d_(deps) {}

  // Set by start-up once the home and spool directories are known.
  void SetDirectories(std::string homeDirectory, std::string spoolDirectory);

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
  std::string homeDirectory_;
  std::string spoolDirectory_;
};

}  // namespace korv
