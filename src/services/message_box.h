// The modal message box that carries every question and notice of the program.
#pragma once

#include <string_view>

#include "platform/message_box_backend.h"

namespace services {

// Styles: the button set in the low four bits, the icon in the next four, the modality above.
inline constexpr int kStyleYesNo = 0x4;
inline constexpr int kStyleInformation = 0x40;
inline constexpr int kStyleSystemModal = 0x1000;
inline constexpr int kStyleTaskModal = 0x2000;

// Answers.
inline constexpr int kAnswerOk = 0;
inline constexpr int kAnswerCancel = 1;
inline constexpr int kAnswerAbort = 2;
inline constexpr int kAnswerRetry = 3;
inline constexpr int kAnswerIgnore = 4;
inline constexpr int kAnswerYes = 5;
inline constexpr int kAnswerNo = 6;

inline constexpr std::string_view kDefaultCaption = "信息：";

// Shows the text unchanged with no owner window and waits for the answer. The box is task-modal
// (every window of the program is disabled while it is open) unless the style asks for
// system-modal. An empty caption shows "信息：". Any button outside the table answers 0.
int ShowMessageBox(platform::MessageBoxBackend& backend, std::string_view text, int style,
                   std::string_view caption = {});

// The request that ShowMessageBox hands to the platform for a style.
platform::MessageBoxRequest MakeMessageBoxRequest(std::string_view text, int style,
                                                  std::string_view caption);

}  // namespace services
