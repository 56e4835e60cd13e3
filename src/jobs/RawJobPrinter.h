#pragma once
// What raw printing needs of the printer object: the current printer's entry, and a
// document without page brackets that carries pass-through escapes.
#include <optional>
#include <string>

namespace korv {

class RawJobPrinter {
 public:
  virtual ~RawJobPrinter() = default;

  // The entry text of PrinterList at SelectedIndex (reading SelectedIndex selects the
  // default printer when none is selected yet); nullopt when the list is empty. May raise
  // the printer object's errors.
  virtual std::optional<std::string> CurrentPrinterEntry() = 0;

  // Sets PassThroughDocument, sets DocumentTitle to `title` and starts a document on the
  // current printer without a page. Raises the printer object's errors.
  virtual void StartPassThroughDocument(const std::string& title) = 0;

  // One PASSTHROUGH escape on the open document's context. `block` is the whole input
  // (16-bit count, then the bytes); its size is the input size. Returns Escape's result.
  virtual int PassThroughEscape(const std::string& block) = 0;

  // Ends the document (EndDoc, no EndPage); PassThroughDocument is cleared.
  virtual void EndPassThroughDocument() = 0;
};

// The current printer's entry, to name in a failure text; empty when there is none or even
// that cannot be read: the failure being told matters more than the name.
inline std::string CurrentPrinterOrEmpty(RawJobPrinter& printer) {
  try {
    return printer.CurrentPrinterEntry().value_or("");
  } catch (...) {
    return "";
  }
}

}  // namespace korv
