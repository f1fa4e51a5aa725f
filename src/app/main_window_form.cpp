// The form of MainWindow: its settings, every control with its place, texts, look and initial
// state, its timers, the file dialog and the tray menu.
#include "app/main_window.h"

#include "resources/resources.h"

namespace app {
namespace {

using platform::Align;
using platform::ControlForm;
using platform::ControlKind;
using platform::Event;
using platform::Fill;
using platform::Font;
using platform::Picture;
using platform::Pointer;
using platform::Rgb;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};

Font Song(int pixels) {
  return Font{"宋体", pixels, true};
}
Fill Solid(Rgb colour) {
  return Fill{Fill::Kind::Solid, {colour}};
}

ControlForm GroupBox(std::string name, platform::Rect place, std::string caption, bool disabled,
                     Pointer pointer = Pointer::Arrow) {
  return {.kind = ControlKind::GroupBox,
          .name = std::move(name),
          .place = place,
          .text = std::move(caption),
          .textColour = kRed,
          .background = Solid(kBlack),
          .pointer = pointer,
          .disabled = disabled};
}

ControlForm TimeBox(std::string name, platform::Rect place, int max, std::string accessibleName) {
  return {.kind = ControlKind::EditBox,
          .name = std::move(name),
          .container = "分组框1",
          .place = place,
          .text = "00",
          .font = Song(24),
          .textColour = kBlack,
          .background = Solid(kWhite),
          .align = Align::Centre,
          .readOnly = true,
          .border = true,
          .spin = platform::Spin{0, max},
          .accessibleName = std::move(accessibleName)};
}

ControlForm UnitLabel(std::string name, platform::Rect place, std::string caption, bool disabled) {
  return {.kind = ControlKind::Label,
          .name = std::move(name),
          .container = "分组框1",
          .place = place,
          .text = std::move(caption),
          .font = Song(19),
          .textColour = kRed,
          .background = Solid(kBlack),
          .align = Align::Centre,
          .disabled = disabled};
}

ControlForm TimeDisplay(std::string name, platform::Rect place, std::string accessibleName) {
  return {.kind = ControlKind::EditBox,
          .name = std::move(name),
          .container = "分组框2",
          .place = place,
          .font = Song(19),
          .textColour = kBlack,
          .background = Solid(kWhite),
          .align = Align::Centre,
          .disabled = true,
          .readOnly = true,
          .border = true,
          .accessibleName = std::move(accessibleName)};
}

ControlForm RedLabel(std::string name, std::string container, platform::Rect place,
                     std::string caption, std::optional<Font> font = std::nullopt) {
  return {.kind = ControlKind::Label,
          .name = std::move(name),
          .container = std::move(container),
          .place = place,
          .text = std::move(caption),
          .font = std::move(font),
          .textColour = kRed,
          .background = Solid(kBlack)};
}

ControlForm Option(ControlKind kind, std::string name, platform::Rect place, std::string caption,
                   bool ticked = false) {
  return {.kind = kind,
          .name = std::move(name),
          .container = "分组框3",
          .place = place,
          .text = std::move(caption),
          .textColour = kWhite,
          .pointer = Pointer::Hand,
          .ticked = ticked,
          .events = {Event::Clicked}};
}

ControlForm Button(std::string name, std::string container, platform::Rect place,
                   std::string caption, Pointer pointer, std::vector<Event> events = {}) {
  return {.kind = ControlKind::Button,
          .name = std::move(name),
          .container = std::move(container),
          .place = place,
          .text = std::move(caption),
          .pointer = pointer,
          .events = std::move(events)};
}

ControlForm Timer(std::string name) {
  return {.kind = ControlKind::Timer, .name = std::move(name), .events = {Event::Tick}};
}

}  // namespace

