#pragma once
// The text of the EPrinter an action raises, for comparing with the printer object's texts.
#include <functional>
#include <string>

#include "printing/EPrinter.h"

namespace korv::testing {

inline std::string ErrorText(const std::function<void()>& action) {
  try {
    action();
  } catch (const EPrinter& error) {
    return error.what();
  }
  return "(no EPrinter)";
}

}  // namespace korv::testing
