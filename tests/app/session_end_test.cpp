// When the session ends the program agrees at once: no question, no thanks, the loop just ends.
#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include <csignal>

#include "app/main_window.h"
#include "support/fake_clock.h"
#include "support/qt_test_main.h"
#include "support/recording_audio.h"
#include "support/recording_power.h"
#include "support/scripted_message_boxes.h"

class SessionEndTest : public QObject {
  Q_OBJECT

  testing_support::FakeClock clock_;
  testing_support::ScriptedMessageBoxes boxes_;
  testing_support::RecordingPower power_;
  testing_support::RecordingAudio audio_;
  services::PlayerSlot player_{audio_};
  app::Services services_{testing_support::Platform().windows(),    boxes_, clock_, power_, player_,
                          testing_support::Platform().controlLook()};

  void endsAtOnceAfter(std::function<void()> ending) {
    platform::Window* window = app::LoadMainWindow(services_);
    QVERIFY(window);
    window->show();
    QTimer::singleShot(100, ending);
    QTimer watchdog;
    connect(&watchdog, &QTimer::timeout, [] { QFAIL("the event loop did not end"); });
    watchdog.start(10000);
    QVERIFY(!services_.windows.run());  // ended by the session, not by the last window
    QCOMPARE(boxes_.shown.size(), std::size_t{0});
    QCOMPARE(services_.windows.windowCount(), std::size_t{1});  // no closing step was taken
  }

 private slots:
  // Each ends the session for good: ctest runs them one per process.
  void endsOnSigterm() {
    endsAtOnceAfter([] { std::raise(SIGTERM); });
  }
  void endsWhenTheApplicationIsToldToQuit() {
    endsAtOnceAfter([] { QCoreApplication::postEvent(qApp, new QEvent(QEvent::Quit)); });
  }
};

AUTOSHUTDOWN_QT_TEST_MAIN(SessionEndTest)
#include "session_end_test.moc"
