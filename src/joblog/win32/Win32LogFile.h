#pragma once
// The job log's Win32 edge: `korvprint.log` in the home directory with its previous file
// `korvprint.log.1`, and opening the log in the user's editor.
#include <cstdint>
#include <string>

#include "base/ServiceState.h"
#include "joblog/JobLogPorts.h"

namespace korv::win32 {

class Win32LogFile final : public LogFile {
 public:
  // The home directory is read at the first write, after start-up has set it.
  explicit Win32LogFile(const ServiceState& state) : state_(state) {}
  bool Append(const std::string& text) override;
  std::int64_t Size() override;
  bool Rotate() override;
  std::string Path() const { return state_.homeDirectory + "korvprint.log"; }

 private:
  const ServiceState& state_;
};

// ShellExecute's "open" on the log, or Notepad when no program is registered for it.
void OpenJobLog(const std::string& path);

}  // namespace korv::win32
