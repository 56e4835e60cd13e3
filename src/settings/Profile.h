#pragma once
// Access to the service's settings in its profile file. Every read and write goes
// to the file (no cache) in the section the section rule picks.
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "settings/ProfileStore.h"

namespace korv {

class Profile {
 public:
  explicit Profile(ProfileStore& store) : store_(store) {}

  // Set once by start-up, before the print thread exists.
  void Configure(std::string profileFile, std::string profileSection);
  const std::string& ProfileFile() const { return file_; }
  const std::string& ProfileSection() const { return section_; }

  std::string ProfileRead(const std::string& key, const std::string& def);
  void ProfileWrite(const std::string& key, const std::string& value);
  // A key of another section of the same file (per-printer settings, say).
  std::string ReadInSection(const std::string& section, const std::string& key,
                            const std::string& def);
  // A whole section of the profile file by its own name, its keys in the file's order.
  std::vector<std::pair<std::string, std::string>> ReadSection(const std::string& section);

  // Runs `access` with the one-shot Global flag raised: the first read or write inside
  // addresses "Global" and lowers the flag. One lock covers raising the flag and the
  // access, so the other thread can never consume a flag raised here.
  void WithGlobalSection(const std::function<void()>& access);

  // The list dialog's font size from "Global"/"ViewFontSize" (default 12).
  std::uint16_t ReadViewFontSize();

 private:
  std::string ChooseSection() const;

  ProfileStore& store_;
  std::string file_;
  std::string section_;
  std::recursive_mutex lock_;
  bool useGlobalSection_ = false;  // guarded by lock_
};

}  // namespace korv
