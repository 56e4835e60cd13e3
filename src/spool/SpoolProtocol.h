#pragma once
// The spool directory's naming rules: which files a poll may take, and which names are
// control files rather than jobs.
#include <cstdint>
#include <string>

namespace korv {

enum class SpoolCommand { Job, Disable, RawPrint, RawPage, WinPrint, SetFocus };

// Upper case for the letters a to z only; every other byte stays.
std::string UpperCaseAscii(std::string text);

// A listed file may be taken when it holds at least one byte and its name has no "TMP"
// in any case (writers build files under such names and rename them when complete).
bool IsTakeable(const std::string& name, std::int32_t listedSize);

// The control file a whole name stands for; anything else is a job.
SpoolCommand ControlCommand(const std::string& name);

// Jobs this small are deleted without printing.
inline constexpr std::int32_t kSmallestPrintedJob = 8;

}  // namespace korv
