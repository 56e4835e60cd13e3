// The window thread and the print thread share one Profile: a Global access on one
// must never send an access of the other to "Global", nor lose its own flag.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "fakes/FakeProfileStore.h"
#include "settings/Profile.h"

namespace korv {
namespace {

// Records under its own lock. A read of the font size announces itself and lingers
// until another access has begun (or a while has passed): the print thread waits for
// that moment, so without the Profile's lock it would choose its section while the
// window thread's flag is raised.
class SharedStore : public ProfileStore {
 public:
  std::string Get(const std::string& section, const std::string& key, const std::string& def,
                  const std::string& file) override {
    const int mine = ++started_;
    if (key == "ViewFontSize") {
      ++globalReads;
      for (int i = 0; i < 300 && started_ == mine; ++i) std::this_thread::yield();
    }
    std::lock_guard guard(lock_);
    return inner.Get(section, key, def, file);
  }
  void Put(const std::string& section, const std::string& key, const std::string& value,
           const std::string& file) override {
    ++started_;
    std::lock_guard guard(lock_);
    inner.Put(section, key, value, file);
  }

  std::atomic<int> globalReads{0};
  fakes::FakeProfileStore inner;  // read only after the threads have ended

 private:
  std::mutex lock_;
  std::atomic<int> started_{0};
};

TEST(ProfileThreads, NoAccessLandsInTheOtherThreadsSection) {
  constexpr int kRounds = 500;
  SharedStore store;
  store.inner.Store("VOZAZAD.INI", "Global", "ViewFontSize", "14");
  Profile profile(store);
  profile.Configure("VOZAZAD.INI", "Vozazad");

  int wrongSizes = 0;
  std::atomic<bool> windowDone{false};
  std::thread printer([&] {
    int seen = 0;
    for (int i = 0; !windowDone; ++i) {
      if (store.globalReads == seen) {
        std::this_thread::yield();
        continue;
      }
      seen = store.globalReads;
      profile.ProfileWrite("Printer", "P" + std::to_string(i));
      profile.ProfileRead("Printer", "");
    }
  });
  std::thread window([&] {
    for (int i = 0; i < kRounds; ++i)
      if (profile.ReadViewFontSize() != 14) ++wrongSizes;
    windowDone = true;
  });
  window.join();
  printer.join();

  EXPECT_EQ(wrongSizes, 0);
  ASSERT_GT(store.inner.accesses.size(), std::size_t{kRounds});
  int misplaced = 0;
  for (const auto& access : store.inner.accesses)
    if (access.section != (access.key == "ViewFontSize" ? "Global" : "Vozazad")) ++misplaced;
  EXPECT_EQ(misplaced, 0);
}

}  // namespace
}  // namespace korv
