#pragma once
// Records host window searches and activations: "find", "activate pause", "activate".
#include <string>
#include <vector>

#include "spool/HostWindowActivation.h"

namespace korv::fakes {

class FakeHostWindowActivation : public HostWindowActivation {
 public:
  void FindHostWindow() override { log.push_back("find"); }
  void ActivateHostWindow(bool pause) override {
    log.push_back(pause ? "activate pause" : "activate");
  }

  std::vector<std::string> log;
};

}  // namespace korv::fakes
