#pragma once
// The platform's printing in memory: installed printers for either enumeration level, a
// default printer (through the enumeration or the legacy profile entry), device settings
// per printer, and contexts that record into one shared log. Records what it was asked;
// each part can be told to fail.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fakes/FakeDeviceContext.h"
#include "printing/PrintSystem.h"

namespace korv::fakes {

class FakePrintSystem : public PrintSystem {
 public:
  // A device-mode block of `size` bytes with the given orientation field.
  static std::vector<std::uint8_t> MakeDeviceMode(std::int16_t orientation, std::size_t size = 156);

  // Answers.
  OsVersion version{kPlatformWin32Nt, 5};
  bool failVersion = false;
  std::vector<PrinterEnumInfo> level4;          // local and connected printers, level 4
  std::vector<PrinterEnumInfo> level5;          // local printers, level 5
  std::vector<PrinterEnumInfo> defaults;        // PRINTER_ENUM_DEFAULT, level 5
  std::optional<std::uint32_t> sizeQueryError;  // the size query fails with this code
  bool failEnumFill = false;
  std::string legacyDevice;                       // "windows"/"device" of the platform's profile
  std::map<std::uint32_t, std::string> messages;  // FormatMessageA texts

  // OpenPrinterA succeeds for every printer not in `unopenable`; its settings are
  // `deviceModes[name]`, or a portrait block when not given; `noSettings` printers
  // report no size.
  std::set<std::string> unopenable;
  std::set<std::string> noSettings;
  bool failSettingsFill = false;
  std::map<std::string, std::vector<std::uint8_t>> deviceModes;
  // GetPrinterA level 2 answers by printer name; other printers cannot be read.
  std::map<std::string, PrinterPortInfo> ports;

  std::map<DeviceCap, int> caps{{DeviceCap::HorzRes, 2400},
                                {DeviceCap::VertRes, 3300},
                                {DeviceCap::LogPixelsX, 300},
                                {DeviceCap::LogPixelsY, 300}};
  bool failCreateIC = false;
  bool failCreateDC = false;

  // Records.
  std::vector<std::string> calls;  // "EnumPrintersSizeA 6 4", "OpenPrinterA X", "CreateDCA d|p|o",
                                   // "PrinterPort X", ...
  struct ContextRequest {
    bool deviceContext = false;
    std::string driver, device, port;
    std::optional<std::vector<std::uint8_t>> settings;
  };
  std::vector<ContextRequest> contexts;
  int dispatches = 0;
  int openPrinters = 0;  // OpenedPrinter objects alive
  FakeDeviceLog log;     // what every context did

  bool GetVersionExA(OsVersion& out) override;
  bool EnumPrintersSizeA(std::uint32_t flags, std::uint32_t level, std::uint32_t& needed,
                         std::uint32_t& error) override;
  bool EnumPrintersA(std::uint32_t flags, std::uint32_t level, std::uint32_t size,
                     std::vector<PrinterEnumInfo>& out) override;
  std::string GetProfileStringA(const std::string& section, const std::string& key,
                                const std::string& def, std::uint32_t bufferChars) override;
  std::unique_ptr<OpenedPrinter> OpenPrinterA(const std::string& printerName) override;
  bool PrinterPort(const std::string& printerName, PrinterPortInfo& out) override;
  std::unique_ptr<DeviceContext> CreateICA(const std::string& driver, const std::string& device,
                                           const std::string& port,
                                           const DeviceMode* settings) override;
  std::unique_ptr<DeviceContext> CreateDCA(const std::string& driver, const std::string& device,
                                           const std::string& port,
                                           const DeviceMode* settings) override;
  std::string FormatMessageA(std::uint32_t code) override;
  void DispatchPendingMessages() override { ++dispatches; }

 private:
  const std::vector<PrinterEnumInfo>& Answer(std::uint32_t flags, std::uint32_t level) const;
  std::unique_ptr<DeviceContext> MakeContext(bool deviceContext, const std::string& driver,
                                             const std::string& device, const std::string& port,
                                             const DeviceMode* settings);
};

}  // namespace korv::fakes
