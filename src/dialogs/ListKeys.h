#pragma once
// The list control's key table: fourteen bindings, each matching its key only with
// exactly the modifier shown (never Ctrl or Alt). Keys are Windows virtual-key codes.
#include <cstdint>
#include <optional>

#include "dialogs/KeyState.h"

namespace korv {

enum class ListCommand {
  Space,
  F8,
  F9,
  D,
  R,
  X,
  ShiftEight,
  Eight,
  F2,
  F3,
  F7,
  P,
  F,
  ShiftF7,
};

// The binding a key press matches, if any.
std::optional<ListCommand> ListKeyCommand(std::uint16_t virtualKey, KeyState modifiers);

}  // namespace korv
