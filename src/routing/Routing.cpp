#include "routing/Routing.h"

#include "routing/NamePattern.h"

namespace korv {

namespace {

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

RoutingTable ReadRouting(Profile& profile) {
  RoutingTable table;
  table.rawPrinter = Trimmed(profile.ProfileRead(kRawPrinterKey, ""));
  for (const auto& [pattern, printer] : profile.ReadSection(kRoutesSection)) {
    Route route{Trimmed(pattern), Trimmed(printer)};
    // A route without a printer could only ever send jobs nowhere: it is not one.
    if (!route.pattern.empty() && !route.printer.empty()) table.routes.push_back(route);
  }
  return table;
}

JobTarget TargetFor(const RoutingTable& table, const std::string& jobName, JobMode mode) {
  for (const Route& route : table.routes)
    if (NameMatches(route.pattern, jobName)) return {route.printer, route.pattern};
  if (mode != JobMode::Text && !table.rawPrinter.empty()) return {table.rawPrinter, ""};
  return {};
}

std::string RoutingLabel(const RoutingTable& table) {
  const std::string note = RoutingNote(table);
  return note.empty() ? note : " (" + note + ")";
}

std::string RoutingNote(const RoutingTable& table) {
  std::string note;
  if (!table.rawPrinter.empty()) note = "raw: " + table.rawPrinter;
  const std::size_t count = table.routes.size();
  if (count == 0) return note;
  if (!note.empty()) note += ", ";
  return note + std::to_string(count) + (count == 1 ? " route" : " routes");
}

}  // namespace korv
