#pragma once
// The file system as the service sees it: the current directory, directory search,
// and the spool files, all by name. The Win32 adapter maps each call 1:1.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace korv {

// Attribute bits as the platform reports them.
enum FileAttribute : std::uint32_t {
  kAttrReadOnly = 0x01,
  kAttrHidden = 0x02,
  kAttrSystem = 0x04,
  kAttrVolumeLabel = 0x08,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
  kAttrReparsePoint = 0x400,
};

// Error codes the service compares against.
enum FileError : std::uint32_t {
  kErrorFileNotFound = 2,
  kErrorPathNotFound = 3,
  kErrorInvalidHandle = 6,
  kErrorNoMoreFiles = 18,
  kErrorFileExists = 80,
  kErrorAlreadyExists = 183,
};

// One directory entry, as the platform's find data carries it.
struct FindData {
  std::uint32_t attributes = 0;
  std::uint64_t lastWriteTime = 0;  // 100 ns ticks since 1601, UTC
  std::uint32_t sizeHigh = 0;
  std::uint32_t sizeLow = 0;
  std::string name;
};

// An open platform directory search; destroying it closes the search.
class FindSession {
 public:
  virtual ~FindSession() = default;
  // Next entry into `out`; false with the platform's error code when there is none.
  virtual bool Next(FindData& out, std::uint32_t& error) = 0;
};

// A job file opened for byte-wise reading; destroying it closes the file.
class JobFile {
 public:
  virtual ~JobFile() = default;
  // Reads up to `size` bytes; false on a read error. `got` is 0 at the end of the file.
  virtual bool Read(char* buffer, std::size_t size, std::size_t& got) = 0;
  // Back to the first byte; false on error.
  virtual bool Rewind() = 0;
  // The name the file was opened by.
  virtual std::string Name() const = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual std::string ModulePath() = 0;  // full path of the running program file
  virtual bool SetCurrentDirectory(const std::string& path) = 0;
  virtual bool CreateDirectory(const std::string& path) = 0;

  // Starts a search for `pattern`; null with the platform's error code when nothing matches
  // or the directory is missing, otherwise the session with its first entry in `first`.
  virtual std::unique_ptr<FindSession> FindFirst(const std::string& pattern, FindData& first,
                                                 std::uint32_t& error) = 0;
  // A last-write time in local time, in the DOS date (high 16 bits) and time (low 16 bits).
  virtual std::uint32_t ToLocalDosTime(std::uint64_t fileTime) = 0;

  // Opens a spool file for reading and writing, others may read and write but not delete;
  // null when it cannot be opened (a writer still holds it, it is read-only, ...).
  virtual std::unique_ptr<JobFile> OpenJob(const std::string& name) = 0;
  virtual bool DeleteFile(const std::string& name) = 0;
  // Creates an empty file that must not exist yet (so two writers never get the same
  // name) and closes it; false with the platform's error code when it cannot.
  virtual bool CreateNewFile(const std::string& path, std::uint32_t& error) = 0;
  // Copies, replacing `to` when it exists.
  virtual bool CopyFile(const std::string& from, const std::string& to) = 0;
};

}  // namespace korv
