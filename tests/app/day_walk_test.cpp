// A whole day through the real window, its real timers and handlers, with a clock that walks
// the day: every second around an event is held for several clock ticks, the rest of the day is
// crossed in steps. Counts the power requests, alarm starts and chime starts.
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <chrono>
#include <deque>

#include "app/main_window.h"
#include "platform/qt/qt_window.h"
#include "platform/qt/qt_window_system.h"
#include "schedule/time_text.h"
#include "support/qt_test_main.h"
#include "support/recording_playback.h"
#include "support/recording_power.h"
#include "support/scripted_message_boxes.h"

using namespace std::chrono_literals;
using platform::LocalDateTime;

namespace {

// Each read gives the next moment of the walk; after the last one, the last again.
class WalkingClock final : public platform::Clock {
 public:
  LocalDateTime now() const override {
    if (walk_.size() > 1) {
      const LocalDateTime next = walk_.front();
      walk_.pop_front();
      return next;
    }
    return walk_.empty() ? LocalDateTime{} : walk_.front();
  }
  void hold(int seconds, int ticks) {
    for (int i = 0; i < ticks; ++i) {
      walk_.push_back({2025, 6, 1, seconds / 3600, seconds / 60 % 60, seconds % 60});
    }
  }
  bool done() const { return walk_.size() <= 1; }

 private:
  mutable std::deque<LocalDateTime> walk_;
};

constexpr int kTicks = 3;  // clock ticks spent in every second around an event

int SecondsOf(int hour, int minute, int second) {
  return hour * 3600 + minute * 60 + second;
}

// The day: around every full and half hour, around the armed time, and every 7 minutes.
void WalkTheDay(WalkingClock& clock, int armed) {
  for (int second = 0; second < 86400; ++second) {
    const bool chime = second % 1800 == 0;
    const bool nearEvent =
        second % 1800 <= 1 || 1800 - second % 1800 <= 1 || std::abs(second - armed) <= 1;
    if (chime || second == armed) {
      clock.hold(second, kTicks);
    } else if (nearEvent || second % 420 == 0) {
      clock.hold(second, 1);
    }
  }
}

QWidget* WidgetOf(platform::Window* window) {
  return dynamic_cast<platform::qt::QtWindow*>(window)->widget();
}

}  // namespace

class DayWalkTest : public QObject {
  Q_OBJECT

  WalkingClock clock_;
  testing_support::ScriptedMessageBoxes boxes_;
  testing_support::RecordingPower power_;
  testing_support::RecordingPlayback player_;
  app::Services services_{testing_support::Platform().windows(),    boxes_, clock_, power_, player_,
                          testing_support::Platform().controlLook()};

  // Loads MainWindow, loads a ringtone, ticks both chime boxes and arms the action.
  platform::Window* prepare(const char* radio, int hour, int minute, int second) {
    platform::Window* window = app::LoadMainWindow(services_);
    window->show();
    window->setText("编辑框1", "/tmp/ring.mp3");
    auto click = [&](const char* name) {
      QTest::mouseClick(WidgetOf(window)->findChild<QAbstractButton*>(QString::fromUtf8(name)),
                        Qt::LeftButton);
    };
    click("选择框1");
    click("选择框2");
    click(radio);
    window->setText("编辑框4", std::to_string(hour));
    window->setText("编辑框5", std::to_string(minute));
    window->setText("编辑框6", std::to_string(second));
    click("按钮1");  // the confirmation is answered at once
    return window;
  }

  void walk(platform::Window* window) {
    QTRY_VERIFY_WITH_TIMEOUT(clock_.done(), 120000);
    QTest::qWait(30);
    window->requestClose();
    QTest::qWait(1);
  }

 private slots:
  void initTestCase() {
    dynamic_cast<platform::qt::QtWindowSystem&>(testing_support::Platform().windows())
        .setTickGridStep(2ms);
  }

  void aDailyRestartWithChimes() {
    clock_.hold(SecondsOf(12, 34, 56), 1);  // a quiet moment while everything is set up
    platform::Window* window = prepare("单选框2", 13, 37, 20);
    WalkTheDay(clock_, SecondsOf(13, 37, 20));
    QCOMPARE(window->caption("按钮1"), std::string("取消"));
    walk(window);
    int requests = 0;
    for (const auto& call : power_.calls) {
      QCOMPARE(call.request, platform::PowerRequest::Reboot);
      requests += call.step == testing_support::RecordingPower::Step::Request;
    }
    QCOMPARE(requests, kTicks);                // every tick of the armed second, and no other
    QCOMPARE(player_.plays(-1), 48 * kTicks);  // every full and half hour, every tick of it
    QCOMPARE(player_.plays(100), 0);
  }

  void aDailyAlarmWithChimes() {
    power_.calls.clear();
    player_.calls.clear();
    platform::Window* window = prepare("单选框6", 7, 5, 0);
    WalkTheDay(clock_, SecondsOf(7, 5, 0));
    walk(window);
    QVERIFY(power_.calls.empty());
    QCOMPARE(player_.plays(100), kTicks);
    QCOMPARE(player_.plays(-1), 48 * kTicks);
    for (const auto& call : player_.calls) {
      if (call.count != testing_support::RecordingPlayback::kStop) {
        QCOMPARE(call.paths, std::vector<std::string>{"/tmp/ring.mp3"});
      }
    }
  }
};

AUTOSHUTDOWN_QT_TEST_MAIN(DayWalkTest)
#include "day_walk_test.moc"
