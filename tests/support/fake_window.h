// A window of the form layer held in plain maps, for logic that needs no display. Every control
// exists on first use; timers record their restarts.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window.h"
#include "resources/resources.h"

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

  FakeWindow() { form_.icon = resources::ProgramIcon(); }
  // A window in the initial state of a form: its texts, ticks, disabled marks and menu items.
  explicit FakeWindow(platform::WindowForm form) : form_(std::move(form)) {
    for (const platform::ControlForm& control : form_.controls) {
      Control& made = at(control.name);
      made.text = control.text;
      made.disabled = control.disabled;
      made.ticked = control.ticked;
      made.visible = control.visible;
      made.period = control.period;
    }
    for (const platform::MenuItemForm& item : form_.menu) {
      if (item.caption != "-") at(item.caption).visible = item.visible;
    }
    stored_ = form_.position;
  }

  const platform::WindowForm& form() const override { return form_; }
  std::string text(std::string_view name) const override { return at(name).text; }
  void setText(std::string_view name, std::string_view text) override { at(name).text = text; }
  std::string caption(std::string_view name) const override { return at(name).text; }
  void setCaption(std::string_view name, std::string_view text) override { at(name).text = text; }
  bool disabled(std::string_view name) const override { return at(name).disabled; }
  void setDisabled(std::string_view name, bool value) override {
    at(name).disabled = value;
    log.push_back((value ? "disable " : "enable ") + std::string(name));
  }
  bool ticked(std::string_view name) const override { return at(name).ticked; }
  void setTicked(std::string_view name, bool value) override { at(name).ticked = value; }
  bool controlVisible(std::string_view name) const override { return at(name).visible; }
  int period(std::string_view name) const override { return at(name).period; }
  void restartTimer(std::string_view name, int milliseconds) override {
    at(name).period = milliseconds;
    ++at(name).restarts;
    log.push_back("period " + std::string(name) + " " + std::to_string(milliseconds));
  }
  std::string fileName(std::string_view name) const override { return at(name).fileName; }
  // The dialog answers with the next scripted choice: a path is confirmed, nullopt cancels.
  bool openFileDialog(std::string_view name) override {
    log.push_back("dialog " + std::string(name));
    if (whileDialogOpen) whileDialogOpen();
    if (dialogChoices.empty() || !dialogChoices.front()) {
      if (!dialogChoices.empty()) dialogChoices.erase(dialogChoices.begin());
      return false;
    }
    at(name).fileName = *dialogChoices.front();
    dialogChoices.erase(dialogChoices.begin());
    return true;
  }
  bool menuItemVisible(std::string_view caption) const override { return at(caption).visible; }
  void setMenuItemVisible(std::string_view caption, bool value) override {
    at(caption).visible = value;
    log.push_back(std::string("item ") + std::string(caption) + (value ? " shown" : " hidden"));
  }
  // The window operations, with the rules of the form layer: the first show follows the stored
  // position, a position acts only on a visible window, a minimised window reads 2.
  bool visible() const override { return visible_; }
  void show() override {
    log.push_back("show");
    if (firstShow_ && stored_ == 2) state_ = 2;
    if (firstShow_ && stored_ == 3) state_ = 3;
    firstShow_ = false;
    visible_ = true;
  }
  void hide() override {
    log.push_back("hide");
    visible_ = false;
  }
  void setPosition(int position) override {
    stored_ = position < 0 ? 0 : position > 3 ? 3 : position;
    log.push_back("position " + std::to_string(stored_));
    if (visible_) state_ = stored_ == 1 ? 0 : stored_;
  }
  int position() const override { return state_; }
  void minimiseFromOutside() { state_ = 2; }  // as the task bar would
  int storedPosition() const { return stored_; }
  void setTrayIcon(std::span<const unsigned char> image, std::string_view tip) override {
    if (image.empty()) {
      if (tray_) log.push_back("tray removed");
      tray_ = false;
      return;
    }
    log.push_back(tray_ ? "tray changed" : "tray added");
    tray_ = true;
    tip_ = tip;
  }
  bool hasTrayIcon() const override { return tray_; }
  const std::string& tip() const { return tip_; }
  void popUpMenu(std::string_view item) override { log.push_back("popup " + std::string(item)); }
  void requestDestroy() override { ++destroyRequests; }
  bool destroyPending() const override { return destroyRequests > 0; }
  void bringToFront() override { log.push_back("front"); }
  void requestClose() override { ++closeRequests; }

  Control& at(std::string_view name) const { return controls_[std::string(name)]; }

  int destroyRequests = 0;
  int closeRequests = 0;
  std::vector<std::string> log;  // the window, menu, timer and enabling operations, in order
  std::vector<std::optional<std::string>> dialogChoices;
  std::function<void()> whileDialogOpen;

 private:
  platform::WindowForm form_;
  mutable std::map<std::string, Control, std::less<>> controls_;
  bool visible_ = false;
  bool firstShow_ = true;
  int stored_ = 1;
  int state_ = 0;  // 0 normal, 2 minimised, 3 maximised
  bool tray_ = false;
  std::string tip_;
};

}  // namespace testing_support
