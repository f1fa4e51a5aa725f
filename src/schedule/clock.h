// The clock tick: the heartbeat that keeps the date-time label and the current time of day on the
// main window up to date. The schedule and the chimes read the time of day from that box only.
#pragma once

#include "platform/clock.h"
#include "platform/window.h"

namespace schedule {

// One reading of the clock, then the caption of 标签7 ("北京时间：" and the DateTimeText), then the
// text of 编辑框3 (the TimeOfDayText), both from that reading.
void ClockTick(platform::Window& mainWindow, const platform::Clock& clock);

}  // namespace schedule
