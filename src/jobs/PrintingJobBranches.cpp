#include "jobs/PrintingJobBranches.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "base/ServiceConstants.h"
#include "escp/TableCharacters.h"
#include "jobs/ChosenPrinter.h"
#include "jobs/DisableWatch.h"
#include "jobs/EscpJob.h"
#include "jobs/JobErrors.h"
#include "jobs/PrintFailureText.h"
#include "jobs/RawJob.h"
#include "jobs/RawJobMode.h"
#include "jobs/TextJob.h"
#include "printing/EPrinter.h"

namespace korv {

namespace {

// The output file of one job's document. Unless the job printed, it is removed again: the
// job stays in the spool folder and its next try makes a new one.
class JobOutputFile {
 public:
  explicit JobOutputFile(FileSystem& files) : files_(files) {}
  ~JobOutputFile() {
    if (!printed_ && !path_.empty()) files_.DeleteFile(path_);
  }
  JobOutputFile(const JobOutputFile&) = delete;
  JobOutputFile& operator=(const JobOutputFile&) = delete;

  const std::string& Create(FileOutputFolder* output, const std::string& printer,
                            const std::string& jobName) {
    if (output && path_.empty()) path_ = output->CreateOutputFile(printer, jobName);
    return path_;
  }
  void Printed() { printed_ = true; }

 private:
  FileSystem& files_;
  std::string path_;
  bool printed_ = false;
};

// The printer object writes into the output file for one job only.
class OutputFileSetting {
 public:
  OutputFileSetting(TPrinter& printer, const std::string& path) : printer_(printer) {
    printer_.SetOutputFile(path);
  }
  ~OutputFileSetting() { printer_.SetOutputFile(""); }
  OutputFileSetting(const OutputFileSetting&) = delete;
  OutputFileSetting& operator=(const OutputFileSetting&) = delete;

