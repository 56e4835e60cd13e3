// Subcommands that read what a program file carries (version, manifest, icon) and what Wine
// made of a window's icon.
#include <windows.h>

#include <string>
#include <vector>

#include "Commands.h"
#include "JsonLine.h"
#include "Window.h"

namespace korv::driver {
namespace {

std::string VersionString(const std::vector<char>& block, const char* name) {
  char* value = nullptr;
  UINT length = 0;
  const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
  if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) ||
      value == nullptr)
    return {};
  return std::string(value);  // up to its terminating NUL
}

std::string ResourceText(HMODULE module, LPCSTR type, LPCSTR id) {
  HRSRC found = FindResourceA(module, id, type);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (data == nullptr) return {};
  return std::string(data, SizeofResource(module, found));
}

// The image sizes of an icon group (GRPICONDIR: 6 bytes, then 14 bytes per image).
std::vector<long long> IconSizes(const std::string& group) {
  std::vector<long long> sizes;
  if (group.size() < 6) return sizes;
  const std::size_t count =
      static_cast<unsigned char>(group[4]) + 256U * static_cast<unsigned char>(group[5]);
  for (std::size_t i = 0; i < count && 6 + 14 * (i + 1) <= group.size(); ++i) {
    const auto width = static_cast<unsigned char>(group[6 + 14 * i]);
    sizes.push_back(width == 0 ? 256 : width);
  }
  return sizes;
}

}  // namespace

int ReadResources(const Args& args) {
  if (args.empty()) return Fail(2, "usage: resources FILE");
  const std::string& file = args[0];
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
  std::vector<char> block(size);
  JsonLine line;
  if (size != 0 && GetFileVersionInfoA(file.c_str(), 0, size, block.data())) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed)
      line.Numbers("file_version",
                   {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                    HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)});
    for (const char* name : {"ProductName", "ProductVersion", "FileVersion", "FileDescription"})
      line.Text(name, VersionString(block, name));
  }
  HMODULE module = LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return Fail(1, "cannot load " + file);
  line.Text("manifest", ResourceText(module, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1)));
  line.Numbers("icon_sizes",
               IconSizes(ResourceText(module, MAKEINTRESOURCEA(14), MAKEINTRESOURCEA(1))));
  FreeLibrary(module);
  line.Print();
  return 0;
}

int ShowXWindow(const Args& args) {
  if (args.empty()) return Fail(2, "usage: xwindow WINDOW");
  HWND window = ResolveWindow(args[0]);
  if (window == nullptr) return Fail(1, "no window " + args[0]);
  // Wine keeps the X window of a top-level window as a window property.
  const auto xid = reinterpret_cast<ULONG_PTR>(GetPropA(window, "__wine_x11_whole_window"));
  if (xid == 0) return Fail(1, "no X window for " + args[0]);
  JsonLine().Number("xwindow", static_cast<long long>(xid)).Print();
  return 0;
}

}  // namespace korv::driver
