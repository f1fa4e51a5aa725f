// The modal message box over QMessageBox: no owner, application-modal, the text shown as plain
// text, the buttons captioned as the Chinese desktop captions them.
#pragma once

#include "platform/message_box_backend.h"

namespace platform::qt {

class QtMessageBoxes final : public MessageBoxBackend {
 public:
  MessageAnswer show(const MessageBoxRequest& request) override;
};

}  // namespace platform::qt
