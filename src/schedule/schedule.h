// The schedule: arming and cancelling it, the radios that name its action, ScheduleReset, and
// the watch that fires it. It has no state of its own: 按钮1's caption ("启动" idle, "取消"
// armed), 时钟2's period and 编辑框7's text hold it; the current time of day is whatever the
// last clock tick wrote into 编辑框3.
#pragma once

#include <string_view>

#include "app/services.h"
#include "platform/window.h"

namespace schedule {

// 按钮1: arms when its caption is "启动", cancels (after asking) when it is "取消".
void OnStartButton(platform::Window& mainWindow, app::Services& services);

// 单选框1 to 单选框6: their caption becomes 标签4's, the action's name in the messages.
void OnActionRadio(platform::Window& mainWindow, std::string_view radio);

// Back to idle whatever the state: 编辑框7 emptied, 时钟2 stopped, "启动", inputs enabled,
// "关闭闹钟" hidden, playback stopped.
void ScheduleReset(platform::Window& mainWindow, app::Services& services);

// Each tick of 时钟2: when 编辑框3 reads the armed text, the ticked action runs again. Nothing
// is disarmed: the schedule fires again on the following days.
void OnScheduleTick(platform::Window& mainWindow, app::Services& services);

// A box holding a single digit ("0" to "9") gets a "0" in front; any other text stays.
void PadTimeBox(platform::Window& mainWindow, std::string_view box);

}  // namespace schedule
