#include <QTest>

#include "services/power.h"
#include "support/recording_power.h"

using platform::PowerRequest;
using Step = testing_support::RecordingPower::Step;
using Call = testing_support::RecordingPower::Call;

Q_DECLARE_METATYPE(platform::PowerRequest)

class PowerTest : public QObject {
  Q_OBJECT
 private slots:
  void eachCodePreparesThenRequestsOnce_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<PowerRequest>("request");
    QTest::newRow("1 power off") << 1 << PowerRequest::PowerOff;
    QTest::newRow("2 restart") << 2 << PowerRequest::Reboot;
    QTest::newRow("3 log off") << 3 << PowerRequest::LogOff;
    QTest::newRow("4 sleep") << 4 << PowerRequest::Suspend;
    QTest::newRow("5 hibernate") << 5 << PowerRequest::Hibernate;
  }
  void eachCodePreparesThenRequestsOnce() {
    QFETCH(int, action);
    QFETCH(PowerRequest, request);
    testing_support::RecordingPower power;
    QVERIFY(services::RequestPowerAction(power, action));
    QCOMPARE(power.calls,
             (std::vector<Call>{{Step::Prepare, request, false}, {Step::Request, request, false}}));

    power.calls.clear();
    QVERIFY(services::RequestPowerAction(power, action, true));  // forced
    QCOMPARE(power.calls.back(), (Call{Step::Request, request, true}));
  }

  void invalidCodesRequestNothing() {
    for (int action : {0, -1, 6, 100, INT32_MIN}) {
      testing_support::RecordingPower power;
      QVERIFY(!services::RequestPowerAction(power, action));
      QVERIFY(power.calls.empty());  // not even the preparing step
    }
  }

  void failedStepRequestsNothing() {
    testing_support::RecordingPower power;
    power.prepared = false;
    for (int action = 1; action <= 5; ++action) {
      QVERIFY(!services::RequestPowerAction(power, action));
    }
    QCOMPARE(power.calls.size(), std::size_t{5});
    for (const Call& call : power.calls)
      QCOMPARE(call.step, Step::Prepare);
  }

  void refusedRequestIsFalse() {
    testing_support::RecordingPower power;
    power.accepted = false;
    QVERIFY(!services::RequestPowerAction(power, 2));
    QCOMPARE(power.calls.size(), std::size_t{2});
  }
};

QTEST_APPLESS_MAIN(PowerTest)
#include "power_test.moc"
