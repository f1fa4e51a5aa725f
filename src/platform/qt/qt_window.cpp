#include "platform/qt/qt_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/ansi_text.h"
#include "platform/image.h"
#include "platform/qt/form_widgets.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_window_system.h"

namespace platform::qt {
namespace {

const QEvent::Type kDestroyMessage = static_cast<QEvent::Type>(QEvent::registerEventType());
constexpr std::size_t kTipBytes = 62;

[[noreturn]] void Unknown(const char* what, std::string_view name) {
  std::fprintf(stderr, "autoshutdown: no %s named \"%.*s\" in this window\n", what,
               static_cast<int>(name.size()), name.data());
  std::abort();
}

bool Declares(const std::vector<Event>& events, Event event) {
  return std::find(events.begin(), events.end(), event) != events.end();
}

bool DeclaresEvent(const WindowForm& form, std::string_view control, Event event) {
  if (const ControlForm* found = FindControl(form, control)) return Declares(found->events, event);
  return std::any_of(form.menu.begin(), form.menu.end(), [&](const MenuItemForm& item) {
    return item.caption == control && Declares(item.events, event);
  });
}

bool TakesFocus(ControlKind kind) {
  return kind == ControlKind::Button || kind == ControlKind::EditBox ||
         kind == ControlKind::RadioButton || kind == ControlKind::CheckBox;
}

// A press here moves the window; a press on a transparent label, a button or an input does not.
bool Draggable(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::PictureBox ||
         kind == ControlKind::GroupBox;
}

// Sets a colour role in every colour group, so that the control keeps it whatever its state.
void SetRole(QWidget* widget, QPalette::ColorRole role, QColor colour) {
  QPalette palette = widget->palette();
  palette.setColor(role, colour);
  widget->setPalette(palette);
}

// Pictures of the forms are PNG or JPEG, decoded by libpng and libjpeg rather than Qt's image
// plugins (which Qt would load, all of them, only to probe the format).
QPixmap PixmapOf(std::span<const unsigned char> picture) {
  std::optional<Image> decoded = DecodePicture(picture);
  if (!decoded) return {};
  const QImage image(decoded->rgba.data(), decoded->width, decoded->height, decoded->width * 4,
                     QImage::Format_RGBA8888);
  return QPixmap::fromImage(image);  // a deep copy: the decoded pixels may go
}

Qt::WindowFlags FlagsOf(const WindowForm& form) {
  Qt::WindowFlags flags = Qt::Window;
  if (!form.frame) flags |= Qt::FramelessWindowHint;
  if (form.minimisable) flags |= Qt::WindowMinimizeButtonHint;
  if (form.maximisable) flags |= Qt::WindowMaximizeButtonHint;
  if (form.alwaysOnTop) flags |= Qt::WindowStaysOnTopHint;
  if (!form.taskbarButton) flags |= Qt::Tool;
  return flags;
}

}  // namespace

QtWindow::QtWindow(QtWindowSystem& system, const WindowForm& form, WindowHandlers handlers,
                   QtWindow* owner)
    : system_(system), form_(form), handlers_(std::move(handlers)), owner_(owner) {
  for (const ControlHandler& bound : handlers_.controls) {
    if (!DeclaresEvent(form_, bound.control, bound.event)) Unknown("event", bound.control);
  }
  widget_ = new QWidget(owner ? owner->widget() : nullptr, FlagsOf(form_));
  widget_->setObjectName(ToQString(form_.name));
  widget_->setWindowTitle(ToQString(form_.caption));
  widget_->setFixedSize(form_.width, form_.height);
  SetRole(widget_, QPalette::Window, ToQColor(form_.background));
  widget_->setAutoFillBackground(true);
  icon_ = PixmapOf(form_.icon);
  if (!icon_.isNull()) {
    widget_->setWindowIcon(QIcon(icon_));
    if (QApplication::windowIcon().isNull()) QApplication::setWindowIcon(QIcon(icon_));
  }
  storedPosition_ = form_.position;
  if (form_.centred) centre();
  createControls();
  for (const MenuItemForm& item : form_.menu)
    menu_.push_back({&item, item.visible});
  widget_->installEventFilter(this);
  bindEvents();
}

QtWindow::~QtWindow() {
  stopTimers();
  delete widget_.data();
}

void QtWindow::stopTimers() {
  for (auto& [name, made] : controls_) {
    if (made.timerId != 0) system_.stopTicks(made.timerId);
    made.timerId = 0;
  }
}

void QtWindow::createControls() {
  for (const ControlForm& form : form_.controls) {
    Control& made = controls_[form.name];
    made.form = &form;
    made.text = form.text;
    made.fileName = form.dialog ? form.dialog->fileName : std::string();
    if (form.kind == ControlKind::Timer) {
      made.timerRank = system_.nextTimerRank();
      if (form.period > 0) restartTimer(form.name, form.period);
      continue;
    }
    if (form.kind == ControlKind::FileDialog) continue;
    QWidget* parent = widget_;
    if (!form.container.empty()) {
      auto container = controls_.find(form.container);
      if (container == controls_.end() || container->second.form->kind != ControlKind::GroupBox) {
        Unknown("group box", form.container);
      }
      parent = container->second.widget;
    }
    made.widget = createWidget(form, parent);
    formOf_[made.widget] = &form;
    made.widget->installEventFilter(this);
    if (form.spin) {
      auto* spin = new UpDownControl(ToQString(form.accessibleName), parent);
      spin->setGeometry(form.place.x + form.place.width, form.place.y, form.spin->width,
                        form.place.height);
      spin->setEnabled(!form.disabled);
      spin->setCursor(Qt::ArrowCursor);
      if (!form.visible) spin->hide();
      connect(spin, &UpDownControl::stepped, this, [this, name = form.name](bool up) {
        step(name, up ? SpinDirection::Up : SpinDirection::Down);
      });
      made.spin = spin;
      made.widget->setProperty("upDownAttached", true);  // the shared edge is the up-down's
      formOf_[spin] = &form;
    }
  }
}

QWidget* QtWindow::createWidget(const ControlForm& form, QWidget* parent) {
  const QString text = ToQString(form.text);
  const QColor textColour = ToQColor(form.textColour.value_or(Rgb{0, 0, 0}));
  QWidget* made = nullptr;
  switch (form.kind) {
    case ControlKind::PictureBox: {
      const QPixmap picture = form.picture == Picture::WindowIcon ? icon_
                              : form.picture == Picture::Resource ? PixmapOf(form.pictureData)
                                                                  : QPixmap();
      const bool solid = form.background.kind == Fill::Kind::Solid;
      const QColor background = solid ? ToQColor(form.background.colours.at(0))
                                      : parent->palette().color(QPalette::Button);
      made = new PictureBox(picture, background, form.border, parent);
      break;
    }
    case ControlKind::Label:
    case ControlKind::TransparentLabel: {
      auto* label = new FormLabel(form, parent);
      label->setText(text);
      made = label;
      break;
    }
    case ControlKind::Button:
      made = new QPushButton(text, parent);
      break;
    case ControlKind::GroupBox: {
      auto* box = new QGroupBox(text, parent);
      box->setAlignment(ToQtAlignment(form.align, false) & Qt::AlignHorizontal_Mask);
      SetRole(box, QPalette::WindowText, textColour);
      SetRole(box, QPalette::Text, textColour);
      made = box;
      break;
    }
    case ControlKind::EditBox: {
      auto* edit = new QLineEdit(text, parent);
      edit->setReadOnly(form.readOnly);
      edit->setAlignment(ToQtAlignment(form.align, false));
      edit->setFrame(form.border);
      edit->setContextMenuPolicy(Qt::NoContextMenu);
      SetRole(edit, QPalette::Text, textColour);
      if (form.background.kind == Fill::Kind::Solid) {
        SetRole(edit, QPalette::Base, ToQColor(form.background.colours.at(0)));
      }
      made = edit;
      break;
    }
    case ControlKind::RadioButton:
    case ControlKind::CheckBox: {
      QAbstractButton* button = form.kind == ControlKind::RadioButton
                                    ? static_cast<QAbstractButton*>(new QRadioButton(text, parent))
                                    : new QCheckBox(text, parent);
      button->setChecked(form.ticked);
      QPalette palette = button->palette();
      palette.setColor(QPalette::Active, QPalette::WindowText, textColour);
      palette.setColor(QPalette::Inactive, QPalette::WindowText, textColour);
      palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
      button->setPalette(palette);
      made = button;
      break;
    }
    case ControlKind::Timer:
    case ControlKind::FileDialog:
      return nullptr;
  }
  made->setObjectName(ToQString(form.name));
  made->setGeometry(ToQRect(form.place));
  made->setFont(ToQFont(form.font));
  made->setCursor(form.pointer == Pointer::Hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
  made->setFocusPolicy(TakesFocus(form.kind) ? Qt::StrongFocus : Qt::NoFocus);
  made->setEnabled(!form.disabled);
  if (!form.visible) made->hide();
  if (!form.accessibleName.empty()) made->setAccessibleName(ToQString(form.accessibleName));
  return made;
}

const Handler* QtWindow::findHandler(std::string_view control, Event event) const {
  for (const ControlHandler& bound : handlers_.controls) {
    if (bound.control == control && bound.event == event) return &bound.run;
  }
  return nullptr;
}

void QtWindow::bindEvents() {
  for (auto& [name, made] : controls_) {
    auto* button = qobject_cast<QAbstractButton*>(made.widget);
    if (const Handler* handler = findHandler(name, Event::Clicked); handler && button) {
      connect(button, &QAbstractButton::clicked, this, [this, handler] { run(*handler); });
    }
  }
}

void QtWindow::run(const Handler& handler) {
  if (!handler || destroyed()) return;
  ++runningHandlers_;
  handler(*this);
  --runningHandlers_;
  if (destroyed()) releaseWhenIdle();
}

void QtWindow::run(std::string_view control, Event event) {
  if (const Handler* handler = findHandler(control, event)) run(*handler);
}

void QtWindow::deliverLoadEvents() {
  run(handlers_.created);
  run(handlers_.positionChanged);
  // Size changed follows; no handler of the program takes it.
}

QtWindow::Control& QtWindow::control(std::string_view name) {
  auto found = controls_.find(name);
  if (found == controls_.end()) Unknown("control", name);
  return found->second;
}

const QtWindow::Control& QtWindow::control(std::string_view name) const {
  auto found = controls_.find(name);
  if (found == controls_.end()) Unknown("control", name);
  return found->second;
}

std::string QtWindow::text(std::string_view name) const {
  return control(name).text;
}

void QtWindow::setText(std::string_view name, std::string_view text) {
  Control& made = control(name);
  if (made.text == text) return;  // the same text: nothing to redraw
  made.text.assign(text);
  const QString shown = ToQString(text);
  if (auto* edit = qobject_cast<QLineEdit*>(made.widget)) {
    edit->setText(shown);
  } else if (auto* label = qobject_cast<QLabel*>(made.widget)) {
    label->setText(shown);
  } else if (auto* button = qobject_cast<QAbstractButton*>(made.widget)) {
    button->setText(shown);
  } else if (auto* box = qobject_cast<QGroupBox*>(made.widget)) {
    box->setTitle(shown);
  }
}

std::string QtWindow::caption(std::string_view name) const {
  return text(name);
}

void QtWindow::setCaption(std::string_view name, std::string_view caption) {
  setText(name, caption);
}

bool QtWindow::disabled(std::string_view name) const {
  const Control& made = control(name);
  return made.widget && made.widget->testAttribute(Qt::WA_ForceDisabled);
}

void QtWindow::setDisabled(std::string_view name, bool disabled) {
  Control& made = control(name);
  if (made.widget) made.widget->setDisabled(disabled);
  if (made.spin) made.spin->setDisabled(disabled);
}

bool QtWindow::ticked(std::string_view name) const {
  auto* button = qobject_cast<QAbstractButton*>(control(name).widget);
  return button && button->isChecked();
}

void QtWindow::setTicked(std::string_view name, bool ticked) {
  auto* button = qobject_cast<QAbstractButton*>(control(name).widget);
  if (!button) return;
  // An exclusive group refuses to untick its ticked button; the form layer allows a group with
  // none ticked.
  const bool exclusive = button->autoExclusive();
  if (!ticked && exclusive) button->setAutoExclusive(false);
  button->setChecked(ticked);
  if (!ticked && exclusive) button->setAutoExclusive(true);
}

bool QtWindow::controlVisible(std::string_view name) const {
  const Control& made = control(name);
  return made.widget && !made.widget->isHidden();
}

int QtWindow::period(std::string_view timer) const {
  return control(timer).period;
}

void QtWindow::restartTimer(std::string_view timer, int milliseconds) {
  Control& made = control(timer);
  if (made.form->kind != ControlKind::Timer || destroyed()) return;
  if (made.timerId != 0) system_.stopTicks(made.timerId);
  made.timerId = 0;
  made.period = milliseconds;
  if (milliseconds <= 0) return;
  const Handler* handler = findHandler(timer, Event::Tick);
  made.timerId = system_.startTicks(made.timerRank, milliseconds, [this, handler] {
    if (handler) run(*handler);
  });
}

std::string QtWindow::fileName(std::string_view dialog) const {
  return control(dialog).fileName;
}

bool QtWindow::openFileDialog(std::string_view dialog) {
  Control& made = control(dialog);
  if (!made.form->dialog || destroyed()) return false;
  const std::optional<std::string> chosen =
      ShowOpenFileDialog(*made.form->dialog, made.fileName, widget_);
  if (!chosen) return false;  // a cancel keeps the file name the dialog had
  made.fileName = *chosen;
  return true;
}

QtWindow::MenuItem& QtWindow::menuItem(std::string_view caption) {
  for (MenuItem& item : menu_) {
    if (item.form->caption == caption && caption != "-") return item;
  }
  Unknown("menu item", caption);
}

const QtWindow::MenuItem& QtWindow::menuItem(std::string_view caption) const {
  return const_cast<QtWindow*>(this)->menuItem(caption);
}

bool QtWindow::menuItemVisible(std::string_view caption) const {
  return menuItem(caption).visible;
}

void QtWindow::setMenuItemVisible(std::string_view caption, bool visible) {
  MenuItem& item = menuItem(caption);
  if (item.visible == visible) return;
  item.visible = visible;
  refreshTrayMenu();
}

void QtWindow::centre() {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  widget_->move(area.x() + (area.width() - form_.width) / 2,
                area.y() + (area.height() - form_.height) / 2);
}

bool QtWindow::visible() const {
  return widget_ && widget_->isVisible();
}

void QtWindow::show() {
  if (!widget_ || destroyed()) return;
  if (!firstShow_) {
    widget_->show();  // a minimised window is shown still minimised
    return;
  }
  firstShow_ = false;
  if (storedPosition_ == 2) {
    widget_->showMinimized();
  } else if (storedPosition_ == 3 && form_.maximisable) {
    widget_->showMaximized();
  } else {
    widget_->show();
  }
}

void QtWindow::hide() {
  if (!widget_ || destroyed()) return;
  // With a tray icon but no notification area to show it, a hidden window could never be
  // brought back: it stays on the task bar, minimised, instead.
  if (tray_ && !QtTray::HostAvailable()) {
    if (!widget_->isMinimized()) widget_->showMinimized();
    return;
  }
  widget_->hide();
}

void QtWindow::setPosition(int position) {
  storedPosition_ = std::clamp(position, 0, 3);
  if (!visible()) return;  // an invisible window only keeps the number
  switch (storedPosition_) {
    case 0:
      widget_->showNormal();
      break;
    case 1:
      widget_->showNormal();
      centre();
      break;
    case 2:
      widget_->showMinimized();
      break;
    case 3:
      if (form_.maximisable) widget_->showMaximized();
      break;
  }
}

int QtWindow::position() const {
  if (!widget_) return 0;
  if (widget_->isMinimized()) return 2;
  if (widget_->isMaximized()) return 3;
  return 0;
}

void QtWindow::setTrayIcon(std::span<const unsigned char> image, std::string_view tip) {
  if (image.empty()) {
    tray_.reset();
    return;
  }
  const QPixmap pixmap = PixmapOf(image);
  if (pixmap.isNull() || destroyed()) return;
  QString shown = ToQString(CutToAnsiBytes(tip, kTipBytes));
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));  // Qt breaks lines at LF alone
  if (tray_) {
    tray_->change(QIcon(pixmap), shown);
  } else {
    tray_ = std::make_unique<QtTray>(QIcon(pixmap), shown, [this](int code) {
      if (!handlers_.tray) return;
      run([this, code](Window& window) { handlers_.tray(window, code); });
    });
  }
  refreshTrayMenu();
}

