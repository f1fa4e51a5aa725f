#include "services/message_box.h"

#include <string>

namespace services {
namespace {

platform::MessageButtons ButtonsOf(int style) {
  switch (style & 0xF) {
    case 1:
      return platform::MessageButtons::OkCancel;
    case 2:
      return platform::MessageButtons::AbortRetryIgnore;
    case 3:
      return platform::MessageButtons::YesNoCancel;
    case 4:
      return platform::MessageButtons::YesNo;
    case 5:
      return platform::MessageButtons::RetryCancel;
    default:
      return platform::MessageButtons::Ok;
  }
}

platform::MessageIcon IconOf(int style) {
  switch (style & 0xF0) {
    case 0x10:
      return platform::MessageIcon::Stop;
    case 0x20:
      return platform::MessageIcon::Question;
    case 0x30:
      return platform::MessageIcon::Exclamation;
    case 0x40:
      return platform::MessageIcon::Information;
    default:
      return platform::MessageIcon::None;
  }
}

int AnswerNumber(platform::MessageAnswer answer) {
  switch (answer) {
    case platform::MessageAnswer::Cancel:
      return kAnswerCancel;
    case platform::MessageAnswer::Abort:
      return kAnswerAbort;
    case platform::MessageAnswer::Retry:
      return kAnswerRetry;
    case platform::MessageAnswer::Ignore:
      return kAnswerIgnore;
    case platform::MessageAnswer::Yes:
      return kAnswerYes;
    case platform::MessageAnswer::No:
      return kAnswerNo;
    case platform::MessageAnswer::Ok:
    case platform::MessageAnswer::None:
      return kAnswerOk;
  }
  return kAnswerOk;
}

}  // namespace

platform::MessageBoxRequest MakeMessageBoxRequest(std::string_view text, int style,
                                                  std::string_view caption) {
  if ((style & kStyleSystemModal) == 0) style |= kStyleTaskModal;
  platform::MessageBoxRequest request;
  request.text = std::string(text);
  request.caption = std::string(caption.empty() ? kDefaultCaption : caption);
  request.buttons = ButtonsOf(style);
  request.icon = IconOf(style);
  request.modality = (style & kStyleSystemModal) != 0 ? platform::MessageModality::System
                                                      : platform::MessageModality::Application;
  request.style = style;
  return request;
}

int ShowMessageBox(platform::MessageBoxBackend& backend, std::string_view text, int style,
                   std::string_view caption) {
  return AnswerNumber(backend.show(MakeMessageBoxRequest(text, style, caption)));
}

}  // namespace services
