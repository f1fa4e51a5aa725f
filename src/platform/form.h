// A window defined as data: its settings, its controls and its menu. A backend of the form layer
// makes a live window from such a form; the program's handlers then address the controls by name.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(Rgb, Rgb) = default;
};

// Place and size in pixels, measured from the container's top-left corner.
struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(Rect, Rect) = default;
};

enum class ControlKind {
  PictureBox,
  Label,
  TransparentLabel,
  Button,
  GroupBox,
  EditBox,
  RadioButton,
  CheckBox,
  Timer,
  FileDialog,
};

enum class Event {
  Clicked,             // buttons, radio buttons, check boxes
  RightButtonPressed,  // picture boxes
  Tick,                // timers
  Selected,            // menu items
};

enum class Align { Left, Centre, Right };
enum class Pointer { Arrow, Hand };

// A font given by face, character height in pixels and weight. A control without one uses the
// default GUI font.
struct Font {
  std::string face{};
  int pixelHeight = 0;
  bool bold = false;
};

// What a control paints behind its text.
struct Fill {
  enum class Kind {
    None,        // nothing: the container shows through
    Solid,       // colours[0]
    Gradient,    // a horizontal gradient from left to right through colours, evenly spaced
    ButtonFace,  // the platform's button-face colour
  };
  Kind kind = Kind::None;
  std::vector<Rgb> colours{};
};

// Where a picture box takes its picture from.
enum class Picture {
  None,
  WindowIcon,  // the window's own icon, stretched to the box
  Resource,    // the bytes in ControlForm::pictureData, stretched to the box
};

// The up-down control that sits directly to the right of an edit box, as tall as the box.
struct Spin {
  int min = 0, max = 0;
  int width = 18;
};

// The settings of an open-file dialog. Empty texts leave the platform's defaults.
struct FileDialogSettings {
  std::string title{};
  std::string filter{};
  std::string fileName{};
  std::string folder{};
  std::string defaultExtension{};
  bool hideReadOnly = false;
  bool fileMustExist = false;
  bool pathMustExist = false;
  bool overwritePrompt = false;
};

struct ControlForm {
  ControlKind kind = ControlKind::Label;
  std::string name{};       // unique within the window
  std::string container{};  // a group box of the same window; empty: the window itself
  Rect place{};
  std::string text{};  // caption of labels, buttons and group boxes; text of edit boxes
  std::optional<Font> font{};
  std::optional<Rgb> textColour{};
  Fill background{};
  Align align = Align::Left;
  bool wrap = false;  // wrapped at word boundaries, otherwise one line, vertically centred
  Pointer pointer = Pointer::Arrow;
  bool disabled = false;
  bool visible = true;
  bool ticked = false;
  bool readOnly = false;
  bool border = false;  // sunken edge (edit boxes); framed edge (picture boxes)
  std::optional<Spin> spin{};
  Picture picture = Picture::None;
  std::span<const unsigned char> pictureData{};
  int period = 0;  // timers: milliseconds between ticks, 0 stopped
  std::optional<FileDialogSettings> dialog{};
  std::string accessibleName{};  // for controls that show no caption of their own
  std::vector<Event> events{};
};

// One item of the window's menu. Level 0 is the top; deeper items belong to the nearest item
// above them with a smaller level. The caption "-" is a separator.
struct MenuItemForm {
  std::string caption{};
  int level = 0;
  bool visible = true;
  std::vector<Event> events{};
};

struct WindowForm {
  std::string name{};
  std::string caption{};
  int width = 0, height = 0;
  bool centred = true;
  int position = 0;  // the stored position at load: 0 normal, 1 centred, 2 minimised, 3 maximised
  bool frame = false;
  bool minimisable = false;
  bool maximisable = false;
  Rgb background{};
  std::span<const unsigned char> icon{};  // PNG bytes; empty: no icon
  bool taskbarButton = true;
  bool alwaysOnTop = false;
  bool escapeCloses = false;
  bool draggable = false;  // from its background, labels, picture boxes and group boxes
  std::vector<ControlForm> controls{};
  std::vector<MenuItemForm> menu{};
};

// The form's control of that name, or nullptr.
const ControlForm* FindControl(const WindowForm& form, std::string_view name);

}  // namespace platform
