#pragma once
// Handing the screen back to the host program's window.
namespace korv {

class HostWindowActivation {
 public:
  virtual ~HostWindowActivation() = default;
  // Finds the host program's window once, by its title.
  virtual void FindHostWindow() = 0;
  // Minimises and hides the service and brings the host window to the front; with
  // `pause`, about a second passes first.
  virtual void ActivateHostWindow(bool pause) = 0;
};

}  // namespace korv
