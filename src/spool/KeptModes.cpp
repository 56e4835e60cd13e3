#include "spool/KeptModes.h"

#include <cstdio>
#include <sstream>
#include <utility>

#include "spool/SpoolProtocol.h"

namespace korv {

namespace {

constexpr const char* kHeader = "korvprint kept modes 1";
constexpr const char* kEnd = "end";

const char* ModeWord(JobMode mode) {
  switch (mode) {
    case JobMode::Raw:
      return "raw";
    case JobMode::RawPage:
      return "rawpage";
    case JobMode::Text:
      break;
  }
  return "text";
}

bool ModeFromWord(const std::string& word, JobMode& mode) {
  for (JobMode m : {JobMode::Text, JobMode::Raw, JobMode::RawPage})
    if (word == ModeWord(m)) {
      mode = m;
      return true;
    }
  return false;
}

// A name on one line: control bytes, spaces and '%' as %XX.
std::string Escape(const std::string& name) {
  std::string out;
  for (char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if (c <= 0x20 || c == '%' || c == 0x7F) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned>(c));
      out += hex;
    } else {
      out.push_back(ch);
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Unescape(const std::string& text, std::string& name) {
  name.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      name.push_back(text[i]);
      continue;
    }
    if (i + 2 >= text.size()) return false;
    const int high = HexDigit(text[i + 1]);
    const int low = HexDigit(text[i + 2]);
    if (high < 0 || low < 0) return false;
    name.push_back(static_cast<char>(high * 16 + low));
    i += 2;
  }
  return !name.empty();
}

}  // namespace

std::string KeptModes::Format(const std::map<std::string, Kept>& jobs) {
  std::ostringstream out;
  out << kHeader << '\n';
  for (const auto& [key, job] : jobs)
    out << ModeWord(job.mode) << ' ' << job.listing.size << ' ' << job.listing.lastWriteTime << ' '
        << Escape(job.name) << '\n';
  out << kEnd << '\n';
  return out.str();
}

bool KeptModes::Parse(const std::string& text, std::map<std::string, Kept>& jobs) {
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line != kHeader) return false;
  std::map<std::string, Kept> read;
  while (std::getline(in, line)) {
    if (line == kEnd) {
      if (in.peek() != std::char_traits<char>::eof()) return false;  // nothing after the end
      jobs = std::move(read);
      return true;
    }
    std::istringstream fields(line);
    std::string word, escaped, extra;
    Kept job;
    if (!(fields >> word >> job.listing.size >> job.listing.lastWriteTime >> escaped) ||
        (fields >> extra) || !ModeFromWord(word, job.mode) || !Unescape(escaped, job.name))
      return false;
    read[UpperCaseAscii(job.name)] = job;
  }
  return false;  // cut short
}

void KeptModes::LoadOnce() {
  if (loaded_) return;
  loaded_ = true;
  std::string text;
  if (files_.ReadWholeFile(kStateFile, text) && !Parse(text, jobs_)) {
    jobs_.clear();
    Save();  // a damaged file is not read again
  }
}

void KeptModes::Save() {
  // Not kept is the service's usual state: then there is no file at all.
  if (jobs_.empty())
    files_.DeleteFile(kStateFile);
  else
    files_.ReplaceWholeFile(kStateFile, Format(jobs_));
}

std::optional<JobMode> KeptModes::ModeOf(const std::string& name, const Listing& listing) {
  LoadOnce();
  auto it = jobs_.find(UpperCaseAscii(name));
  if (it == jobs_.end()) return std::nullopt;
  if (it->second.listing == listing) return it->second.mode;
  jobs_.erase(it);  // rewritten since: a new job under the old name
  Save();
  return std::nullopt;
}

void KeptModes::Keep(const std::string& name, const Listing& listing, JobMode mode) {
  LoadOnce();
  auto [it, added] = jobs_.try_emplace(UpperCaseAscii(name), Kept{name, listing, mode});
  if (!added && it->second.listing == listing) return;
  it->second = Kept{name, listing, mode};
  Save();
}

void KeptModes::Forget(const std::string& name) {
  LoadOnce();
  if (jobs_.erase(UpperCaseAscii(name)) != 0) Save();
}

void KeptModes::KeepOnly(const std::set<std::string>& present) {
  LoadOnce();
  if (std::erase_if(jobs_, [&](const auto& job) { return !present.count(job.first); }) != 0) Save();
}

}  // namespace korv
