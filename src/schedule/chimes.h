// The ringtone file and the chimes at every full and half hour.
#pragma once

#include <array>
#include <string>

#include "app/services.h"
#include "platform/window.h"

namespace schedule {

// "00时00分00秒" to "23时00分00秒", and "00时30分00秒" to "23时30分00秒", in hour order.
const std::array<std::string, 24>& FullHourChimes();
const std::array<std::string, 24>& HalfHourChimes();

// 按钮2: the file dialog, then its file name into 编辑框1 whatever the outcome.
void OnLoadButton(platform::Window& mainWindow);

// A click on 选择框1 or 选择框2: one that ticks the box starts the chime watch, if a ringtone
// is loaded; without one it says so and unticks the box. A click that unticks changes nothing.
void OnChimeBox(platform::Window& mainWindow, app::Services& services, std::string_view box);

// Each tick of 时钟3: at a full or a half hour the ringtone plays, endlessly, whichever boxes
// are ticked.
void OnChimeTick(platform::Window& mainWindow, app::Services& services);

}  // namespace schedule
