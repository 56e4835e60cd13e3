#include "printing/win32/Win32Spooler.h"

#include <windows.h>
#include <winspool.h>

#include <limits>
#include <utility>

#include "printing/win32/DialogRefusal.h"
#include "printing/win32/PrinterHandle.h"

namespace korv::win32 {
namespace {

// The error code of the last failed spooler call on this thread, taken right after the
// call, before anything else can overwrite the thread's last error.
thread_local DWORD failedCallError = 0;
// Stands for a refused dialog in failedCallError; no system code has this value.
constexpr DWORD kDialogRefused = 0xFFFFFFFFu;

bool Checked(BOOL result) {
  if (result == FALSE) failedCallError = GetLastError();
  return result != FALSE;
}

class Win32SpoolerPrinter : public SpoolerPrinter {
 public:
  explicit Win32SpoolerPrinter(UniquePrinterHandle handle) : handle_(std::move(handle)) {}

  bool StartDocument(const std::string& documentName, const std::string& outputFile) override {
    std::string name = documentName;  // the API takes non-const strings
    std::string output = outputFile;
    DOC_INFO_1A info{};
    info.pDocName = name.data();
    info.pOutputFile = output.empty() ? nullptr : output.data();
    info.pDatatype = nullptr;
    DialogRefusal noDialogs;  // a spooler that asks for a file name fails instead
    const DWORD job = StartDocPrinterA(handle_.Get(), 1, reinterpret_cast<LPBYTE>(&info));
    if (noDialogs.Refused() > 0) {
      // The spooler may go on without the answer; the document is not wanted then.
      if (job != 0) AbortPrinter(handle_.Get());
      failedCallError = kDialogRefused;
      return false;
    }
    if (job == 0) failedCallError = GetLastError();
    return job != 0;
  }
  bool StartPage() override { return Checked(StartPagePrinter(handle_.Get())); }
  bool Write(const char* data, std::size_t size, std::uint32_t& written) override {
    // More than a DWORD's worth goes out as a short write; the caller sends the rest.
    const DWORD count = size > std::numeric_limits<DWORD>::max() ? std::numeric_limits<DWORD>::max()
                                                                 : static_cast<DWORD>(size);
    DWORD took = 0;
    // WritePrinter does not change the bytes; its parameter is merely not const.
    const bool ok = Checked(WritePrinter(handle_.Get(), const_cast<char*>(data), count, &took));
    written = ok ? static_cast<std::uint32_t>(took) : 0;
    return ok;
  }
  bool EndPage() override { return Checked(EndPagePrinter(handle_.Get())); }
  bool EndDocument() override {
    DialogRefusal noDialogs;
    const BOOL ended = EndDocPrinter(handle_.Get());
    if (noDialogs.Refused() == 0) return Checked(ended);
    failedCallError = kDialogRefused;
    return false;
  }
  bool Close() override {
    if (!handle_ || ClosePrinter(handle_.Release())) return true;
    failedCallError = GetLastError();
    return false;
  }

 private:
  UniquePrinterHandle handle_;
};

}  // namespace

std::unique_ptr<SpoolerPrinter> Win32Spooler::Open(const std::string& name) {
  std::string printerName = name;  // the API takes a non-const string
  HANDLE handle = nullptr;
  if (!OpenPrinterA(printerName.data(), &handle, nullptr)) {
    failedCallError = GetLastError();
    return nullptr;
  }
  return std::make_unique<Win32SpoolerPrinter>(UniquePrinterHandle(handle));
}

std::string Win32Spooler::LastErrorText() {
  if (failedCallError == kDialogRefused) return "the printer asked for a file name\r\n";
  constexpr DWORD kBufferSize = 500;
  char buffer[kBufferSize];
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, failedCallError, 0,
                                      buffer, kBufferSize, nullptr);
  return std::string(buffer, length);
}

}  // namespace korv::win32
