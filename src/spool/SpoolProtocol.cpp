#include "spool/SpoolProtocol.h"

namespace korv {

std::string UpperCaseAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

bool IsTakeable(const std::string& name, std::int32_t listedSize) {
  return listedSize >= 1 && UpperCaseAscii(name).find("TMP") == std::string::npos;
}

SpoolCommand ControlCommand(const std::string& name) {
  const std::string upper = UpperCaseAscii(name);
  if (upper == "DISABLE") return SpoolCommand::Disable;
  if (upper == "RAWPRINT") return SpoolCommand::RawPrint;
  if (upper == "RAWPAGE") return SpoolCommand::RawPage;
  if (upper == "WINPRINT") return SpoolCommand::WinPrint;
  if (upper == "SETFOCUS") return SpoolCommand::SetFocus;
  return SpoolCommand::Job;
}

}  // namespace korv
