#pragma once
// The driver's subcommands. Each takes the arguments after its name and returns the exit code:
// 0 done, 1 not found (or timed out), 2 bad usage, 3 refused (e.g. a disabled button).
#include <string>
#include <vector>

namespace korv::driver {

using Args = std::vector<std::string>;

int ListWindows(const Args& args);
int FindWindowCommand(const Args& args);
int ListControls(const Args& args);
int ShowRects(const Args& args);
int ClickButton(const Args& args);
int ReadMessageBox(const Args& args);
int PressDialogButton(const Args& args);
int ShowState(const Args& args);
int PostMessageCommand(const Args& args);
int TypeCharacters(const Args& args);
int SetTitle(const Args& args);
int RunHostWindow(const Args& args);
int RunProfile(const Args& args);
int ListPrinters(const Args& args);
int PrintRaw(const Args& args);
int AddPrinterCommand(const Args& args);
int DeletePrinterCommand(const Args& args);
int StartDocCommand(const Args& args);
int ReadResources(const Args& args);
int ShowXWindow(const Args& args);
int HoldFile(const Args& args);
int ReadListView(const Args& args);
int SelectListRows(const Args& args);
int ClickListColumn(const Args& args);

// Prints {"error": text} and returns `code`.
int Fail(int code, const std::string& text);

}  // namespace korv::driver
