#include "jobs/PrintFailureText.h"

namespace korv {

namespace {

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
    text.pop_back();
  return text;
}

}  // namespace

std::string CannotPrintOn(const std::string& printer, std::string why) {
  why = Trimmed(std::move(why));
  std::string message = "Cannot print on " + printer;
  if (!why.empty()) message += ": " + why;
  return message;
}

std::string WithSystemText(const std::string& what, const std::string& systemText) {
  const std::string text = Trimmed(systemText);
  return text.empty() ? what : what + " (" + text + ")";
}

}  // namespace korv
