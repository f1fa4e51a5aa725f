#include "schedule/chimes.h"

#include "schedule/time_text.h"
#include "services/message_box.h"
#include "services/player.h"
#include "services/timer.h"

namespace schedule {
namespace {

constexpr int kChimePeriod = 10;
constexpr int kEndless = -1;

std::array<std::string, 24> ChimesAt(int minute) {
  std::array<std::string, 24> texts;
  for (int hour = 0; hour < 24; ++hour)
    texts[static_cast<std::size_t>(hour)] = TimeOfDayText(hour, minute, 0);
  return texts;
}

// Whether the time of day equals a text of the table; the first equal one stops the search.
bool Among(const std::string& timeOfDay, const std::array<std::string, 24>& table) {
  for (const std::string& text : table) {
    if (TextEquals(timeOfDay, text)) return true;
  }
  return false;
}

}  // namespace

const std::array<std::string, 24>& FullHourChimes() {
  static const std::array<std::string, 24> texts = ChimesAt(0);
  return texts;
}

const std::array<std::string, 24>& HalfHourChimes() {
  static const std::array<std::string, 24> texts = ChimesAt(30);
  return texts;
}

void OnLoadButton(platform::Window& mainWindow) {
  mainWindow.openFileDialog("通用对话框1");
  mainWindow.setText("编辑框1", mainWindow.fileName("通用对话框1"));
}

void OnChimeBox(platform::Window& mainWindow, app::Services& services, std::string_view box) {
  if (!mainWindow.ticked(box)) return;  // unticked: the chimes go on
  if (!mainWindow.text("编辑框1").empty()) {
    services::SetPeriod(mainWindow, "时钟3", kChimePeriod);
    return;
  }
  const char* message = box == "选择框1" ? "你还未载入音频文件，无法使用整点报时功能"
                                         : "你还未载入音频文件，无法使用半点报时功能";
  services::ShowMessageBox(services.messageBoxes, message, services::kStyleInformation, "提示：");
  mainWindow.setTicked(box, false);
}

void OnChimeTick(platform::Window& mainWindow, app::Services& services) {
  const std::string now = mainWindow.text("编辑框3");
  if (Among(now, FullHourChimes())) {
    services::PlayMp3(services.player, kEndless, {mainWindow.text("编辑框1")});
  }
  if (Among(now, HalfHourChimes())) {
    services::PlayMp3(services.player, kEndless, {mainWindow.text("编辑框1")});
  }
}

}  // namespace schedule
