#pragma once
// A spooler printer handle from OpenPrinterA, closed with ClosePrinter.
#include "win32/UniqueHandle.h"

#include <winspool.h>

namespace korv::win32 {

struct PrinterHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { ClosePrinter(handle); }
};

using UniquePrinterHandle = UniqueHandle<PrinterHandleTraits>;

}  // namespace korv::win32
