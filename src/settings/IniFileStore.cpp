#include "settings/IniFileStore.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "settings/IniText.h"

namespace korv {

namespace fs = std::filesystem;

namespace {

// Names are handed over as C strings: they end at their first NUL.
std::string CString(const std::string& s) {
  return s.substr(0, s.find('\0'));
}

// The whole file, or nullopt when it is missing or cannot be read.
std::optional<std::string> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad() || text.bad()) return std::nullopt;
  return std::move(text).str();
}

bool WriteAll(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  return !out.fail();
}

// A fresh name beside `path` for the new contents.
fs::path TempBeside(const fs::path& path) {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  fs::path temp = path;
  temp += '.';
  temp += std::to_string(stamp);
  temp += '-';
  temp += std::to_string(counter++);
  temp += ".new";
  return temp;
}

}  // namespace

std::string IniFileStore::Get(const std::string& section, const std::string& key,
                              const std::string& def, const std::string& file) {
  std::optional<std::string> value;
  {
    std::lock_guard guard(lock_);
    if (auto text = ReadAll(CString(file)))
      value = IniLookup(*text, CString(section), CString(key));
  }
  if (!value) {
    value = CString(def);
    value->erase(value->find_last_not_of(' ') + 1);  // as the platform, no trailing blanks
  }
  return value->substr(0, kProfileValueMax);
}

std::vector<std::pair<std::string, std::string>> IniFileStore::Section(const std::string& section,
                                                                       const std::string& file) {
  std::lock_guard guard(lock_);
  if (auto text = ReadAll(CString(file))) return IniSection(*text, CString(section));
  return {};
}

void IniFileStore::Put(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& file) {
  std::lock_guard guard(lock_);
  const fs::path path = CString(file);
  std::error_code error;
  std::string text;
  const bool exists = fs::exists(path, error);
  if (error) return;
  if (exists) {
    auto old = ReadAll(path);
    if (!old) return;  // never replace what could not be read
    // A profile that may not be written stays as it is, as with the platform.
    if (!std::ofstream(path, std::ios::binary | std::ios::app)) return;
    text = std::move(*old);
  }
  const fs::path temp = TempBeside(path);
  if (!WriteAll(temp, IniUpdate(text, CString(section), CString(key), CString(value)))) {
    fs::remove(temp, error);
    return;
  }
  if (exists) {  // the new file keeps the old one's permissions
    const fs::perms perms = fs::status(path, error).permissions();
    if (!error) fs::permissions(temp, perms, error);
  }
  fs::rename(temp, path, error);
  if (error) fs::remove(temp, error);
}

}  // namespace korv
