#pragma once
// Owners of GDI handles: a device or information context (DeleteDC), a font, pen or
// brush (DeleteObject), and the object a context held before ours was selected, put
// back when the owner goes (SelectObject).
#include <windows.h>

#include <utility>

namespace korv::win32 {

class DcHandle {
 public:
  DcHandle() = default;
  explicit DcHandle(HDC dc) : dc_(dc) {}
  DcHandle(DcHandle&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
  DcHandle& operator=(DcHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.dc_, nullptr));
    return *this;
  }
  DcHandle(const DcHandle&) = delete;
  DcHandle& operator=(const DcHandle&) = delete;
  ~DcHandle() { Reset(); }

  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }
  void Reset(HDC dc = nullptr) {
    if (dc_) DeleteDC(dc_);
    dc_ = dc;
  }

 private:
  HDC dc_ = nullptr;
};

class GdiObjectHandle {
 public:
  GdiObjectHandle() = default;
  explicit GdiObjectHandle(HGDIOBJ object) : object_(object) {}
  GdiObjectHandle(GdiObjectHandle&& other) noexcept
      : object_(std::exchange(other.object_, nullptr)) {}
  GdiObjectHandle& operator=(GdiObjectHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.object_, nullptr));
    return *this;
  }
  GdiObjectHandle(const GdiObjectHandle&) = delete;
  GdiObjectHandle& operator=(const GdiObjectHandle&) = delete;
  ~GdiObjectHandle() { Reset(); }

  HGDIOBJ Get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  void Reset(HGDIOBJ object = nullptr) {
    if (object_) DeleteObject(object_);
    object_ = object;
  }

 private:
  HGDIOBJ object_ = nullptr;
};

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