std::vector<QtTray::MenuEntry> QtWindow::visibleChildren(std::string_view item) {
  std::size_t at = 0;
  while (at < menu_.size() && (menu_[at].form->caption != item || item == "-"))
    ++at;
  if (at == menu_.size()) Unknown("menu item", item);
  const int level = menu_[at].form->level;
  std::vector<QtTray::MenuEntry> entries;
  for (std::size_t i = at + 1; i < menu_.size() && menu_[i].form->level > level; ++i) {
    if (menu_[i].form->level != level + 1 || !menu_[i].visible) continue;
    const std::string caption = menu_[i].form->caption;
    entries.push_back({caption, [this, caption] { run(caption, Event::Selected); }});
  }
  return entries;
}

// A host that draws the tray icon's menu itself gets the visible items under the window's
// first top-level menu item, afresh whenever one of them is shown or hidden.
void QtWindow::refreshTrayMenu() {
  if (!tray_ || !tray_->hostDrawsMenu() || menu_.empty()) return;
  tray_->setMenu(visibleChildren(menu_.front().form->caption));
}

void QtWindow::popUpMenu(std::string_view item) {
  if (destroyed()) return;
  QMenu popup;
  popup.setSeparatorsCollapsible(false);  // a "-" shows wherever it stands, even last
  std::vector<std::pair<QAction*, std::function<void()>>> actions;
  for (QtTray::MenuEntry& entry : visibleChildren(item)) {
    if (entry.caption == "-") {
      popup.addSeparator();
    } else {
      actions.emplace_back(popup.addAction(ToQString(entry.caption)), std::move(entry.chosen));
    }
  }
  QAction* chosen = popup.exec(QCursor::pos() + QPoint(3, 3));
  for (auto& [action, chosenRun] : actions) {
    if (action == chosen) chosenRun();  // after the popup has closed
  }
}

