#pragma once
// The printer object as raw printing sees it. Records the pass-through document's events
// ("start TITLE", "escape", "end") and every escape's block, and can be told to fail.
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "jobs/RawJobPrinter.h"

namespace korv::fakes {

class FakeRawJobPrinter : public RawJobPrinter {
 public:
  std::vector<std::string> entries;  // PrinterList
  int selectedIndex = -1;            // -1: the default printer is selected on first read
  int defaultIndex = 0;

  std::vector<std::string> events;
  std::vector<std::string> blocks;  // each escape's whole input
  bool documentOpen = false;

  bool failStart = false;  // the document cannot start ("Printer selected is not valid")
  // Escape results: by default the data count the block carries; `escapeResults` are
  // used first, one per call.
  std::vector<int> escapeResults;

  std::optional<std::string> CurrentPrinterEntry() override {
    events.push_back("entry");
    if (entries.empty()) return std::nullopt;
    if (selectedIndex < 0) selectedIndex = defaultIndex;
    return entries.at(static_cast<std::size_t>(selectedIndex));
  }
  void StartPassThroughDocument(const std::string& title) override {
    events.push_back("start " + title);
    if (failStart) throw std::runtime_error("Printer selected is not valid");
    documentOpen = true;
  }
  int PassThroughEscape(const std::string& block) override {
    events.push_back("escape");
    if (!documentOpen) throw std::logic_error("escape without a document");
    blocks.push_back(block);
    if (!escapeResults.empty()) {
      const int result = escapeResults.front();
      escapeResults.erase(escapeResults.begin());
      return result;
    }
    return static_cast<int>(block.size()) - 2;
  }
  void EndPassThroughDocument() override {
    events.push_back("end");
    documentOpen = false;
  }
};

}  // namespace korv::fakes
