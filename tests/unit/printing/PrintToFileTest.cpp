#include "printing/PrintToFile.h"

#include <gtest/gtest.h>

#include <utility>

namespace korv {
namespace {

TEST(PrintToFile, PortsThatAreFiles) {
  const std::pair<const char*, bool> cases[] = {
      {"FILE:", true},
      {" file: ", true},
      {"PORTPROMPT:", true},
      {"C:\\OUT\\A.PRN", true},
      {"\\\\SRV\\SHARE\\A.PRN", true},
      {"\\\\SRV\\LASER", false},  // a shared printer
      {"\\\\SRV\\LASER\\", false},
      {"\\\\SRV\\SHARE\\DIR\\", false},
      {"LPT1:", false},
      {"CUPS:KorvCapture1", false},
      {"NUL:", false},
      {"C:OUT.PRN", false},
      {"1:\\A", false},
      {"", false},
  };
  for (const auto& [port, file] : cases) EXPECT_EQ(IsFilePort(port), file) << port;
}

TEST(PrintToFile, KindFromNameDriverAndPorts) {
  struct Case {
    const char *name, *driver, *ports;
    FileOutputKind kind;
  };
  const Case cases[] = {
      {"Microsoft Print to PDF", "Microsoft Print To PDF", "PORTPROMPT:", FileOutputKind::Pdf},
      {"My PDF", "Microsoft Print To PDF", "LPT1:", FileOutputKind::Pdf},  // renamed
      {"microsoft print to pdf (redirected 2)", "", "TS001", FileOutputKind::Pdf},
      {"Writer", "Microsoft XPS Document Writer v4", "", FileOutputKind::Xps},
      {"Office Laser", "HP LaserJet", "C:\\OUT\\LASER.PRN", FileOutputKind::Prn},
      {"Pooled Laser", "HP LaserJet", "LPT1:,FILE:", FileOutputKind::Prn},
      {"Pooled Laser", "HP LaserJet", "LPT1:, LPT2:", FileOutputKind::None},
      {"Office Laser", "HP LaserJet", "\\\\SRV\\LASER", FileOutputKind::None},
      {"PDF Printer", "Other PDF", "LPT1:", FileOutputKind::None},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PrintToFileKind(c.name, c.driver, c.ports), c.kind) << c.name << " / " << c.ports;
}

}  // namespace
}  // namespace korv
