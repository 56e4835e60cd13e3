#include "printing/RawPrint.h"

#include <utility>

namespace korv {

TRawPrint::TRawPrint(Spooler& spooler, std::string deviceName)
    : DeviceName(std::move(deviceName)), spooler_(spooler) {}

TRawPrint::~TRawPrint() {
  if (!jobOpen_) return;
  try {
    EndJob();
  } catch (...) {
    // An error handler that raises cannot stop the object going away.
  }
}

bool TRawPrint::BeginJob() {
  if (jobOpen_) return false;
  printer_ = spooler_.Open(DeviceName);
  if (!printer_) {
    Fail("OpenPrinter");
    return false;
  }
  if (!printer_->StartDocument(JobName, OutputFile)) {
    Fail("StartDocPrinter");
    printer_->Close();  // the document's failure is the one to tell
    printer_.reset();
    return false;
  }
  jobOpen_ = true;
  pageOpen_ = false;
  NewJobPage();
  return true;
}

bool TRawPrint::NewJobPage() {
  if (!jobOpen_) return true;
  if (pageOpen_ && !printer_->EndPage()) Fail("EndPagePrinter");
  pageOpen_ = false;
  if (!printer_->StartPage()) {
    Fail("StartPagePrinter");
    return false;
  }
  pageOpen_ = true;
  return true;
}

bool TRawPrint::WriteData(std::string_view data) {
  std::uint32_t written = 0;
  return WriteData(data, written);
}

bool TRawPrint::WriteData(std::string_view data, std::uint32_t& written) {
  written = 0;
  if (!jobOpen_) return false;
  if (!printer_->Write(data.data(), data.size(), written)) {
    Fail("WritePrinter");
    return false;
  }
  return true;
}

bool TRawPrint::EndJob() {
  if (!jobOpen_) return true;
  if (pageOpen_ && !printer_->EndPage()) Fail("EndPagePrinter");
  pageOpen_ = false;
  if (!printer_->EndDocument()) {
    // The printer stays open with its document; a later EndJob tries again.
    Fail("EndDocPrinter");
    return false;
  }
  // The handle is gone after ClosePrinter whatever its result, so the job is closed.
  jobOpen_ = false;
  const bool closed = printer_->Close();
  if (!closed) Fail("ClosePrinter");
  printer_.reset();
  return closed;
}

void TRawPrint::Fail(const char* call) {
  const std::string text = LastErrorText();  // before anything else can change it
  FailedCall = call;
  ReportError(text);
}

void TRawPrint::ReportError(const std::string& text) {
  if (OnError) OnError(*this, text);
}

std::string TRawPrint::LastErrorText() {
  return spooler_.LastErrorText();
}

}  // namespace korv
