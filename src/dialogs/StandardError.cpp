#include "dialogs/StandardError.h"

namespace korv {

std::string StandardErrorText(const std::string& message) {
  // Characters compare as the host's 8-bit bytes: bytes above 127 sort after ".".
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

}  // namespace korv
