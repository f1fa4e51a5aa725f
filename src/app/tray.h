// The tray icon, the tray menu and hiding MainWindow to the tray, and bringing it back.
#pragma once

#include <string_view>

#include "platform/window.h"

namespace app {

// " 定时关机程序", an author line and a contact line, one under the other.
extern const std::string_view kTrayTip;

// Adds MainWindow's tray icon with the window's own icon and the tip.
void AddTrayIcon(platform::Window& mainWindow);
void RemoveTrayIcon(platform::Window& mainWindow);

// Tray events: 2 (double-click) shows the window at normal size; 3 (context) pops up TrayMenu;
// anything else does nothing.
void OnTrayEvent(platform::Window& mainWindow, int code);
// A right press on 图片框1: TrayMenu at the cursor.
void OnPictureRightPress(platform::Window& mainWindow);
// "_" (按钮6) and the menu items "隐藏" and "显示".
void OnHideButton(platform::Window& mainWindow);
void OnHideItem(platform::Window& mainWindow);
void OnShowItem(platform::Window& mainWindow);
// A minimised MainWindow hides itself; the menu items stay as they are.
void OnPositionChanged(platform::Window& mainWindow);

}  // namespace app
