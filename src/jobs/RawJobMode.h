#pragma once
// Whether a raw job is drawn (its Epson commands interpreted and drawn through the printer
// driver) or passed through: the printer's line in the section RawJobs, else the key
// RawJobs; the PDF and XPS writers always draw (their raw bytes are no document).
#include <string>

#include "printing/PrintToFile.h"
#include "settings/Profile.h"

namespace korv {

bool DrawsRawJobs(Profile& profile, const std::string& printer, FileOutputKind kind);

}  // namespace korv
