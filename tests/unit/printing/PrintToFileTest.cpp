#include "printing/PrintToFile.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

TEST(PrintToFile, PortsThatAreFiles) {
  struct Case {
    const char* port;
    bool file;
  };
  const Case cases[] = {
      {"FILE:", true},
      {"file:", true},
      {" FILE: ", true},
      {"PORTPROMPT:", true},
      {"C:\\OUT\\A.PRN", true},
      {"d:\\a", true},
      {"\\\\SERVER\\SHARE\\A.PRN", true},
      {"\\\\SERVER\\SHARE\\SUB\\A.PRN", true},
      {"\\\\SERVER\\LASER", false},         // a shared printer
      {"\\\\SERVER\\LASER\\", false},       // the same, closed by a backslash
      {"\\\\SERVER\\SHARE\\DIR\\", false},  // a folder names no file
      {"\\\\SERVER", false},
      {"LPT1:", false},
      {"COM2:", false},
      {"USB001", false},
      {"CUPS:KorvCapture1", false},
      {"NUL:", false},
      {"C:", false},
      {"C:OUT.PRN", false},  // relative to a drive's current folder: not a port Windows makes
      {"1:\\A", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsFilePort(c.port), c.file) << c.port;
}

TEST(PrintToFile, KindFromNameDriverAndPorts) {
  struct Case {
    const char* name;
    const char* driver;
    const char* ports;
    FileOutputKind kind;
  };
  const Case cases[] = {
      {"Microsoft Print to PDF", "Microsoft Print To PDF", "PORTPROMPT:", FileOutputKind::Pdf},
      {"My PDF", "Microsoft Print To PDF", "LPT1:", FileOutputKind::Pdf},  // renamed: the driver
      {"microsoft print to pdf (redirected 2)", "", "TS001", FileOutputKind::Pdf},
      {"Microsoft XPS Document Writer", "Microsoft XPS Document Writer v4",
       "PORTPROMPT:", FileOutputKind::Xps},
      {"Writer", "Microsoft XPS Document Writer v4", "", FileOutputKind::Xps},
      {"Office Laser", "HP LaserJet", "FILE:", FileOutputKind::Prn},
      {"Office Laser", "HP LaserJet", "C:\\OUT\\LASER.PRN", FileOutputKind::Prn},
      {"Pooled Laser", "HP LaserJet", "LPT1:,FILE:", FileOutputKind::Prn},
      {"Pooled Laser", "HP LaserJet", "LPT1:, LPT2:", FileOutputKind::None},
      {"Office Laser", "HP LaserJet", "\\\\SERVER\\LASER", FileOutputKind::None},
      {"KorvCapture1", "wineps.drv", "CUPS:KorvCapture1", FileOutputKind::None},
      {"PDF Printer", "Other PDF", "LPT1:", FileOutputKind::None},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PrintToFileKind(c.name, c.driver, c.ports), c.kind) << c.name << " / " << c.ports;
}

}  // namespace
}  // namespace korv
