#include "joblog/JobLogWriter.h"

namespace korv {

JobLogWriter::~JobLogWriter() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard guard(lock_);
    stop_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void JobLogWriter::Started(bool rawMode) {
  try {
    enabled_ = facts_.LogEnabled();
    if (!enabled_) return;
    if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    Post(StartText(version_, facts_.Facts(rawMode).printer, rawMode));
  } catch (...) {
    enabled_ = false;  // no thread, no log; the service goes on
  }
}

void JobLogWriter::JobStarted(const std::string& file, std::int64_t bytes, bool raw) {
  if (!enabled_) return;
  job_ = JobLine{file, bytes, raw, {}, 0, 0, {}, {}, false};
  jobStart_ = clock_.Milliseconds();
}

void JobLogWriter::ReprintStarted(const std::string& file, std::int64_t bytes, bool raw) {
  JobStarted(file, bytes, raw);
  job_.reprint = true;
}

void JobLogWriter::JobEnded(const std::string& result) {
  if (!enabled_) return;
  try {
    const JobFacts facts = facts_.Facts(job_.raw);
    job_.printer = facts.printer;
    job_.pages = facts.pages;
    job_.route = facts.route;
    job_.milliseconds = clock_.Milliseconds() - jobStart_;
    job_.result = result;
    Post(JobText(job_));
  } catch (...) {
  }
}

void JobLogWriter::ControlObeyed(const std::string& file) {
  if (enabled_) Post(ControlText(file));
}

void JobLogWriter::Error(const std::string& text) {
  if (!enabled_ || text == lastError_) return;
  Post(ErrorText(text));
  lastError_ = text;
}

void JobLogWriter::Note(const std::string& text) {
  if (enabled_) Post(NoteText(text));
}

void JobLogWriter::Stopped() {
  if (enabled_) Post(StopText());
}

void JobLogWriter::Flush() {
  std::unique_lock guard(lock_);
  idle_.wait(guard, [this] { return !thread_.joinable() || (queue_.empty() && !writing_); });
}

void JobLogWriter::Post(const std::string& text) {
  try {
    std::string line = LogLine(clock_.Now(), text);
    lastError_.clear();
    {
      std::lock_guard guard(lock_);
      if (queue_.size() >= kQueueLimit) {
        ++dropped_;
        return;
      }
      queue_.push_back(std::move(line));
    }
    wake_.notify_one();
  } catch (...) {
    // A line that cannot even be made is lost; printing goes on.
  }
}

void JobLogWriter::Run() {
  std::unique_lock guard(lock_);
  for (;;) {
    wake_.wait(guard, [this] { return stop_ || !queue_.empty(); });
    if (queue_.empty() && stop_) return;
    std::deque<std::string> lines;
    lines.swap(queue_);
    const std::size_t dropped = dropped_;
    dropped_ = 0;
    writing_ = true;
    guard.unlock();
    if (dropped != 0)
      lines.push_back(LogLine(clock_.Now(), "dropped lines=" + std::to_string(dropped)));
    try {
      Write(lines);
    } catch (...) {
      size_ = -1;
    }
    guard.lock();
    writing_ = false;
    idle_.notify_all();
  }
}

void JobLogWriter::Write(const std::deque<std::string>& lines) {
  std::string batch;
  for (const std::string& line : lines) {
    if (size_ < 0) size_ = file_.Size();
    const auto pending = static_cast<std::int64_t>(batch.size());
    if (size_ >= 0 && size_ + pending > 0 &&
        size_ + pending + static_cast<std::int64_t>(line.size()) > kRotateAt) {
      Append(batch);
      batch.clear();
      size_ = file_.Rotate() ? 0 : -1;
    }
    batch += line;
  }
  Append(batch);
}

void JobLogWriter::Append(const std::string& text) {
  if (text.empty()) return;
  if (!file_.Append(text)) {
    size_ = -1;  // asked again before the next line: the file may be back
    return;
  }
  if (size_ >= 0) size_ += static_cast<std::int64_t>(text.size());
}

}  // namespace korv
