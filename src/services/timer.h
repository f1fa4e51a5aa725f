// The period of a timer control, in milliseconds; 0 means stopped.
#pragma once

#include <string_view>

#include "platform/window.h"

namespace services {

// A negative value counts as 0. The period the timer already has changes nothing, so a running
// timer keeps its rhythm. Any other value stops the timer and, when greater than 0, starts it
// anew with the first tick one period later.
void SetPeriod(platform::Window& window, std::string_view timer, int milliseconds);

int Period(const platform::Window& window, std::string_view timer);

}  // namespace services
