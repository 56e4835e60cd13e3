// What the platform offers as printers: the enumeration at levels 2 and 5, and the default.
#include <windows.h>

#include <winspool.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
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

using OpenPrinterFn = BOOL(WINAPI*)(LPSTR, LPHANDLE, LPPRINTER_DEFAULTSA);
using StartDocPrinterFn = DWORD(WINAPI*)(HANDLE, DWORD, LPBYTE);
using WritePrinterFn = BOOL(WINAPI*)(HANDLE, LPVOID, DWORD, LPDWORD);
using PrinterHandleFn = BOOL(WINAPI*)(HANDLE);

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

long long UnixMilliseconds() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const unsigned long long ticks =
      (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  return static_cast<long long>((ticks - 116444736000000000ULL) / 10000);
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

int PrintRaw(const Args& args) {
  if (args.size() < 2) return Fail(2, "usage: rawprint PRINTER FILE [TITLE [COUNT [PAUSE_MS]]]");
  std::ifstream in(args[1], std::ios::binary);
  if (!in) return Fail(1, "cannot open " + args[1]);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  HMODULE spooler = LoadLibraryA("winspool.drv");
  if (spooler == nullptr) return Fail(1, "cannot load winspool.drv");
  auto openPrinter = Function<OpenPrinterFn>(spooler, "OpenPrinterA");
  auto startDoc = Function<StartDocPrinterFn>(spooler, "StartDocPrinterA");
  auto writePrinter = Function<WritePrinterFn>(spooler, "WritePrinter");
  auto endDoc = Function<PrinterHandleFn>(spooler, "EndDocPrinter");
  auto closePrinter = Function<PrinterHandleFn>(spooler, "ClosePrinter");
  if (!openPrinter || !startDoc || !writePrinter || !endDoc || !closePrinter) {
    return Fail(1, "winspool.drv lacks a spooler call");
  }
  const std::string title = args.size() > 2 ? args[2] : "korvdriver";
  // Several documents in a row, each reported with the time it began (Unix milliseconds),
  // measure the spooler's own latency without a process start in each figure.
  const long count = args.size() > 3 ? std::max(1L, std::atol(args[3].c_str())) : 1;
  const DWORD pause = args.size() > 4 ? static_cast<DWORD>(std::atol(args[4].c_str())) : 0;
  for (long i = 0; i < count; ++i) {
    if (i > 0) Sleep(pause);
    const long long started = UnixMilliseconds();
    std::string name = args[0];
    HANDLE printer = nullptr;
    if (!openPrinter(name.data(), &printer, nullptr)) return Fail(1, "OpenPrinterA failed");
    std::string docTitle = count > 1 ? title + "-" + std::to_string(i) : title;
    std::string datatype = "RAW";
    DOC_INFO_1A doc{docTitle.data(), nullptr, datatype.data()};
    DWORD written = 0;
    const bool ok =
        startDoc(printer, 1, reinterpret_cast<LPBYTE>(&doc)) != 0 &&
        writePrinter(printer, bytes.data(), static_cast<DWORD>(bytes.size()), &written) &&
        endDoc(printer);
    closePrinter(printer);
    const long long ended = UnixMilliseconds();
    if (!ok) return Fail(1, "printing failed");
    JsonLine()
        .Number("written", written)
        .Number("started_ms", started)
        .Number("ended_ms", ended)
        .Text("title", docTitle)
        .Print();
  }
  return 0;
}

}  // namespace korv::driver
