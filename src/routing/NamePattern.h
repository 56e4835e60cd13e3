#pragma once
// File-name patterns of the routes: "*" any run of characters, "?" any one character,
// letters without regard to ASCII case.
#include <string_view>

namespace korv {

bool NameMatches(std::string_view pattern, std::string_view name);

}  // namespace korv
