// What the platform offers as printers: the enumeration at levels 2 and 5, and the default.
#include <windows.h>

#include <winspool.h>

#include <vector>

#include "Commands.h"
#include "JsonLine.h"

namespace korv::driver {
namespace {

// Loaded on demand: under Wine, loading the spooler library synchronises the printer list with
// CUPS, which the driver's other commands have no need to wait for.
using EnumPrintersFn = BOOL(WINAPI*)(DWORD, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD);
using GetDefaultPrinterFn = BOOL(WINAPI*)(LPSTR, LPDWORD);

template <typename Fn>
Fn Function(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

EnumPrintersFn enumPrinters = nullptr;

std::vector<BYTE> Enumerate(DWORD level, DWORD& count) {
  DWORD needed = 0;
  count = 0;
  enumPrinters(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, level, nullptr, 0, &needed,
               &count);
  std::vector<BYTE> buffer(needed + 1);
  if (!enumPrinters(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, level, buffer.data(),
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
  HMODULE spooler = LoadLibraryA("winspool.drv");
  if (spooler == nullptr) return Fail(1, "cannot load winspool.drv");
  enumPrinters = Function<EnumPrintersFn>(spooler, "EnumPrintersA");
  auto getDefaultPrinter = Function<GetDefaultPrinterFn>(spooler, "GetDefaultPrinterA");
  if (enumPrinters == nullptr || getDefaultPrinter == nullptr) {
    return Fail(1, "winspool.drv lacks EnumPrintersA or GetDefaultPrinterA");
  }
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
  if (!getDefaultPrinter(name, &size)) name[0] = '\0';
  JsonLine().Text("device", device).Text("default", name).Print();
  return 0;
}

}  // namespace korv::driver
