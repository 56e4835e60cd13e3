#include "service/win32/WindowsDefaultPrinter.h"

// clang-format off
#include "settings/win32/Win32Api.h"
#include <winspool.h>
// clang-format on

#include <vector>

namespace korv {

namespace {

std::string FromSpooler() {
  DWORD needed = 0;
  DWORD returned = 0;
  if (EnumPrintersA(PRINTER_ENUM_DEFAULT, nullptr, 5, nullptr, 0, &needed, &returned) ||
      GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0)
    return "";
  // PRINTER_INFO_5A holds pointers: keep the buffer pointer-aligned.
  std::vector<PRINTER_INFO_5A> buffer(needed / sizeof(PRINTER_INFO_5A) + 1);
  if (!EnumPrintersA(PRINTER_ENUM_DEFAULT, nullptr, 5, reinterpret_cast<LPBYTE>(buffer.data()),
                     static_cast<DWORD>(buffer.size() * sizeof(PRINTER_INFO_5A)), &needed,
                     &returned) ||
      returned == 0 || !buffer[0].pPrinterName)
    return "";
  return buffer[0].pPrinterName;
}

std::string FromLegacyEntry() {
  char device[80] = {};
  GetProfileStringA("windows", "device", "", device, 79);
  std::string entry(device);
  const std::size_t start = entry.find_first_not_of(' ');
  if (start == std::string::npos) return "";
  return entry.substr(start, entry.find(',', start) - start);
}

}  // namespace

std::string WindowsDefaultPrinterName() {
  std::string name = FromSpooler();
  return name.empty() ? FromLegacyEntry() : name;
}

}  // namespace korv
