// The open-file dialog: Qt's own dialog, not the desktop's, so that the program's look reaches
// it; its texts in Chinese from Qt's translations.
#pragma once

#include <optional>
#include <string>

#include "platform/form.h"

class QWidget;

namespace platform::qt {

// Shows the dialog modally over the parent and waits; it proposes the given path. Only an
// existing file can be confirmed. Returns the confirmed file's path as its bytes on disk (names
// that are not UTF-8 included), or nothing when the user cancels.
std::optional<std::string> ShowOpenFileDialog(const FileDialogSettings& settings,
                                              const std::string& proposed, QWidget* parent);

}  // namespace platform::qt
