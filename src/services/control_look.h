// The skinned gradient look with trimmed corners for buttons, check boxes, radio buttons, group
// boxes, edit boxes, combo boxes, drop-down lists and up-down controls of every window.
#pragma once

#include "platform/control_look_backend.h"

namespace services {

// 1, 2 or 3 switch the look on with that colour scheme and return 1; any other number switches
// it off (and returns 0).
int SetControlLook(platform::ControlLookBackend& backend, int scheme);

}  // namespace services
