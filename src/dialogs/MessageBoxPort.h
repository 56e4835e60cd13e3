#pragma once
// The standard message dialog and the system beep. Styles and results carry the values
// of the window system's own constants, so the adapter passes them straight through.
#include <string>

namespace korv {

namespace mb {
inline constexpr unsigned kOk = 0x0;
inline constexpr unsigned kOkCancel = 0x1;
inline constexpr unsigned kIconStop = 0x10;  // also the error icon and the error beep
inline constexpr unsigned kIconQuestion = 0x20;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
}  // namespace mb

class MessageBoxPort {
 public:
  virtual ~MessageBoxPort() = default;
  // Shows a box centred on the screen and returns the button pressed; Escape and
  // closing give kIdCancel (MessageBoxA).
  virtual int Show(const std::string& text, const std::string& caption, unsigned style) = 0;
  virtual void Beep(unsigned type) = 0;  // MessageBeep
};

}  // namespace korv
