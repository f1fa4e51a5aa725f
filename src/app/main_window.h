// MainWindow: the program's one permanent window. Its form is data; its events are bound here to
// the handlers of the program.
#pragma once

#include "app/services.h"
#include "platform/form.h"
#include "platform/window.h"

namespace app {

platform::WindowForm MainWindowForm();

// The handlers of MainWindow's window events, controls and tray menu items.
platform::WindowHandlers MainWindowHandlers(Services& services);

// Loads MainWindow (created and position-changed events delivered, not shown yet); nullptr when
// it cannot be made.
platform::Window* LoadMainWindow(Services& services);

}  // namespace app
