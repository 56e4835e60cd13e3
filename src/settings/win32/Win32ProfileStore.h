#pragma once
// The profile store on the platform's private-profile functions.
#include "settings/ProfileStore.h"

namespace korv {

class Win32ProfileStore : public ProfileStore {
 public:
  std::string Get(const std::string& section, const std::string& key, const std::string& def,
                  const std::string& file) override;
  void Put(const std::string& section, const std::string& key, const std::string& value,
           const std::string& file) override;
  std::vector<std::pair<std::string, std::string>> Section(const std::string& section,
                                                           const std::string& file) override;
};

}  // namespace korv
