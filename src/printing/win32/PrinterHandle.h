#pragma once
// A spooler printer handle from OpenPrinterA, closed with ClosePrinter.
#include <windows.h>
#include <winspool.h>

#include <utility>

namespace korv::win32 {

class PrinterHandle {
 public:
  PrinterHandle() = default;
  explicit PrinterHandle(HANDLE handle) : handle_(handle) {}
  PrinterHandle(PrinterHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  PrinterHandle& operator=(PrinterHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  PrinterHandle(const PrinterHandle&) = delete;
  PrinterHandle& operator=(const PrinterHandle&) = delete;
  ~PrinterHandle() { Reset(); }

  HANDLE Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Closes now and reports ClosePrinter's result (true when there was nothing to close).
  bool Close() {
    if (!handle_) return true;
    return ClosePrinter(std::exchange(handle_, nullptr)) != FALSE;
  }
  void Reset(HANDLE handle = nullptr) {
    if (handle_) ClosePrinter(handle_);
    handle_ = handle;
  }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace korv::win32
