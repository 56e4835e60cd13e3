#include "escp/win32/SystemCodePages.h"

#include <cstddef>

#include "win32/Win32Api.h"

namespace korv::win32 {

bool SystemCodePages::ToUnicode(unsigned ibm, CodeTable& out) {
  if (!::IsValidCodePage(ibm)) return false;
  char bytes[256];
  for (std::size_t i = 0; i < 256; ++i) bytes[i] = static_cast<char>(i);
  wchar_t wide[256];
  // One byte is one character in these code pages: 256 bytes give 256 characters.
  if (::MultiByteToWideChar(ibm, 0, bytes, 256, wide, 256) != 256) return false;
  for (std::size_t i = 0; i < 256; ++i) out[i] = static_cast<char16_t>(wide[i]);
  return true;
}

}  // namespace korv::win32
