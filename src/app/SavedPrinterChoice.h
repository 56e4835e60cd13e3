#pragma once
// The printer choice as the profile saves it: UseDefault and Printer become the printer
// object's current printer and the window's printer label, buttons and default-printer box.
#include <mutex>

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
  // (print thread). One choice runs at a time. Printer object errors pass on to the caller.
  void LoadPrinterChoice() override;

  // Click handler of "Use Windows default printer": brings UseDefault in line with the box.
  void SetDefaultPrinter();

  // The printer label then also names the folder a print-to-file printer writes into.
  void SetFileOutput(FileOutputFolder& output) { output_ = &output; }

 private:
  void Load();                // lock held
  void ApplyDefaultToggle();  // lock held
  std::string PrinterLabel(const std::string& printer, bool raw);

  Profile& profile_;
  ServiceView& view_;
  ServiceFlags& flags_;
  SharedText& chosenPrinter_;
  PrinterSelection& printer_;
  FileOutputFolder* output_ = nullptr;
  // Both threads run the choice; without this one thread could select a printer while the
  // other is half-way through storing and labelling a different one.
  std::mutex lock_;
};

}  // namespace korv
