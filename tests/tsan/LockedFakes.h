#pragma once
// Fakes for ports that the platform makes safe to use from both threads (the file system,
// the window, whose adapter posts its changes): the in-memory fakes under one lock, so
// the sanitizer sees only the service's own sharing.
#include <memory>
#include <mutex>
#include <string>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakeServiceView.h"

namespace korv::fakes {

class LockedFileSystem : public FakeFileSystem {
 public:
  bool SetCurrentDirectory(const std::string& path) override {
    std::lock_guard guard(lock_);
    return FakeFileSystem::SetCurrentDirectory(path);
  }
  bool CreateDirectory(const std::string& path) override {
    std::lock_guard guard(lock_);
    return FakeFileSystem::CreateDirectory(path);
  }
  std::unique_ptr<FindSession> FindFirst(const std::string& pattern, FindData& first,
                                         std::uint32_t& error) override {
    std::lock_guard guard(lock_);
    auto session = FakeFileSystem::FindFirst(pattern, first, error);
    if (!session) return nullptr;
    return std::make_unique<Find>(std::move(session), lock_);
  }
  SpoolFileOpen OpenSpoolFile(const std::string& name) override {
    std::lock_guard guard(lock_);
    SpoolFileOpen opened = FakeFileSystem::OpenSpoolFile(name);
    if (opened.file) opened.file = std::make_unique<Job>(std::move(opened.file), lock_);
    return opened;
  }
  bool DeleteFile(const std::string& name) override {
    std::lock_guard guard(lock_);
    return FakeFileSystem::DeleteFile(name);
  }
  bool ClearReadOnly(const std::string& name) override {
    std::lock_guard guard(lock_);
    return FakeFileSystem::ClearReadOnly(name);
  }
  bool MoveFile(const std::string& from, const std::string& to) override {
    std::lock_guard guard(lock_);
    return FakeFileSystem::MoveFile(from, to);
  }
  bool CreateNewFile(const std::string& path, std::uint32_t& error) override {
    std::lock_guard guard(lock_);
    return FakeFileSystem::CreateNewFile(path, error);
  }
  bool CopyFile(const std::string& from, const std::string& to) override {
    std::lock_guard guard(lock_);
    return FakeFileSystem::CopyFile(from, to);
  }
  // Set-up from the test's own thread while the service runs.
  void Drop(const std::string& dir, const std::string& name, const std::string& data) {
    std::lock_guard guard(lock_);
    AddFile(dir, name, data);
  }
  bool Has(const std::string& dir, const std::string& name) {
    std::lock_guard guard(lock_);
    return Exists(dir, name);
  }

 private:
  class Find : public FindSession {
   public:
    Find(std::unique_ptr<FindSession> inner, std::recursive_mutex& lock)
        : inner_(std::move(inner)), lock_(lock) {}
    ~Find() override {
      std::lock_guard guard(lock_);
      inner_.reset();
    }
    bool Next(FindData& out, std::uint32_t& error) override {
      std::lock_guard guard(lock_);
      return inner_->Next(out, error);
    }

   private:
    std::unique_ptr<FindSession> inner_;
    std::recursive_mutex& lock_;
  };
  class Job : public JobFile {
   public:
    Job(std::unique_ptr<JobFile> inner, std::recursive_mutex& lock)
        : inner_(std::move(inner)), lock_(lock) {}
    ~Job() override {
      std::lock_guard guard(lock_);
      inner_.reset();
    }
    bool Read(char* buffer, std::size_t size, std::size_t& got) override {
      std::lock_guard guard(lock_);
      return inner_->Read(buffer, size, got);
    }
    bool Rewind() override {
      std::lock_guard guard(lock_);
      return inner_->Rewind();
    }
    std::string Name() const override { return inner_->Name(); }

   private:
    std::unique_ptr<JobFile> inner_;
    std::recursive_mutex& lock_;
  };

  std::recursive_mutex lock_;
};

class LockedServiceView : public ServiceView {
 public:
  void SetTitle(const std::string& t) override {
    Locked([&] { view_.SetTitle(t); });
  }
  void SetStatus(const std::string& t) override {
    Locked([&] { view_.SetStatus(t); });
  }
  void SetPrinterLabel(const std::string& t) override {
    Locked([&] { view_.SetPrinterLabel(t); });
  }
  void SetFontLabel(const std::string& t) override {
    Locked([&] { view_.SetFontLabel(t); });
  }
  void EnableSelectPrinter(bool e) override {
    Locked([&] { view_.EnableSelectPrinter(e); });
  }
  void EnablePrinterFont(bool e) override {
    Locked([&] { view_.EnablePrinterFont(e); });
  }
  void EnableTestPage(bool e) override {
    Locked([&] { view_.EnableTestPage(e); });
  }
  void SetUseDefaultTicked(bool t) override {
    Locked([&] { view_.SetUseDefaultTicked(t); });
  }

  // The window's state as the user would see it.
  FakeServiceView Snapshot() const {
    std::lock_guard guard(lock_);
    return view_;
  }

 private:
  template <typename F>
  void Locked(F f) {
    std::lock_guard guard(lock_);
    f();
  }
  mutable std::mutex lock_;
  FakeServiceView view_;
};

}  // namespace korv::fakes
