// Any bytes as a raw job on the pass-through path: the blocks carry their own length,
// hold 1 to 127 bytes, and together are exactly the job (in page-feed mode led by CR LF
// and without a final form feed). The first input byte picks page-feed mode.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakeProfileStore.h"
#include "fakes/FakeRawJobPrinter.h"
#include "fakes/FakeSpooler.h"
#include "fakes/MemoryJobFile.h"
#include "jobs/RawJob.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korv;
  if (size == 0) return 0;
  const bool pageFeed = (data[0] & 1) != 0;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  const std::string spool = "C:\\KORVELAN\\WINPRINT";
  fakes::FakeFileSystem files;
  files.AddDirectory(spool);
  fakes::FakeProfileStore store;
  Profile profile{store};
  ServiceFlags flags;
  flags.pageFeedMode = pageFeed;
  fakes::FakeSpooler spooler;
  fakes::FakeRawJobPrinter printer;
  printer.entries = {"Office Laser 1"};
  RawJobContext context{flags, files, spool, profile, 4, spooler, printer};

  fakes::MemoryJobFile job(bytes);
  PrintRawJob(job, context);

  std::string expected = bytes;
  if (pageFeed) {
    expected.insert(0, "\r\n");
    if (!bytes.empty() && bytes.back() == '\f') expected.pop_back();
  }
  std::string sent;
  for (const std::string& block : printer.blocks) {
    if (block.size() < 3) std::abort();
    const std::size_t count = static_cast<std::uint8_t>(block[0]) +
                              (static_cast<std::size_t>(static_cast<std::uint8_t>(block[1])) << 8);
    if (count != block.size() - 2 || count > 127) std::abort();
    sent += block.substr(2);
  }
  if (sent != expected) std::abort();
  if (printer.documentOpen || printer.events.front() != "start Korvelane" ||
      printer.events.back() != "end")
    std::abort();
  return 0;
}
