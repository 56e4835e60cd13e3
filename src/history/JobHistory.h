#pragma once
// The history as the "Recent jobs" window sees it, and the reprints it asks for.
// Thread-safe: the print thread adds and trims while the window reads.
#include <optional>
#include <string>
#include <vector>

#include "history/HistoryEntry.h"

namespace korv {

class JobHistory {
 public:
  virtual ~JobHistory() = default;
  virtual std::vector<HistoryEntry> Entries() = 0;             // newest first
  virtual bool Remove(const std::string& key) = 0;             // the entry and its file
  virtual std::string StoredPath(const std::string& key) = 0;  // full path of its file (View)
};

// A reprint asked for by the window, done by the print thread between spool jobs.
struct ReprintRequest {
  std::string key;      // the entry
  std::string printer;  // empty: the printer it went to
};

class ReprintQueue {  // Add from the window thread, Take from the print thread
 public:
  virtual ~ReprintQueue() = default;
  virtual void Add(ReprintRequest request) = 0;  // also wakes the print thread (doorbell)
  virtual std::optional<ReprintRequest> Take() = 0;
};

}  // namespace korv
