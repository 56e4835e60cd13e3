#include "fakes/FakeSpooler.h"

#include <algorithm>

namespace korv::fakes {
namespace {

class FakeSpoolerPrinter : public SpoolerPrinter {
 public:
  explicit FakeSpoolerPrinter(FakeSpooler& spooler) : spooler_(spooler) { ++spooler_.openPrinters; }
  ~FakeSpoolerPrinter() override {
    if (closed_) return;
    --spooler_.openPrinters;
    ++spooler_.releasedUnclosed;
  }

  bool StartDocument(const std::string& documentName, const std::string& outputFile) override {
    if (!outputFile.empty()) spooler_.outputFiles.push_back(outputFile);
    return spooler_.Attempt("StartDocPrinter", documentName);
  }
  bool StartPage() override { return spooler_.Attempt("StartPagePrinter"); }
  bool Write(const char* data, std::size_t size, std::uint32_t& written) override {
    written = 0;
    if (!spooler_.Attempt("WritePrinter", std::to_string(size))) return false;
    const std::size_t took = std::min(size, spooler_.writeLimit);
    spooler_.written.append(data, took);
    written = static_cast<std::uint32_t>(took);
    return true;
  }
  bool EndPage() override { return spooler_.Attempt("EndPagePrinter"); }
  bool EndDocument() override { return spooler_.Attempt("EndDocPrinter"); }
  bool Close() override {
    closed_ = true;
    --spooler_.openPrinters;
    return spooler_.Attempt("ClosePrinter");
  }

 private:
  FakeSpooler& spooler_;
  bool closed_ = false;
};

}  // namespace

bool FakeSpooler::Attempt(const std::string& call, const std::string& detail) {
  calls.push_back(detail.empty() ? call : call + " " + detail);
  const int done = counts_[call]++;
  auto fail = failAfter.find(call);
  if (fail != failAfter.end() && done >= fail->second) {
    lastError_ = kCallFailed;
    return false;
  }
  return true;
}

std::unique_ptr<SpoolerPrinter> FakeSpooler::Open(const std::string& name) {
  if (!Attempt("OpenPrinter", name)) return nullptr;
  if (!printers.count(name)) {
    lastError_ = kInvalidPrinterName;
    return nullptr;
  }
  return std::make_unique<FakeSpoolerPrinter>(*this);
}

}  // namespace korv::fakes
