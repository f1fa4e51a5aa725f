// The Qt platform: the GUI application on the current display, its window system and its message
// boxes. Plain C++ to its users; Qt stays inside.
#pragma once

#include <memory>

#include "platform/control_look_backend.h"
#include "platform/message_box_backend.h"
#include "platform/window_system.h"

namespace platform::qt {

class QtPlatform {
 public:
  // Starts the GUI on the current display. The command line is not read. When there is no
  // display to start on, writes one line on stderr and returns nullptr.
  static std::unique_ptr<QtPlatform> Start(const char* programPath);
  ~QtPlatform();

  WindowSystem& windows();
  MessageBoxBackend& messageBoxes();
  ControlLookBackend& controlLook();

 private:
  struct Parts;
  explicit QtPlatform(std::unique_ptr<Parts> parts);
  std::unique_ptr<Parts> parts_;
};

}  // namespace platform::qt
