#include "schedule/schedule.h"

#include <array>
#include <string>

#include "schedule/time_text.h"
#include "services/message_box.h"
#include "services/player.h"
#include "services/power.h"
#include "services/timer.h"

namespace schedule {
namespace {

constexpr std::string_view kIdle = "启动";
constexpr std::string_view kArmed = "取消";
constexpr int kWatchPeriod = 10;
constexpr int kAlarmCount = 100;

// The inputs that are locked while armed, in the order they are locked and unlocked.
constexpr std::array<std::string_view, 10> kInputs = {"编辑框4", "编辑框5", "编辑框6", "单选框1",
                                                      "单选框2", "单选框3", "单选框4", "单选框5",
                                                      "单选框6", "按钮2"};

// The radios of the power actions, by their codes 1 to 5.
constexpr std::array<std::string_view, 5> kPowerRadios = {"单选框1", "单选框2", "单选框3",
                                                          "单选框4", "单选框5"};

void SetInputsDisabled(platform::Window& mainWindow, bool disabled) {
  for (std::string_view input : kInputs)
    mainWindow.setDisabled(input, disabled);
}

// "【" + the armed time + "】进行【" + the action + "】操作！" between the message's opening words.
std::string AboutTheSchedule(platform::Window& mainWindow, std::string_view opening) {
  return Concat(
      {opening, mainWindow.text("编辑框7"), "】进行【", mainWindow.caption("标签4"), "】操作！"});
}

void Arm(platform::Window& mainWindow, app::Services& services) {
  PadTimeBox(mainWindow, "编辑框6");
  PadTimeBox(mainWindow, "编辑框5");
  PadTimeBox(mainWindow, "编辑框4");
  if (mainWindow.ticked("单选框6") && mainWindow.text("编辑框1").empty()) {
    services::ShowMessageBox(services.messageBoxes,
                             "您选择了闹钟模式，却没有载入铃声，无法使用闹钟功能！",
                             services::kStyleInformation, "警告：");
    mainWindow.setTicked("单选框6", false);
    return;
  }
  mainWindow.setText("编辑框7",
                     Concat({mainWindow.text("编辑框4"), "时", mainWindow.text("编辑框5"), "分",
                             mainWindow.text("编辑框6"), "秒"}));
  services::ShowMessageBox(services.messageBoxes, AboutTheSchedule(mainWindow, "您设定了在【"),
                           services::kStyleInformation, "提示：");
  services::SetPeriod(mainWindow, "时钟2", kWatchPeriod);
  mainWindow.setCaption("按钮1", kArmed);
  SetInputsDisabled(mainWindow, true);
}

void Cancel(platform::Window& mainWindow, app::Services& services) {
  const std::string question = Concat(
      {AboutTheSchedule(mainWindow, "您将取消在【"), "\r\n\r\n              是否真的要取消？"});
  if (services::ShowMessageBox(services.messageBoxes, question, services::kStyleYesNo, "提示：") ==
      services::kAnswerNo) {
    return;
  }
  if (mainWindow.ticked("单选框6")) {
    ScheduleReset(mainWindow, services);
    return;
  }
  services::ShowMessageBox(services.messageBoxes, AboutTheSchedule(mainWindow, "您已经取消了在【"),
                           services::kStyleInformation, "提示：");
  mainWindow.setText("编辑框7", "");
  services::SetPeriod(mainWindow, "时钟2", 0);
  mainWindow.setCaption("按钮1", kIdle);
  SetInputsDisabled(mainWindow, false);
}

}  // namespace

void PadTimeBox(platform::Window& mainWindow, std::string_view box) {
  const std::string text = mainWindow.text(box);
  if (text.size() == 1 && text[0] >= '0' && text[0] <= '9') {
    mainWindow.setText(box, Concat({"0", text}));
  }
}

void OnStartButton(platform::Window& mainWindow, app::Services& services) {
  const std::string caption = mainWindow.caption("按钮1");
  if (TextEquals(caption, kIdle)) {
    Arm(mainWindow, services);
  } else if (TextEquals(caption, kArmed)) {
    Cancel(mainWindow, services);
  }
}

void OnActionRadio(platform::Window& mainWindow, std::string_view radio) {
  mainWindow.setCaption("标签4", mainWindow.caption(radio));
}

void ScheduleReset(platform::Window& mainWindow, app::Services& services) {
  mainWindow.setText("编辑框7", "");
  services::SetPeriod(mainWindow, "时钟2", 0);
  mainWindow.setCaption("按钮1", kIdle);
  SetInputsDisabled(mainWindow, false);
  mainWindow.setMenuItemVisible("关闭闹钟", false);
  services::StopPlayback(services.player);
}

void OnScheduleTick(platform::Window& mainWindow, app::Services& services) {
  if (!TextEquals(mainWindow.text("编辑框3"), mainWindow.text("编辑框7"))) return;
  for (std::size_t i = 0; i < kPowerRadios.size(); ++i) {
    if (mainWindow.ticked(kPowerRadios[i])) {
      services::RequestPowerAction(services.power, static_cast<int>(i) + 1);
    }
  }
  if (mainWindow.ticked("单选框6")) {
    services::PlayMp3(services.player, kAlarmCount, {mainWindow.text("编辑框1")});
    mainWindow.setMenuItemVisible("关闭闹钟", true);
  }
}

}  // namespace schedule
