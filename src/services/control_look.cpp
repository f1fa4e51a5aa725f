#include "services/control_look.h"

namespace services {

int SetControlLook(platform::ControlLookBackend& backend, int scheme) {
  if (scheme < 1 || scheme > 3) {
    backend.switchOff();
    return 0;
  }
  backend.switchOn(scheme);  // switching on first switches off whatever look was active
  return 1;
}

}  // namespace services
