#pragma once
// The text viewer on Win32: files read through the wide calls, the text written to a file
// in the temporary folder and opened with the program the user has for .txt files, or
// with Notepad.
#include "dialogs/TextViewer.h"

namespace korv::win32 {

class Win32TextViewer final : public TextViewer {
 public:
  std::optional<std::string> ReadStart(const std::string& path, std::size_t limit) override;
  bool OpenText(const std::string& name, const std::string& text) override;
};

}  // namespace korv::win32
