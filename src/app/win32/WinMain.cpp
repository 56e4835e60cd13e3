// Entry point and composition root: each part of the service is made from the parts below
// it, then the service window with its icon, then the message loop. The service starts on
// the service window's first activation.
#include "KorvVersion.h"
#include "app/HostWindow.h"
#include "app/PrinterObjectAdapters.h"
#include "app/SavedPrinterChoice.h"
#include "app/ServiceShutdown.h"
#include "app/ServiceStartup.h"
#include "app/ServiceWindowHandlers.h"
#include "app/win32/Application.h"
#include "app/win32/ApplicationError.h"
#include "app/win32/ChooseFontDialog.h"
#include "app/win32/LateBound.h"
#include "app/win32/PrintThread.h"
#include "app/win32/ServiceHistory.h"
#include "app/win32/Win32AppShell.h"
#include "app/win32/Win32ConfirmBox.h"
#include "app/win32/Win32Desktop.h"
#include "app/win32/Win32ServiceView.h"
#include "app/win32/Win32ServiceWindow.h"
#include "app/win32/Win32SpoolWatch.h"
#include "app/win32/Win32Waiter.h"
#include "base/ChangedOnlyView.h"
#include "base/ServiceState.h"
#include "base/win32/Win32LogClock.h"
#include "dialogs/win32/TrayIcon.h"
#include "dialogs/win32/Win32ListSelector.h"
#include "dialogs/win32/Win32TextViewer.h"
#include "escp/win32/SystemCodePages.h"
#include "history/win32/RecentJobsWindow.h"
#include "joblog/JobLogWriter.h"
#include "joblog/ServiceJobFacts.h"
#include "joblog/win32/Win32LogFile.h"
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

namespace korv {
namespace {

// What every part shares: the state, the profile, the file system, the window as the core
// sees it, the shell, the waiter and the one clock.
struct Basics {
  explicit Basics(Application& application) : shell(application), waiter(application) {}

  ServiceState state;
  Win32FileSystem files;
  Win32ProfileStore store;
  Profile profile{store};
  Win32ServiceView windowView;
  ChangedOnlyView view{windowView};  // everyone changes the window through this one
  Win32AppShell shell;
  Win32Waiter waiter;
  win32::Win32LogClock clock;  // the job log's lines and the output files' names
};

TPrinter& InstalledPrinter() {
  InstallPrintSystem(std::make_unique<win32::Win32PrintSystem>());
  return GlobalPrinter();
}

unsigned WindowsMajorVersion() {
  OsVersion version;
  GlobalPrintSystem().GetVersionExA(version);
  return version.majorVersion;
}

// The printer object and what prints on it: the job branches, the output folder of
// print-to-file printers, and the saved printer choice.
struct Printing {
  explicit Printing(Basics& b)
      : printer(InstalledPrinter()),
        jobs(b.state, b.files, b.profile, printer, textMetrics, spooler, WindowsMajorVersion()),
        fileOutput(b.state, GlobalPrintSystem(), b.files, b.profile, b.clock),
        selection(printer),
        canvasFont(printer),
        metrics(textMetrics, printer, b.state.flags),
        choice(b.profile, b.view, b.state.flags, b.state.chosenPrinter, selection) {
    jobs.SetFileOutput(fileOutput);
    jobs.SetCodePages(codePages);
    choice.SetFileOutput(fileOutput);
  }

  TPrinter& printer;
  win32::Win32Spooler spooler;
  TextMetrics textMetrics;
  win32::SystemCodePages codePages;  // made before the job branches that use it
  PrintingJobBranches jobs;
  FileOutputFolder fileOutput;
  PrinterSelectionOnTPrinter selection;
  CanvasFontOnTPrinter canvasFont;
  TextMetricsResetOnTPrinter metrics;
  SavedPrinterChoice choice;
};

// The print thread's side: the loop with its job log and spool watch, and the start-up
// that starts it. Everything here is made before the thread starts and outlives it.
struct PrintService {
  PrintService(Basics& b, Printing& p)
      : loop(b.state, PrintLoopPorts{b.files, b.profile, b.waiter, b.view, b.shell, tray, host,
                                     p.canvasFont, p.choice, p.jobs, p.jobs}),
        jobFacts(b.profile, p.printer, b.state),
        history(b.files, b.profile, jobFacts, doorbell),
        logFile(b.state),
        jobLog(logFile, b.clock, history.LogFacts(), KORV_VERSION),
        spoolWatch(doorbell),
        startup(b.state, b.files, b.profile, b.shell, b.view, p.choice, thread, [this, &b] {
          try {
            history.Open();
            loop.Run();
          } catch (...) {
            b.shell.PostQuit();  // a print thread that cannot go on ends the service
          }
        }) {
    loop.SetJobLog(jobLog);
    p.jobs.SetJobLog(jobLog);
    loop.SetSpoolWatch(spoolWatch);
    history.Attach(loop, p.jobs);
  }

