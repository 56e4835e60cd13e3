#include "settings/win32/WideNames32.h"

#include <string_view>
#include <vector>

#include "settings/WideNames.h"

namespace korv::win32 {

namespace {

constexpr const wchar_t* kLongPrefix = L"\\\\?\\";

std::wstring WideFromAnsi(const std::string& text) {
  if (text.empty()) return {};
  const int length =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring out(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), length);
  return out;
}

// Absolute wide path to its long-path form.
std::wstring LongForm(const std::wstring& path) {
  if (path.rfind(kLongPrefix, 0) == 0) return path;
  if (path.rfind(L"\\\\", 0) == 0) return std::wstring(kLongPrefix) + L"UNC\\" + path.substr(2);
  return kLongPrefix + path;
}

}  // namespace

std::wstring WideFromWtf8(const std::string& name) {
  const std::u16string wide = Utf16FromWtf8(name);
  return std::wstring(wide.begin(), wide.end());
}

std::wstring WideFromText(const std::string& text) {
  const std::u16string wide = Utf16FromWtf8(text);
  if (Wtf8FromUtf16(wide) == text) return std::wstring(wide.begin(), wide.end());
  return WideFromAnsi(text);
}

std::string Wtf8FromWide(const std::wstring& name) {
  return Wtf8FromUtf16(std::u16string(name.begin(), name.end()));
}

std::wstring LongCurrentDirectory() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return {};
  std::vector<wchar_t> buffer(size + 1);
  const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
  if (length == 0 || length >= buffer.size()) return {};
  std::wstring dir(buffer.data(), length);
  while (dir.size() > 3 && dir.back() == L'\\') dir.pop_back();
  if (dir.back() == L'\\') dir.pop_back();  // "C:\" -> "C:", the name adds the backslash
  return LongForm(dir);
}

std::wstring LongPathOf(const std::string& name) {
  const std::size_t slash = name.find_last_of("\\/");
  // A name without a backslash is a spool name, whatever else it holds (Wine lists
  // names with a colon).
  if (slash == std::string::npos) return LongCurrentDirectory() + L"\\" + WideFromWtf8(name);
  std::wstring dir = WideFromAnsi(name.substr(0, slash));
  std::wstring leaf = WideFromWtf8(name.substr(slash + 1));
  // Only a full path can take the long form; a relative one goes as it is.
  const bool full = (dir.size() >= 2 && dir[1] == L':') || dir.rfind(L"\\\\", 0) == 0;
  if (!full) return LongCurrentDirectory() + L"\\" + dir + L"\\" + leaf;  // below the spool
  // Doubled backslashes (the spool directory is formed with one) mean nothing to the
  // system in the ordinary form, but do in the long one.
  std::wstring clean;
  for (std::size_t i = 0; i < dir.size(); ++i)
    if (!(dir[i] == L'\\' && i > 1 && dir[i - 1] == L'\\')) clean.push_back(dir[i]);
  while (!clean.empty() && clean.back() == L'\\') clean.pop_back();
  return LongForm(clean) + L"\\" + leaf;
}

bool HasForbiddenCharacters(const std::wstring& name) {
  for (wchar_t c : name)
    if (c < 32 || std::wstring_view(L"<>:\"|?*/").find(c) != std::wstring_view::npos) return true;
  return false;
}

std::string ErrorText(DWORD code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string out = length > 0 && text ? std::string(text, length) : std::string();
  if (text) LocalFree(text);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' '))
    out.pop_back();
  if (out.empty()) out = "error " + std::to_string(code);
  return out;
}

}  // namespace korv::win32
