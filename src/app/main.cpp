// 自动关机: shuts the computer down, restarts it, logs off, suspends or rings an alarm at a time
// of day that the user sets. Reads no command line, no configuration and no saved state.
#include <cstdio>

#include "app/main_window.h"
#include "app/services.h"
#include "platform/linux/alsa_output.h"
#include "platform/linux/dbus_power.h"
#include "platform/linux/local_clock.h"
#include "platform/qt/qt_platform.h"
#include "services/player.h"

int main(int, char** argv) {
  auto platform = platform::qt::QtPlatform::Start(argv[0]);
  if (!platform) return 1;
  platform::os::LocalClock clock;
  platform::os::DBusPower power;
  platform::os::AlsaOutput sound;
  services::PlayerSlot player(sound);
  app::Services services{platform->windows(),    platform->messageBoxes(), clock, power, player,
                         platform->controlLook()};

  platform::Window* mainWindow = app::LoadMainWindow(services);
  if (!mainWindow) {
    std::fputs("autoshutdown: 无法创建主窗口 (the main window could not be created)\n", stderr);
    return 1;
  }
  mainWindow->show();
  platform->windows().run();
  services::StopPlayback(player);  // no sound outlives the program
  return 0;
}
