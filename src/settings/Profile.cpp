#include "settings/Profile.h"

#include "settings/Numbers.h"

namespace korv {

void Profile::Configure(std::string profileFile, std::string profileSection) {
  std::lock_guard guard(lock_);
  file_ = std::move(profileFile);
  section_ = std::move(profileSection);
}

std::string Profile::ChooseSection() const {
  if (useGlobalSection_) return "Global";
  if (!section_.empty()) return section_;
  return "Other";
}

std::string Profile::ProfileRead(const std::string& key, const std::string& def) {
  std::lock_guard guard(lock_);
  std::string value = store_.Get(ChooseSection(), key, def, file_);
  useGlobalSection_ = false;
  return value;
}

std::string Profile::ReadInSection(const std::string& section, const std::string& key,
                                   const std::string& def) {
  std::lock_guard guard(lock_);
  return store_.Get(section, key, def, file_);
}

void Profile::ProfileWrite(const std::string& key, const std::string& value) {
  std::lock_guard guard(lock_);
  store_.Put(ChooseSection(), key, value, file_);
  useGlobalSection_ = false;
}

std::vector<std::pair<std::string, std::string>> Profile::ReadSection(const std::string& section) {
  std::lock_guard guard(lock_);
  return store_.Section(section, file_);
}

void Profile::WithGlobalSection(const std::function<void()>& access) {
  std::lock_guard guard(lock_);
  // Lowered however `access` ends, even by an exception: a flag left raised would send
  // the next caller's access to "Global".
  struct Lower {
    bool& flag;
    ~Lower() { flag = false; }
  } lower{useGlobalSection_};
  useGlobalSection_ = true;
  access();
}

std::uint16_t Profile::ReadViewFontSize() {
  std::string text;
  WithGlobalSection([&] { text = ProfileRead("ViewFontSize", "12"); });
  return static_cast<std::uint16_t>(static_cast<std::uint32_t>(ParseInteger(text)) & 0xFFFFu);
}

}  // namespace korv
