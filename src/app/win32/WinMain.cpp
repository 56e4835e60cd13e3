// Entry point: the application window and the service window, then the message loop.
// The service starts on the service window's first activation.
#include "KorvVersion.h"
#include "dialogs/win32/TrayIcon.h"
#include "dialogs/win32/Win32ListSelector.h"

#include "app/HostWindow.h"
#include "app/MainFormHandlers.h"
#include "app/PrinterObjectAdapters.h"
#include "app/SavedPrinterChoice.h"
#include "app/ServiceShutdown.h"
#include "app/ServiceStartup.h"
#include "app/win32/Application.h"
#include "app/win32/ApplicationError.h"
#include "app/win32/ChooseFontDialog.h"
#include "app/win32/LateBound.h"
#include "app/win32/MainForm.h"
#include "app/win32/PrintThread.h"
#include "app/win32/Win32AppShell.h"
#include "app/win32/Win32ConfirmBox.h"
#include "app/win32/Win32Desktop.h"
#include "app/win32/Win32JobLog.h"
#include "app/win32/Win32ServiceView.h"
#include "app/win32/Win32SpoolWatch.h"
#include "app/win32/Win32Waiter.h"
#include "base/ChangedOnlyView.h"
#include "base/ServiceState.h"
#include "escp/win32/SystemCodePages.h"
#include "joblog/JobLogWriter.h"
#include "joblog/ServiceJobFacts.h"
#include "jobs/FileOutputFolder.h"
#include "jobs/PrintingJobBranches.h"
#include "printing/GlobalPrinter.h"
#include "printing/win32/Win32PrintSystem.h"
#include "printing/win32/Win32Spooler.h"
#include "settings/Profile.h"
#include "settings/win32/Win32FileSystem.h"
#include "settings/win32/Win32ProfileStore.h"
#include "spool/PrintLoop.h"
#include "win32/ProgramIcon.h"
#include "win32/Win32Api.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace korv;

  Application application;
  if (!application.Create("Printer for Korvelane")) return 1;

  ServiceState state;
  Win32FileSystem files;
  Win32ProfileStore store;
  Profile profile(store);
  Win32ServiceView windowView;
  ChangedOnlyView view(windowView);  // everyone changes the window through this one
  Win32AppShell shell(application);
  Win32Waiter waiter(application);

  InstallPrintSystem(std::make_unique<win32::Win32PrintSystem>());
  TPrinter& printer = GlobalPrinter();
  OsVersion version;
  GlobalPrintSystem().GetVersionExA(version);
  win32::Win32Spooler spooler;
  TextMetrics textMetrics;
  PrintingJobBranches jobs(state, files, profile, printer, textMetrics, spooler,
                           version.majorVersion);
  win32::Win32LogClock clock;
  FileOutputFolder fileOutput(state, GlobalPrintSystem(), files, profile, clock);
  jobs.SetFileOutput(fileOutput);
  win32::SystemCodePages codePages;
  jobs.SetCodePages(codePages);
  PrinterSelectionOnTPrinter printers(printer);
  CanvasFontOnTPrinter canvasFont(printer);
  TextMetricsResetOnTPrinter metrics(textMetrics, printer, state.flags);

  win32::LateHostWindow host;
  win32::LateTrayIcon tray;

  SavedPrinterChoice choice(profile, view, state.flags, state.ChosenPrinter, printers);
  choice.SetFileOutput(fileOutput);

  PrintLoop loop(state, PrintLoopPorts{files, profile, waiter, view, shell, tray, host, canvasFont,
                                       choice, jobs, jobs});
  // Made before the print thread starts and gone only after it has ended.
  ServiceJobFacts jobFacts(profile, printer, state);
  win32::Win32LogFile logFile(state);
  win32::Win32LogClock logClock;
  JobLogWriter jobLog(logFile, logClock, jobFacts, KORV_VERSION);
  loop.SetJobLog(jobLog);
  jobs.SetJobLog(jobLog);
  Win32Doorbell doorbell;
  Win32SpoolWatch spoolWatch(doorbell);
  loop.SetSpoolWatch(spoolWatch);
  PrintThread printThread;
  ServiceStartup startup(state, files, profile, shell, view, choice, printThread, [&] {
    try {
      loop.Run();
    } catch (...) {
      shell.PostQuit();  // a print thread that cannot go on ends the service
    }
  });

  TMainForm window;
  ChooseFontDialog fontDialog([&] { return window.Window(); },
                              [&] { return printer.DefaultPrinterName(); });
  win32::Win32ListSelector listSelector([&] { return window.Window(); }, profile);
  Win32ConfirmBox confirmBox;
  MainFormHandlers handlers(MainFormDeps{state, profile, view, files, choice, printers, canvasFont,
                                         fontDialog, listSelector, metrics, confirmBox, shell, host,
                                         window});
  TMainForm::Events events;
  events.Korvprint = [&] { startup.Korvprint(); };
  events.FormCreate = [&] { handlers.FormCreate(); };
  // A job held back while a settings dialog was open goes as soon as it closes; the rung
  // loop also reads the profile again.
  events.PrnSetup = [&] {
    handlers.PrnSetup();
    doorbell.Ring();
  };
  events.PrinterFont = [&] {
    handlers.PrinterFont();
    doorbell.Ring();
  };
  events.PrintTestPage = [&] { handlers.PrintTestPage(); };
  events.Dominimize = [&] { handlers.Dominimize(); };
  events.SetDefaultPrinter = [&] {
    view.SetUseDefaultTicked(window.CheckBoxTicked());  // the view answers the core's reads
    handlers.SetDefaultPrinter();
    doorbell.Ring();
  };
  if (!window.Create(application.Window(), std::move(events))) return 1;
  windowView.Attach(window.Window());

  win32::Win32Desktop desktop(application.Window(), window.Window());
  HostWindowActivator hostWindow(desktop, waiter, state.flags);
  host.Bind(hostWindow);
  win32::TrayIcon& trayIcon = window.CreateTrayIcon(
      application.Window(),
      win32::TrayIcon::PopupMenu1{[&] { RunHandler([&] { handlers.DoRestore(); }); },
                                  [&] { RunHandler([&] { handlers.DoStop(); }); },
                                  [&] { win32::OpenJobLog(logFile.Path()); },
                                  "korvprint " KORV_VERSION},
      ShowApplicationError, win32::ProgramIcon(win32::IconSize::Small));
  trayIcon.SetHint("Korvelane Printer");
  trayIcon.SetHideOnRestore(true);
  trayIcon.SetMinimizeToTray(true);
  try {
    trayIcon.Loaded();
  } catch (const std::exception& e) {
    ShowApplicationError(e.what());  // the service still prints without its icon
  }
  tray.Bind(trayIcon);
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
  state.flags.StopRequested = true;
  doorbell.Ring();  // a print thread waiting for a change wakes to see the stop
  if (!StopPrintThread(state.flags, printThread)) ExitProcess(static_cast<UINT>(exitCode));
  return exitCode;
}
