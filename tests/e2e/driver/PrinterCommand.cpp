// What the platform offers as printers: the enumeration at levels 2 and 5, and the default.
#include <windows.h>

#include <winspool.h>

#include <vector>

#include "Commands.h"
#include "JsonLine.h"

namespace korv::driver {
namespace {

std::vector<BYTE> Enumerate(DWORD level, DWORD& count) {
  DWORD needed = 0;
  count = 0;
  EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, level, nullptr, 0, &needed,
                &count);
  std::vector<BYTE> buffer(needed + 1);
  if (!EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, level, buffer.data(),
                     needed, &needed, &count)) {
    count = 0;
  }
  return buffer;
}

std::string Text(const char* text) {
  return text != nullptr ? text : "";
}

}  // namespace

int ListPrinters(const Args&) {
  DWORD count = 0;
  auto level2 = Enumerate(2, count);
  const auto* info2 = reinterpret_cast<const PRINTER_INFO_2A*>(level2.data());
  for (DWORD i = 0; i < count; ++i) {
    JsonLine()
        .Number("level", 2)
        .Text("name", Text(info2[i].pPrinterName))
        .Text("port", Text(info2[i].pPortName))
        .Text("driver", Text(info2[i].pDriverName))
        .Print();
  }
  auto level5 = Enumerate(5, count);
  const auto* info5 = reinterpret_cast<const PRINTER_INFO_5A*>(level5.data());
  for (DWORD i = 0; i < count; ++i) {
    JsonLine()
        .Number("level", 5)
        .Text("name", Text(info5[i].pPrinterName))
        .Text("port", Text(info5[i].pPortName))
        .Print();
  }
  char device[512] = {};
  GetProfileStringA("windows", "device", "", device, sizeof device);
  char name[512] = {};
  DWORD size = sizeof name;
  if (!GetDefaultPrinterA(name, &size)) name[0] = '\0';
  JsonLine().Text("device", device).Text("default", name).Print();
  return 0;
}

}  // namespace korv::driver
