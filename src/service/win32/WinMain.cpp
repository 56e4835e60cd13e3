// Entry point: the application window and the service window, then the message loop.
// The service starts on the service window's first activation.
#include "service/MainFormHandlers.h"
#include "service/PrintLoop.h"
#include "service/SavedPrinterChoice.h"
#include "service/ServiceShutdown.h"
#include "service/ServiceStartup.h"
#include "service/ServiceState.h"
#include "service/win32/Application.h"
#include "service/win32/ChooseFontDialog.h"
#include "service/win32/MainForm.h"
#include "service/win32/MainFormPlaceholders.h"
#include "service/win32/Placeholders.h"
#include "service/win32/PrintThread.h"
#include "service/win32/Win32AppShell.h"
#include "service/win32/Win32ConfirmBox.h"
#include "service/win32/Win32ServiceView.h"
#include "service/win32/Win32Waiter.h"
#include "service/win32/WindowsDefaultPrinter.h"
#include "settings/Profile.h"
#include "settings/win32/Win32Api.h"
#include "settings/win32/Win32FileSystem.h"
#include "settings/win32/Win32ProfileStore.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace korv;

  Application application;
  if (!application.Create(instance, "Printer for Korvelane")) return 1;

  ServiceState state;
  Win32FileSystem files;
  Win32ProfileStore store;
  Profile profile(store);
  Win32ServiceView view;
  Win32AppShell shell(application);
  Win32Waiter waiter(application);

  // Not built yet: printing, the host window, the icon, the font, the list dialog.
  PlaceholderJobBranches jobs;
  PlaceholderHostWindow host;
  PlaceholderTrayIcon tray;
  PlaceholderPrinterFont font;
  PlaceholderPrinterSelection printers;
  PlaceholderCanvasFont canvasFont;
  PlaceholderTextMetrics metrics;
  PlaceholderListSelector listSelector;

  SavedPrinterChoice choice(profile, view, state.flags, state.ChosenPrinter, printers);

  PrintLoop loop(state, PrintLoopPorts{files, profile, waiter, view, shell, tray, host, font,
                                       choice, jobs, jobs});
  PrintThread printThread;
  ServiceStartup startup(state, files, profile, shell, view, choice, printThread, [&] {
    try {
      loop.Run();
    } catch (...) {
      shell.PostQuit();  // a print thread that cannot go on ends the service
    }
  });

  TMainForm window;
  ChooseFontDialog fontDialog([&] { return window.Window(); }, WindowsDefaultPrinterName);
  Win32ConfirmBox confirmBox;
  MainFormHandlers handlers(MainFormDeps{state, profile, view, files, choice, printers, canvasFont,
                                         fontDialog, listSelector, metrics, confirmBox, shell, host,
                                         window});
  TMainForm::Events events;
  events.Korvprint = [&] { startup.Korvprint(); };
  events.FormCreate = [&] { handlers.FormCreate(); };
  events.PrnSetup = [&] { handlers.PrnSetup(); };
  events.PrinterFont = [&] { handlers.PrinterFont(); };
  events.PrintTestPage = [&] { handlers.PrintTestPage(); };
  events.Dominimize = [&] { handlers.Dominimize(); };
  events.DoRestore = [&] { handlers.DoRestore(); };
  events.DoStop = [&] { handlers.DoStop(); };
  events.SetDefaultPrinter = [&] {
    view.SetUseDefaultTicked(window.CheckBoxTicked());  // the view answers the core's reads
    handlers.SetDefaultPrinter();
  };
  if (!window.Create(instance, application.Window(), std::move(events))) return 1;
  view.Attach(window.Window());
  window.ShowMinimised();

  int exitCode = 0;
  MSG msg{};
  while (!application.Terminated()) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      exitCode = static_cast<int>(msg.wParam);
      break;
    }
    if (got == -1) break;
    if (window.PreTranslateMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  application.QuitReceived();

  // Nothing the print thread uses may be destroyed under a job in progress: if it is
  // still busy after its grace time, the process ends without unwinding.
  if (!StopPrintThread(state.flags, printThread)) ExitProcess(static_cast<UINT>(exitCode));
  window.DiscardPending();
  window.Destroy();
  return exitCode;
}
