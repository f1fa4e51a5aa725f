#include "services/timer.h"

#include <algorithm>

namespace services {

void SetPeriod(platform::Window& window, std::string_view timer, int milliseconds) {
  milliseconds = std::max(milliseconds, 0);
  if (milliseconds == window.period(timer)) return;
  window.restartTimer(timer, milliseconds);
}

int Period(const platform::Window& window, std::string_view timer) {
  return window.period(timer);
}

}  // namespace services