platform::WindowForm MainWindowForm() {
  platform::WindowForm form{
      .name = "MainWindow",
      .caption = "自动关机",
      .width = 400,
      .height = 254,
      .centred = true,
      .position = 1,
      .frame = false,
      .minimisable = true,
      .maximisable = false,
      .background = kBlack,
      .icon = resources::ProgramIcon(),
      .taskbarButton = true,
      .alwaysOnTop = false,
      .escapeCloses = true,
      .draggable = true,
  };
  constexpr Pointer kHand = Pointer::Hand;
  constexpr Pointer kArrow = Pointer::Arrow;
  form.controls = {
      // The top strip.
      {.kind = ControlKind::PictureBox,
       .name = "图片框1",
       .place = {0, 0, 20, 20},
       .background = Solid(kBlack),
       .pointer = kHand,
       .picture = Picture::WindowIcon,
       .accessibleName = "菜单",
       .events = {Event::RightButtonPressed}},
      {.kind = ControlKind::Label,
       .name = "标签9",
       .place = {24, 0, 316, 20},
       .text = "自动关机",
       .font = Song(16),
       .textColour = kBlue,
       .background = Fill{Fill::Kind::Gradient, {kGrey, kWhite, kGrey}}},
      Button("按钮6", "", {341, 0, 20, 20}, "_", kHand, {Event::Clicked}),
      [] {
        ControlForm maximise = Button("按钮4", "", {361, 0, 20, 20}, "口", Pointer::Arrow);
        maximise.disabled = true;
        return maximise;
      }(),
      Button("按钮5", "", {381, 0, 20, 20}, "X", kHand, {Event::Clicked}),

      // 设定： the set time.
      GroupBox("分组框1", {4, 21, 392, 56}, "设定：", false, kHand),
      TimeBox("编辑框4", {8, 16, 48, 32}, 23, "设定小时"),
      UnitLabel("标签1", {78, 16, 16, 32}, "时", true),
      TimeBox("编辑框5", {96, 16, 48, 32}, 59, "设定分钟"),
      UnitLabel("标签2", {165, 16, 16, 32}, "分", false),
      TimeBox("编辑框6", {184, 16, 48, 32}, 59, "设定秒钟"),
      UnitLabel("标签3", {253, 16, 16, 32}, "秒", false),
      Button("按钮1", "分组框1", {275, 16, 52, 32}, "启动", kHand, {Event::Clicked}),
      Button("按钮7", "分组框1", {333, 16, 52, 32}, "说明", kHand, {Event::Clicked}),

      // 时间： the armed and the current time.
      GroupBox("分组框2", {4, 77, 236, 72}, "时间：", true),
      RedLabel("标签5", "分组框2", {5, 15, 56, 24}, "设定时间："),
      TimeDisplay("编辑框7", {65, 12, 163, 24}, "设定时间"),
      RedLabel("标签6", "分组框2", {5, 44, 56, 24}, "现在时间："),
      TimeDisplay("编辑框3", {65, 41, 163, 24}, "现在时间"),

      // 选项： the action and the chimes.
      GroupBox("分组框3", {244, 77, 152, 72}, "选项：", false),
      Option(ControlKind::RadioButton, "单选框1", {4, 13, 48, 16}, "关机", true),
      Option(ControlKind::RadioButton, "单选框2", {51, 13, 56, 16}, "重启"),
      Option(ControlKind::RadioButton, "单选框3", {100, 13, 48, 16}, "注销"),
      Option(ControlKind::RadioButton, "单选框4", {4, 32, 48, 16}, "休眠"),
      Option(ControlKind::RadioButton, "单选框5", {52, 32, 64, 16}, "冬眠"),
      Option(ControlKind::RadioButton, "单选框6", {100, 31, 48, 16}, "闹钟"),
      Option(ControlKind::CheckBox, "选择框1", {6, 51, 80, 16}, "整点报时"),
      Option(ControlKind::CheckBox, "选择框2", {79, 50, 72, 16}, "半点报时"),

      // 铃声： the ringtone.
      GroupBox("分组框4", {4, 152, 236, 55}, "铃声：", false),
      {.kind = ControlKind::EditBox,
       .name = "编辑框1",
       .container = "分组框4",
       .place = {8, 12, 220, 16},
       .textColour = kBlack,
       .background = Solid(kWhite),
       .align = Align::Left,
       .disabled = true,
       .readOnly = true,
       .border = true,
       .accessibleName = "铃声文件"},
      RedLabel("标签10", "分组框4", {12, 32, 104, 16}, "MP3格式音频文件", Song(12)),
      Button("按钮2", "分组框4", {124, 33, 44, 16}, "载入", kHand, {Event::Clicked}),
      Button("按钮3", "分组框4", {184, 33, 44, 16}, "关闭", kHand, {Event::Clicked}),

      // 操作： the power actions at once.
      GroupBox("分组框7", {244, 152, 152, 55}, "操作：", false),
      Button("按钮8", "分组框7", {16, 14, 56, 16}, "关机", kArrow, {Event::Clicked}),
      Button("按钮9", "分组框7", {86, 14, 56, 16}, "重启", kArrow, {Event::Clicked}),
      Button("按钮10", "分组框7", {16, 32, 56, 16}, "注销", kArrow, {Event::Clicked}),
      Button("按钮11", "分组框7", {86, 32, 56, 16}, "休眠", kArrow, {Event::Clicked}),

      // 系统： and 作者：
      GroupBox("分组框5", {4, 209, 236, 40}, "系统：", true),
      {.kind = ControlKind::Label,
       .name = "标签7",
       .container = "分组框5",
       .place = {10, 16, 212, 16},
       .text = "标签",
       .textColour = kGreen,
       .background = Solid(kBlack),
       .align = Align::Centre,
       .disabled = true},
      GroupBox("分组框6", {244, 209, 152, 40}, "作者：", true),
      {.kind = ControlKind::Label,
       .name = "标签8",
       .container = "分组框6",
       .place = {24, 12, 104, 24},
       .text = "自动关机开发组\n版本 1.0.0.0",
       .textColour = kGreen,
       .background = Solid(kBlack),
       .align = Align::Left,
       .wrap = true,
       .disabled = true},

      // Below the bottom edge, never seen: the caption of the chosen action.
      {.kind = ControlKind::Label,
       .name = "标签4",
       .place = {368, 304, 24, 16},
       .text = "关机",
       .textColour = kBlack,
       .background = Fill{Fill::Kind::ButtonFace, {}}},

      Timer("时钟1"),
      Timer("时钟2"),
      Timer("时钟3"),
      {.kind = ControlKind::FileDialog,
       .name = "通用对话框1",
       .dialog = platform::FileDialogSettings{.hideReadOnly = true,
                                              .fileMustExist = true,
                                              .pathMustExist = true,
                                              .overwritePrompt = true}},
  };
  // TrayMenu: the invisible top item "a" holds the popup's items.
  form.menu = {
      {.caption = "a", .level = 0, .visible = false},
      {.caption = "隐藏", .level = 1, .events = {Event::Selected}},
      {.caption = "显示", .level = 1, .events = {Event::Selected}},
      {.caption = "-", .level = 1},
      {.caption = "退出", .level = 1, .events = {Event::Selected}},
      {.caption = "-", .level = 1},
      {.caption = "关闭闹钟", .level = 1, .events = {Event::Selected}},
  };
  return form;
}

}  // namespace app
