#pragma once
// The platform's printing services the printer object needs: the installed printers,
// the default printer's legacy entry, a printer's device settings, and new device and
// information contexts. The Win32 adapter maps each call 1:1 and reports results as is.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "printing/DeviceContext.h"
#include "printing/DeviceMode.h"

namespace korv {

struct OsVersion {
  std::uint32_t platformId = 0;  // 2 = the Windows NT family
  std::uint32_t majorVersion = 0;
};
inline constexpr std::uint32_t kPlatformWin32Nt = 2;

// EnumPrintersA flags.
enum PrinterEnumFlag : std::uint32_t {
  kPrinterEnumDefault = 1,
  kPrinterEnumLocal = 2,
  kPrinterEnumConnections = 4,
};

inline constexpr std::uint32_t kErrorInsufficientBuffer = 122;

// One printer of an EnumPrintersA answer; level 4 carries no port.
struct PrinterEnumInfo {
  std::string printerName;
  std::string portName;  // level 5: port names separated by commas
};

// What GetPrinterA level 2 tells of a printer: its ports (comma-separated) and driver.
struct PrinterPortInfo {
  std::string portName;
  std::string driverName;
};

// A printer opened with OpenPrinterA; destroying it closes the handle.
class OpenedPrinter {
 public:
  virtual ~OpenedPrinter() = default;
  // DocumentPropertiesA with mode 0: the size of the printer's device-mode block in bytes,
  // or a value below 1 when it failed.
  virtual std::int32_t DocumentPropertiesSizeA() = 0;
  // DocumentPropertiesA with DM_OUT_BUFFER: fills `block` (already sized by the caller)
  // with the printer's current settings; a negative result is a failure.
  virtual std::int32_t DocumentPropertiesA(std::vector<std::uint8_t>& block) = 0;
};

class PrintSystem {
 public:
  virtual ~PrintSystem() = default;

  // False when the version could not be read.
  virtual bool GetVersionExA(OsVersion& out) = 0;

  // EnumPrintersA without a buffer, asking for the size. False when the call failed, with
  // GetLastError in `error`; a call that only lacked room fails with 122 and sets `needed`.
  virtual bool EnumPrintersSizeA(std::uint32_t flags, std::uint32_t level, std::uint32_t& needed,
                                 std::uint32_t& error) = 0;
  // EnumPrintersA into a zero-filled buffer of `size` bytes; false when the call failed.
  virtual bool EnumPrintersA(std::uint32_t flags, std::uint32_t level, std::uint32_t size,
                             std::vector<PrinterEnumInfo>& out) = 0;

  // GetProfileStringA of the platform's own profile, into a buffer of `bufferChars`.
  virtual std::string GetProfileStringA(const std::string& section, const std::string& key,
                                        const std::string& def, std::uint32_t bufferChars) = 0;

  // Null when the printer cannot be opened.
  virtual std::unique_ptr<OpenedPrinter> OpenPrinterA(const std::string& printerName) = 0;

  // OpenPrinterA and GetPrinterA level 2 of the printer by name; false when it cannot be
  // opened or read.
  virtual bool PrinterPort(const std::string& printerName, PrinterPortInfo& out) = 0;

  // Contexts for a printer; an empty driver or port name is passed as none, and so are
  // absent settings. Null when the platform gives no context.
  virtual std::unique_ptr<DeviceContext> CreateICA(const std::string& driver,
                                                   const std::string& device,
                                                   const std::string& port,
                                                   const DeviceMode* settings) = 0;
  virtual std::unique_ptr<DeviceContext> CreateDCA(const std::string& driver,
                                                   const std::string& device,
                                                   const std::string& port,
                                                   const DeviceMode* settings) = 0;

  // The system's text for an error code (FormatMessageA), empty when it has none.
  virtual std::string FormatMessageA(std::uint32_t code) = 0;

  // Dispatches the calling thread's waiting window messages; the abort procedure of a
  // document does this while the spooler works.
  virtual void DispatchPendingMessages() = 0;
};

}  // namespace korv
