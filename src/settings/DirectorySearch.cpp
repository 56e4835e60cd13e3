#include "settings/DirectorySearch.h"

namespace korv {

namespace {

constexpr std::uint32_t kExcludable = kAttrHidden | kAttrSystem | kAttrVolumeLabel | kAttrDirectory;

// A failure that came without a code must still read as a failure.
std::uint32_t FailureCode(std::uint32_t error) {
  return error != 0 ? error : kErrorNoMoreFiles;
}

bool Skipped(const SearchRecord& record) {
  const std::uint32_t attributes = record.EntryData.attributes;
  return (attributes & static_cast<std::uint32_t>(record.ExcludeMask)) != 0 ||
         (attributes & kAttrReparsePoint) != 0;  // the print loop never follows links
}

// Moves past excluded entries and fills the entry fields from the first one kept.
std::uint32_t FilterEntry(SearchRecord& record) {
  while (Skipped(record)) {
    std::uint32_t error = 0;
    if (!record.SearchHandle->Next(record.EntryData, error)) return FailureCode(error);
  }
  const FindData& data = record.EntryData;
  record.EntryTime = static_cast<std::int32_t>(record.Files->ToLocalDosTime(data.lastWriteTime));
  record.EntrySize = static_cast<std::int32_t>(data.sizeLow);
  record.EntryAttributes = static_cast<std::int32_t>(data.attributes);
  const std::size_t end = data.name.find('\0');
  record.EntryName = data.name.substr(0, end < kEntryNameMax ? end : kEntryNameMax);
  return 0;
}

}  // namespace

std::uint32_t SearchFirst(FileSystem& files, const std::string& pattern, std::uint8_t attributeSet,
                          SearchRecord& record) {
  SearchEnd(record);
  record.Files = &files;
  record.ExcludeMask = static_cast<std::int32_t>(kExcludable & ~std::uint32_t{attributeSet});
  std::uint32_t error = 0;
  record.SearchHandle = files.FindFirst(pattern, record.EntryData, error);
  if (!record.SearchHandle) return FailureCode(error);
  const std::uint32_t result = FilterEntry(record);
  if (result != 0) SearchEnd(record);
  return result;
}

std::uint32_t SearchNext(SearchRecord& record) {
  if (!record.SearchHandle) return kErrorInvalidHandle;
  std::uint32_t error = 0;
  if (!record.SearchHandle->Next(record.EntryData, error)) return FailureCode(error);
  return FilterEntry(record);
}

void SearchEnd(SearchRecord& record) {
  record.SearchHandle.reset();
}

}  // namespace korv
