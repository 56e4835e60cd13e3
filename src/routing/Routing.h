#pragma once
// Which printer a job goes to: `RawPrinter` for raw jobs, and the [Routes] section, whose
// file-name patterns are tried in the file's order, the first match deciding in either
// mode. Neither set: the one chosen printer, as without routing.
#include <string>
#include <vector>

#include "base/JobMode.h"
#include "settings/Profile.h"

namespace korv {

inline constexpr char kRawPrinterKey[] = "RawPrinter";  // missing or empty: the chosen printer
inline constexpr char kRoutesSection[] = "Routes";

struct Route {
  std::string pattern;
  std::string printer;
};

struct RoutingTable {
  std::string rawPrinter;
  std::vector<Route> routes;
};

// Where one job goes. An empty printer: the chosen one (Printer / UseDefault).
struct JobTarget {
  std::string printer;
  std::string route;  // the pattern that chose the printer; empty when none did
};

RoutingTable ReadRouting(Profile& profile);

JobTarget TargetFor(const RoutingTable& table, const std::string& jobName, JobMode mode);

// The routing in a few words for the printer label ("raw: Receipts, 2 routes"); empty
// without routing.
std::string RoutingNote(const RoutingTable& table);
// The same as the printer label's tail: " (raw: Receipts, 2 routes)", or empty.
std::string RoutingLabel(const RoutingTable& table);

}  // namespace korv
