#pragma once
// A printer choice over fakes: three installed printers, the first the Windows default.
#include <string>

#include "app/SavedPrinterChoice.h"
#include "base/ServiceState.h"
#include "fakes/FakePrinterSelection.h"
#include "fakes/FakeProfileStore.h"
#include "fakes/FakeServiceView.h"
#include "settings/Profile.h"

namespace korv::testing_support {

inline const std::string kIni = "C:\\KORVELAN\\VOZAZAD.INI";

struct PrinterChoiceFixture {
  PrinterChoiceFixture() {
    profile.Configure(kIni, "Vozazad");
    printer.printers = {"HP LaserJet 4", "Epson LQ-570+", "Printer-10", "Printer09", "PDF"};
    printer.defaultIndex = 0;
  }

  std::string Stored(const std::string& key) const { return store.Stored(kIni, "Vozazad", key); }
  void Store(const std::string& key, const std::string& value) {
    store.Store(kIni, "Vozazad", key, value);
  }
  // Keys written since the last call, in order.
  std::vector<std::string> TakeWrites() {
    std::vector<std::string> writes;
    for (const auto& a : store.accesses)
      if (a.write) writes.push_back(a.key + "=" + a.value);
    store.accesses.clear();
    return writes;
  }

  fakes::FakeProfileStore store;
  Profile profile{store};
  fakes::FakeServiceView view;
  ServiceState state;
  ServiceFlags& flags = state.flags;
  SharedText& chosenPrinter = state.chosenPrinter;
  fakes::FakePrinterSelection printer;
  SavedPrinterChoice choice{profile, view, flags, chosenPrinter, printer};
};

}  // namespace korv::testing_support
