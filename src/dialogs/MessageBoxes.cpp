#include "dialogs/MessageBoxes.h"

namespace korv {

namespace {

int Show(MessageBoxPort& boxes, const MessageBoxEntry& entry, const std::string& extra = {}) {
  if (entry.beepFirst) boxes.Beep(mb::kIconStop);
  return boxes.Show(entry.text + extra, entry.caption, entry.style);
}

}  // namespace

void ShowFatalErrorBox(MessageBoxPort& boxes, const std::string& detail) {
  Show(boxes, kFatalErrorBox, detail);
}

bool ConfirmTestPage(MessageBoxPort& boxes) {
  return Show(boxes, kTestPageBox) == mb::kIdOk;
}

bool ConfirmRemove(MessageBoxPort& boxes) {
  return Show(boxes, kRemoveBox) == mb::kIdOk;
}

std::string StandardErrorText(const std::string& message) {
  // Characters compare as the host's 8-bit bytes: bytes above 127 sort after ".".
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

void ShowStandardError(MessageBoxPort& boxes, const std::string& message) {
  boxes.Show(StandardErrorText(message), kApplicationTitle, mb::kOk | mb::kIconStop);
}

}  // namespace korv
