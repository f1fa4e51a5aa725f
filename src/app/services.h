// What the handlers of the program's windows reach beyond the controls: the window system, the
// message box and the clock.
#pragma once

#include "platform/clock.h"
#include "platform/message_box_backend.h"
#include "platform/window_system.h"

namespace app {

struct Services {
  platform::WindowSystem& windows;
  platform::MessageBoxBackend& messageBoxes;
  const platform::Clock& clock;
};

}  // namespace app
