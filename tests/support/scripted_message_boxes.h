// Message boxes answered from a script: each shown box is recorded, with what the test wants to
// know of the moment it was shown, and answered with the next scripted answer (OK when the
// script is empty). While "open", a box may keep the event loop running for a while, as a real
// modal box does.
#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/message_box_backend.h"

namespace testing_support {

class ScriptedMessageBoxes final : public platform::MessageBoxBackend {
 public:
  struct Shown {
    platform::MessageBoxRequest request;
    bool mainWindowVisible = false;
  };

  platform::MessageAnswer show(const platform::MessageBoxRequest& request) override {
    shown.push_back({request, mainWindowVisible ? mainWindowVisible() : false});
    if (whileOpen) whileOpen(request);
    if (openForMs > 0) {
      QEventLoop loop;
      QTimer::singleShot(openForMs, &loop, &QEventLoop::quit);
      loop.exec();
    }
    if (answers.empty()) return platform::MessageAnswer::Ok;
    const platform::MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  int count(const std::string& text) const {
    int n = 0;
    for (const Shown& box : shown)
      n += box.request.text == text ? 1 : 0;
    return n;
  }

  std::deque<platform::MessageAnswer> answers;
  std::vector<Shown> shown;
  std::function<bool()> mainWindowVisible;
  std::function<void(const platform::MessageBoxRequest&)> whileOpen;
  int openForMs = 0;
};

}  // namespace testing_support
