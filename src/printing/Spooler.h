#pragma once
// The print spooler as raw printing uses it: a printer opened by name, one document of
// raw bytes on it, and the system's text for a failed call. The Win32 adapter maps each
// call 1:1 onto OpenPrinterA, StartDocPrinterA, ..., ClosePrinter and FormatMessageA.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace korv {

// A printer opened with the spooler. Destroying it closes the printer when Close() has
// not done so yet.
class SpoolerPrinter {
 public:
  virtual ~SpoolerPrinter() = default;
  // A level-1 document named `documentName`, no data type (the printer's default data
  // type applies), written into the file `outputFile` when it is not empty.
  virtual bool StartDocument(const std::string& documentName, const std::string& outputFile) = 0;
  virtual bool StartPage() = 0;
  // Hands `size` bytes to the spooler; `written` is the count it took, which may be less.
  virtual bool Write(const char* data, std::size_t size, std::uint32_t& written) = 0;
  virtual bool EndPage() = 0;
  virtual bool EndDocument() = 0;
  // Closes the printer; afterwards it is closed whatever the result.
  virtual bool Close() = 0;
};

class Spooler {
 public:
  virtual ~Spooler() = default;
  // Opens the printer the spooler knows by `name`, with no defaults; null on failure.
  virtual std::unique_ptr<SpoolerPrinter> Open(const std::string& name) = 0;
  // The system's text for the last call through this port that failed on the calling
  // thread, with its own line break at the end; empty when the system has none.
  virtual std::string LastErrorText() = 0;
};

}  // namespace korv
