#pragma once
// A batch of private-profile operations, run the same way by the native INI tool (our engine)
// and by the Windows test driver (the platform's calls), so that their answers can be compared.
//
// One operation per line, fields separated by tabs, every argument hex-encoded (so any byte
// but NUL can be passed, and an empty argument is an empty field):
//   get <section> <key> <default> <file>     answer: the value read, hex-encoded
//   put <section> <key> <value> <file>       answer: "ok"
// Answers are written one per line, in order; a malformed line answers "error".
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "settings/ProfileStore.h"

namespace korv::inibatch {

inline std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (char ch : bytes) {
    const auto byte = static_cast<unsigned char>(ch);
    out += kDigits[byte >> 4];
    out += kDigits[byte & 15];
  }
  return out;
}

inline bool Unhex(const std::string& hex, std::string& out) {
  auto digit = [](char ch) -> int {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
  };
  if (hex.size() % 2 != 0) return false;
  out.clear();
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int high = digit(hex[i]);
    const int low = digit(hex[i + 1]);
    if (high < 0 || low < 0) return false;
    out += static_cast<char>(high * 16 + low);
  }
  return true;
}

inline std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::string::size_type start = 0;
  for (;;) {
    const auto tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

inline void RunBatch(ProfileStore& store, std::istream& ops, std::ostream& answers) {
  std::string line;
  while (std::getline(ops, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    const auto fields = SplitTabs(line);
    std::string args[4];
    bool ok = fields.size() == 5;
    for (std::size_t i = 0; ok && i < 4; ++i) ok = Unhex(fields[i + 1], args[i]);
    if (ok && fields[0] == "get") {
      answers << Hex(store.Get(args[0], args[1], args[2], args[3])) << '\n';
    } else if (ok && fields[0] == "put") {
      store.Put(args[0], args[1], args[2], args[3]);
      answers << "ok\n";
    } else {
      answers << "error\n";
    }
  }
  answers.flush();
}

}  // namespace korv::inibatch
