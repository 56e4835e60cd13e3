#include "printing/win32/Win32PrintSystem.h"

#include <windows.h>
#include <winspool.h>

#include "printing/win32/PrinterHandle.h"
#include "printing/win32/Win32DeviceContext.h"
#include "win32/UniqueHandle.h"

namespace korv::win32 {

namespace {

std::string Text(const char* text) {
  return text ? std::string(text) : std::string();
}

const char* OrNull(const std::string& text) {
  return text.empty() ? nullptr : text.c_str();
}

const DEVMODEA* AsDevMode(const DeviceMode* settings) {
  return settings ? reinterpret_cast<const DEVMODEA*>(settings->Bytes().data()) : nullptr;
}

class Win32OpenedPrinter : public OpenedPrinter {
 public:
  Win32OpenedPrinter(UniquePrinterHandle handle, std::string name)
      : handle_(std::move(handle)), name_(std::move(name)) {}

  std::int32_t DocumentPropertiesSizeA() override {
    return ::DocumentPropertiesA(nullptr, handle_.Get(), name_.data(), nullptr, nullptr, 0);
  }

  std::int32_t DocumentPropertiesA(std::vector<std::uint8_t>& block) override {
    return ::DocumentPropertiesA(nullptr, handle_.Get(), name_.data(),
                                 reinterpret_cast<DEVMODEA*>(block.data()), nullptr, DM_OUT_BUFFER);
  }

 private:
  UniquePrinterHandle handle_;
  std::string name_;
};

}  // namespace

bool Win32PrintSystem::GetVersionExA(OsVersion& out) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = static_cast<DWORD>(sizeof(info));
#ifdef _MSC_VER
#pragma warning(suppress : 4996)  // the platform and major version are all that is wanted
#endif
  if (!::GetVersionExA(&info)) return false;
  out.platformId = info.dwPlatformId;
  out.majorVersion = info.dwMajorVersion;
  return true;
}

bool Win32PrintSystem::EnumPrintersSizeA(std::uint32_t flags, std::uint32_t level,
                                         std::uint32_t& needed, std::uint32_t& error) {
  DWORD bytes = 0, count = 0;
  if (::EnumPrintersA(flags, nullptr, level, nullptr, 0, &bytes, &count)) {
    needed = bytes;
    return true;
  }
  error = ::GetLastError();
  needed = bytes;
  return false;
}

bool Win32PrintSystem::EnumPrintersA(std::uint32_t flags, std::uint32_t level, std::uint32_t size,
                                     std::vector<PrinterEnumInfo>& out) {
  if (level != 4 && level != 5) return false;
  // Zero-filled, and aligned for the records the spooler writes at its start.
  std::vector<std::uint64_t> buffer((size + 7) / 8 + 1, 0);
  auto* bytes = reinterpret_cast<BYTE*>(buffer.data());
  DWORD used = 0, count = 0;
  if (!::EnumPrintersA(flags, nullptr, level, size > 0 ? bytes : nullptr, size, &used, &count))
    return false;
  out.clear();
  for (DWORD i = 0; i < count; ++i) {
    if (level == 4) {
      const auto* info = reinterpret_cast<const PRINTER_INFO_4A*>(bytes) + i;
      out.push_back({Text(info->pPrinterName), ""});
    } else {
      const auto* info = reinterpret_cast<const PRINTER_INFO_5A*>(bytes) + i;
      out.push_back({Text(info->pPrinterName), Text(info->pPortName)});
    }
  }
  return true;
}

std::string Win32PrintSystem::GetProfileStringA(const std::string& section, const std::string& key,
                                                const std::string& def, std::uint32_t bufferChars) {
  if (bufferChars == 0) return "";
  std::string buffer(bufferChars, '\0');
  DWORD length =
      ::GetProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer.data(), bufferChars);
  buffer.resize(length < bufferChars ? length : bufferChars - 1);
  return buffer;
}

std::unique_ptr<OpenedPrinter> Win32PrintSystem::OpenPrinterA(const std::string& printerName) {
  std::string name = printerName;
  HANDLE handle = nullptr;
  if (!::OpenPrinterA(name.data(), &handle, nullptr) || !handle) return nullptr;
  return std::make_unique<Win32OpenedPrinter>(UniquePrinterHandle(handle), std::move(name));
}

bool Win32PrintSystem::PrinterPort(const std::string& printerName, PrinterPortInfo& out) {
  std::string name = printerName;
  HANDLE opened = nullptr;
  if (!::OpenPrinterA(name.data(), &opened, nullptr) || !opened) return false;
  UniquePrinterHandle handle(opened);
  DWORD needed = 0;
  ::GetPrinterA(handle.Get(), 2, nullptr, 0, &needed);
  if (needed == 0) return false;
  // Aligned for the record the spooler writes at its start.
  std::vector<std::uint64_t> buffer(needed / 8 + 1, 0);
  auto* bytes = reinterpret_cast<BYTE*>(buffer.data());
  if (!::GetPrinterA(handle.Get(), 2, bytes, needed, &needed)) return false;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(bytes);
  out.portName = Text(info->pPortName);
  out.driverName = Text(info->pDriverName);
  return true;
}

std::unique_ptr<DeviceContext> Win32PrintSystem::CreateICA(const std::string& driver,
                                                           const std::string& device,
                                                           const std::string& port,
                                                           const DeviceMode* settings) {
  HDC dc = ::CreateICA(OrNull(driver), device.c_str(), OrNull(port), AsDevMode(settings));
  if (!dc) return nullptr;
  return std::make_unique<Win32DeviceContext>(UniqueDc(dc));
}

std::unique_ptr<DeviceContext> Win32PrintSystem::CreateDCA(const std::string& driver,
                                                           const std::string& device,
                                                           const std::string& port,
                                                           const DeviceMode* settings) {
  HDC dc = ::CreateDCA(OrNull(driver), device.c_str(), OrNull(port), AsDevMode(settings));
  if (!dc) return nullptr;
  return std::make_unique<Win32DeviceContext>(UniqueDc(dc));
}

std::string Win32PrintSystem::FormatMessageA(std::uint32_t code) {
  char buffer[512] = {};
  DWORD length =
      ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       buffer, static_cast<DWORD>(sizeof(buffer)), nullptr);
  std::string text(buffer, length < sizeof(buffer) ? length : 0);
  // The system's texts end in a line break.
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
    text.pop_back();
  return text;
}

void Win32PrintSystem::DispatchPendingMessages() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Not ours to consume: the thread's own loop must still see it.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

}  // namespace korv::win32
