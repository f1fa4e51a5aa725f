// The ways out of the program, with scripted answers to its questions.
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/main_window.h"
#include "platform/qt/qt_window.h"
#include "services/timer.h"
#include "support/fake_clock.h"
#include "support/qt_test_main.h"
#include "support/recording_audio.h"
#include "support/recording_power.h"
#include "support/scripted_message_boxes.h"
#include "support/text.h"

using platform::MessageAnswer;

namespace {

const std::string kQuestion = "    是否真的要退出？";
const std::string kThanks = "感谢使用本程序，欢迎下次继续使用！";

QWidget* WidgetOf(platform::Window* window) {
  return dynamic_cast<platform::qt::QtWindow*>(window)->widget();
}

}  // namespace

class LifecycleTest : public QObject {
  Q_OBJECT

  testing_support::FakeClock clock_;
  testing_support::ScriptedMessageBoxes boxes_;
  testing_support::RecordingPower power_;
  testing_support::RecordingAudio audio_;
  services::PlayerSlot player_{audio_};
  app::Services services_{testing_support::Platform().windows(),    boxes_, clock_, power_, player_,
                          testing_support::Platform().controlLook()};
  platform::Window* window_ = nullptr;

  void clickX() {
    QTest::mouseClick(WidgetOf(window_)->findChild<QPushButton*>(QString::fromUtf8("按钮5")),
                      Qt::LeftButton);
  }
  // Runs the program's event loop (with a watchdog) after the given action; true when it ended
  // because no window was left.
  bool runAfter(std::function<void()> action) {
    QTimer::singleShot(0, action);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QFAIL("the event loop did not end"); });
    watchdog.start(10000);
    return services_.windows.run();
  }

 private slots:
  void init() {
    boxes_ = {};
    boxes_.mainWindowVisible = [this] { return window_ && window_->visible(); };
    window_ = app::LoadMainWindow(services_);
    QVERIFY(window_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(WidgetOf(window_)));
  }
  void cleanup() {
    boxes_ = {};  // the test's scripted handlers hold its locals
    if (services_.windows.windowCount() > 0) {
      window_->requestClose();
      QTest::qWait(1);
    }
    window_ = nullptr;
  }

  void answeringNoChangesNothing() {
    services::SetPeriod(*window_, "时钟2", 10);  // an armed schedule
    services::SetPeriod(*window_, "时钟3", 10);  // chimes on
    boxes_.answers = {MessageAnswer::No};
    clickX();
    QCOMPARE(boxes_.shown.size(), std::size_t{1});
    const auto& question = boxes_.shown[0].request;
    QCOMPARE(Q(question.text), Q(kQuestion));
    QCOMPARE(Q(question.caption), Q("提示："));
    QCOMPARE(question.style, 0x2004);
    QVERIFY(window_->visible());
    QCOMPARE(window_->period("时钟1"), 10);
    QCOMPARE(window_->period("时钟2"), 10);
    QCOMPARE(window_->period("时钟3"), 10);
    QCOMPARE(services_.windows.windowCount(), std::size_t{1});
    clock_.set({2024, 3, 9, 10, 0, 1});
    QTRY_COMPARE(Q(window_->text("编辑框3")), Q("10时00分01秒"));  // the clock goes on
  }

  void xAndYesThanksOnceAfterTheWindowIsGone() {
    services::SetPeriod(*window_, "时钟3", 10);
    boxes_.answers = {MessageAnswer::Yes, MessageAnswer::Ok};
    int chimePeriodAtThanks = -1;
    int clockPeriodAtThanks = -1;
    boxes_.whileOpen = [&](const platform::MessageBoxRequest& request) {
      if (request.text != kThanks) return;
      chimePeriodAtThanks = window_->period("时钟3");
      clockPeriodAtThanks = window_->period("时钟1");
    };
    QVERIFY(runAfter([this] { clickX(); }));
    QCOMPARE(boxes_.shown.size(), std::size_t{2});
    QCOMPARE(Q(boxes_.shown[0].request.text), Q(kQuestion));
    const auto& thanks = boxes_.shown[1];
    QCOMPARE(Q(thanks.request.text), Q(kThanks));
    QCOMPARE(Q(thanks.request.caption), Q("感谢："));
    QCOMPARE(thanks.request.style, 0x2040);
    QVERIFY(!thanks.mainWindowVisible);
    QCOMPARE(clockPeriodAtThanks, 0);   // stopped by the question's Yes
    QCOMPARE(chimePeriodAtThanks, 10);  // never stopped by the ways out
    QCOMPARE(services_.windows.windowCount(), std::size_t{0});
  }

  void escapeClosesWithoutAsking() {
    boxes_.openForMs = 100;
    int ticksWhileThanked = 0;
    boxes_.whileOpen = [&](const platform::MessageBoxRequest&) {
      ticksWhileThanked = clock_.reads();
    };
    QVERIFY(runAfter([this] { QTest::keyClick(WidgetOf(window_), Qt::Key_Escape); }));
    QCOMPARE(boxes_.shown.size(), std::size_t{1});
    QCOMPARE(boxes_.count(kThanks), 1);
    QVERIFY(!boxes_.shown[0].mainWindowVisible);
    // After a close request the clock keeps ticking while the thanks message is open.
    QVERIFY(clock_.reads() > ticksWhileThanked);
  }

  void closeCommandOfTheWindowSystem() {
    QVERIFY(runAfter([this] { WidgetOf(window_)->close(); }));
    QCOMPARE(boxes_.count(kThanks), 1);
    QCOMPARE(boxes_.count(kQuestion), 0);
  }

  void trayMenuExitIsTheSameWayOut() {
    // The tray menu's "退出" runs the same handler as "X".
    const auto handlers = app::MainWindowHandlers(services_);
    const platform::ControlHandler* exit = nullptr;
    for (const auto& bound : handlers.controls) {
      if (bound.control == "退出") exit = &bound;
    }
    QVERIFY(exit);
    QCOMPARE(exit->event, platform::Event::Selected);
    boxes_.answers = {MessageAnswer::Yes};
    QVERIFY(runAfter([this, exit] { exit->run(*window_); }));
    QCOMPARE(boxes_.count(kQuestion), 1);
    QCOMPARE(boxes_.count(kThanks), 1);
  }

  void ticksGoOnWhileTheQuestionIsOpen() {
    boxes_.answers = {MessageAnswer::No};
    boxes_.openForMs = 300;
    std::string before;
    boxes_.whileOpen = [&](const platform::MessageBoxRequest&) {
      before = window_->text("编辑框3");
      clock_.set({2024, 3, 9, 11, 11, 11});
    };
    clickX();
    QCOMPARE(Q(window_->text("编辑框3")), Q("11时11分11秒"));
    QVERIFY(before != "11时11分11秒");
  }

  void yesWhileDestructionIsPendingDoesNothingMore() {
    // A second way out while the first is under way: only one thanks message.
    boxes_.answers = {MessageAnswer::Yes, MessageAnswer::Ok};
    QVERIFY(runAfter([this] {
      clickX();
      WidgetOf(window_)->close();  // a close command arrives before the request is carried out
    }));
    QCOMPARE(boxes_.count(kThanks), 1);
  }
};

AUTOSHUTDOWN_QT_TEST_MAIN(LifecycleTest)
#include "lifecycle_test.moc"
