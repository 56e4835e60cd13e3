#pragma once
// Our own private-profile engine on real files, for where the Windows profile
// functions are missing. It reads and writes like them for everything the service
// relies on, and leaves every line it does not change exactly as it was.
#include <mutex>
#include <string>

#include "settings/ProfileStore.h"

namespace korv {

class IniFileStore : public ProfileStore {
 public:
  std::string Get(const std::string& section, const std::string& key, const std::string& def,
                  const std::string& file) override;
  std::vector<std::pair<std::string, std::string>> Section(const std::string& section,
                                                           const std::string& file) override;
  // The new contents go to a file beside the old one, then take its place in one rename,
  // so a crash mid-write never leaves half a profile.
  void Put(const std::string& section, const std::string& key, const std::string& value,
           const std::string& file) override;

 private:
  std::mutex lock_;  // one read-modify-write at a time, as the platform's functions do
};

}  // namespace korv
