#include "printing/PrintToFile.h"

#include <cstddef>
#include <string_view>

namespace korv {

namespace {

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (Upper(text[i]) != Upper(prefix[i])) return false;
  return true;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && StartsWithNoCase(a, b);
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// "\\SERVER\SHARE" names a printer; a third part makes it a file below a share.
bool IsUncFile(std::string_view port) {
  std::string_view rest = port.substr(2);
  int parts = 0;
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = rest.find('\\', start);
    if (end == std::string_view::npos) end = rest.size();
    if (end > start) ++parts;
    start = end + 1;
  }
  return parts >= 3 && rest.back() != '\\';
}

// The writers' driver names carry a version suffix on some systems ("... Writer v4").
constexpr std::string_view kPdfWriter = "Microsoft Print to PDF";
constexpr std::string_view kXpsWriter = "Microsoft XPS Document Writer";

}  // namespace

bool IsFilePort(const std::string& portName) {
  std::string_view port = Trimmed(portName);
  if (EqualsNoCase(port, "FILE:") || EqualsNoCase(port, "PORTPROMPT:")) return true;
  if (port.size() > 3 && IsLetter(port[0]) && port[1] == ':' && port[2] == '\\') return true;
  if (port.size() > 2 && port[0] == '\\' && port[1] == '\\') return IsUncFile(port);
  return false;
}

FileOutputKind PrintToFileKind(const std::string& printerName, const std::string& driverName,
                               const std::string& ports) {
  for (const std::string* name : {&printerName, &driverName}) {
    if (StartsWithNoCase(Trimmed(*name), kPdfWriter)) return FileOutputKind::Pdf;
    if (StartsWithNoCase(Trimmed(*name), kXpsWriter)) return FileOutputKind::Xps;
  }
  std::size_t start = 0;
  while (start <= ports.size()) {
    std::size_t comma = ports.find(',', start);
    if (comma == std::string::npos) comma = ports.size();
    if (IsFilePort(ports.substr(start, comma - start))) return FileOutputKind::Prn;
    start = comma + 1;
  }
  return FileOutputKind::None;
}

std::string FileExtension(FileOutputKind kind) {
  switch (kind) {
    case FileOutputKind::Pdf:
      return "pdf";
    case FileOutputKind::Xps:
      return "xps";
    case FileOutputKind::Prn:
      return "prn";
    case FileOutputKind::None:
      break;
  }
  return "";
}

}  // namespace korv
