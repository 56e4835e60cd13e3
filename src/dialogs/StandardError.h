#pragma once
// The application's standard error box, shown for an error no handler caught on the
// window thread; the service carries on after it.
#include <string>

namespace korv {

// The application's title, which heads the box.
inline constexpr char kApplicationTitle[] = "Printer for Korvelane";

// The message, with "." appended when its last character sorts after ".".
std::string StandardErrorText(const std::string& message);

}  // namespace korv
