#include "app/ServiceStartup.h"

#include <exception>

#include "app/FatalError.h"
#include "settings/Paths.h"

namespace korv {

void ServiceStartup::RunStartup() {
  if (state_.flags.started.exchange(true)) return;

  const std::string home = NormalizeDirectory(DirectoryPart(files_.ModulePath()));
  state_.homeDirectory = home;
  // The home directory ends in a backslash already; the path keeps the doubled one.
  state_.spoolDirectory = home + "\\WINPRINT";
  profile_.Configure(home + "VOZAZAD.INI", "Vozazad");

  // Our own title is still "xx" here, so a window with the service title is another copy.
  if (shell_.TopLevelWindowExists(kServiceTitle)) {
    state_.flags.stopRequested = true;
    shell_.Terminate();
    return;
  }

  const std::string& spool = state_.spoolDirectory;
  if (!files_.SetCurrentDirectory(home)) {
    FatalError(shell_, state_.flags, "Printer is not installed.");
    return;
  }
  if (!files_.SetCurrentDirectory(spool)) {
    if (!files_.CreateDirectory(spool)) {
      FatalError(shell_, state_.flags, "Cannot create directory " + spool);
      return;
    }
    if (!files_.SetCurrentDirectory(spool)) {
      FatalError(shell_, state_.flags, "Cannot change to directory " + spool);
      return;
    }
  }

  view_.SetTitle(kServiceTitle);
  view_.SetStatus("Status - not printing");
  // A failing printer choice is reported by the window thread like any handler error,
  // but must not keep the print thread from starting.
  std::exception_ptr choiceError;
  try {
    choice_.LoadPrinterChoice();
  } catch (...) {
    choiceError = std::current_exception();
  }
  if (!printThread_.Start(printLoop_)) {
    FatalError(shell_, state_.flags, "Cannot start the print thread.");
    return;
  }
  if (choiceError) std::rethrow_exception(choiceError);
}

}  // namespace korv
