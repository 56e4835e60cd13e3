#pragma once

namespace korv {

// The modifier keys held down with a key press or a mouse click.
struct KeyState {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

}  // namespace korv