void QtWindow::bringToFront() {
  if (!widget_ || destroyed()) return;
  if (widget_->isMinimized()) widget_->showNormal();
  widget_->show();
  widget_->raise();
  widget_->activateWindow();
}

void QtWindow::requestDestroy() {
  if (destroy_.request()) QCoreApplication::postEvent(widget_, new QEvent(kDestroyMessage));
}

void QtWindow::requestClose() {
  destroyNow();
}

void QtWindow::destroyNow() {
  if (!destroy_.begin()) return;
  widget_->hide();
  for (QtWindow* owned : system_.ownedBy(this))
    owned->destroyNow();
  run(handlers_.closing);
  tray_.reset();  // if it is still there
  stopTimers();
  if (manualDrag_) widget_->releaseMouse();
  destroy_.finish();
  system_.windowDestroyed(this);
  releaseWhenIdle();
}

void QtWindow::releaseWhenIdle() {
  if (runningHandlers_ > 0 || released_) return;
  released_ = true;
  system_.release(this);
}

void QtWindow::step(std::string_view editBox, SpinDirection direction) {
  Control& made = control(editBox);
  auto* edit = qobject_cast<QLineEdit*>(made.widget);
  if (!edit || !made.form->spin || !edit->isEnabled() || edit->isHidden()) return;
  setText(editBox, SpinStep(made.text, made.form->spin->min, made.form->spin->max, direction));
  edit->selectAll();
  edit->setFocus(Qt::OtherFocusReason);
}

