// The skinned look of the standard controls, as the platform provides it.
#pragma once

namespace platform {

class ControlLookBackend {
 public:
  virtual ~ControlLookBackend() = default;
  // Restyles every control of every window of the program, those that exist and those made
  // later, with colour scheme 1, 2 or 3; a second call replaces the first.
  virtual void switchOn(int scheme) = 0;
  // Every control gets its own look back.
  virtual void switchOff() = 0;
};

}  // namespace platform
