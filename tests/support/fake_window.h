// A window of the form layer held in plain maps, for logic that needs no display. Every control
// exists on first use; timers record their restarts.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/window.h"

namespace testing_support {

class FakeWindow final : public platform::Window {
 public:
  struct Control {
    std::string text;
    bool disabled = false;
    bool ticked = false;
    bool visible = true;
    int period = 0;
    int restarts = 0;
    std::string fileName;
  };

  const platform::WindowForm& form() const override { return form_; }
  std::string text(std::string_view name) const override { return at(name).text; }
  void setText(std::string_view name, std::string_view text) override { at(name).text = text; }
  std::string caption(std::string_view name) const override { return at(name).text; }
  void setCaption(std::string_view name, std::string_view text) override { at(name).text = text; }
  bool disabled(std::string_view name) const override { return at(name).disabled; }
  void setDisabled(std::string_view name, bool value) override { at(name).disabled = value; }
  bool ticked(std::string_view name) const override { return at(name).ticked; }
  void setTicked(std::string_view name, bool value) override { at(name).ticked = value; }
  bool controlVisible(std::string_view name) const override { return at(name).visible; }
  int period(std::string_view name) const override { return at(name).period; }
  void restartTimer(std::string_view name, int milliseconds) override {
    at(name).period = milliseconds;
    ++at(name).restarts;
  }
  std::string fileName(std::string_view name) const override { return at(name).fileName; }
  bool menuItemVisible(std::string_view caption) const override { return at(caption).visible; }
  void setMenuItemVisible(std::string_view caption, bool value) override {
    at(caption).visible = value;
  }
  bool visible() const override { return visible_; }
  void show() override { visible_ = true; }
  void hide() override { visible_ = false; }
  void requestDestroy() override { ++destroyRequests; }
  void requestClose() override { ++closeRequests; }

  Control& at(std::string_view name) const { return controls_[std::string(name)]; }

  int destroyRequests = 0;
  int closeRequests = 0;

 private:
  platform::WindowForm form_;
  mutable std::map<std::string, Control, std::less<>> controls_;
  bool visible_ = false;
};

}  // namespace testing_support
