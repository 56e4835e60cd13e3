#pragma once
// Text jobs go only to the printer the user chose. With UseDefault "N" and a stored
// printer name that counts as a choice, that printer must be the printer object's
// current one; when it is not installed the job is refused rather than printed on
// another printer (the Windows default, say).
#include "printing/TPrinter.h"
#include "settings/Profile.h"

namespace korv {

// Makes the chosen printer current when it is installed but not selected; raises
// EPrinter "Cannot print on <name>: ..." when it is not installed. Nothing happens while
// the Windows default printer is followed.
void RequireChosenPrinter(Profile& profile, TPrinter& printer);

// Makes the named printer current, as a route asks; raises the same EPrinter as a chosen
// printer that is not installed when it is missing: the job waits, never going elsewhere.
void SelectRoutedPrinter(TPrinter& printer, const std::string& name);

// Raises that EPrinter unless the named printer is installed; selects nothing.
void RequireInstalledPrinter(TPrinter& printer, const std::string& name);

// Puts the printer object's selection back as it was, for a job that went elsewhere.
class SelectionRestore {
 public:
  SelectionRestore(TPrinter& printer, bool active);
  ~SelectionRestore();
  SelectionRestore(const SelectionRestore&) = delete;
  SelectionRestore& operator=(const SelectionRestore&) = delete;

 private:
  TPrinter& printer_;
  int index_ = -1;
};

}  // namespace korv
