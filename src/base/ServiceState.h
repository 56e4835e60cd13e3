#pragma once
// The service's process-wide state beside its flags: the directories start-up derives and
// the names both threads share.
#include <string>

#include "base/ServiceFlags.h"
#include "base/SharedText.h"

namespace korv {

struct ServiceState {
  ServiceFlags flags;
  // Written by start-up on the window thread before the print thread exists; read-only after.
  std::string homeDirectory;   // ends in a backslash
  std::string spoolDirectory;  // homeDirectory + "\WINPRINT", so with a doubled backslash
  SharedText chosenPrinter;    // the saved printer choice, as last loaded
  SharedText fontName;         // the printer font's face
};

}  // namespace korv
