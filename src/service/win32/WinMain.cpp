// Entry point: the application window and the service window, then the message loop.
// The service starts on the service window's first activation.
#include "service/PrintLoop.h"
#include "service/ServiceShutdown.h"
#include "service/ServiceStartup.h"
#include "service/ServiceState.h"
#include "service/win32/Application.h"
#include "service/win32/MainWindow.h"
#include "service/win32/Placeholders.h"
#include "service/win32/PrintThread.h"
#include "service/win32/Win32AppShell.h"
#include "service/win32/Win32ServiceView.h"
#include "service/win32/Win32Waiter.h"
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

  // Not built yet: printing, the printer choice, the host window, the icon, the font.
  PlaceholderJobBranches jobs;
  PlaceholderPrinterChoice choice;
  PlaceholderHostWindow host;
  PlaceholderTrayIcon tray;
  PlaceholderPrinterFont font;

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

  MainWindow window;
  MainWindow::Handlers handlers;
  handlers.activate = [&] { startup.Korvprint(); };
  if (!window.Create(instance, application.Window(), std::move(handlers))) return 1;
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
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  application.QuitReceived();

  // Nothing the print thread uses may be destroyed under a job in progress: if it is
  // still busy after its grace time, the process ends without unwinding.
  if (!StopPrintThread(state.flags, printThread)) ExitProcess(static_cast<UINT>(exitCode));
  window.DiscardPending();
  return exitCode;
}
