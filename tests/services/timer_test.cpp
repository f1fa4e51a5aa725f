#include <QTest>

#include "services/timer.h"
#include "support/fake_window.h"

class TimerTest : public QObject {
  Q_OBJECT
 private slots:
  void periodRules() {
    testing_support::FakeWindow window;
    auto& timer = window.at("时钟1");

    services::SetPeriod(window, "时钟1", 0);  // already stopped: nothing
    QCOMPARE(timer.restarts, 0);

    services::SetPeriod(window, "时钟1", 10);
    QCOMPARE(timer.restarts, 1);
    QCOMPARE(services::Period(window, "时钟1"), 10);

    services::SetPeriod(window, "时钟1", 10);  // the same period keeps the rhythm
    QCOMPARE(timer.restarts, 1);

    services::SetPeriod(window, "时钟1", 25);  // a change restarts
    QCOMPARE(timer.restarts, 2);
    QCOMPARE(timer.period, 25);

    services::SetPeriod(window, "时钟1", -5);  // negative counts as 0: stopped
    QCOMPARE(timer.restarts, 3);
    QCOMPARE(timer.period, 0);

    services::SetPeriod(window, "时钟1", -1);  // still 0: nothing
    QCOMPARE(timer.restarts, 3);
  }
};

QTEST_APPLESS_MAIN(TimerTest)
#include "timer_test.moc"
