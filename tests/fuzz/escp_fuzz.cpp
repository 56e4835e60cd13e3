// Any bytes as a drawn raw job on the recording device context, fed in pieces whose sizes
// the input's first byte picks: the job ends, every page started was ended, every image
// holds its bits, and the interpreter never waits on more than one command.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "escp/EscpInterpreter.h"
#include "escp/EscpPainter.h"
#include "fakes/FakePrintSystem.h"
#include "fakes/IconvCodePages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korv;
  if (size == 0) return 0;
  fakes::FakePrintSystem system;
  system.level4 = {{"Office Laser", ""}};
  system.defaults = {{"Office Laser", ""}};
  system.caps[DeviceCap::PhysicalOffsetX] = 25;
  system.caps[DeviceCap::PhysicalOffsetY] = 25;
  TPrinter printer(system);
  static fakes::IconvCodePages codePages;
  EscpSettings settings;
  settings.pins = (data[0] & 0x80) != 0 ? 9 : 24;
  settings.table = MakeCodeTable(CodePageId::Cp852, codePages);
  settings.codePages = &codePages;
  const std::size_t piece = (data[0] & 0x3F) + 1u;

  printer.StartDocument();
  EscpPainter painter(printer, "Courier New", (data[0] & 0x40) != 0);
  EscpInterpreter interpreter(painter, settings);
  std::span<const std::uint8_t> rest(data + 1, size - 1);
  while (!rest.empty()) {
    const std::size_t n = std::min(piece, rest.size());
    interpreter.Feed(rest.first(n));
    rest = rest.subspan(n);
  }
  interpreter.Finish();
  painter.Finish();
  printer.EndDocument();

  const auto& log = system.log;
  if (log.Count("StartPage") != log.Count("EndPage")) std::abort();
  for (const auto& image : system.log.images) {
    if (image.width <= 0 || image.height <= 0) std::abort();
    if (image.destination.right - image.destination.left != image.width) std::abort();
  }
  for (const auto& call : system.log.wideCalls)
    if (call.text.size() != call.advances.size()) std::abort();
  return 0;
}
