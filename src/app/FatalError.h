#pragma once
#include <string>

#include "base/AppShell.h"
#include "base/ServiceFlags.h"

namespace korv {

// Shows "Korvelane printer error" with `text` once, then ends the service. Once a stop has
// begun it shows nothing, so at most one fatal message is ever seen.
void FatalError(AppShell& shell, ServiceFlags& flags, const std::string& text);

}  // namespace korv
