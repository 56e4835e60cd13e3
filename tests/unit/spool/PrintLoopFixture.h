#pragma once
// A print loop wired to fakes, with the service started in C:\KORVELAN\.
#include <gtest/gtest.h>

#include <string>

#include "fakes/FakeAppShell.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeHostWindowActivation.h"
#include "fakes/FakeJobBranches.h"
#include "fakes/FakePrinterChoice.h"
#include "fakes/FakePrinterFontSetup.h"
#include "fakes/FakeProfileStore.h"
#include "fakes/FakeServiceView.h"
#include "fakes/FakeTrayIconSetup.h"
#include "fakes/FakeWaiter.h"
#include "spool/PrintLoop.h"

namespace korv::testing {

// The print loop's ports that tests mostly watch, as fakes.
struct LoopSideFakes {
  PrintLoopPorts Ports(FileSystem& files, Profile& profile, TextJobBranch& text,
                       RawJobBranch& raw) {
    return PrintLoopPorts{files, profile, waiter, view, shell, tray, host, font, choice, text, raw};
  }

  fakes::FakeWaiter waiter;
  fakes::FakeServiceView view;
  fakes::FakeAppShell shell;
  fakes::FakeTrayIconSetup tray;
  fakes::FakeHostWindowActivation host;
  fakes::FakePrinterFontSetup font;
  fakes::FakePrinterChoice choice;
};

class PrintLoopTest : public ::testing::Test, public LoopSideFakes {
 protected:
  static constexpr const char* kSpoolDir = "C:\\KORVELAN\\WINPRINT";
  static constexpr const char* kIni = "C:\\KORVELAN\\VOZAZAD.INI";

  PrintLoopTest() {
    state.homeDirectory = "C:\\KORVELAN\\";
    state.spoolDirectory = "C:\\KORVELAN\\\\WINPRINT";
    profile.Configure(kIni, "Vozazad");
    files.AddDirectory(kSpoolDir);
    files.SetCurrentDirectory(kSpoolDir);
  }

  fakes::FakeFileSystem::Entry& Spool(const std::string& name, const std::string& data,
                                      std::uint32_t attributes = kAttrArchive) {
    return files.AddFile(kSpoolDir, name, data, attributes);
  }
  bool InSpool(const std::string& name) const { return files.Exists(kSpoolDir, name); }
  // Runs passes at the fixed cadence (no change notification) until one ends the loop or
  // `n` have run; the number run.
  int Polls(int n) {
    for (int i = 1; i <= n; ++i) {
      const PrintLoop::Pass pass = loop.Poll();
      if (pass == PrintLoop::Pass::Leave) return i;
      loop.WaitForNextPass(pass);
    }
    return n;
  }
  void SetUseDefault(const std::string& value) {
    store.Store(kIni, "Vozazad", "UseDefault", value);
  }

  ServiceState state;
  fakes::FakeFileSystem files;
  fakes::FakeProfileStore store;
  Profile profile{store};
  fakes::FakeTextJobBranch text;
  fakes::FakeRawJobBranch raw;
  PrintLoop loop{state, Ports(files, profile, text, raw)};
};

}  // namespace korv::testing
