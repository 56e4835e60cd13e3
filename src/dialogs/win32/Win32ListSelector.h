#pragma once
// The service window's list selection port on the real dialog.
#include <functional>

#include "dialogs/ListSelector.h"
#include "dialogs/win32/Win32ListWindow.h"

namespace korv::win32 {

class Win32ListSelector final : public ListSelector {
 public:
  // `owner` names the window the dialog is modal to (the service window).
  Win32ListSelector(std::function<HWND()> owner, Profile& profile)
      : owner_(std::move(owner)), profile_(profile) {}

  std::int16_t SelectFromList(std::uint16_t count, std::uint16_t initial, const std::string& noun,
                              const std::vector<std::string>& items,
                              std::uint8_t position) override;

 private:
  std::function<HWND()> owner_;
  Profile& profile_;
};

}  // namespace korv::win32
