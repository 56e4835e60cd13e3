#include "jobs/EscpJob.h"

#include <array>
#include <cstdint>
#include <span>

#include "base/ServiceConstants.h"
#include "escp/EscpInterpreter.h"
#include "escp/EscpPainter.h"
#include "jobs/JobChunk.h"
#include "jobs/JobErrors.h"

namespace korv {

namespace {

constexpr char kFormFeed = 12;
// Interpreting costs per call, not per byte: larger reads than the pass-through's.
constexpr std::size_t kEscpChunkSize = 4096;

// The document is thrown away unless it was ended.
class OpenDocument {
 public:
  explicit OpenDocument(TPrinter& printer) : printer_(printer) { printer_.StartDocument(); }
  ~OpenDocument() {
    if (open_) printer_.AbortDocument();
  }
  OpenDocument(const OpenDocument&) = delete;
  OpenDocument& operator=(const OpenDocument&) = delete;
  void End() {
    open_ = false;
    printer_.EndDocument();
  }

 private:
  TPrinter& printer_;
  bool open_ = true;
};

std::span<const std::uint8_t> Bytes(const char* data, std::size_t size) {
  return {reinterpret_cast<const std::uint8_t*>(data), size};
}

void Interpret(JobFile& job, EscpInterpreter& interpreter, bool pageFeed) {
  if (pageFeed) interpreter.Feed(Bytes("\r\n", 2));
  std::array<char, kEscpChunkSize> chunk{};
  bool heldFormFeed = false;
  while (std::size_t got = ReadJobChunk(job, chunk.data(), chunk.size())) {
    if (heldFormFeed) interpreter.Feed(Bytes(&kFormFeed, 1));
    heldFormFeed = pageFeed && chunk[got - 1] == kFormFeed;
    interpreter.Feed(Bytes(chunk.data(), heldFormFeed ? got - 1 : got));
  }
  interpreter.Finish();
}

EscpJobNotes Notes(const EscpInterpreter& interpreter, const EscpPainter& painter,
                   const std::string& printer) {
  EscpJobNotes notes;
  if (!interpreter.Unsupported().empty()) {
    std::string line = "ESC/P commands not carried out:";
    for (const auto& [name, count] : interpreter.Unsupported())
      line += " " + name + " (" + std::to_string(count) + ")";
    notes.lines.push_back(line);
  }
  if (painter.Outside())
    notes.lines.push_back("ESC/P content fell outside the printable area of " + printer);
  return notes;
}

}  // namespace

EscpJobNotes PrintEscpJob(JobFile& job, const EscpJobContext& context) {
  TPrinter& printer = context.printer;
  // Sheets in portrait, as from the tractor; a text job may have turned them.
  if (printer.PaperOrientation() != TPrinterOrientation::Portrait)
    printer.SetPaperOrientation(TPrinterOrientation::Portrait);
  printer.SetDocumentTitle(kDocumentTitle);
  OpenDocument document(printer);
  if (!context.files.SetCurrentDirectory(context.spoolDirectory))
    throw JobReadError("The spool directory cannot be entered");
  EscpPainter painter(printer, context.face, context.fit);
  EscpSettings settings;
  settings.pins = context.pins;
  settings.table = context.table;
  settings.codePages = context.codePages;
  EscpInterpreter interpreter(painter, settings);
  Interpret(job, interpreter, context.pageFeed);
  painter.Finish();
  document.End();
  return Notes(interpreter, painter, printer.SelectedPrinterName());
}

}  // namespace korv
