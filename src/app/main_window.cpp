#include "app/main_window.h"

#include "app/lifecycle.h"
#include "schedule/clock.h"
#include "services/power.h"

namespace app {

platform::WindowHandlers MainWindowHandlers(Services& services) {
  using platform::Event;
  using platform::Window;
  platform::WindowHandlers handlers;
  handlers.created = [&services](Window& window) { OnMainWindowCreated(window, services); };
  handlers.closing = [&services](Window& window) { OnMainWindowClosing(window, services); };
  auto exit = [&services](Window& window) { RequestExit(window, services); };
  // The immediate power buttons: one request each, nothing else.
  auto power = [&services](int action) {
    return [&services, action](Window&) { services::RequestPowerAction(services.power, action); };
  };
  handlers.controls = {
      {"按钮5", Event::Clicked, exit},
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