bool QtWindow::startsDrag(QPoint globalPosition) const {
  for (QWidget* hit = widget_->childAt(widget_->mapFromGlobal(globalPosition));
       hit && hit != widget_; hit = hit->parentWidget()) {
    auto found = formOf_.find(hit);
    if (found != formOf_.end()) return Draggable(found->second->kind);
  }
  return true;  // the window's own background
}

void QtWindow::beginDrag(QPoint globalPosition) {
  if (QWindow* handle = widget_->windowHandle(); handle && handle->startSystemMove()) return;
  // No window manager that moves windows: follow the mouse ourselves.
  manualDrag_ = true;
  dragOffset_ = globalPosition - widget_->pos();
  widget_->grabMouse();
}

bool QtWindow::eventFilter(QObject* watched, QEvent* event) {
  const bool window = watched == widget_;
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const QPoint global = mouse->globalPosition().toPoint();
      if (mouse->button() == Qt::RightButton) {
        auto found = formOf_.find(watched);
        if (found == formOf_.end() || !Declares(found->second->events, Event::RightButtonPressed)) {
          return false;
        }
        run(found->second->name, Event::RightButtonPressed);
        return true;
      }
      if (mouse->button() == Qt::LeftButton && form_.draggable && startsDrag(global)) {
        beginDrag(global);
        return true;
      }
      return false;
    }
    case QEvent::MouseMove:
      if (!manualDrag_ || !window) return false;
      widget_->move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - dragOffset_);
      return true;
    case QEvent::MouseButtonRelease:
      if (!manualDrag_ || !window) return false;
      manualDrag_ = false;
      widget_->releaseMouse();
      return true;
    case QEvent::KeyPress:
      if (!window || !form_.escapeCloses ||
          static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) {
        return false;
      }
      requestClose();
      return true;
    case QEvent::Close:
      if (!window) return false;
      event->ignore();  // the window is destroyed our way, with its closing handler
      requestClose();
      return true;
    case QEvent::Paint:
      if (window) system_.windowPainted();
      return false;
    case QEvent::Move:
    case QEvent::WindowStateChange:
      if (window) run(handlers_.positionChanged);
      return false;
    default:
      if (!window || event->type() != kDestroyMessage) return false;
      if (destroy_.deliver()) destroyNow();
      return true;
  }
}

}  // namespace platform::qt
