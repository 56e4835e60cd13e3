#pragma once
// TRawPrint sends bytes to a named printer as one spooler document, unformatted by any
// printer driver. It never raises: operations return true or false and a failed spooler
// call's system text goes to OnError.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "printing/Spooler.h"

namespace korv {

class TRawPrint {
 public:
  using TError = std::function<void(TRawPrint& sender, const std::string& errorMessage)>;

  // `deviceName`: the printer object's selected entry, or empty when it has none.
  TRawPrint(Spooler& spooler, std::string deviceName);
  // Ends an open job first. OnError may be called from here and must not raise.
  ~TRawPrint();
  TRawPrint(const TRawPrint&) = delete;
  TRawPrint& operator=(const TRawPrint&) = delete;

  std::string DeviceName;            // the printer as the spooler knows it
  std::string JobName = "RawPrint";  // the document's name in the print queue
  TError OnError;                    // may be empty
  std::string OutputFile;            // the document goes into this file when not empty
  // The spooler call that failed last ("OpenPrinter", "WritePrinter", ...), empty while
  // none has.
  std::string FailedCall;

  // Opens the printer and starts the document and its first page. False on an open job.
  bool BeginJob();
  // Ends the current page, if any, and starts the next one; true when no job is open.
  bool NewJobPage();
  // Writes the bytes as they are; false when no job is open or the spooler fails.
  bool WriteData(std::string_view data);
  // The same, with the count the spooler took, which may be less than asked.
  bool WriteData(std::string_view data, std::uint32_t& written);
  // Ends page and document and closes the printer; true when no job is open.
  bool EndJob();

  void ReportError(const std::string& text);
  // The system's text for the spooler call that just failed on this thread.
  std::string LastErrorText();

  bool JobOpen() const { return jobOpen_; }
  bool PageOpen() const { return pageOpen_; }

 private:
  void Fail(const char* call);

  Spooler& spooler_;
  std::unique_ptr<SpoolerPrinter> printer_;  // open while jobOpen_ is set
  bool jobOpen_ = false;
  bool pageOpen_ = false;
};

}  // namespace korv
