#pragma once
// A print spooler in memory. It records every call ("OpenPrinter NAME", "StartDocPrinter
// DOC", "StartPagePrinter", "WritePrinter N", "EndPagePrinter", "EndDocPrinter",
// "ClosePrinter") and the bytes it took, and can be told to fail any call or to take
// fewer bytes than asked.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "printing/Spooler.h"

namespace korv::fakes {

class FakeSpooler : public Spooler {
 public:
  // The system's texts the fake hands out.
  static constexpr const char* kInvalidPrinterName = "The printer name is invalid.\r\n";
  static constexpr const char* kCallFailed = "The printer is out of paper.\r\n";

  std::set<std::string> printers;  // names OpenPrinter knows
  // Call name ("StartDocPrinter", "WritePrinter", ...) -> how many such calls succeed
  // before they start failing; 0 fails the first one.
  std::map<std::string, int> failAfter;
  std::size_t writeLimit = std::numeric_limits<std::size_t>::max();  // bytes taken per write

  std::vector<std::string> calls;
  std::string written;                   // every byte the spooler took, in order
  std::vector<std::string> outputFiles;  // output files named by StartDocPrinter
  int openPrinters = 0;                  // printers open right now
  // Printers released by destruction without ClosePrinter.
  int releasedUnclosed = 0;

  std::unique_ptr<SpoolerPrinter> Open(const std::string& name) override;
  std::string LastErrorText() override { return lastError_; }

  // Records `call`; false (with the error text set) when it is told to fail.
  bool Attempt(const std::string& call, const std::string& detail = "");

 private:
  std::map<std::string, int> counts_;
  std::string lastError_;
};

}  // namespace korv::fakes
