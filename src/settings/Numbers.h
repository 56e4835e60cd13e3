#pragma once
// Number and text helpers of the settings.
#include <cstdint>
#include <string>

namespace korv {

// The text without its space characters (code 32); tabs and the rest stay.
std::string RemoveSpaces(const std::string& text);

// A whole number in decimal (optional sign) or hexadecimal ("$", "x", "X", "0x", "0X",
// at most eight significant digits, two's complement); spaces ignored. Anything else,
// out of range or with trailing characters, gives 0. Never fails.
std::int32_t ParseInteger(const std::string& text);

// `count` copies of `ch`.
std::string RepeatChar(char ch, std::size_t count);

}  // namespace korv
