#include "app/lifecycle.h"

#include "app/tray.h"
#include "services/control_look.h"
#include "services/message_box.h"
#include "services/timer.h"

namespace app {
namespace {
constexpr int kLookScheme = 3;
}  // namespace

void OnMainWindowCreated(platform::Window& mainWindow, Services& services) {
  services::SetControlLook(services.look, kLookScheme);
  AddTrayIcon(mainWindow);
  mainWindow.setMenuItemVisible("关闭闹钟", false);
  mainWindow.setMenuItemVisible("显示", false);
  services::SetPeriod(mainWindow, "时钟1", 10);
}

void RequestExit(platform::Window& mainWindow, Services& services) {
  const int answer = services::ShowMessageBox(services.messageBoxes, "    是否真的要退出？",
                                              services::kStyleYesNo, "提示：");
  if (answer != services::kAnswerYes) return;
  services::SetPeriod(mainWindow, "时钟1", 0);
  services::SetPeriod(mainWindow, "时钟2", 0);
  RemoveTrayIcon(mainWindow);
  mainWindow.requestDestroy();
}

void OnMainWindowClosing(platform::Window& mainWindow, Services& services) {
  services::ShowMessageBox(services.messageBoxes, "感谢使用本程序，欢迎下次继续使用！",
                           services::kStyleInformation, "感谢：");
  services::SetPeriod(mainWindow, "时钟1", 0);
  services::SetPeriod(mainWindow, "时钟2", 0);
  RemoveTrayIcon(mainWindow);   // nothing if it is gone already
  mainWindow.requestDestroy();  // already being destroyed: nothing more happens
}

}  // namespace app
