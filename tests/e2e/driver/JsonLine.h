#pragma once
// One result per output line, as a JSON object. Texts are the windows' 8-bit bytes; bytes
// outside printable ASCII are written as \u00XX, so a reader gets them back through Latin-1.
#include <string>
#include <vector>

namespace korv::driver {

class JsonLine {
 public:
  JsonLine& Text(const char* key, const std::string& value);
  JsonLine& Number(const char* key, long long value);
  JsonLine& Flag(const char* key, bool value);
  JsonLine& Texts(const char* key, const std::vector<std::string>& values);
  JsonLine& Numbers(const char* key, const std::vector<long long>& values);
  // Writes the object and a newline to standard output, flushed at once.
  void Print() const;

 private:
  void Key(const char* key);
  std::string body_;
};

std::string Quoted(const std::string& text);

}  // namespace korv::driver
