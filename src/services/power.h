// Power actions: the one place that asks the system to shut down, restart, log off, suspend or
// hibernate.
#pragma once

#include "platform/power_backend.h"

namespace services {

// The power action codes: 1 shut down and power off, 2 restart, 3 log off, 4 sleep (suspend to
// memory), 5 hibernate (suspend to disk); any other value requests nothing.
inline constexpr int kPowerOff = 1;
inline constexpr int kRestart = 2;
inline constexpr int kLogOff = 3;
inline constexpr int kSleep = 4;
inline constexpr int kHibernate = 5;

// Checks the code, runs the platform's preparing step, then makes one request. True when the
// platform accepted it; false for an invalid code (nothing else happens), a failed step (nothing
// is requested) or a refused request. Asks the user nothing and shows nothing.
bool RequestPowerAction(platform::PowerBackend& backend, int action, bool force = false);

}  // namespace services
