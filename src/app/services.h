// What the handlers of the program's windows reach beyond the controls: the window system, the
// message box, the clock and the power requests.
#pragma once

#include "platform/clock.h"
#include "platform/message_box_backend.h"
#include "platform/power_backend.h"
#include "platform/window_system.h"

namespace app {

struct Services {
  platform::WindowSystem& windows;
  platform::MessageBoxBackend& messageBoxes;
  const platform::Clock& clock;
  platform::PowerBackend& power;
};

}  // namespace app
