#include "jobs/TextJob.h"

#include <array>
#include <cstdint>

#include "base/ServiceConstants.h"
#include "jobs/JobChunk.h"
#include "jobs/JobErrors.h"

namespace korv {

namespace {

constexpr char kLandscapeMark = 4;
constexpr char kFormFeed = 12;
constexpr std::uint8_t kCodeCpi = 1, kCodeLpi = 2, kCodeBold = 3;
// A code's parameter byte: the pitch counted from '&', the line spacing from '0', and bold
// above '4'.
constexpr int kCpiOrigin = 38, kLpiOrigin = 48, kBoldAbove = 52;

bool IsCode(char byte) {
  auto value = static_cast<std::uint8_t>(byte);
  return value >= kCodeCpi && value <= kCodeBold;
}

class TextJobReader {
 public:
  TextJobReader(JobFile& job, const TextJobContext& context, PrinterTextDevice& device)
      : job_(job), context_(context), device_(device) {}

  // False when stopRequested was seen.
  bool Run() {
    for (;;) {
      std::size_t got = ReadJobChunk(job_, buffer_.data());
      if (got == 0) return true;
      buffer_[got] = 0;
      if (!ProcessChunk()) return false;
      if (context_.watch) context_.watch->ChunkDone();
      if (Stopping()) return false;
    }
  }

 private:
  bool Stopping() const { return context_.flags.stopRequested; }

  bool ProcessChunk() {
    std::size_t p = 0;
    while (buffer_[p] != 0) {
      std::size_t end = p;
      while (buffer_[end] != 0 && !IsCode(buffer_[end])) ++end;
      std::string_view run(buffer_.data() + p, end - p);
      if (buffer_[end] == 0) {
        // A zero ends the chunk: whatever follows it in this chunk is dropped.
        if (!run.empty()) WriteTextRun(context_, device_, run);
        return !Stopping();
      }
      const char code = buffer_[end];
      if (!run.empty()) {
        WriteTextRun(context_, device_, run);
        if (Stopping()) return false;
      }
      p = end;
      if (buffer_[p + 1] == 0) {
        // The parameter is the first byte of the next chunk.
        std::size_t got = ReadJobChunk(job_, buffer_.data() + 1);
        buffer_[1 + got] = 0;
        buffer_[0] = code;
        p = 0;
      }
      auto parameter = static_cast<std::uint8_t>(buffer_[p + 1]);
      if (parameter != 0) {
        Apply(static_cast<std::uint8_t>(code), parameter);
        p += 2;
      } else {
        ++p;  // a code without a parameter is dropped
      }
      // A row of codes is applied once, after its last code.
      if (!IsCode(buffer_[p])) ApplyRequestedMetrics();
      if (Stopping()) return false;
    }
    return true;
  }

  void Apply(std::uint8_t code, std::uint8_t parameter) {
    TextMetrics& metrics = context_.metrics;
    if (code == kCodeCpi) {
      metrics.requestedCpi = LimitedCpi(parameter - kCpiOrigin);
    } else if (code == kCodeLpi) {
      metrics.requestedLpi = LimitedLpi(parameter - kLpiOrigin);
    } else {
      metrics.requestedBold = parameter > kBoldAbove;
    }
  }

  void ApplyRequestedMetrics() {
    TextMetrics& metrics = context_.metrics;
    if (metrics.requestedCpi == metrics.appliedCpi && metrics.requestedLpi == metrics.appliedLpi &&
        metrics.requestedBold == metrics.appliedBold)
      return;
    SetTextMetrics(metrics, context_.printer, context_.flags, metrics.requestedLpi,
                   metrics.requestedCpi, metrics.requestedBold);
  }

  JobFile& job_;
  const TextJobContext& context_;
  PrinterTextDevice& device_;
  // A chunk at the start, or after a code waiting for its parameter, and a closing zero.
  std::array<char, 256> buffer_{};
};

}  // namespace

void WriteTextRun(const TextJobContext& context, PrinterTextDevice& device, std::string_view text) {
  if (text.empty()) return;
  TextMetrics& metrics = context.metrics;
  std::size_t start = 0;
  for (;;) {
    std::size_t formFeed = text.find(kFormFeed, start);
    std::string_view piece = text.substr(
        start, formFeed == std::string_view::npos ? std::string_view::npos : formFeed - start);
    // A new page forgets the font: apply the metrics again before its first text.
    if (context.printer.PageStarted())
      SetTextMetrics(metrics, context.printer, context.flags, metrics.appliedLpi,
                     metrics.appliedCpi, metrics.appliedBold);
    if (context.flags.stopRequested) return;
    device.Write(piece);
    if (formFeed == std::string_view::npos) return;
    device.Write(kFormFeed);
    start = formFeed + 1;
  }
}

JobOutcome PrintTextJob(JobFile& job, const TextJobContext& context) {
  TPrinter& printer = context.printer;

  char first = 0;
  const bool landscape = ReadJobChunk(job, &first, 1) == 1 && first == kLandscapeMark;
  if (!landscape && !job.Rewind()) throw JobReadError("Cannot read the job file");

  const TPrinterOrientation wanted =
      landscape ? TPrinterOrientation::Landscape : TPrinterOrientation::Portrait;
  if (printer.PaperOrientation() != wanted) printer.SetPaperOrientation(wanted);

  printer.SetDocumentTitle(kDocumentTitle);
  // Leaving by an exception or a stop throws the document away, so nothing half-printed
  // comes out and the job can print whole later.
  PrinterTextDevice device(printer);
  device.SetHostCharacters(context.characters);
  device.Open();
  if (!context.fileSystem.SetCurrentDirectory(context.spoolDirectory))
    throw JobReadError("The spool directory cannot be entered");

  ResetTextMetrics(context.metrics, printer, context.flags);
  if (context.flags.stopRequested || !TextJobReader(job, context, device).Run()) {
    device.Abort();
    return JobOutcome::Stopped;
  }
  device.Close();
  return JobOutcome::Printed;
}

}  // namespace korv
