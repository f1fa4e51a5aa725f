// A live window made from a form, as the program's handlers see it: its controls are addressed by
// their form names and read or written one property at a time.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/form.h"

namespace platform {

class Window;

using Handler = std::function<void(Window&)>;

struct ControlHandler {
  std::string control;  // a control name, or a menu item caption
  Event event = Event::Clicked;
  Handler run;
};

// The handlers bound to one window. A window event without a handler is not delivered.
struct WindowHandlers {
  Handler created;          // once, after every control exists, before the first show
  Handler positionChanged;  // every move, the moves into and out of the minimised state, and once
                            // at load
  Handler closing;          // on every destruction, while the window exists but is no longer shown
  std::function<void(Window&, int code)> tray;
  std::vector<ControlHandler> controls;
};

class Window {
 public:
  virtual ~Window() = default;

  virtual const WindowForm& form() const = 0;

  // Text of an edit box; caption of a label, button, radio button, check box or group box.
  // Texts are UTF-8 bytes, kept as given: what is written is what is read back.
  virtual std::string text(std::string_view control) const = 0;
  virtual void setText(std::string_view control, std::string_view text) = 0;
  virtual std::string caption(std::string_view control) const = 0;
  virtual void setCaption(std::string_view control, std::string_view caption) = 0;

  virtual bool disabled(std::string_view control) const = 0;
  virtual void setDisabled(std::string_view control, bool disabled) = 0;
  virtual bool ticked(std::string_view control) const = 0;
  virtual void setTicked(std::string_view control, bool ticked) = 0;
  virtual bool controlVisible(std::string_view control) const = 0;

  // The raw timer of a timer control: restartTimer stops it, stores the period and, when it is
  // greater than 0, starts it anew with the first tick one period later. The program writes
  // periods through services::SetPeriod, which adds the rules of the timer control.
  virtual int period(std::string_view timer) const = 0;
  virtual void restartTimer(std::string_view timer, int milliseconds) = 0;

  // The full path of the last file confirmed in a file dialog control.
  virtual std::string fileName(std::string_view dialog) const = 0;
  // Shows the open-file dialog modally (other events go on meanwhile) and waits. True when the
  // user confirmed a file: its full path is then the dialog's file name; a cancel keeps the
  // file name it had.
  virtual bool openFileDialog(std::string_view dialog) = 0;

  virtual bool menuItemVisible(std::string_view caption) const = 0;
  virtual void setMenuItemVisible(std::string_view caption, bool visible) = 0;

  // The window itself. Positions: 0 normal, 1 centred, 2 minimised, 3 maximised.
  virtual bool visible() const = 0;
  // Makes the window visible. The first time after loading it is shown as its stored position
  // says (2 minimised, 3 maximised, otherwise normal); later a minimised window stays minimised.
  virtual void show() = 0;
  virtual void hide() = 0;
  // Stores the position (clamped into 0 to 3); only a visible window acts on it: 0 normal,
  // 1 restored and centred, 2 minimised, 3 maximised.
  virtual void setPosition(int position) = 0;
  // 2 when minimised, 3 when maximised, otherwise 0.
  virtual int position() const = 0;

  // The window's tray icon: with an image (PNG bytes) it is added, or changed if it exists;
  // without one it is removed, and nothing happens if there is none. The tip is cut after its
  // 62nd byte in the Chinese ANSI code page, never inside a character.
  virtual void setTrayIcon(std::span<const unsigned char> image, std::string_view tip) = 0;
  virtual bool hasTrayIcon() const = 0;
  // Pops up the visible children of a menu item, in order, at the mouse cursor plus 3 pixels
  // right and down, and waits until it closes; the chosen item's handler runs after that.
  virtual void popUpMenu(std::string_view item) = 0;

  // Marks the window pending destruction; the event loop destroys it after the current handler
  // has returned. A request while one is pending, or during the destruction, does nothing.
  virtual void requestDestroy() = 0;
  virtual bool destroyPending() const = 0;
  // Raises the window above the others and gives it the focus, restoring it if minimised.
  virtual void bringToFront() = 0;
  // A close request from outside (Esc, the window system): destroys the window at once.
  virtual void requestClose() = 0;
};

}  // namespace platform
