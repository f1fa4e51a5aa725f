#include "app/main_window.h"

#include "app/help_window.h"
#include "app/lifecycle.h"
#include "app/tray.h"
#include "schedule/chimes.h"
#include "schedule/clock.h"
#include "schedule/schedule.h"
#include "services/power.h"

namespace app {

platform::WindowHandlers MainWindowHandlers(Services& services) {
  using platform::Event;
  using platform::Window;
  platform::WindowHandlers handlers;
  handlers.created = [&services](Window& window) { OnMainWindowCreated(window, services); };
  handlers.closing = [&services](Window& window) { OnMainWindowClosing(window, services); };
  handlers.positionChanged = [](Window& window) { OnPositionChanged(window); };
  handlers.tray = [](Window& window, int code) { OnTrayEvent(window, code); };
  auto exit = [&services](Window& window) { RequestExit(window, services); };
  // The immediate power buttons: one request each, nothing else.
  auto power = [&services](int action) {
    return [&services, action](Window&) { services::RequestPowerAction(services.power, action); };
  };
  auto reset = [&services](Window& window) { schedule::ScheduleReset(window, services); };
  auto radio = [](const char* name) {
    return platform::ControlHandler{
        name, Event::Clicked, [name](Window& window) { schedule::OnActionRadio(window, name); }};
  };
  auto chimeBox = [&services](const char* name) {
    return platform::ControlHandler{name, Event::Clicked, [&services, name](Window& window) {
                                      schedule::OnChimeBox(window, services, name);
                                    }};
  };
  handlers.controls = {
      {"按钮5", Event::Clicked, exit},
      {"按钮6", Event::Clicked, [](Window& window) { OnHideButton(window); }},
      {"按钮7", Event::Clicked, [&services](Window& window) { OpenHelpWindow(window, services); }},
      {"图片框1", Event::RightButtonPressed, [](Window& window) { OnPictureRightPress(window); }},
      {"隐藏", Event::Selected, [](Window& window) { OnHideItem(window); }},
      {"显示", Event::Selected, [](Window& window) { OnShowItem(window); }},
      // The schedule, the ringtone and the chimes.
      {"按钮1", Event::Clicked,
       [&services](Window& window) { schedule::OnStartButton(window, services); }},
      {"按钮2", Event::Clicked, [](Window& window) { schedule::OnLoadButton(window); }},
      {"按钮3", Event::Clicked, reset},
      {"关闭闹钟", Event::Selected, reset},
      {"时钟2", Event::Tick,
       [&services](Window& window) { schedule::OnScheduleTick(window, services); }},
      {"时钟3", Event::Tick,
       [&services](Window& window) { schedule::OnChimeTick(window, services); }},
      {"按钮8", Event::Clicked, power(services::kPowerOff)},
      {"按钮9", Event::Clicked, power(services::kRestart)},
      {"按钮10", Event::Clicked, power(services::kLogOff)},
      {"按钮11", Event::Clicked, power(services::kSleep)},
      {"退出", Event::Selected, exit},
      {"时钟1", Event::Tick,
       [&services](Window& window) { schedule::ClockTick(window, services.clock); }},
  };
  for (const char* name : {"单选框1", "单选框2", "单选框3", "单选框4", "单选框5", "单选框6"}) {
    handlers.controls.push_back(radio(name));
  }
  handlers.controls.push_back(chimeBox("选择框1"));
  handlers.controls.push_back(chimeBox("选择框2"));
  return handlers;
}

platform::Window* LoadMainWindow(Services& services) {
  return services.windows.load(MainWindowForm(), MainWindowHandlers(services), nullptr);
}

}  // namespace app
