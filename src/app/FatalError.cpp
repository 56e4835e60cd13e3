#include "app/FatalError.h"

namespace korv {

void FatalError(AppShell& shell, ServiceFlags& flags, const std::string& text) {
  if (flags.stopRequested) return;
  shell.MessageBeep(kBeepError);
  // A carriage return alone separates the heading from the detail.
  shell.ErrorBox("Korvelane printer error\r" + text, "Error");
  flags.stopRequested = true;
  shell.Terminate();
}

}  // namespace korv
