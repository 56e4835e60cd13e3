#pragma once
// The job branches' collaborators as fakes: the service in C:\KORVELAN\ with its spool
// folder entered and its profile configured, a print system and a spooler.
#include "base/ServiceState.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakePrintSystem.h"
#include "fakes/FakeProfileStore.h"
#include "fakes/FakeSpooler.h"
#include "jobs/TextMetrics.h"
#include "printing/TPrinter.h"
#include "settings/Profile.h"

namespace korv::testing {

struct BranchFakes {
  static constexpr char kSpool[] = "C:\\KORVELAN\\\\WINPRINT";
  static constexpr char kIni[] = "C:\\KORVELAN\\VOZAZAD.INI";

  BranchFakes() {
    state.spoolDirectory = kSpool;
    files.AddDirectory(kSpool);
    files.SetCurrentDirectory(kSpool);
    profile.Configure(kIni, "Vozazad");
    state.flags.printing = true;
  }

  ServiceState state;
  fakes::FakeFileSystem files;
  fakes::FakeProfileStore store;
  Profile profile{store};
  fakes::FakePrintSystem system;
  TPrinter printer{system};
  TextMetrics metrics;
  fakes::FakeSpooler spooler;
};

}  // namespace korv::testing
