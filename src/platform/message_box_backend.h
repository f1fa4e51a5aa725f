// The platform's modal message box: shows one box and waits for the answer. Other events,
// timer ticks among them, go on being delivered while it is open.
#pragma once

#include <string>

namespace platform {

enum class MessageButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MessageIcon { None, Stop, Question, Exclamation, Information };
enum class MessageModality {
  Application,  // every window of the program is disabled until the box is closed
  System,       // as Application, and the box stays above every other window
};

struct MessageBoxRequest {
  std::string text;
  std::string caption;
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
  MessageModality modality = MessageModality::Application;
  int style = 0;  // the style number the buttons, icon and modality were read from
};

enum class MessageAnswer { Ok, Cancel, Abort, Retry, Ignore, Yes, No, None };

class MessageBoxBackend {
 public:
  virtual ~MessageBoxBackend() = default;
  virtual MessageAnswer show(const MessageBoxRequest& request) = 0;
};

}  // namespace platform
