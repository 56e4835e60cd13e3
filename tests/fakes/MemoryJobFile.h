#pragma once
// A job file in memory. A hook can run before each read, so a test can change the
// world (ask for a stop, say) part-way through a job.
#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <utility>

#include "settings/FileSystem.h"

namespace korv::fakes {

// Reads from `data` at `pos` into `buffer`, moving `pos` on; how many bytes it gave.
inline std::size_t ReadAt(const std::string& data, std::size_t& pos, char* buffer,
                          std::size_t size) {
  const std::size_t got = std::min(size, data.size() - pos);
  std::memcpy(buffer, data.data() + pos, got);
  pos += got;
  return got;
}

class MemoryJobFile : public JobFile {
 public:
  explicit MemoryJobFile(std::string data, std::string name = "JOB")
      : data_(std::move(data)), name_(std::move(name)) {}
  bool Read(char* buffer, std::size_t size, std::size_t& got) override {
    if (beforeRead) beforeRead(++reads);
    got = ReadAt(data_, pos_, buffer, size);
    return true;
  }
  bool Rewind() override {
    pos_ = 0;
    return true;
  }
  std::string Name() const override { return name_; }

  std::function<void(int)> beforeRead;  // given the number of this read, from 1
  int reads = 0;

 private:
  std::string data_;
  std::string name_;
  std::size_t pos_ = 0;
};

}  // namespace korv::fakes