  // Bound once the service window exists, before its first activation starts the loop.
  win32::LateHostWindow host;
  win32::LateTrayIcon tray;
  PrintLoop loop;
  ServiceJobFacts jobFacts;
  Win32Doorbell doorbell;
  ServiceHistory history;  // routing, HISTORY and its reprints
  win32::Win32LogFile logFile;
  JobLogWriter jobLog;
  Win32SpoolWatch spoolWatch;
  PrintThread thread;
  ServiceStartup startup;
};

// The service window with its dialogs and handlers, and the "Recent jobs" window.
struct Window {
  Window(Basics& b, Printing& p, PrintService& s, HWND owner)
      : fontDialog([this] { return form.Window(); },
                   [&p] { return p.printer.DefaultPrinterName(); }),
        listSelector([this] { return form.Window(); }, b.profile),
        handlers(ServiceWindowDeps{b.state, b.profile, b.view, b.files, p.choice, p.selection,
                                   p.canvasFont, fontDialog, listSelector, p.metrics, confirmBox,
                                   b.shell}),
        recentJobs(owner, {s.history.History(), s.history.Reprints(), textViewer, b.profile,
                           [&p] { return p.selection.PrinterList(); },
                           [this](const std::string& text) { return confirmBox.Confirm(text); },
                           ShowApplicationError}) {}

  Win32ServiceWindow form;
  ChooseFontDialog fontDialog;
  win32::Win32ListSelector listSelector;
  Win32ConfirmBox confirmBox;
  ServiceWindowHandlers handlers;
  win32::Win32TextViewer textViewer;
  RecentJobsWindow recentJobs;
};

Win32ServiceWindow::Events WindowEvents(Window& w, Printing& p, PrintService& s) {
  Win32ServiceWindow::Events events;
  events.Activated = [&s] { s.startup.RunStartup(); };
  // A job held back while a settings dialog was open goes as soon as it closes; the rung
  // loop also reads the profile again.
  events.SelectPrinter = [&w, &s] {
    w.handlers.SelectPrinter();
    s.doorbell.Ring();
  };
  events.ChoosePrinterFont = [&w, &s] {
    w.handlers.ChoosePrinterFont();
    s.doorbell.Ring();
  };
  events.PrintTestPage = [&w] { w.handlers.PrintTestPage(); };
  // Without the initial pause: the host program comes back at once.
  events.HandBackToHost = [&s] { s.host.ActivateHostWindow(false); };
  events.UseDefaultClicked = [&p, &s](bool ticked) {
    p.choice.UseDefaultClicked(ticked);
    s.doorbell.Ring();
  };
  return events;
}

void AddTrayIcon(Application& application, Window& w, PrintService& s) {
  win32::TrayIcon& icon = w.form.CreateTrayIcon(
      application.Window(),
      win32::TrayIcon::TrayMenu{[&w] { RunHandler([&w] { w.form.Show(); }); },
                                [&w] { RunHandler([&w] { w.handlers.AskToRemove(); }); },
                                [&s] { win32::OpenJobLog(s.logFile.Path()); },
                                "korvprint " KORV_VERSION,
                                [&w] {
                                  if (!w.recentJobs.Open())
                                    ShowApplicationError("Cannot open Recent jobs");
                                }},
      ShowApplicationError, win32::ProgramIcon(win32::IconSize::Small));
  icon.SetHint("Korvelane Printer");
  icon.SetHideOnRestore(true);
  icon.SetMinimizeToTray(true);
  try {
    icon.Loaded();
  } catch (const std::exception& e) {
    ShowApplicationError(e.what());  // the service still prints without its icon
  }
  s.tray.Bind(icon);
}

// The exit code of the quit message.
int RunMessageLoop(Application& application, Window& w) {
  int exitCode = 0;
  MSG msg{};
  while (!application.Terminated()) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      exitCode = static_cast<int>(msg.wParam);
      break;
    }
    if (got == -1) break;
    if (w.form.PreTranslateMessage(msg) || w.recentJobs.PreTranslateMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  application.QuitReceived();
  return exitCode;
}

// Nothing the print thread uses may be destroyed under a job in progress: if it is still
// busy after its grace time, the process ends without unwinding.
int StopService(Basics& b, PrintService& s, int exitCode) {
  b.state.flags.stopRequested = true;
  s.doorbell.Ring();  // a print thread waiting for a change wakes to see the stop
  if (!StopPrintThread(b.state.flags, s.thread)) ExitProcess(static_cast<UINT>(exitCode));
  return exitCode;
}

}  // namespace
}  // namespace korv

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace korv;
  Application application;
  if (!application.Create("Printer for Korvelane")) return 1;

  Basics basics(application);
  Printing printing(basics);
  PrintService service(basics, printing);
  Window window(basics, printing, service, application.Window());
  if (!window.form.Create(application.Window(), WindowEvents(window, printing, service))) return 1;
  basics.windowView.Attach(window.form.Window());

  win32::Win32Desktop desktop(application.Window(), window.form.Window());
  HostWindowActivator hostWindow(desktop, basics.waiter, basics.state.flags);
  service.host.Bind(hostWindow);
  AddTrayIcon(application, window, service);
  window.form.ShowMinimised();

  return StopService(basics, service, RunMessageLoop(application, window));
}
