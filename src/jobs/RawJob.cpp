#include "jobs/RawJob.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

#include "base/ServiceConstants.h"
#include "jobs/JobChunk.h"
#include "jobs/JobErrors.h"
#include "jobs/PrintFailureText.h"

namespace korv {
namespace {

constexpr char kFormFeed = 12;

// What a failed spooler call means for the job, and what the system said about it.
std::string SpoolerFailure(const std::string& call, const std::string& systemText) {
  std::string what = "the spooler failed";
  if (call == "OpenPrinter")
    what = "the printer cannot be opened";
  else if (call == "StartDocPrinter" || call == "StartPagePrinter")
    what = "the spooler refused the document";
  else if (call == "WritePrinter")
    what = "the spooler did not take the data";
  else if (call == "EndPagePrinter" || call == "EndDocPrinter")
    what = "the spooler did not accept the finished document";
  else if (call == "ClosePrinter")
    what = "the printer could not be closed";
  if (call.empty()) return WithSystemText(what, systemText);
  return WithSystemText(what, call + ": " + (systemText.empty() ? "failed" : systemText));
}

std::string SpoolerFailure(const TRawPrint& raw, const std::optional<std::string>& systemText) {
  return SpoolerFailure(raw.FailedCall, systemText.value_or(""));
}

// The next chunk of the job; false at the end of the file.
bool ReadChunk(JobFile& job, std::string& chunk) {
  chunk.resize(kJobChunkSize);
  chunk.resize(ReadJobChunk(job, chunk.data(), chunk.size()));
  return !chunk.empty();
}

// One job through pass-through escapes in a document of the printer object.
class PassThroughJob {
 public:
  explicit PassThroughJob(RawJobContext& context)
      : context_(context),
        pageFeed_(context.pageFeed.value_or(context.flags.pageFeedMode.load())) {}

  void Print(JobFile& job) {
    context_.printer.StartPassThroughDocument(kDocumentTitle);
    try {
      if (!context_.files.SetCurrentDirectory(context_.spoolDirectory))
        throw JobReadError("Cannot enter the spool directory " + context_.spoolDirectory);
      heldFormFeed_ = false;
      if (pageFeed_) SendPassThrough("\r\n", false);
      std::string chunk;
      while (ReadChunk(job, chunk)) {
        if (heldFormFeed_) {
          SendPassThrough(std::string_view(&kFormFeed, 1), false);
          heldFormFeed_ = false;
        }
        SendPassThrough(chunk, true);
      }
    } catch (...) {
      // Leave the printer object ready for the next job; the first failure is the one
      // to tell.
      try {
        context_.printer.EndPassThroughDocument();
      } catch (...) {
      }
      throw;
    }
    context_.printer.EndPassThroughDocument();
  }

 private:
  // In page-feed mode a form feed that ends a chunk is held back: it goes out only when
  // another chunk follows, so the job's final form feed is never sent.
  void SendPassThrough(std::string_view bytes, bool holdCheck) {
    std::size_t count = bytes.size();
    if (holdCheck) {
      heldFormFeed_ = pageFeed_ && count > 0 && bytes.back() == kFormFeed;
      if (heldFormFeed_) --count;
    }
    if (count == 0) return;
    // Chunks are far below the 16-bit count's limit.
    std::string block;
    block.reserve(count + 2);
    block.push_back(static_cast<char>(count & 0xFFu));
    block.push_back(static_cast<char>((count >> 8) & 0xFFu));
    block.append(bytes.substr(0, count));
    const int result = context_.printer.PassThroughEscape(block);
    if (result <= 0 || static_cast<std::size_t>(result) < count)
      throw RawPrintError(CannotPrintOn(CurrentPrinterOrEmpty(context_.printer),
                                        "the printer did not take the data"));
  }

  RawJobContext& context_;
  const bool pageFeed_;
  bool heldFormFeed_ = false;
};

// Writes the whole chunk, going on after short writes.
void WriteChunk(RawJobContext& context, std::string_view chunk) {
  TRawPrint& raw = *context.spoolerDocument;
  while (!chunk.empty()) {
    std::uint32_t written = 0;
    if (!raw.WriteData(chunk, written))
      throw RawPrintError(CannotPrintOn(raw.DeviceName, SpoolerFailure(raw, context.spoolerError)));
    if (written == 0)  // would never finish
      throw RawPrintError(CannotPrintOn(raw.DeviceName, "the printer took no data"));
    chunk.remove_prefix(std::min<std::size_t>(written, chunk.size()));
  }
}

void PrintThroughSpooler(JobFile& job, RawJobContext& context) {
  OpenRawJob(context);
  try {
    std::string chunk;
    while (ReadChunk(job, chunk)) WriteChunk(context, chunk);
  } catch (...) {
    // Discarding ends the document: what the spooler took prints, the rest comes with
    // the job's next try.
    context.spoolerDocument.reset();
    throw;
  }
  CloseRawJob(context);
}

}  // namespace

void PrintRawJob(JobFile& job, RawJobContext& context) {
  if (context.osMajorVersion <= 4)
    PassThroughJob(context).Print(job);
  else
    PrintThroughSpooler(job, context);
}

void OpenRawJob(RawJobContext& context) {
  if (context.spoolerDocument) return;
  std::string name = context.printerName;
  if (name.empty()) name = context.profile.ProfileRead(kPrinterKey, kNoPrinter);
  if (name.empty()) {
    if (std::optional<std::string> entry = context.printer.CurrentPrinterEntry()) {
      name = *entry;
      context.profile.ProfileWrite(kPrinterKey, name);
    }
  }
  if (name.empty()) throw RawPrintError("Cannot print: there is no printer");

  context.spoolerError.reset();
  auto raw = std::make_unique<TRawPrint>(context.spooler, name);
  raw->JobName = kDocumentTitle;
  if (context.outputFileFor) raw->OutputFile = context.outputFileFor(name);
  raw->OnError = [&context](TRawPrint&, const std::string& text) { context.spoolerError = text; };
  // A document whose first page would not start counts as not started.
  if (!raw->BeginJob() || context.spoolerError)
    throw RawPrintError(CannotPrintOn(name, SpoolerFailure(*raw, context.spoolerError)));
  context.spoolerDocument = std::move(raw);
}

void CloseRawJob(RawJobContext& context) {
  if (!context.spoolerDocument) return;
  const bool ended = context.spoolerDocument->EndJob();
  const std::string name = context.spoolerDocument->DeviceName;
  const std::string why = SpoolerFailure(*context.spoolerDocument, context.spoolerError);
  context.spoolerDocument.reset();
  if (!ended) throw RawPrintError(CannotPrintOn(name, why));
}

}  // namespace korv
