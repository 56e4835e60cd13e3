#pragma once
// The job log's facts with the routing's word on each job: a job a route or RawPrinter
// sent elsewhere is logged on that printer, with the route that chose it.
#include "joblog/JobLogPorts.h"
#include "routing/JobRouting.h"

namespace korv {

class RoutedJobFacts final : public JobFactsSource {
 public:
  RoutedJobFacts(JobFactsSource& facts, const JobRouting& routing)
      : facts_(facts), routing_(routing) {}

  bool LogEnabled() override { return facts_.LogEnabled(); }
  JobFacts Facts(bool raw) override {
    JobFacts facts = facts_.Facts(raw);
    const JobTarget& target = routing_.Current();
    if (!target.printer.empty()) facts.printer = target.printer;
    facts.route = target.route;
    return facts;
  }

 private:
  JobFactsSource& facts_;
  const JobRouting& routing_;
};

}  // namespace korv
