// What the platform does to power the machine off, restart it, log the user off, suspend or
// hibernate it.
#pragma once

namespace platform {

enum class PowerRequest { PowerOff, Reboot, LogOff, Suspend, Hibernate };

class PowerBackend {
 public:
  virtual ~PowerBackend() = default;
  // The step before every request: true when the platform can be asked for it now.
  virtual bool prepare(PowerRequest request) = 0;
  // Asks for it once; true when the platform accepted the request. A forced request does not
  // wait for programs to agree, where the platform has such a variant.
  virtual bool request(PowerRequest request, bool force) = 0;
};

}  // namespace platform
