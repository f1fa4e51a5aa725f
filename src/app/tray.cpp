#include "app/tray.h"

namespace app {

namespace {
constexpr int kNormal = 0;
constexpr int kMinimised = 2;
}  // namespace

const std::string_view kTrayTip = " 定时关机程序\r\n作者：自动关机开发组\r\n欢迎反馈意见和建议";

void AddTrayIcon(platform::Window& mainWindow) {
  mainWindow.setTrayIcon(mainWindow.form().icon, kTrayTip);
}

void RemoveTrayIcon(platform::Window& mainWindow) {
  mainWindow.setTrayIcon({}, {});
}

void OnTrayEvent(platform::Window& mainWindow, int code) {
  if (code == 2) {
    mainWindow.show();
    mainWindow.setPosition(kNormal);
  } else if (code == 3) {
    mainWindow.popUpMenu("a");
  }
}

void OnPictureRightPress(platform::Window& mainWindow) {
  mainWindow.popUpMenu("a");
}

void OnHideButton(platform::Window& mainWindow) {
  mainWindow.setMenuItemVisible("隐藏", false);
  mainWindow.setMenuItemVisible("显示", true);
  mainWindow.hide();
  mainWindow.setPosition(kMinimised);  // only stored: the window is invisible now
}

void OnHideItem(platform::Window& mainWindow) {
  mainWindow.hide();
  mainWindow.setPosition(kMinimised);
  mainWindow.setMenuItemVisible("隐藏", false);
  mainWindow.setMenuItemVisible("显示", true);
}

void OnShowItem(platform::Window& mainWindow) {
  mainWindow.setPosition(kNormal);  // only stored while invisible; restores a visible window
  mainWindow.show();
  mainWindow.setMenuItemVisible("显示", false);
  mainWindow.setMenuItemVisible("隐藏", true);
}

void OnPositionChanged(platform::Window& mainWindow) {
  if (mainWindow.position() == kMinimised) mainWindow.hide();
}

}  // namespace app