 private:
  TPrinter& printer_;
};

// A refusal of the printer object, told with the printer it was meant for and what the
// system said about it.
[[noreturn]] void ThrowNamingPrinter(const EPrinter& e, RawJobPrinter& printer) {
  const std::string name = CurrentPrinterOrEmpty(printer);
  if (name.empty()) throw e;
  std::string why = e.what();
  if (!e.Detail().empty()) why += " (" + e.Detail() + ")";
  throw EPrinter(CannotPrintOn(name, why), e.Detail());
}

// Stands in for a system without the IBM code pages.
class NoCodePages : public CodePageConverter {
 public:
  bool ToUnicode(unsigned, CodeTable&) override { return false; }
};

// The table the CodePage key names, read for every job; none when the key is missing or
// names no table.
std::optional<TableCharacters> ChosenCharacters(Profile& profile, CodePageConverter* codePages) {
  const std::optional<CodePageId> id = CodePageFromProfile(profile.ProfileRead(kCodePageKey, ""));
  if (!id) return std::nullopt;
  NoCodePages none;
  return TableCharacters(MakeCodeTable(*id, codePages ? *codePages : none));
}

CodeTable EscpTable(Profile& profile, CodePageConverter* codePages) {
  const std::optional<CodePageId> id = CodePageFromProfile(profile.ProfileRead(kCodePageKey, ""));
  NoCodePages none;
  return MakeCodeTable(id.value_or(CodePageId::Cp437), codePages ? *codePages : none);
}

}  // namespace

JobOutcome PrintingJobBranches::OnPrinterObject(JobFile& job,
                                                const std::function<JobOutcome()>& print) {
  JobOutputFile file(files_);
  std::string path;
  // Reading the entry selects the default printer when none is selected yet.
  if (output_ && rawPrinter_.CurrentPrinterEntry()) {
    path = file.Create(output_, printer_.SelectedPrinterName(), job.Name());
  }
  OutputFileSetting setting(printer_, path);
  const JobOutcome outcome = print();
  if (outcome == JobOutcome::Printed) file.Printed();
  return outcome;
}

JobOutcome PrintingJobBranches::PrintTextJob(JobFile& job) {
  printer_.ForgetPageCount();
  const std::string routed = RoutedPrinter();
  SelectionRestore restore(printer_, !routed.empty());
  if (routed.empty())
    RequireChosenPrinter(profile_, printer_);
  else
    SelectRoutedPrinter(printer_, routed);
  DisableWatch watch(files_, state_.flags, state_.spoolDirectory);
  TextJobContext context{state_.flags, files_, state_.spoolDirectory, printer_, metrics_};
  context.watch = &watch;
  const std::optional<TableCharacters> characters = ChosenCharacters(profile_, codePages_);
  if (characters) context.characters = &*characters;
  try {
    return OnPrinterObject(job, [&] { return korv::PrintTextJob(job, context); });
  } catch (const EPrinter& e) {
    ThrowNamingPrinter(e, rawPrinter_);
  }
}

std::string PrintingJobBranches::RawJobPrinterName() {
  std::string name = RoutedPrinter();
  if (name.empty()) name = profile_.ProfileRead(kPrinterKey, kNoPrinter);
  if (name.empty()) name = rawPrinter_.CurrentPrinterEntry().value_or("");
  return name;
}

JobOutcome PrintingJobBranches::PrintDrawnRawJob(JobFile& job, bool pageFeed,
                                                 const std::string& printer) {
  if (printer.empty()) throw RawPrintError("Cannot print: there is no printer");
  EscpJobContext context{printer_,
                         files_,
                         state_.spoolDirectory,
                         EscpTable(profile_, codePages_),
                         codePages_,
                         profile_.ProfileRead(kFontKey, kDefaultFont),
                         profile_.ProfileRead(kEscpPinsKey, "24") == "9" ? 9 : 24,
                         profile_.ProfileRead(kEscpFitKey, kNo) == kYes,
                         pageFeed};
  EscpJobNotes notes;
  try {
    SelectionRestore restore(printer_, true);
    SelectRoutedPrinter(printer_, printer);
    OnPrinterObject(job, [&] {
      notes = PrintEscpJob(job, context);
      return JobOutcome::Printed;
    });
  } catch (const EPrinter& e) {
    ThrowNamingPrinter(e, rawPrinter_);
  }
  if (log_)
    for (const std::string& line : notes.lines) log_->Note(line);
  return JobOutcome::Printed;
}

JobOutcome PrintingJobBranches::PrintRawJob(JobFile& job, bool pageFeed) {
  const std::string chosen = RawJobPrinterName();
  if (DrawsRawJobs(profile_, chosen, output_ ? output_->KindOf(chosen) : FileOutputKind::None))
    return PrintDrawnRawJob(job, pageFeed, chosen);
  // A raw job always runs to its end; it is never cut off by a stop.
  RawJobContext context{state_.flags, files_,     state_.spoolDirectory, profile_, osMajorVersion_,
                        spooler_,     rawPrinter_};
  context.pageFeed = pageFeed;
  context.printerName = RoutedPrinter();
  if (!context.printerName.empty()) RequireInstalledPrinter(printer_, context.printerName);
  SelectionRestore restore(printer_, !context.printerName.empty() && osMajorVersion_ <= 4);
  try {
    if (osMajorVersion_ <= 4) {
      if (!context.printerName.empty()) SelectRoutedPrinter(printer_, context.printerName);
      // The pass-through path prints through the printer object.
      return OnPrinterObject(job, [&] {
        korv::PrintRawJob(job, context);
        return JobOutcome::Printed;
      });
    }
    JobOutputFile file(files_);
    if (output_)
      context.outputFileFor = [&](const std::string& printer) {
        return file.Create(output_, printer, job.Name());
      };
    korv::PrintRawJob(job, context);
    file.Printed();
  } catch (const EPrinter& e) {
    ThrowNamingPrinter(e, rawPrinter_);  // the pass-through document's printer object
  }
  return JobOutcome::Printed;
}

}  // namespace korv
