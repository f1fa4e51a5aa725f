#include <QTest>

#include <vector>

#include "platform/tick_grid.h"

using namespace std::chrono_literals;
using platform::TickGrid;

namespace {

std::vector<int> Ids(const std::vector<TickGrid::Due>& due) {
  std::vector<int> ids;
  for (const auto& one : due)
    ids.push_back(one.id);
  return ids;
}

const TickGrid::TimePoint kStart{};

}  // namespace

class TickGridTest : public QObject {
  Q_OBJECT
 private slots:
  void firstTickOnePeriodLater() {
    TickGrid grid;
    grid.start(1, 1, 10ms, kStart);
    QVERIFY(Ids(grid.take(kStart + 5ms, 2ms)).empty());
    QCOMPARE(Ids(grid.take(kStart + 9ms, 2ms)), std::vector<int>{1});  // within the tolerance
    QCOMPARE(*grid.earliest(), kStart + 19ms);
  }

  void dueTimersTickInRankOrderOncePerPoint() {
    TickGrid grid;
    grid.start(30, 3, 10ms, kStart);
    grid.start(10, 1, 10ms, kStart);
    grid.start(20, 2, 1000ms, kStart);
    QCOMPARE(Ids(grid.take(kStart + 31ms, 0ms)), (std::vector<int>{10, 30}));
    // A long pause: each due timer ticks once, missed ticks are not made up.
    QCOMPARE(Ids(grid.take(kStart + 5000ms, 0ms)), (std::vector<int>{10, 20, 30}));
    QVERIFY(Ids(grid.take(kStart + 5001ms, 0ms)).empty());
  }

  void restartAndStopInvalidateHandedOutTicks() {
    TickGrid grid;
    grid.start(1, 1, 10ms, kStart);
    grid.start(2, 2, 10ms, kStart);
    const auto due = grid.take(kStart + 10ms, 0ms);
    QCOMPARE(due.size(), std::size_t{2});
    grid.stop(1);
    grid.start(2, 2, 10ms, kStart + 10ms);  // restarted: its first tick is a period away again
    QVERIFY(!grid.current(due[0]));
    QVERIFY(!grid.current(due[1]));
    QVERIFY(!grid.running(1));
    QVERIFY(grid.running(2));
    QVERIFY(Ids(grid.take(kStart + 15ms, 0ms)).empty());
  }

  void tickTakenAgainByANestedLoopIsNotCurrent() {
    TickGrid grid;
    grid.start(1, 1, 10ms, kStart);
    const auto outer = grid.take(kStart + 10ms, 0ms);
    const auto nested = grid.take(kStart + 41ms, 0ms);
    QVERIFY(!grid.current(outer[0]));
    QVERIFY(grid.current(nested[0]));
    grid.stop(1);
    QVERIFY(grid.empty());
    QVERIFY(!grid.earliest());
  }

  void gridPointsLockToTheWallClock_data() {
    QTest::addColumn<qint64>("atUs");
    QTest::addColumn<qint64>("pointUs");
    // Points lie 1 ms after each multiple of 31.25 ms, so 1 ms after every whole second.
    constexpr qint64 second = 1'000'000'000'000'000;  // a whole second, in microseconds
    QTest::newRow("just after a second") << second + 500 << second + 1'000;
    QTest::newRow("on a point") << second + 1'000 << second + 1'000;
    QTest::newRow("between points") << second + 20'000 << second + 32'250;
    QTest::newRow("before the epoch") << qint64{-40'000} << qint64{-30'250};
  }
  void gridPointsLockToTheWallClock() {
    QFETCH(qint64, atUs);
    QFETCH(qint64, pointUs);
    const std::chrono::system_clock::time_point at{std::chrono::microseconds(atUs)};
    const auto point = platform::NextGridPoint(at, 31'250us, 1ms);
    QCOMPARE(
        std::chrono::duration_cast<std::chrono::microseconds>(point.time_since_epoch()).count(),
        pointUs);
  }
};

QTEST_APPLESS_MAIN(TickGridTest)
#include "tick_grid_test.moc"
