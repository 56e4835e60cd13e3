#pragma once
// The character tables the program carries itself: Kamenicky and Mazovia, and a copy of
// code page 437 for a system that lacks it. All three keep 437's graphics from 0xB0 on.
#include "escp/CodeTable.h"

namespace korv {

// The whole table for Cp437, Kamenicky or Mazovia; another id gives the 437 copy.
CodeTable OwnCodeTable(CodePageId id);

}  // namespace korv
