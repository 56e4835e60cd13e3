#pragma once
// What the job log asks about the service: whether the profile wants a log (key `Log`, off
// only when "N"), and the printer and pages of the job just printed.
#include "base/ServiceConstants.h"
#include "base/ServiceState.h"
#include "joblog/JobLogPorts.h"
#include "printing/TPrinter.h"
#include "settings/Profile.h"

namespace korv {

class ServiceJobFacts final : public JobFactsSource {
 public:
  ServiceJobFacts(Profile& profile, TPrinter& printer, ServiceState& state)
      : profile_(profile), printer_(printer), state_(state) {}

  bool LogEnabled() override { return profile_.ProfileRead(kLogKey, kYes) != kNo; }

  // Text jobs print on the printer object's printer; raw jobs go to the chosen printer.
  JobFacts Facts(bool raw) override {
    if (raw) return {state_.chosenPrinter.Get(), 0, ""};
    return {printer_.SelectedPrinterName(), printer_.PageCount(), ""};
  }

 private:
  Profile& profile_;
  TPrinter& printer_;
  ServiceState& state_;
};

}  // namespace korv
