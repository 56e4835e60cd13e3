#pragma once
// "&View" on Win32: the stored job is read through the wide file calls, its text written
// to a file in the temporary folder and opened with the program the user has for .txt
// files, or with Notepad.
#include "app/RecentJobs.h"

namespace korv::win32 {

class Win32JobViewer final : public JobViewer {
 public:
  std::optional<std::string> ReadStart(const std::string& path, std::size_t limit) override;
  bool OpenText(const std::string& name, const std::string& text) override;
};

}  // namespace korv::win32
