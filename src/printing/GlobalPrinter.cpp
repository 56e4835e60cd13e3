#include "printing/GlobalPrinter.h"

#include <mutex>
#include <stdexcept>
#include <utility>

namespace korv {

namespace {

struct GlobalState {
  std::mutex lock;
  std::unique_ptr<PrintSystem> system;
  std::unique_ptr<TPrinter> printer;
};

// Never destroyed by the runtime: the print thread may still be inside the printer
// object while the process ends.
GlobalState& State() {
  static GlobalState* state = new GlobalState;
  return *state;
}

}  // namespace

void InstallPrintSystem(std::unique_ptr<PrintSystem> system) {
  GlobalState& state = State();
  std::lock_guard guard(state.lock);
  state.printer.reset();
  state.system = std::move(system);
}

TPrinter& GlobalPrinter() {
  GlobalState& state = State();
  std::lock_guard guard(state.lock);
  if (!state.printer) {
    if (!state.system) throw std::logic_error("no print system installed");
    state.printer = std::make_unique<TPrinter>(*state.system);
  }
  return *state.printer;
}

PrintSystem& GlobalPrintSystem() {
  GlobalState& state = State();
  std::lock_guard guard(state.lock);
  if (!state.system) throw std::logic_error("no print system installed");
  return *state.system;
}

}  // namespace korv
