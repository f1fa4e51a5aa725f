// Makes windows from forms and runs the event loop that delivers their events.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/form.h"
#include "platform/window.h"

namespace platform {

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Creates the window and every control with no event delivered meanwhile, then delivers
  // created, position changed and size changed, each only while the window still exists.
  // It is not shown. Returns nullptr when the window cannot be made or was destroyed during
  // those events. An owned window stays above its owner, has no task bar button of its own and
  // is destroyed with it. The window belongs to the window system until it is destroyed.
  virtual Window* load(const WindowForm& form, WindowHandlers handlers, Window* owner) = 0;

  // Runs the event loop until no window of the program is left, or the session ends. Returns at
  // once when no window exists. True when the last window went, false when the session ended
  // (the loop then stops with no closing step of any window).
  virtual bool run() = 0;

  virtual std::size_t windowCount() const = 0;
  // The window of that form name that has not been destroyed, or nullptr.
  virtual Window* find(std::string_view formName) const = 0;
  // Destroys a window now, its owned windows first and its closing handler on the way.
  virtual void destroyNow(Window& window) = 0;
};

}  // namespace platform
