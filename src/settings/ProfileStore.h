#pragma once
// Private-profile storage: the platform's GetPrivateProfileStringA and
// WritePrivateProfileStringA, or our own INI engine where those are missing.
#include <string>

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
};

// Longest value a read returns.
inline constexpr std::size_t kProfileValueMax = 199;

}  // namespace korv
