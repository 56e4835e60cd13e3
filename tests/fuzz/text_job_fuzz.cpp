// Any bytes as a text job on the recording device context: the job ends, no document
// stays open, and every page that was started was ended. Jobs of an odd size are read in
// the Kamenicky table, its box pieces drawn as fills.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "escp/OwnCodeTables.h"
#include "escp/TableCharacters.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakePrintSystem.h"
#include "fakes/MemoryJobFile.h"
#include "jobs/TextJob.h"

namespace {

const std::string kSpool = "C:\\KORVELAN\\WINPRINT";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korv;
  fakes::FakePrintSystem system;
  system.level4 = {{"Office Laser", ""}};
  system.defaults = {{"Office Laser", ""}};
  fakes::FakeFileSystem files;
  files.AddDirectory(kSpool);
  files.SetCurrentDirectory(kSpool);
  TPrinter printer(system);
  ServiceFlags flags;
  flags.printing = true;
  TextMetrics metrics;
  TextJobContext context{flags, files, kSpool, printer, metrics};
  static const TableCharacters kamenicky(OwnCodeTable(CodePageId::Kamenicky));
  if (size % 2 == 1) context.characters = &kamenicky;

  fakes::MemoryJobFile job(std::string(reinterpret_cast<const char*>(data), size));
  if (PrintTextJob(job, context) != JobOutcome::Printed) std::abort();
  if (printer.DocumentOpen()) std::abort();
  const auto& log = system.log;
  if (log.Count("StartDocA") != 1 || log.Count("EndDoc") != 1) std::abort();
  if (log.Count("StartPage") != log.Count("EndPage")) std::abort();
  if (log.Count("StartPage") != printer.PageCount()) std::abort();
  // Every character cell starts on the page (its width is the longer side in landscape).
  const int width =
      std::max(system.caps.at(DeviceCap::HorzRes), system.caps.at(DeviceCap::VertRes));
  for (const auto& text : system.log.texts)
    if (text.at.x < 0 || text.at.x > width || text.at.y < 0) std::abort();
  for (const auto& text : system.log.wideTexts)
    if (text.at.x < 0 || text.at.x > width || text.at.y < 0) std::abort();
  for (const auto& fill : system.log.fills)
    if (fill.rect.left < 0 || fill.rect.top < 0 || fill.rect.right <= fill.rect.left ||
        fill.rect.bottom <= fill.rect.top)
      std::abort();
  return 0;
}
