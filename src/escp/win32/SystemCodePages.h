#pragma once
// The system's conversion of the IBM code pages (IsValidCodePage, MultiByteToWideChar).
#include "escp/CodeTable.h"

namespace korv::win32 {

class SystemCodePages : public CodePageConverter {
 public:
  bool ToUnicode(unsigned ibm, CodeTable& out) override;
};

}  // namespace korv::win32
