// A live window of the form layer, made of Qt widgets at exact pixel places.
#pragma once

#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/destroy_request.h"
#include "platform/qt/qt_tray.h"
#include "platform/up_down.h"
#include "platform/window.h"

namespace platform::qt {

class QtWindowSystem;

class QtWindow final : public QObject, public platform::Window {
  Q_OBJECT
 public:
  QtWindow(QtWindowSystem& system, const WindowForm& form, WindowHandlers handlers,
           QtWindow* owner);
  ~QtWindow() override;

  const WindowForm& form() const override { return form_; }
  std::string text(std::string_view control) const override;
  void setText(std::string_view control, std::string_view text) override;
  std::string caption(std::string_view control) const override;
  void setCaption(std::string_view control, std::string_view caption) override;
  bool disabled(std::string_view control) const override;
  void setDisabled(std::string_view control, bool disabled) override;
  bool ticked(std::string_view control) const override;
  void setTicked(std::string_view control, bool ticked) override;
  bool controlVisible(std::string_view control) const override;
  int period(std::string_view timer) const override;
  void restartTimer(std::string_view timer, int milliseconds) override;
  std::string fileName(std::string_view dialog) const override;
  bool openFileDialog(std::string_view dialog) override;
  bool menuItemVisible(std::string_view caption) const override;
  void setMenuItemVisible(std::string_view caption, bool visible) override;
  bool visible() const override;
  void show() override;
  void hide() override;
  void setPosition(int position) override;
  int position() const override;
  void setTrayIcon(std::span<const unsigned char> image, std::string_view tip) override;
  bool hasTrayIcon() const override { return tray_ != nullptr; }
  void popUpMenu(std::string_view item) override;
  void requestDestroy() override;
  bool destroyPending() const override { return destroy_.pending(); }
  void bringToFront() override;
  void requestClose() override;

  QWidget* widget() const { return widget_; }
  QtWindow* owner() const { return owner_; }
  bool destroyed() const { return destroy_.state() == DestroyRequest::State::Destroyed; }
  // Created, then position changed, then size changed, each while the window still exists.
  void deliverLoadEvents();
  // Destroys the window now, owned windows first; the closing handler runs once it is hidden.
  void destroyNow();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Control {
    const ControlForm* form = nullptr;
    QWidget* widget = nullptr;  // null for timers and dialogs
    QWidget* spin = nullptr;    // the up-down control of an edit box
    int timerRank = 0;          // timers: the order of ticks at a shared grid point
    int timerId = 0;            // running timers: the id of their ticks
    std::string text;
    int period = 0;
    std::string fileName;
  };
  struct MenuItem {
    const MenuItemForm* form = nullptr;
    bool visible = true;
  };

  void createControls();
  QWidget* createWidget(const ControlForm& form, QWidget* parent);
  void bindEvents();
  Control& control(std::string_view name);
  const Control& control(std::string_view name) const;
  MenuItem& menuItem(std::string_view caption);
  const MenuItem& menuItem(std::string_view caption) const;
  const Handler* findHandler(std::string_view control, Event event) const;
  void run(const Handler& handler);
  void run(std::string_view control, Event event);
  void step(std::string_view editBox, SpinDirection direction);
  bool startsDrag(QPoint globalPosition) const;
  void beginDrag(QPoint globalPosition);
  void releaseWhenIdle();
  void stopTimers();
  void centre();
  // The visible children of a menu item, in order, as entries that run their handlers.
  std::vector<QtTray::MenuEntry> visibleChildren(std::string_view item);
  void refreshTrayMenu();

  QtWindowSystem& system_;
  const WindowForm form_;
  WindowHandlers handlers_;
  QtWindow* owner_;
  QPointer<QWidget> widget_;
  QPixmap icon_;
  std::map<std::string, Control, std::less<>> controls_;
  std::map<const QObject*, const ControlForm*> formOf_;
  std::vector<MenuItem> menu_;
  DestroyRequest destroy_;
  bool firstShow_ = true;  // cleared by the first show()
  int storedPosition_ = 0;
  std::unique_ptr<QtTray> tray_;
  int runningHandlers_ = 0;
  bool released_ = false;
  bool manualDrag_ = false;
  QPoint dragOffset_;
};

}  // namespace platform::qt
