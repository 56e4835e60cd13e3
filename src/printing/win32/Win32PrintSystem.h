#pragma once
// The print-system port on the spooler and GDI: each call is the API function of the same
// name, with its result reported as is.
#include "printing/PrintSystem.h"

namespace korv::win32 {

class Win32PrintSystem : public PrintSystem {
 public:
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
  void DispatchPendingMessages() override;
};

}  // namespace korv::win32
