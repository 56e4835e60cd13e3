#pragma once
// The printer choice as the profile saves it: UseDefault and Printer become the printer
// object's current printer, and the window shows what derives from them (DisplayOf).
#include <mutex>

#include "app/PrinterChoiceDisplay.h"
#include "app/PrinterSelection.h"
#include "base/ServiceFlags.h"
#include "base/ServiceView.h"
#include "base/SharedText.h"
#include "jobs/FileOutputFolder.h"
#include "settings/Profile.h"
#include "spool/PrinterChoice.h"

namespace korv {

class SavedPrinterChoice : public PrinterChoice {
 public:
  SavedPrinterChoice(Profile& profile, ServiceView& view, ServiceFlags& flags,
                     SharedText& chosenPrinter, PrinterSelection& printer)
      : profile_(profile),
        view_(view),
        flags_(flags),
        chosenPrinter_(chosenPrinter),
        printer_(printer) {}

  // Called by start-up, the window's handlers (window thread) and the mode control files
  // (print thread). One choice runs at a time. Printer object errors pass on to the caller;
  // the window then shows what was stored before the printer object was asked.
  void LoadPrinterChoice() override;

  // The user ticked or cleared "Use Windows default printer": ticking a box that was clear
  // stores "Y" and takes the current printer; clearing a ticked one stores "N". A value
  // that is neither stays, and the box shows it again.
  void UseDefaultClicked(bool ticked);

  // The printer label then also names the folder a print-to-file printer writes into.
  void SetFileOutput(FileOutputFolder& output) { output_ = &output; }

 private:
  // Lock held.
  void Load();
  PrinterFound SettleOnPrinter(StoredChoice& choice);
  StoredChoice ReadStored() const;
  void Show(const PrinterChoiceDisplay& display);

  Profile& profile_;
  ServiceView& view_;
  ServiceFlags& flags_;
  SharedText& chosenPrinter_;
  PrinterSelection& printer_;
  FileOutputFolder* output_ = nullptr;
  // Both threads run the choice; without this one thread could select a printer while the
  // other is half-way through storing and showing a different one.
  std::mutex lock_;
};

}  // namespace korv
