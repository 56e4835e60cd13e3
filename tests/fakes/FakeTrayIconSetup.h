#pragma once
// Records the settings the print loop gives the notification-area icon.
#include <stdexcept>
#include <string>
#include <vector>

#include "dialogs/TrayIconSetup.h"

namespace korv::fakes {

class FakeTrayIconSetup : public TrayIconSetup {
 public:
  void ApplyPrintLoopSettings(const TraySettings& settings) override {
    applied.push_back(settings);
    if (!failWith.empty()) throw std::runtime_error(failWith);
  }

  std::vector<TraySettings> applied;
  std::string failWith;
};

}  // namespace korv::fakes
