#pragma once
// The service's process-wide state beside its flags: the directories start-up derives and
// the names both threads share.
#include <string>

#include "base/ServiceFlags.h"
#include "base/SharedText.h"

namespace korv {

// Capitalised members are the shared state under its established names; the others
// follow the code's own style.
struct ServiceState {
  ServiceFlags flags;
  // Written by start-up on the window thread before the print thread exists; read-only after.
  std::string homeDirectory;   // ends in a backslash
  std::string spoolDirectory;  // homeDirectory + "\WINPRINT", so with a doubled backslash
  SharedText ChosenPrinter;
  SharedText FontName;
};

}  // namespace korv
