// The form layer over Qt, on small forms of the test's own.
#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <string>
#include <vector>

#include "platform/qt/qt_window.h"
#include "platform/window_system.h"
#include "resources/resources.h"
#include "support/qt_test_main.h"
#include "support/text.h"

using platform::ControlForm;
using platform::ControlKind;
using platform::Event;
using platform::Window;
using platform::WindowForm;

namespace {

platform::WindowSystem& Windows() {
  return testing_support::Platform().windows();
}

WindowForm SmallForm() {
  WindowForm form{.name = "Small", .caption = "small", .width = 200, .height = 120};
  form.escapeCloses = true;
  form.draggable = true;
  form.controls = {
      {.kind = ControlKind::Label, .name = "label", .place = {0, 0, 100, 20}, .text = "标签"},
      {.kind = ControlKind::Button,
       .name = "button",
       .place = {100, 0, 60, 20},
       .text = "按钮",
       .events = {Event::Clicked}},
      {.kind = ControlKind::GroupBox, .name = "group", .place = {0, 30, 200, 90}, .text = "组"},
      {.kind = ControlKind::RadioButton,
       .name = "r1",
       .container = "group",
       .place = {5, 15, 60, 16},
       .text = "一",
       .ticked = true,
       .events = {Event::Clicked}},
      {.kind = ControlKind::RadioButton,
       .name = "r2",
       .container = "group",
       .place = {70, 15, 60, 16},
       .text = "二",
       .events = {Event::Clicked}},
      {.kind = ControlKind::EditBox,
       .name = "edit",
       .container = "group",
       .place = {5, 40, 40, 20},
       .text = "0",
       .readOnly = true,
       .spin = platform::Spin{0, 3}},
      {.kind = ControlKind::PictureBox,
       .name = "picture",
       .container = "group",
       .place = {100, 40, 20, 20},
       .events = {Event::RightButtonPressed}},
      {.kind = ControlKind::TransparentLabel,
       .name = "see-through",
       .container = "group",
       .place = {5, 65, 60, 16},
       .text = "透明"},
      {.kind = ControlKind::Timer, .name = "timer", .events = {Event::Tick}},
  };
  return form;
}

// Runs the event loop until the condition holds or the time is up.
bool Within(int milliseconds, const std::function<bool()>& condition) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > milliseconds) return false;
    QTest::qWait(5);
  }
  return true;
}

QWidget* WidgetOf(Window* window) {
  return dynamic_cast<platform::qt::QtWindow*>(window)->widget();
}

template <typename T>
T* Child(Window* window, const char* name) {
  return WidgetOf(window)->findChild<T*>(QString::fromUtf8(name));
}

// Ends the window by its own rules, and lets Qt delete it.
void Dispose(Window* window) {
  window->requestClose();
  QTest::qWait(1);
}

}  // namespace

class QtWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void loadDeliversCreatedThenPositionChanged() {
    std::vector<std::string> events;
    platform::WindowHandlers handlers;
    handlers.created = [&](Window& window) {
      events.push_back("created");
      QVERIFY(!window.visible());  // before the first show
    };
    handlers.positionChanged = [&](Window&) { events.push_back("position"); };
    Window* window = Windows().load(SmallForm(), handlers, nullptr);
    QVERIFY(window);
    QCOMPARE(events, (std::vector<std::string>{"created", "position"}));
    Dispose(window);
  }

  void radioTickChangesBeforeTheClick() {
    std::vector<bool> tickedAtClick;
    platform::WindowHandlers handlers;
    handlers.controls = {{"r2", Event::Clicked, [&](Window& window) {
                            tickedAtClick = {window.ticked("r1"), window.ticked("r2")};
                          }}};
    Window* window = Windows().load(SmallForm(), handlers, nullptr);
    window->show();
    QTest::mouseClick(Child<QRadioButton>(window, "r2"), Qt::LeftButton);
    QCOMPARE(tickedAtClick, (std::vector<bool>{false, true}));
    // The form layer may leave a group with no radio ticked.
    window->setTicked("r2", false);
    QVERIFY(!window->ticked("r1"));
    QVERIFY(!window->ticked("r2"));
    window->setTicked("r1", true);
    QVERIFY(window->ticked("r1"));
    Dispose(window);
  }

  void spinArrowsStepSelectAndFocus() {
    Window* window = Windows().load(SmallForm(), {}, nullptr);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(WidgetOf(window)));
    auto* edit = Child<QLineEdit>(window, "edit");
    auto arrows = WidgetOf(window)->findChildren<QToolButton*>();
    QCOMPARE(arrows.size(), 2);
    QToolButton* up = arrows[0]->arrowType() == Qt::UpArrow ? arrows[0] : arrows[1];
    QToolButton* down = up == arrows[0] ? arrows[1] : arrows[0];
    QCOMPARE(up->parentWidget()->geometry(), QRect(45, 40, 18, 20));  // right of the box, as tall

    QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(Q(window->text("edit")), QString("1"));
    QCOMPARE(edit->text(), QString("1"));
    QCOMPARE(edit->selectedText(), QString("1"));
    QVERIFY(edit->hasFocus());
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(Q(window->text("edit")), QString("3"));  // wrapped below 0 to the top

    // Arrow keys and typing change nothing.
    QTest::keyClick(edit, Qt::Key_Up);
    QTest::keyClicks(edit, "12");
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(Q(window->text("edit")), QString("3"));
    QCOMPARE(edit->text(), QString("3"));

    // Disabled with its box: clicks do nothing.
    window->setDisabled("edit", true);
    QVERIFY(!up->isEnabled());
    QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(Q(window->text("edit")), QString("3"));
    Dispose(window);
  }

  void textsKeepTheirBytes() {
    Window* window = Windows().load(SmallForm(), {}, nullptr);
    const std::string notUtf8 = "/tmp/\xb2\xe2\xca\xd4.mp3";  // GBK bytes, not UTF-8
    window->setText("edit", notUtf8);
    QCOMPARE(window->text("edit"), notUtf8);
    window->setCaption("label", "北京时间：");
    QCOMPARE(Child<QLabel>(window, "label")->text(), QString::fromUtf8("北京时间："));
    Dispose(window);
  }

  void rightPressOnPictureRaisesItsEvent() {
    int pressed = 0;
    platform::WindowHandlers handlers;
    handlers.controls = {{"picture", Event::RightButtonPressed, [&](Window&) { ++pressed; }}};
    Window* window = Windows().load(SmallForm(), handlers, nullptr);
    window->show();
    QTest::mousePress(Child<QWidget>(window, "picture"), Qt::RightButton);
    QCOMPARE(pressed, 1);
    QTest::mousePress(Child<QWidget>(window, "label"), Qt::RightButton);  // no such event there
    QCOMPARE(pressed, 1);
    Dispose(window);
  }

  void dragsFromLabelsAndGroupsNotFromButtons() {
    Window* window = Windows().load(SmallForm(), {}, nullptr);
    window->show();
    QWidget* widget = WidgetOf(window);
    QVERIFY(QTest::qWaitForWindowExposed(widget));
    const QPoint start = widget->pos();
    auto drag = [&](QWidget* from, QPoint by) {
      const QPoint at(5, 5);
      QTest::mousePress(from, Qt::LeftButton, {}, at);
      QTest::mouseMove(widget, widget->mapFromGlobal(from->mapToGlobal(at) + by));
      QTest::mouseRelease(widget, Qt::LeftButton, {},
                          widget->mapFromGlobal(from->mapToGlobal(at) + by));
    };
    drag(Child<QWidget>(window, "label"), {30, 20});
    QCOMPARE(widget->pos(), start + QPoint(30, 20));
    drag(Child<QWidget>(window, "group"), {-10, 5});
    QCOMPARE(widget->pos(), start + QPoint(20, 25));
    drag(Child<QWidget>(window, "button"), {40, 40});
    QCOMPARE(widget->pos(), start + QPoint(20, 25));
    drag(Child<QWidget>(window, "edit"), {40, 40});
    QCOMPARE(widget->pos(), start + QPoint(20, 25));
    drag(Child<QWidget>(window, "see-through"), {40, 40});  // a transparent label is no handle
    QCOMPARE(widget->pos(), start + QPoint(20, 25));
    Dispose(window);
  }

  void destructionIsARequestCarriedOutOnce() {
    int closing = 0;
    bool visibleWhileClosing = true;
    platform::WindowHandlers handlers;
    handlers.closing = [&](Window& window) {
      ++closing;
      visibleWhileClosing = window.visible();
      window.requestDestroy();  // being destroyed: nothing more
    };
    handlers.controls = {{"button", Event::Clicked, [](Window& window) {
                            window.requestDestroy();
                            window.requestDestroy();
                            QVERIFY(window.visible());  // not before the handler returns
                          }}};
    const std::size_t before = Windows().windowCount();
    Window* window = Windows().load(SmallForm(), handlers, nullptr);
    window->show();
    QTest::mouseClick(Child<QWidget>(window, "button"), Qt::LeftButton);
    QCOMPARE(closing, 0);
    QVERIFY(Within(1000, [&] { return closing > 0; }));
    QTest::qWait(20);
    QCOMPARE(closing, 1);
    QVERIFY(!visibleWhileClosing);
    QCOMPARE(Windows().windowCount(), before);
  }

  void escapeAndCloseEventDestroyAtOnce() {
    for (const bool escape : {true, false}) {
      int closing = 0;
      platform::WindowHandlers handlers;
      handlers.closing = [&](Window&) { ++closing; };
      Window* window = Windows().load(SmallForm(), handlers, nullptr);
      window->show();
      QWidget* widget = WidgetOf(window);
      if (escape) {
        QTest::keyClick(Child<QWidget>(window, "button"), Qt::Key_Escape);  // from a control
      } else {
        widget->close();  // what the window system's close command does
      }
      QCOMPARE(closing, 1);
      QTest::qWait(1);
    }
  }

  void timersTickOnTheGridAndStopWithTheirWindow() {
    int ticks = 0;
    platform::WindowHandlers handlers;
    handlers.controls = {{"timer", Event::Tick, [&](Window&) { ++ticks; }}};
    Window* window = Windows().load(SmallForm(), handlers, nullptr);
    window->restartTimer("timer", 10);
    QCOMPARE(window->period("timer"), 10);
    QTest::qWait(500);
    // One tick per point of the 1/20 s grid.
    QVERIFY2(ticks >= 7 && ticks <= 11, qPrintable(QString::number(ticks)));
    window->restartTimer("timer", 0);
    const int stopped = ticks;
    QTest::qWait(100);
    QCOMPARE(ticks, stopped);

    window->restartTimer("timer", 10);
    QVERIFY(Within(500, [&] { return ticks > stopped; }));
    window->requestClose();
    const int closed = ticks;
    QTest::qWait(100);
    QCOMPARE(ticks, closed);
  }

  void ownedWindowGoesFirst() {
    std::vector<std::string> order;
    platform::WindowHandlers ownerHandlers;
    ownerHandlers.closing = [&](Window&) { order.push_back("owner"); };
    platform::WindowHandlers ownedHandlers;
    ownedHandlers.closing = [&](Window&) { order.push_back("owned"); };
    Window* owner = Windows().load(SmallForm(), ownerHandlers, nullptr);
    Window* owned = Windows().load(SmallForm(), ownedHandlers, owner);
    owner->show();
    owned->show();
    QCOMPARE(WidgetOf(owned)->parentWidget(), WidgetOf(owner));
    owner->requestClose();
    QCOMPARE(order, (std::vector<std::string>{"owned", "owner"}));
    QTest::qWait(1);
  }

  void firstShowFollowsTheStoredPositionAndPositionsActOnlyWhenVisible() {
    WindowForm form = SmallForm();
    form.position = 2;
    form.minimisable = true;
    Window* window = Windows().load(form, {}, nullptr);
    window->setPosition(0);  // invisible: only stored
    window->setPosition(2);
    QVERIFY(!window->visible());
    window->show();
    QVERIFY(window->visible());
    QCOMPARE(window->position(), 2);
    window->setPosition(0);
    QCOMPARE(window->position(), 0);
    window->setPosition(7);  // clamped to 3; this window cannot be maximised
    QCOMPARE(window->position(), 0);
    Dispose(window);
  }

  void popUpMenuHoldsTheVisibleChildrenAndRunsTheChoiceAfterClosing() {
    WindowForm form = SmallForm();
    form.menu = {{.caption = "a", .level = 0, .visible = false},
                 {.caption = "一", .level = 1, .events = {Event::Selected}},
                 {.caption = "二", .level = 1, .events = {Event::Selected}},
                 {.caption = "-", .level = 1},
                 {.caption = "三", .level = 1, .events = {Event::Selected}},
                 {.caption = "-", .level = 1}};
    bool popupOpenWhenChosen = true;
    platform::WindowHandlers handlers;
    handlers.controls = {{"三", Event::Selected, [&](Window&) {
                            popupOpenWhenChosen = QApplication::activePopupWidget() != nullptr;
                          }}};
    Window* window = Windows().load(form, handlers, nullptr);
    window->show();
    window->setMenuItemVisible("二", false);
    QStringList shown;
    QPoint place;
    QCursor::setPos(QPoint(300, 200));
    QTimer::singleShot(100, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      QVERIFY(menu);
      place = menu->pos();
      QAction* three = nullptr;
      for (QAction* action : menu->actions()) {
        shown << (action->isSeparator() ? QStringLiteral("-") : action->text());
        if (action->text() == QString::fromUtf8("三")) three = action;
      }
      menu->setActiveAction(three);
      QTest::keyClick(menu, Qt::Key_Return);
    });
    window->popUpMenu("a");
    QCOMPARE(shown, (QStringList{QString::fromUtf8("一"), "-", QString::fromUtf8("三"), "-"}));
    QCOMPARE(place, QCursor::pos() + QPoint(3, 3));
    QVERIFY(!popupOpenWhenChosen);
    Dispose(window);
  }

  void withoutANotificationAreaHidingMinimises() {
    QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());  // the offscreen platform has none
    WindowForm form = SmallForm();
    form.minimisable = true;
    Window* window = Windows().load(form, {}, nullptr);
    window->show();
    window->hide();  // no tray icon: hidden as usual
    QVERIFY(!window->visible());
    window->show();
    window->setTrayIcon(resources::ProgramIcon(), " 定时关机程序");
    QVERIFY(window->hasTrayIcon());
    window->hide();
    QVERIFY(window->visible());
    QCOMPARE(window->position(), 2);
    window->setTrayIcon({}, {});
    window->setTrayIcon({}, {});  // twice: nothing
    QVERIFY(!window->hasTrayIcon());
    Dispose(window);
  }

  void loopEndsWhenTheLastWindowGoes() {
    QCOMPARE(Windows().windowCount(), std::size_t{0});
    QVERIFY(Windows().run());  // no window: returns at once
    Window* window = Windows().load(SmallForm(), {}, nullptr);
    window->show();
    QTimer::singleShot(50, [window] { window->requestDestroy(); });
    QVERIFY(Windows().run());
    QCOMPARE(Windows().windowCount(), std::size_t{0});
  }
};

AUTOSHUTDOWN_QT_TEST_MAIN(QtWindowTest)
#include "qt_window_test.moc"
