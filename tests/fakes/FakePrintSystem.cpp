#include "fakes/FakePrintSystem.h"

#include <cstring>

namespace korv::fakes {

namespace {

class FakeOpenedPrinter : public OpenedPrinter {
 public:
  FakeOpenedPrinter(FakePrintSystem& system, std::string name)
      : system_(system), name_(std::move(name)) {
    ++system_.openPrinters;
  }
  ~FakeOpenedPrinter() override { --system_.openPrinters; }

  std::int32_t DocumentPropertiesSizeA() override {
    system_.calls.push_back("DocumentPropertiesSizeA " + name_);
    if (system_.noSettings.count(name_)) return -1;
    return static_cast<std::int32_t>(Block().size());
  }
  std::int32_t DocumentPropertiesA(std::vector<std::uint8_t>& block) override {
    system_.calls.push_back("DocumentPropertiesA " + name_);
    if (system_.failSettingsFill) return -1;
    std::vector<std::uint8_t> settings = Block();
    std::memcpy(block.data(), settings.data(), std::min(block.size(), settings.size()));
    return 1;
  }

 private:
  std::vector<std::uint8_t> Block() const {
    auto it = system_.deviceModes.find(name_);
    return it != system_.deviceModes.end() ? it->second : FakePrintSystem::MakeDeviceMode(1);
  }

  FakePrintSystem& system_;
  std::string name_;
};

}  // namespace

std::vector<std::uint8_t> FakePrintSystem::MakeDeviceMode(std::int16_t orientation,
                                                          std::size_t size) {
  std::vector<std::uint8_t> block(size, 0);
  DeviceMode mode(block);
  mode.SetOrientation(orientation);
  block = mode.Bytes();
  block[DeviceMode::kFieldsOffset] = 0;  // the driver's own block marks nothing yet
  return block;
}

bool FakePrintSystem::GetVersionExA(OsVersion& out) {
  calls.push_back("GetVersionExA");
  if (failVersion) return false;
  out = version;
  return true;
}

const std::vector<PrinterEnumInfo>& FakePrintSystem::Answer(std::uint32_t flags,
                                                            std::uint32_t level) const {
  if (flags & kPrinterEnumDefault) return defaults;
  return level == 4 ? level4 : level5;
}

bool FakePrintSystem::EnumPrintersSizeA(std::uint32_t flags, std::uint32_t level,
                                        std::uint32_t& needed, std::uint32_t& error) {
  calls.push_back("EnumPrintersSizeA " + std::to_string(flags) + " " + std::to_string(level));
  if (sizeQueryError) {
    needed = 0;
    error = *sizeQueryError;
    return false;
  }
  needed = static_cast<std::uint32_t>(Answer(flags, level).size() * 64);
  if (needed == 0) return true;
  error = kErrorInsufficientBuffer;
  return false;
}

bool FakePrintSystem::EnumPrintersA(std::uint32_t flags, std::uint32_t level, std::uint32_t size,
                                    std::vector<PrinterEnumInfo>& out) {
  calls.push_back("EnumPrintersA " + std::to_string(flags) + " " + std::to_string(level) + " " +
                  std::to_string(size));
  if (failEnumFill) return false;
  out = Answer(flags, level);
  return true;
}

std::string FakePrintSystem::GetProfileStringA(const std::string& section, const std::string& key,
                                               const std::string& def, std::uint32_t bufferChars) {
  calls.push_back("GetProfileStringA " + section + " " + key + " " + std::to_string(bufferChars));
  if (section != "windows" || key != "device" || legacyDevice.empty()) return def;
  return legacyDevice.substr(0, bufferChars > 0 ? bufferChars - 1 : 0);
}

std::unique_ptr<OpenedPrinter> FakePrintSystem::OpenPrinterA(const std::string& printerName) {
  calls.push_back("OpenPrinterA " + printerName);
  if (unopenable.count(printerName)) return nullptr;
  return std::make_unique<FakeOpenedPrinter>(*this, printerName);
}

bool FakePrintSystem::PrinterPort(const std::string& printerName, PrinterPortInfo& out) {
  calls.push_back("PrinterPort " + printerName);
  auto it = ports.find(printerName);
  if (it == ports.end()) return false;
  out = it->second;
  return true;
}

std::unique_ptr<DeviceContext> FakePrintSystem::MakeContext(bool deviceContext,
                                                            const std::string& driver,
                                                            const std::string& device,
                                                            const std::string& port,
                                                            const DeviceMode* settings) {
  std::string description = driver + "|" + device + "|" + port;
  calls.push_back((deviceContext ? "CreateDCA " : "CreateICA ") + description);
  if (deviceContext ? failCreateDC : failCreateIC) return nullptr;
  ContextRequest request{deviceContext, driver, device, port, std::nullopt};
  if (settings) request.settings = settings->Bytes();
  contexts.push_back(std::move(request));
  std::map<DeviceCap, int> contextCaps = caps;
  // A landscape page is the portrait page turned.
  if (settings && settings->Orientation() == DeviceMode::kLandscape)
    std::swap(contextCaps[DeviceCap::HorzRes], contextCaps[DeviceCap::VertRes]);
  return std::make_unique<FakeDeviceContext>(log, std::move(contextCaps), std::move(description));
}

std::unique_ptr<DeviceContext> FakePrintSystem::CreateICA(const std::string& driver,
                                                          const std::string& device,
                                                          const std::string& port,
                                                          const DeviceMode* settings) {
  return MakeContext(false, driver, device, port, settings);
}

std::unique_ptr<DeviceContext> FakePrintSystem::CreateDCA(const std::string& driver,
                                                          const std::string& device,
                                                          const std::string& port,
                                                          const DeviceMode* settings) {
  return MakeContext(true, driver, device, port, settings);
}

std::string FakePrintSystem::FormatMessageA(std::uint32_t code) {
  calls.push_back("FormatMessageA " + std::to_string(code));
  auto it = messages.find(code);
  return it == messages.end() ? "" : it->second;
}

}  // namespace korv::fakes
