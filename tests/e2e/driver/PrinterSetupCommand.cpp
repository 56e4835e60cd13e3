// Printers of the run's own: a printer on Wine's PostScript driver whose port is a file (or
// FILE:), removed again after; and a GDI document started on a printer without naming its
// output file, plainly or through korvprint's device context with its dialog guard.
#include <windows.h>

#include <winspool.h>

#include "Commands.h"
#include "JsonLine.h"
#include "printing/win32/DialogRefusal.h"
#include "printing/win32/Win32DeviceContext.h"

namespace korv::driver {
namespace {

// Loaded on demand, as the other printer commands do: loading the spooler library makes Wine
// synchronise its printers with CUPS, which the window commands need not wait for.
struct SpoolerCalls {
  HANDLE(WINAPI* addPrinter)(LPSTR, DWORD, LPBYTE) = nullptr;
  BOOL(WINAPI* openPrinter)(LPSTR, LPHANDLE, LPPRINTER_DEFAULTSA) = nullptr;
  BOOL(WINAPI* deletePrinter)(HANDLE) = nullptr;
  BOOL(WINAPI* closePrinter)(HANDLE) = nullptr;

  bool Load() {
    HMODULE module = LoadLibraryA("winspool.drv");
    if (module == nullptr) return false;
    Bind(module, "AddPrinterA", addPrinter);
    Bind(module, "OpenPrinterA", openPrinter);
    Bind(module, "DeletePrinter", deletePrinter);
    Bind(module, "ClosePrinter", closePrinter);
    return addPrinter && openPrinter && deletePrinter && closePrinter;
  }

 private:
  template <typename Fn>
  static void Bind(HMODULE module, const char* name, Fn& out) {
    out = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
  }
};

}  // namespace

int AddPrinterCommand(const Args& args) {
  if (args.size() < 3) return Fail(2, "usage: addprinter NAME PORT DRIVER");
  std::string name = args[0];
  std::string port = args[1];
  std::string driver = args[2];
  std::string processor = "WinPrint";
  std::string datatype = "RAW";
  PRINTER_INFO_2A info{};
  info.pPrinterName = name.data();
  info.pPortName = port.data();
  info.pDriverName = driver.data();
  info.pPrintProcessor = processor.data();
  info.pDatatype = datatype.data();
  info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
  if (printer == nullptr) return Fail(1, "AddPrinterA failed: " + std::to_string(GetLastError()));
  ClosePrinter(printer);
  JsonLine().Text("added", name).Text("port", port).Print();
  return 0;
}

int DeletePrinterCommand(const Args& args) {
  if (args.empty()) return Fail(2, "usage: deleteprinter NAME");
  std::string name = args[0];
  PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  SpoolerCalls spooler;
  if (!spooler.Load()) return Fail(1, "cannot load the spooler calls");
  HANDLE printer = nullptr;
  if (!spooler.openPrinter(name.data(), &printer, &access)) return Fail(1, "OpenPrinterA failed");
  const bool deleted = spooler.deletePrinter(printer) != FALSE;
  spooler.closePrinter(printer);
  if (!deleted) return Fail(1, "DeletePrinter failed: " + std::to_string(GetLastError()));
  JsonLine().Text("deleted", name).Print();
  return 0;
}

int StartDocCommand(const Args& args) {
  if (args.empty()) return Fail(2, "usage: startdoc PRINTER [--as-program]");
  const bool asProgram = args.size() > 1 && args[1] == "--as-program";
  HDC dc = CreateDCA(nullptr, args[0].c_str(), nullptr, nullptr);
  if (dc == nullptr) return Fail(1, "CreateDCA failed");
  int started = 0;
  int refused = 0;
  if (asProgram) {
    // korvprint's own device context, as its printer object starts a document.
    win32::Win32DeviceContext context{korv::UniqueDc(dc)};
    win32::DialogRefusal counting;  // sees what the context's own guard refuses
    started = context.StartDocA("korvdriver", "");
    refused = counting.Refused();
    if (started > 0) context.AbortDoc();
  } else {
    DOCINFOA doc{};
    doc.cbSize = static_cast<int>(sizeof doc);
    doc.lpszDocName = "korvdriver";
    started = StartDocA(dc, &doc);  // waits for whoever answers a dialog
    if (started > 0) AbortDoc(dc);
    DeleteDC(dc);
  }
  JsonLine().Number("started", started).Number("refused", refused).Print();
  return 0;
}

}  // namespace korv::driver
