#pragma once
// Directory search over a caller-owned record: the print loop's view of the spool
// directory. Entries are filtered by attribute; the search is closed by SearchEnd or
// when the record goes away.
#include <cstdint>
#include <memory>
#include <string>

#include "settings/FileSystem.h"

namespace korv {

struct SearchRecord {
  std::int32_t EntryTime = 0;        // local last-write time, DOS date (high) and time (low)
  std::int32_t EntrySize = 0;        // low 32 bits of the size
  std::int32_t EntryAttributes = 0;  // attribute bits as the platform reports them
  std::string EntryName;             // without directory, WTF-8, at most kEntryNameMax bytes
  std::int32_t ExcludeMask = 0;      // attribute bits that make an entry be skipped
  std::unique_ptr<FindSession> SearchHandle;  // null when no search is open
  FindData EntryData;                         // the raw current entry
  FileSystem* Files = nullptr;                // the file system of the open search
};

// Longest entry name kept, in bytes: a name of 260 UTF-16 units is at most 780 in WTF-8.
inline constexpr std::size_t kEntryNameMax = 1024;

// Starts a search for `pattern` and moves to the first entry that is not excluded.
// Entries with hidden, system, volume-label or directory bits outside `attributeSet`,
// and every reparse point (link, junction), are skipped. Returns 0 with the entry in
// the record, or the platform's error code with no search left open.
std::uint32_t SearchFirst(FileSystem& files, const std::string& pattern, std::uint8_t attributeSet,
                          SearchRecord& record);

// The next entry that is not excluded: 0, or the platform's error code. The search
// stays open after a failure until SearchEnd.
std::uint32_t SearchNext(SearchRecord& record);

// Closes the search; harmless when none is open.
void SearchEnd(SearchRecord& record);

}  // namespace korv
