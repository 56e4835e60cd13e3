#pragma once
// Owners of GDI handles: a device or information context (DeleteDC), a font, pen or
// brush (DeleteObject), and the object a context held before ours was selected, put
// back when the owner goes (SelectObject).
#include <utility>

#include "settings/win32/UniqueHandle.h"

namespace korv::win32 {

// A device or information context made with CreateDCA or CreateICA.
struct CreatedDcTraits {
  using Handle = HDC;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { DeleteDC(handle); }
};

// A font, pen or brush.
struct GdiObjectTraits {
  using Handle = HGDIOBJ;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { DeleteObject(handle); }
};

using DcHandle = UniqueHandle<CreatedDcTraits>;

// SelectObject's answer when it failed: null, or HGDI_ERROR (all bits set; spelled out here
// because the SDK's macro changes sign in 64-bit builds, which -Werror refuses).
inline bool SelectionFailed(HGDIOBJ previous) {
  return previous == nullptr || previous == reinterpret_cast<HGDIOBJ>(static_cast<LONG_PTR>(-1));
}
using GdiObjectHandle = UniqueHandle<GdiObjectTraits>;

// Remembers what a context held before the first of our objects of one kind went in,
// and selects it again when destroyed, so none of ours is still selected when deleted.
class SelectionRestore {
 public:
  SelectionRestore() = default;
  SelectionRestore(HDC dc, HGDIOBJ original) : dc_(dc), original_(original) {}
  SelectionRestore(SelectionRestore&& other) noexcept
      : dc_(std::exchange(other.dc_, nullptr)),
        original_(std::exchange(other.original_, nullptr)) {}
  SelectionRestore& operator=(SelectionRestore&& other) noexcept {
    if (this != &other) {
      Restore();
      dc_ = std::exchange(other.dc_, nullptr);
      original_ = std::exchange(other.original_, nullptr);
    }
    return *this;
  }
  SelectionRestore(const SelectionRestore&) = delete;
  SelectionRestore& operator=(const SelectionRestore&) = delete;
  ~SelectionRestore() { Restore(); }

  explicit operator bool() const { return original_ != nullptr; }

 private:
  void Restore() {
    if (dc_ && original_) SelectObject(dc_, original_);
    dc_ = nullptr;
    original_ = nullptr;
  }

  HDC dc_ = nullptr;
  HGDIOBJ original_ = nullptr;
};

}  // namespace korv::win32
