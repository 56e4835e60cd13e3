#include "win32/ProgramIcon.h"

#include "win32/Resources.h"

namespace korv::win32 {

HICON ProgramIcon(IconSize size) {
  const bool large = size == IconSize::Large;
  const int width = GetSystemMetrics(large ? SM_CXICON : SM_CXSMICON);
  const int height = GetSystemMetrics(large ? SM_CYICON : SM_CYSMICON);
  HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(KORV_ICON_PROGRAM),
                           IMAGE_ICON, width, height, LR_SHARED);
  if (icon) return static_cast<HICON>(icon);
  return LoadIcon(nullptr, IDI_APPLICATION);
}

}  // namespace korv::win32
