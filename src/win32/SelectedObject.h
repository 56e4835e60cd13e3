#pragma once
// The one select-and-restore guard: an object selected into a device context, with the
// object the context held before put back when the guard goes, so that none of ours is
// still selected when it is deleted.
#include <utility>

#include "win32/Win32Api.h"

namespace korv {

// SelectObject's answer when it failed: null, or HGDI_ERROR (all bits set; spelled out here
// because the SDK's macro changes sign in 64-bit builds, which -Werror refuses).
inline bool SelectionFailed(HGDIOBJ previous) {
  return previous == nullptr || previous == reinterpret_cast<HGDIOBJ>(static_cast<LONG_PTR>(-1));
}

class SelectedObject {
 public:
  SelectedObject() = default;
  // Selects `object` into `dc`; empty when the selection failed.
  SelectedObject(HDC dc, HGDIOBJ object)
      : SelectedObject(Restoring(dc, SelectObject(dc, object))) {}
  // Takes over a selection already made: `previous` is what SelectObject answered.
  static SelectedObject Restoring(HDC dc, HGDIOBJ previous) {
    SelectedObject guard;
    if (!SelectionFailed(previous)) {
      guard.dc_ = dc;
      guard.previous_ = previous;
    }
    return guard;
  }
  SelectedObject(SelectedObject&& other) noexcept
      : dc_(std::exchange(other.dc_, nullptr)),
        previous_(std::exchange(other.previous_, nullptr)) {}
  SelectedObject& operator=(SelectedObject&& other) noexcept {
    if (this != &other) {
      Restore();
      dc_ = std::exchange(other.dc_, nullptr);
      previous_ = std::exchange(other.previous_, nullptr);
    }
    return *this;
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() { Restore(); }

  // True while there is an object to put back.
  explicit operator bool() const { return previous_ != nullptr; }

 private:
  void Restore() {
    if (dc_ && previous_) SelectObject(dc_, previous_);
    dc_ = nullptr;
    previous_ = nullptr;
  }

  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

}  // namespace korv
