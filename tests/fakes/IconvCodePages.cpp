#include "fakes/IconvCodePages.h"

#include <iconv.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace korv::fakes {

bool IconvCodePages::ToUnicode(unsigned ibm, CodeTable& out) {
  asked.insert(ibm);
  if (missing.count(ibm) != 0) return false;
  const std::string name = "CP" + std::to_string(ibm);
  iconv_t cd = iconv_open("UTF-32LE", name.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  bool ok = true;
  for (std::size_t byte = 0; byte < 256 && ok; ++byte) {
    char in = static_cast<char>(byte);
    std::uint8_t utf32[4] = {};
    char* inPtr = &in;
    char* outPtr = reinterpret_cast<char*>(utf32);
    std::size_t inLeft = 1, outLeft = sizeof utf32;
    ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) &&
         outLeft == 0 && utf32[2] == 0 && utf32[3] == 0;
    out[byte] = static_cast<char16_t>(utf32[0] | utf32[1] << 8);
  }
  iconv_close(cd);
  return ok;
}

}  // namespace korv::fakes
