#pragma once
// Shows a file's contents to the user as text, in the user's own editor.
#include <cstddef>
#include <optional>
#include <string>

namespace korv {

class TextViewer {
 public:
  virtual ~TextViewer() = default;
  // The first `limit` bytes (or fewer) of the file at `path`; nothing when it cannot be read.
  virtual std::optional<std::string> ReadStart(const std::string& path, std::size_t limit) = 0;
  // Writes `text` to a file named `name` in the temporary folder and opens it in the
  // user's editor; false when either fails.
  virtual bool OpenText(const std::string& name, const std::string& text) = 0;
};

}  // namespace korv
