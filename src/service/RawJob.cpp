#include "service/RawJob.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

#include "service/JobChunk.h"
#include "service/JobReadError.h"
#include "service/RawPrintError.h"
#include "service/ServiceConstants.h"

namespace korv {
namespace {

constexpr char kFormFeed = 12;

std::string CannotPrintOn(const std::string& printer, std::string why) {
  // The system's texts end in their own line break, which a status line cannot show.
  while (!why.empty() && (why.back() == '\r' || why.back() == '\n' || why.back() == ' '))
    why.pop_back();
  std::string message = "Cannot print on " + printer;
  if (!why.empty()) message += ": " + why;
  return message;
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
      : context_(context), pageFeed_(context.flags.PageFeedMode.load()) {}

  void Print(JobFile& job) {
    context_.printer.StartPassThroughDocument(kDocumentTitle);
    try {
      if (!context_.files.SetCurrentDirectory(context_.spoolDirectory))
        throw JobReadError("Cannot enter the spool directory " + context_.spoolDirectory);
      HeldFormFeed = false;
      if (pageFeed_) SendPassThrough("\r\n", false);
      std::string chunk;
      while (ReadChunk(job, chunk)) {
        if (HeldFormFeed) {
          SendPassThrough(std::string_view(&kFormFeed, 1), false);
          HeldFormFeed = false;
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
      HeldFormFeed = pageFeed_ && count > 0 && bytes.back() == kFormFeed;
      if (HeldFormFeed) --count;
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
      throw RawPrintError(CannotPrintOn(PrinterName(), "the printer did not take the data"));
  }

  std::string PrinterName() {
    try {
      return context_.printer.CurrentPrinterEntry().value_or("");
    } catch (...) {
      return "";  // the failure being told matters more than the name
    }
  }

  RawJobContext& context_;
  const bool pageFeed_;
  bool HeldFormFeed = false;
};

// Writes the whole chunk, going on after short writes.
void WriteChunk(RawJobContext& context, std::string_view chunk) {
  TRawPrint& raw = *context.RawPrinter;
  while (!chunk.empty()) {
    std::uint32_t written = 0;
    if (!raw.WriteData(chunk, written))
      throw RawPrintError(CannotPrintOn(raw.DeviceName, context.rawPrinterError.value_or("")));
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
    context.RawPrinter.reset();
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
  if (context.RawPrinter) return;
  std::string name = context.profile.ProfileRead(kPrinterKey, kNoPrinter);
  if (name.empty()) {
    if (std::optional<std::string> entry = context.printer.CurrentPrinterEntry()) {
      name = *entry;
      context.profile.ProfileWrite(kPrinterKey, name);
    }
  }
  if (name.empty()) throw RawPrintError("Cannot print: there is no printer");

  context.rawPrinterError.reset();
  auto raw = std::make_unique<TRawPrint>(context.spooler, name);
  raw->JobName = kDocumentTitle;
  raw->OnError = [&context](TRawPrint&, const std::string& text) {
    context.rawPrinterError = text;
  };
  // A document whose first page would not start counts as not started.
  if (!raw->BeginJob() || context.rawPrinterError)
    throw RawPrintError(CannotPrintOn(name, context.rawPrinterError.value_or("")));
  context.RawPrinter = std::move(raw);
}

void CloseRawJob(RawJobContext& context) {
  if (!context.RawPrinter) return;
  const bool ended = context.RawPrinter->EndJob();
  const std::string name = context.RawPrinter->DeviceName;
  const std::string why = context.rawPrinterError.value_or("");
  context.RawPrinter.reset();
  if (!ended) throw RawPrintError(CannotPrintOn(name, why));
}

}  // namespace korv
