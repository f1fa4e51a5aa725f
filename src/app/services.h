// What the handlers of the program's windows reach beyond the controls: the window system, the
// message box, the clock, the power requests, the player and the look of the controls.
#pragma once

#include "platform/clock.h"
#include "platform/control_look_backend.h"
#include "platform/message_box_backend.h"
#include "platform/power_backend.h"
#include "platform/window_system.h"
#include "services/player.h"

namespace app {

struct Services {
  platform::WindowSystem& windows;
  platform::MessageBoxBackend& messageBoxes;
  const platform::Clock& clock;
  platform::PowerBackend& power;
  services::Playback& player;
  platform::ControlLookBackend& look;
};

}  // namespace app
