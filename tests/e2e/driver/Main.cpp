// korvdriver: drives and inspects windows under Wine for the end-to-end tests.
// Every result is a JSON object on its own line (see JsonLine.h); the exit code tells success.
#include <cstdio>
#include <cstring>

#include "Commands.h"

namespace {

struct Command {
  const char* name;
  int (*run)(const korv::driver::Args&);
  const char* usage;
};

const Command kCommands[] = {
    {"windows", korv::driver::ListWindows, "windows"},
    {"find", korv::driver::FindWindowCommand, "find WINDOW [TIMEOUT_MS]"},
    {"state", korv::driver::ShowState, "state WINDOW"},
    {"controls", korv::driver::ListControls, "controls WINDOW"},
    {"rect", korv::driver::ShowRects, "rect WINDOW"},
    {"click", korv::driver::ClickButton, "click WINDOW CAPTION"},
    {"msgbox", korv::driver::ReadMessageBox, "msgbox [TIMEOUT_MS [PID]]"},
    {"press", korv::driver::PressDialogButton, "press WINDOW CAPTION"},
    {"title", korv::driver::SetTitle, "title WINDOW TEXT"},
    {"post", korv::driver::PostMessageCommand, "post WINDOW MESSAGE WPARAM LPARAM"},
    {"type", korv::driver::TypeCharacters, "type WINDOW TEXT"},
    {"host", korv::driver::RunHostWindow, "host TITLE [SECONDS] [--controls]"},
    {"profile", korv::driver::RunProfile, "profile get|put|batch ..."},
    {"printers", korv::driver::ListPrinters, "printers"},
    {"rawprint", korv::driver::PrintRaw, "rawprint PRINTER FILE [TITLE [COUNT [PAUSE_MS]]]"},
    {"addprinter", korv::driver::AddPrinterCommand, "addprinter NAME PORT DRIVER"},
    {"deleteprinter", korv::driver::DeletePrinterCommand, "deleteprinter NAME"},
    {"startdoc", korv::driver::StartDocCommand, "startdoc PRINTER [--as-program]"},
    {"resources", korv::driver::ReadResources, "resources FILE"},
    {"xwindow", korv::driver::ShowXWindow, "xwindow WINDOW"},
    {"hold", korv::driver::HoldFile, "hold write FILE SECONDS SOURCE | hold read FILE SECONDS"},
    {"listview", korv::driver::ReadListView, "listview WINDOW"},
    {"lvselect", korv::driver::SelectListRows, "lvselect WINDOW [ROW ...]"},
    {"lvcolumn", korv::driver::ClickListColumn, "lvcolumn WINDOW COLUMN"},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2) {
    for (const auto& command : kCommands) {
      if (std::strcmp(argv[1], command.name) == 0) {
        return command.run(korv::driver::Args(argv + 2, argv + argc));
      }
    }
  }
  std::fputs("usage: korvdriver COMMAND ...  (WINDOW is an exact title or #handle)\n", stderr);
  for (const auto& command : kCommands) std::fprintf(stderr, "  %s\n", command.usage);
  return 2;
}
