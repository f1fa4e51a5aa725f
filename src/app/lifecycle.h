// The program's start steps and its ways out.
#pragma once

#include "app/services.h"
#include "platform/window.h"

namespace app {

// Runs once when MainWindow and all its controls exist, before it is first shown.
void OnMainWindowCreated(platform::Window& mainWindow, Services& services);

// The confirmed way out ("X" and the tray menu's "退出"): asks, and on Yes stops the clock and the
// schedule watch, removes the tray icon and requests the destruction of MainWindow.
void RequestExit(platform::Window& mainWindow, Services& services);

// Runs on every destruction of MainWindow, once it is no longer shown: thanks the user, then
// stops the clock and the schedule watch and removes the tray icon.
void OnMainWindowClosing(platform::Window& mainWindow, Services& services);

}  // namespace app
