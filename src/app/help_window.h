// HelpWindow: a small window of fixed texts about the program, owned by MainWindow.
#pragma once

#include "app/services.h"
#include "platform/form.h"
#include "platform/window.h"

namespace app {

platform::WindowForm HelpWindowForm();

// 按钮7 "说明": an open HelpWindow comes to the front; otherwise (after carrying out a pending
// destruction) a new one opens, owned by MainWindow, which stays usable.
void OpenHelpWindow(platform::Window& mainWindow, Services& services);

}  // namespace app
