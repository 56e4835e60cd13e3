#pragma once
// Spool files that would not be taken. One such file must not hold the queue: after a few
// tries over a couple of seconds it is passed over (tried again now and then) so the files
// behind it go ahead; one that stays unchanged and untakeable for minutes is due to be set
// aside. Links to files elsewhere are refused for as long as they stay as listed.
#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace korv {

class SpoolFileTracker {
 public:
  static constexpr unsigned kTriesBeforePassing = 3;
  static constexpr std::uint64_t kPassAfterMs = 2000;
  static constexpr std::uint64_t kRetryEveryMs = 2000;
  // A writer that still adds to its file restarts this wait.
  static constexpr std::uint64_t kSetAsideAfterMs = 5 * 60 * 1000;

  // How the listing showed a file.
  struct Listing {
    std::uint64_t size = 0;
    std::uint64_t lastWriteTime = 0;
    bool operator==(const Listing&) const = default;
  };

  // A try to take `name` failed at `nowMs`. True when this failure starts passing it over
  // (the moment to say so).
  bool NoteFailure(const std::string& name, const Listing& listing, const std::string& reason,
                   std::uint64_t nowMs);
  // Passed over at this poll: it failed often and long enough and its next try is not due.
  bool PassOver(const std::string& name, std::uint64_t nowMs) const;
  // Untakeable and unchanged for so long that it should be set aside.
  bool SetAsideDue(const std::string& name, std::uint64_t nowMs) const;
  // Taken at last, or gone.
  void Forget(const std::string& name);

  // Never taken again while it is listed as it was. True the first time (the moment to
  // say so).
  bool Refuse(const std::string& name, const Listing& listing, const std::string& reason);
  // Refused, and listed as it was then; a file listed otherwise under that name (the link
  // replaced by a file, say) is looked at afresh.
  bool Refused(const std::string& name, const Listing& listing);

  // Forgets every file not among `present` (upper-case names of a whole listing).
  void KeepOnly(const std::set<std::string>& present);

  // The status text for the first file passed over or refused; empty when there is none.
  std::string Problem() const;

 private:
  struct Trouble {
    std::string name;
    std::string reason;
    unsigned tries = 0;
    std::uint64_t firstMs = 0;
    std::uint64_t unchangedSinceMs = 0;
    std::uint64_t lastTryMs = 0;
    bool passing = false;  // decided at each failure
    Listing listing;
  };

  std::map<std::string, Trouble> troubles_;  // by upper-case name
  std::map<std::string, Trouble> refused_;   // by upper-case name
};

}  // namespace korv
