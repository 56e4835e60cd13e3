#pragma once
// The status texts of a job that could not be printed: which printer, and what went wrong
// as the system reported it, so a person can act on it.
#include <string>

namespace korv {

// "Cannot print on <printer>: <why>", without the line break the system's texts end in;
// "Cannot print on <printer>" when there is no reason to give.
std::string CannotPrintOn(const std::string& printer, std::string why);

// "<what> (<system text>)", or `what` alone when the system said nothing.
std::string WithSystemText(const std::string& what, const std::string& systemText);

}  // namespace korv
