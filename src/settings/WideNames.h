#pragma once
// File names between the platform's UTF-16 and the core's 8-bit strings. The core carries
// wide names as WTF-8: UTF-8 that also keeps a lone surrogate (a name Windows allows but
// Unicode does not), so every name a directory holds survives the trip both ways.
#include <string>
#include <string_view>

namespace korv {

std::string Wtf8FromUtf16(std::u16string_view wide);

// Bytes that are not WTF-8 come back as U+FFFD, one per byte.
std::u16string Utf16FromWtf8(std::string_view narrow);

}  // namespace korv
