#pragma once
// The service's fixed names and numbers in one place: the profile keys with the values
// read when a key is missing, the title of every print document, and the size of the
// chunks job files are read in.
#include <cstddef>

namespace korv {

// Keys of the service's profile section.
inline constexpr char kPrinterKey[] = "Printer";        // the chosen printer; missing: ""
inline constexpr char kUseDefaultKey[] = "UseDefault";  // follow the default printer; missing: "Y"
inline constexpr char kFontKey[] = "Font";              // the printer font; missing: kDefaultFont
inline constexpr char kLogKey[] = "Log";                // "N": no job log; missing: "Y"
// The host's character table (437, 850, 852, 866, KAMENICKY, MAZOVIA); missing: text jobs
// keep the system's ANSI code page, raw jobs drawn by the program read 437.
inline constexpr char kCodePageKey[] = "CodePage";
// How raw jobs print: "Pass" (their bytes through the spooler untouched) or "ESCP" (their
// Epson commands drawn through the printer driver); missing: "Pass". The section
// kRawJobsSection may name printers one by one ("Office Laser 5=ESCP"), over the key.
inline constexpr char kRawJobsKey[] = "RawJobs";
inline constexpr char kRawJobsSection[] = "RawJobs";
inline constexpr char kRawJobsPass[] = "Pass";
inline constexpr char kRawJobsEscp[] = "ESCP";
// Drawn raw jobs: "9" for the units of 9-pin printers, else 24-pin; "Y" scales each page
// into the printable area (missing: "N").
inline constexpr char kEscpPinsKey[] = "EscpPins";
inline constexpr char kEscpFitKey[] = "EscpFit";

inline constexpr char kNoPrinter[] = "";
inline constexpr char kDefaultFont[] = "Courier New";
// Yes and no in the profile, compared exactly: any other value is neither.
inline constexpr char kYes[] = "Y";
inline constexpr char kNo[] = "N";

// The name of every document the service prints, text or raw.
inline constexpr char kDocumentTitle[] = "Korvelane";

// Bytes read from a job file at a time, by text and raw jobs alike.
inline constexpr std::size_t kJobChunkSize = 127;

}  // namespace korv
