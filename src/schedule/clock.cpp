#include "schedule/clock.h"

#include "schedule/time_text.h"

namespace schedule {

void ClockTick(platform::Window& mainWindow, const platform::Clock& clock) {
  const platform::LocalDateTime now = clock.now();
  mainWindow.setCaption("标签7", Concat({"北京时间：", DateTimeText(now)}));
  mainWindow.setText("编辑框3", TimeOfDayText(now.hour, now.minute, now.second));
}

}  // namespace schedule
