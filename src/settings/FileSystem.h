#pragma once
// The file system as the service sees it: the current directory, directory search, and
// the spool files, opened by name and then removed or moved only through the open file.
// Paths are the program's 8-bit (ANSI) strings; the names of spool files are WTF-8
// (settings/WideNames.h), so every name the spool directory holds can be handled.
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

// A spool file the service opened. It is removed or moved only through this open file,
// never by its name: by then the name may stand for another file.
class SpoolFile : public JobFile {
 public:
  // Marks the opened file for deletion (a read-only one is made writable first): it is
  // gone once closed. False when it cannot be deleted.
  virtual bool Delete() = 0;
  // Moves the opened file to `path`, relative to the spool directory; fails when `path`
  // exists.
  virtual bool MoveTo(const std::string& path) = 0;
};

// Who a file is: these stay the same while the file exists, whatever its name or content.
struct FileIdentity {
  std::uint32_t volume = 0;
  std::uint64_t index = 0;
  std::uint64_t creationTime = 0;
  bool operator==(const FileIdentity&) const = default;
};

enum class SpoolOpenError {
  None,
  Missing,     // gone since it was listed
  InUse,       // another process holds it open for writing (or denies reading)
  Denied,      // no access
  NotInSpool,  // a link, a junction, a file with more names, or one that lies elsewhere
  Other,
};

// A spool file opened for reading, with what the open file says about itself.
struct SpoolFileOpen {
  std::unique_ptr<SpoolFile> file;  // null on failure
  SpoolOpenError error = SpoolOpenError::None;
  std::string reason;  // the system's text for a failure
  FileIdentity identity;
  std::uint64_t size = 0;
  std::uint64_t lastWriteTime = 0;  // as FindData has it
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

  // Deletes a file by name: only for files the service made itself, never a spool file.
  virtual bool DeleteFile(const std::string& name) = 0;
  // Creates an empty file that must not exist yet (so two writers never get the same
  // name) and closes it; false with the platform's error code when it cannot.
  virtual bool CreateNewFile(const std::string& path, std::uint32_t& error) = 0;

  // Opens a file of the current directory (the spool directory) by its listed name for
  // reading, shared with readers only, so a file a writer still holds is refused (InUse).
  // The open file itself must be the directory's own: a link or junction, a file with
  // another name elsewhere, or one whose final path is not in the directory is closed
  // again and refused (NotInSpool), never to be read, deleted or moved.
  virtual SpoolFileOpen OpenSpoolFile(const std::string& name) = 0;
  // The same for a file that will not open for reading, opened only to be moved away: its
  // content cannot be read, the same containment holds.
  virtual SpoolFileOpen OpenSpoolFileToMove(const std::string& name) = 0;
  // A small file of the service's own, read whole; false when it is missing or unreadable.
  virtual bool ReadWholeFile(const std::string& name, std::string& content) = 0;
  // Puts `content` under `name` in one step: written under a name of its own first, then
  // put in place of the old file, so a reader finds the old content or the new, never part.
  virtual bool ReplaceWholeFile(const std::string& name, const std::string& content) = 0;
  // Copies, replacing `to` when it exists.
  virtual bool CopyFile(const std::string& from, const std::string& to) = 0;
};

}  // namespace korv
