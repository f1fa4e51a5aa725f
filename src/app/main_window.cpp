#include "app/main_window.h"

#include "app/lifecycle.h"
#include "app/tray.h"
#include "schedule/clock.h"
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
  handlers.controls = {
      {"按钮5", Event::Clicked, exit},
      {"按钮6", Event::Clicked, [](Window& window) { OnHideButton(window); }},
      {"图片框1", Event::RightButtonPressed, [](Window& window) { OnPictureRightPress(window); }},
      {"隐藏", Event::Selected, [](Window& window) { OnHideItem(window); }},
      {"显示", Event::Selected, [](Window& window) { OnShowItem(window); }},
      {"按钮8", Event::Clicked, power(services::kPowerOff)},
      {"按钮9", Event::Clicked, power(services::kRestart)},
      {"按钮10", Event::Clicked, power(services::kLogOff)},
      {"按钮11", Event::Clicked, power(services::kSleep)},
      {"退出", Event::Selected, exit},
      {"时钟1", Event::Tick,
       [&services](Window& window) { schedule::ClockTick(window, services.clock); }},
  };
  return handlers;
}

platform::Window* LoadMainWindow(Services& services) {
  return services.windows.load(MainWindowForm(), MainWindowHandlers(services), nullptr);
}

}  // namespace app
