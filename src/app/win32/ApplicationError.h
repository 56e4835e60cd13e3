#pragma once
// The application's standard error box, for an error that reaches the window thread's
// message handling: the service reports it and carries on.
#include <exception>
#include <string>

namespace korv {

void ShowApplicationError(const std::string& message);

// Runs a window handler, reporting any error it raises instead of letting it unwind
// through the window system's frames.
template <typename Handler>
void RunHandler(Handler handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    ShowApplicationError(e.what());
  } catch (...) {
    ShowApplicationError("Unexpected error");
  }
}

}  // namespace korv
