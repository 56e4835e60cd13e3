#pragma once
// Wakes the print thread from its wait at once: a settings dialog has closed, so a job it
// held back can go, or the service is stopping. Callable from any thread.
namespace korv {

class Doorbell {
 public:
  virtual ~Doorbell() = default;
  virtual void Ring() = 0;
};

}  // namespace korv
