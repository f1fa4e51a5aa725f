#include "app/help_window.h"

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
constexpr Rgb kBlue{0, 0, 255};

ControlForm Line(std::string name, platform::Rect place, std::string text, Rgb colour = kWhite) {
  return {.kind = ControlKind::TransparentLabel,
          .name = std::move(name),
          .container = "分组框1",
          .place = place,
          .text = std::move(text),
          .textColour = colour};
}

}  // namespace

platform::WindowForm HelpWindowForm() {
  platform::WindowForm form{
      .name = "HelpWindow",
      .caption = "",
      .width = 376,
      .height = 221,
      .centred = true,
      .frame = false,
      .minimisable = false,
      .maximisable = false,
      .background = kBlack,
      .icon = resources::ProgramIcon(),
      .taskbarButton = false,
      .alwaysOnTop = false,
      .escapeCloses = true,
      .draggable = true,
  };
  form.controls = {
      {.kind = ControlKind::PictureBox,
       .name = "图片框1",
       .place = {0, 0, 20, 20},
       .background = Fill{Fill::Kind::Solid, {kBlack}},
       .pointer = Pointer::Hand,
       .picture = Picture::WindowIcon,
       .accessibleName = "自动关机"},
      {.kind = ControlKind::Label,
       .name = "标签9",
       .place = {20, 0, 332, 20},
       .text = "说明：",
       .font = Font{"宋体", 16, true},
       .textColour = kBlue,
       .background = Fill{Fill::Kind::Gradient, {kGrey, kWhite, kGrey}}},
      {.kind = ControlKind::Button,
       .name = "按钮2",
       .place = {354, 0, 20, 20},
       .text = "X",
       .events = {Event::Clicked}},
      {.kind = ControlKind::GroupBox,
       .name = "分组框1",
       .place = {3, 20, 368, 196},
       .text = "说明：",
       .textColour = kRed,
       .background = Fill{Fill::Kind::Solid, {kBlack}}},
      {.kind = ControlKind::PictureBox,
       .name = "图片框2",
       .container = "分组框1",
       .place = {13, 18, 104, 104},
       .background = Fill{Fill::Kind::ButtonFace, {}},
       .border = true,
       .picture = Picture::Resource,
       .pictureData = resources::HelpPicture(),
       .accessibleName = "程序插图"},
      Line("透明标签1", {133, 12, 224, 24}, "一) 本程序功能介绍："),
      Line("透明标签2", {149, 36, 208, 24}, "1) 定时(关机、重启、注销）等功能"),
      Line("透明标签3", {149, 60, 200, 24}, "2) 整点报时、半点报时、定时闹钟"),
      Line("透明标签4", {149, 84, 208, 24}, "3) 闹钟铃声可以随便换，为MP3格式"),
      Line("透明标签5", {149, 116, 216, 16}, "4) 可立即执行关机、重启、注销等功能"),
      Line("透明标签6", {21, 140, 328, 24},
           "二）  本程序只供学习交流，不得做商业用途，违者后果自负"),
      Line("透明标签7", {37, 164, 184, 24}, "自动关机开发组 敬上", kRed),
      {.kind = ControlKind::Button,
       .name = "按钮1",
       .container = "分组框1",
       .place = {245, 164, 96, 24},
       .text = "确  定",
       .font = Font{"宋体", 16, true},
       .events = {Event::Clicked}},
  };
  return form;
}

void OpenHelpWindow(platform::Window& mainWindow, Services& services) {
  if (platform::Window* open = services.windows.find("HelpWindow")) {
    if (!open->destroyPending()) {
      open->bringToFront();
      return;
    }
    services.windows.destroyNow(*open);
  }
  platform::WindowHandlers handlers;
  auto close = [](platform::Window& help) { help.requestDestroy(); };
  handlers.controls = {{"按钮1", Event::Clicked, close}, {"按钮2", Event::Clicked, close}};
  if (platform::Window* help =
          services.windows.load(HelpWindowForm(), std::move(handlers), &mainWindow)) {
    help->show();
  }
}

}  // namespace app
