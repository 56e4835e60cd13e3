#pragma once
// Job branches that read each job to its end and record its bytes. They can be told to
// fail, to report a stop, or to run a hook in the middle of a job.
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "spool/JobBranches.h"

namespace korv::fakes {

class FakeJobBranch {
 public:
  std::vector<std::string> printed;  // each job's bytes, as read
  std::string failWith;              // non-empty: throw std::runtime_error with this text
  JobOutcome outcome = JobOutcome::Printed;
  std::function<void()> during;  // runs after the job has been read

 protected:
  JobOutcome Take(JobFile& job) {
    std::string bytes;
    char buffer[5];  // small on purpose: jobs span several reads
    std::size_t got = 0;
    while (job.Read(buffer, sizeof buffer, got) && got > 0) bytes.append(buffer, got);
    printed.push_back(bytes);
    if (during) during();
    if (!failWith.empty()) throw std::runtime_error(failWith);
    return outcome;
  }
};

class FakeTextJobBranch : public TextJobBranch, public FakeJobBranch {
 public:
  JobOutcome PrintTextJob(JobFile& job) override { return Take(job); }
};

class FakeRawJobBranch : public RawJobBranch, public FakeJobBranch {
 public:
  JobOutcome PrintRawJob(JobFile& job, bool pageFeed) override {
    pageFeeds.push_back(pageFeed);
    return Take(job);
  }
  std::vector<bool> pageFeeds;  // each job's page-feed handling
};

}  // namespace korv::fakes
