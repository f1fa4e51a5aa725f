// Power requests over D-Bus: systemd-logind on the system bus, and for logging off the session
// manager of the desktop in use on the session bus.
#pragma once

#include <chrono>

#include "platform/power_backend.h"

namespace platform::os {

class DBusPower final : public PowerBackend {
 public:
  // Every request and every step waits this long at most, whatever the buses do.
  explicit DBusPower(std::chrono::milliseconds limit = std::chrono::milliseconds(500))
      : limit_(limit) {}

  // logind answers on the system bus and, for all but logging off, says "yes" to the matching
  // CanPowerOff, CanReboot, CanSuspend or CanHibernate ("challenge", "no", "na" or anything else
  // would need the user or cannot be done: the step fails).
  bool prepare(PowerRequest request) override;
  bool request(PowerRequest request, bool force) override;

 private:
  bool logOff(bool force, std::chrono::steady_clock::time_point deadline);
  std::chrono::milliseconds limit_;
};

}  // namespace platform::os
