#pragma once
// The IBM code pages through the C library's iconv, so tests check real mappings; it can
// be told that a code page is not installed.
#include <set>

#include "escp/CodeTable.h"

namespace korv::fakes {

class IconvCodePages : public CodePageConverter {
 public:
  bool ToUnicode(unsigned ibm, CodeTable& out) override;

  std::set<unsigned> missing;  // code pages reported as not installed
  std::set<unsigned> asked;    // code pages asked for
};

}  // namespace korv::fakes
