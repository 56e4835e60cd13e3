#pragma once
// Private-profile storage: the platform's GetPrivateProfileStringA and
// WritePrivateProfileStringA, or our own INI engine where those are missing.
#include <string>
#include <utility>
#include <vector>

namespace korv {

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // The stored value, or `def` when the file, section or key is missing; an empty value
  // reads as "". At most 199 characters come back (a 200-character buffer with its NUL).
  virtual std::string Get(const std::string& section, const std::string& key,
                          const std::string& def, const std::string& file) = 0;
  // Creates file, section and key as needed; replaces an existing value. Failures are silent.
  virtual void Put(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) = 0;
  // The keys of a section with their values, in the file's order; none when the file or
  // section is missing. A store that cannot list sections lists none.
  virtual std::vector<std::pair<std::string, std::string>> Section(const std::string& section,
                                                                   const std::string& file) {
    (void)section;
    (void)file;
    return {};
  }
};

// Longest value a read returns.
inline constexpr std::size_t kProfileValueMax = 199;

}  // namespace korv
