#pragma once
// Profile storage in memory: (file, section, key) -> value, names without regard to case.
// Records every access so tests can see which section an access addressed.
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "settings/ProfileStore.h"

namespace korv::fakes {

class FakeProfileStore : public ProfileStore {
 public:
  struct Access {
    bool write;
    std::string section, key, value, file;
  };

  std::string Get(const std::string& section, const std::string& key, const std::string& def,
                  const std::string& file) override {
    accesses.push_back({false, section, key, "", file});
    auto it = values.find(Id(file, section, key));
    std::string v = it == values.end() ? def : it->second;
    return v.substr(0, kProfileValueMax);
  }
  void Put(const std::string& section, const std::string& key, const std::string& value,
           const std::string& file) override {
    accesses.push_back({true, section, key, value, file});
    values[Id(file, section, key)] = value;
  }

  // Sections listed in the order given here, as a file holds them (section name as key).
  std::map<std::string, std::vector<std::pair<std::string, std::string>>> sections;
  std::vector<std::pair<std::string, std::string>> Section(const std::string& section,
                                                           const std::string&) override {
    auto it = sections.find(section);
    return it == sections.end() ? std::vector<std::pair<std::string, std::string>>{} : it->second;
  }

  // Value as stored, or "<none>".
  std::string Stored(const std::string& file, const std::string& section,
                     const std::string& key) const {
    auto it = values.find(Id(file, section, key));
    return it == values.end() ? "<none>" : it->second;
  }
  void Store(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) {
    values[Id(file, section, key)] = value;
  }

  std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
  std::vector<Access> accesses;

 private:
  static std::string Upper(std::string s) {
    for (char& c : s)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
  }
  static std::tuple<std::string, std::string, std::string> Id(const std::string& file,
                                                              const std::string& section,
                                                              const std::string& key) {
    return {Upper(file), Upper(section), Upper(key)};
  }
};

}  // namespace korv::fakes
