#include "services/power.h"

namespace services {

bool RequestPowerAction(platform::PowerBackend& backend, int action, bool force) {
  using platform::PowerRequest;
  PowerRequest request;
  switch (action) {
    case kPowerOff:
      request = PowerRequest::PowerOff;
      break;
    case kRestart:
      request = PowerRequest::Reboot;
      break;
    case kLogOff:
      request = PowerRequest::LogOff;
      break;
    case kSleep:
      request = PowerRequest::Suspend;
      break;
    case kHibernate:
      request = PowerRequest::Hibernate;
      break;
    default:
      return false;
  }
  if (!backend.prepare(request)) return false;
  return backend.request(request, force);
}

}  // namespace services
