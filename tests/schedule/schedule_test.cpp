// Arming, cancelling, resetting and firing the schedule, the ringtone and the chimes, on a
// window held in plain maps with MainWindow's initial state, with scripted answers and
// recording power and playback.
#include <QTest>

#include "app/main_window.h"
#include "schedule/chimes.h"
#include "schedule/schedule.h"
#include "support/fake_clock.h"
#include "support/fake_window.h"
#include "support/recording_look.h"
#include "support/recording_playback.h"
#include "support/recording_power.h"
#include "support/scripted_message_boxes.h"
#include "support/text.h"

using platform::MessageAnswer;
using platform::PowerRequest;
using testing_support::RecordingPlayback;

namespace {

struct NoWindows final : platform::WindowSystem {
  platform::Window* load(const platform::WindowForm&, platform::WindowHandlers,
                         platform::Window*) override {
    return nullptr;
  }
  bool run() override { return true; }
  std::size_t windowCount() const override { return 0; }
  platform::Window* find(std::string_view) const override { return nullptr; }
  void destroyNow(platform::Window&) override {}
};

const char* const kInputs[] = {"编辑框4", "编辑框5", "编辑框6", "单选框1", "单选框2",
                               "单选框3", "单选框4", "单选框5", "单选框6", "按钮2"};

}  // namespace

class ScheduleTest : public QObject {
  Q_OBJECT

  NoWindows windows_;
  testing_support::ScriptedMessageBoxes boxes_;
  testing_support::FakeClock clock_;
  testing_support::RecordingPower power_;
  RecordingPlayback player_;
  testing_support::RecordingLook look_;
  app::Services services_{windows_, boxes_, clock_, power_, player_, look_};
  std::unique_ptr<testing_support::FakeWindow> window_;

  testing_support::FakeWindow& w() { return *window_; }
  void setTime(const char* h, const char* m, const char* s) {
    w().setText("编辑框4", h);
    w().setText("编辑框5", m);
    w().setText("编辑框6", s);
  }
  // A grid point: the clock writes the time, then the running watches tick.
  void tick(const std::string& timeOfDay) {
    w().setText("编辑框3", timeOfDay);
    if (w().period("时钟2") > 0) schedule::OnScheduleTick(w(), services_);
    if (w().period("时钟3") > 0) schedule::OnChimeTick(w(), services_);
  }
  void choose(const char* radio) {
    for (const char* r : {"单选框1", "单选框2", "单选框3", "单选框4", "单选框5", "单选框6"}) {
      w().setTicked(r, std::string_view(r) == radio);
    }
    schedule::OnActionRadio(w(), radio);
  }
  std::vector<std::string> enablingLog() {
    std::vector<std::string> lines;
    for (const std::string& line : w().log) {
      if (line.starts_with("enable") || line.starts_with("disable")) lines.push_back(line);
    }
    return lines;
  }
  bool armed() { return w().caption("按钮1") == "取消"; }
  int powerRequests(PowerRequest request) {
    int n = 0;
    for (const auto& call : power_.calls) {
      n += call.step == testing_support::RecordingPower::Step::Request && call.request == request;
    }
    return n;
  }

 private slots:
  void init() {
    window_ = std::make_unique<testing_support::FakeWindow>(app::MainWindowForm());
    boxes_ = {};
    power_ = {};
    player_ = {};
  }

  void armingPadsTheBoxes_data() {
    QTest::addColumn<QString>("hour");
    QTest::addColumn<QString>("minute");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QStringList>("padded");
    QTest::addColumn<QString>("armedText");
    QTest::newRow("7 5 0") << "7"
                           << "5"
                           << "0" << QStringList{"07", "05", "00"} << "07时05分00秒";
    QTest::newRow("00 15 9") << "00"
                             << "15"
                             << "9" << QStringList{"00", "15", "09"} << "00时15分09秒";
    QTest::newRow("23 59 59") << "23"
                              << "59"
                              << "59" << QStringList{"23", "59", "59"} << "23时59分59秒";
  }
  void armingPadsTheBoxes() {
    QFETCH(QString, hour);
    QFETCH(QString, minute);
    QFETCH(QString, second);
    QFETCH(QStringList, padded);
    QFETCH(QString, armedText);
    setTime(hour.toUtf8().constData(), minute.toUtf8().constData(), second.toUtf8().constData());
    choose("单选框2");
    schedule::OnStartButton(w(), services_);
    QCOMPARE((QStringList{Q(w().text("编辑框4")), Q(w().text("编辑框5")), Q(w().text("编辑框6"))}),
             padded);
    QCOMPARE(Q(w().text("编辑框7")), armedText);
    QCOMPARE(boxes_.shown.size(), std::size_t{1});
    const auto& message = boxes_.shown[0].request;
    QCOMPARE(Q(message.text), Q("您设定了在【") + armedText + Q("】进行【重启】操作！"));
    QCOMPARE(Q(message.caption), Q("提示："));
    QCOMPARE(message.style, 0x2040);
    QVERIFY(armed());
    QCOMPARE(w().period("时钟2"), 10);
    std::vector<std::string> locked;
    for (const char* input : kInputs)
      locked.push_back(std::string("disable ") + input);
    QVERIFY(enablingLog() == locked);  // in this order
  }

  void theWatchStartsOnlyAfterTheMessageIsClosed() {
    setTime("7", "5", "0");
    int periodWhileOpen = -1;
    boxes_.whileOpen = [&](const platform::MessageBoxRequest&) {
      periodWhileOpen = w().period("时钟2");
    };
    schedule::OnStartButton(w(), services_);
    QCOMPARE(periodWhileOpen, 0);
    QCOMPARE(w().period("时钟2"), 10);
  }

  void theAlarmWithoutARingtoneWarns() {
    setTime("7", "5", "0");
    choose("单选框6");
    schedule::OnStartButton(w(), services_);
    QCOMPARE(boxes_.shown.size(), std::size_t{1});
    QCOMPARE(Q(boxes_.shown[0].request.text),
             Q("您选择了闹钟模式，却没有载入铃声，无法使用闹钟功能！"));
    QCOMPARE(Q(boxes_.shown[0].request.caption), Q("警告："));
    QCOMPARE(boxes_.shown[0].request.style, 0x2040);
    QVERIFY(!w().ticked("单选框6"));
    QVERIFY(!armed());
    QCOMPARE(Q(w().text("编辑框6")), QString("00"));  // the padding stays
    QCOMPARE(Q(w().caption("标签4")), Q("闹钟"));
    // Armed again now: the message names 闹钟, and at the time nothing happens (no radio ticked).
    schedule::OnStartButton(w(), services_);
    QVERIFY(armed());
    QCOMPARE(Q(boxes_.shown.back().request.text),
             Q("您设定了在【07时05分00秒】进行【闹钟】操作！"));
    tick("07时05分00秒");
    QVERIFY(power_.calls.empty());
    QVERIFY(player_.calls.empty());
  }

  void cancelAnsweredNoChangesNothing() {
    setTime("7", "5", "0");
    schedule::OnStartButton(w(), services_);
    boxes_.answers = {MessageAnswer::No};
    schedule::OnStartButton(w(), services_);
    const auto& question = boxes_.shown.back().request;
    QCOMPARE(
        Q(question.text),
        Q("您将取消在【07时05分00秒】进行【关机】操作！\r\n\r\n              是否真的要取消？"));
    QCOMPARE(question.style, 0x2004);
    QVERIFY(armed());
    QCOMPARE(w().period("时钟2"), 10);
    QVERIFY(w().disabled("编辑框4"));
  }

  void cancelAnsweredYesForAPowerAction() {
    setTime("7", "5", "0");
    choose("单选框4");
    schedule::OnStartButton(w(), services_);
    w().log.clear();
    boxes_.answers = {MessageAnswer::Yes};
    schedule::OnStartButton(w(), services_);
    QCOMPARE(boxes_.shown.size(), std::size_t{3});
    QCOMPARE(Q(boxes_.shown[2].request.text),
             Q("您已经取消了在【07时05分00秒】进行【休眠】操作！"));
    QCOMPARE(boxes_.shown[2].request.style, 0x2040);
    QVERIFY(!armed());
    QCOMPARE(Q(w().text("编辑框7")), QString());
    QCOMPARE(w().period("时钟2"), 0);
    std::vector<std::string> unlocked;
    for (const char* input : kInputs)
      unlocked.push_back(std::string("enable ") + input);
    QVERIFY(enablingLog() == unlocked);
    QVERIFY(player_.calls.empty());  // no ScheduleReset for a power action
  }

  void cancelAnsweredYesForTheAlarmResets() {
    w().setText("编辑框1", "/tmp/ring.mp3");
    setTime("7", "5", "0");
    choose("单选框6");
    schedule::OnStartButton(w(), services_);
    w().setMenuItemVisible("关闭闹钟", true);
    boxes_.answers = {MessageAnswer::Yes};
    schedule::OnStartButton(w(), services_);
    QCOMPARE(boxes_.shown.size(), std::size_t{2});  // no third message
    QVERIFY(!armed());
    QVERIFY(!w().menuItemVisible("关闭闹钟"));
    QCOMPARE(player_.stops(), 1);
  }

  void scheduleResetFromEachState() {
    for (const bool armedFirst : {false, true}) {
      init();
      setTime("7", "5", "0");
      choose("单选框2");
      if (armedFirst) schedule::OnStartButton(w(), services_);
      w().setMenuItemVisible("关闭闹钟", true);
      w().log.clear();
      schedule::ScheduleReset(w(), services_);
      QVERIFY(!armed());
      QCOMPARE(Q(w().text("编辑框7")), QString());
      QCOMPARE(w().period("时钟2"), 0);
      QVERIFY(!w().menuItemVisible("关闭闹钟"));
      QCOMPARE(player_.stops(), 1);
      QVERIFY(w().ticked("单选框2"));  // the action and the chimes are left alone
      QCOMPARE(w().log.back(), std::string("item 关闭闹钟 hidden"));
    }
  }

  void radiosNameTheAction() {
    const char* names[] = {"关机", "重启", "注销", "休眠", "冬眠", "闹钟"};
    for (int i = 0; i < 6; ++i) {
      const std::string radio = "单选框" + std::to_string(i + 1);
      schedule::OnActionRadio(w(), radio);
      QCOMPARE(Q(w().caption("标签4")), Q(names[i]));
    }
  }

  void firingRepeatsOnEveryTickOfTheSecondOnly() {
    const struct {
      const char* radio;
      PowerRequest request;
    } actions[] = {{"单选框1", PowerRequest::PowerOff},
                   {"单选框2", PowerRequest::Reboot},
                   {"单选框3", PowerRequest::LogOff},
                   {"单选框4", PowerRequest::Suspend},
                   {"单选框5", PowerRequest::Hibernate}};
    for (const auto& action : actions) {
      init();
      setTime("7", "5", "0");
      choose(action.radio);
      schedule::OnStartButton(w(), services_);
      tick("07时04分59秒");
      for (int i = 0; i < 20; ++i)
        tick("07时05分00秒");
      tick("07时05分01秒");
      QCOMPARE(powerRequests(action.request), 20);
      QCOMPARE(power_.calls.size(), std::size_t{40});  // each one prepared, then requested
      QVERIFY(armed());                                // firing does not disarm
      tick("07时05分00秒");                            // the next day
      QCOMPARE(powerRequests(action.request), 21);
    }
  }

  void theAlarmRingsAndOffersItsSwitchOffDaily() {
    w().setText("编辑框1", "/tmp/ring.mp3");
    setTime("6", "31", "7");
    choose("单选框6");
    schedule::OnStartButton(w(), services_);
    tick("06时31分06秒");
    QVERIFY(player_.calls.empty());
    tick("06时31分07秒");
    QCOMPARE(player_.calls, (std::vector<RecordingPlayback::Call>{{100, {"/tmp/ring.mp3"}}}));
    QVERIFY(w().menuItemVisible("关闭闹钟"));
    tick("06时31分08秒");
    w().setMenuItemVisible("关闭闹钟", false);
    tick("06时31分07秒");  // the next day, again
    QCOMPARE(player_.plays(100), 2);
    QVERIFY(w().menuItemVisible("关闭闹钟"));
    schedule::ScheduleReset(w(), services_);  // "关闭闹钟"
    QVERIFY(!w().menuItemVisible("关闭闹钟"));
    QVERIFY(!armed());
    QCOMPARE(player_.stops(), 1);
  }

  void firingDuringTheCancelQuestion() {
    setTime("7", "5", "0");
    choose("单选框2");
    schedule::OnStartButton(w(), services_);
    boxes_.answers = {MessageAnswer::Yes};
    boxes_.whileOpen = [&](const platform::MessageBoxRequest& request) {
      if (request.style == 0x2004) tick("07时05分00秒");  // the time comes while the user reads
    };
    schedule::OnStartButton(w(), services_);
    QCOMPARE(powerRequests(PowerRequest::Reboot), 1);
    QVERIFY(!armed());  // Yes still cancels
  }

  void loadingTheRingtone() {
    w().dialogChoices = {std::nullopt};  // cancelled before anything was ever chosen
    schedule::OnLoadButton(w());
    QCOMPARE(Q(w().text("编辑框1")), QString());
    w().dialogChoices = {std::string("/home/用户/铃声 1.mp3")};
    schedule::OnLoadButton(w());
    QCOMPARE(Q(w().text("编辑框1")), Q("/home/用户/铃声 1.mp3"));
    w().dialogChoices = {std::nullopt};  // a cancel keeps what was loaded
    schedule::OnLoadButton(w());
    QCOMPARE(Q(w().text("编辑框1")), Q("/home/用户/铃声 1.mp3"));
  }

  void chimeBoxes() {
    for (const char* box : {"选择框1", "选择框2"}) {
      init();
      w().setTicked(box, true);  // the click ticked it
      schedule::OnChimeBox(w(), services_, box);
      QCOMPARE(boxes_.shown.size(), std::size_t{1});
      QCOMPARE(Q(boxes_.shown[0].request.text),
               std::string_view(box) == "选择框1" ? Q("你还未载入音频文件，无法使用整点报时功能")
                                                  : Q("你还未载入音频文件，无法使用半点报时功能"));
      QCOMPARE(Q(boxes_.shown[0].request.caption), Q("提示："));
      QVERIFY(!w().ticked(box));
      QCOMPARE(w().period("时钟3"), 0);

      w().setText("编辑框1", "/tmp/ring.mp3");
      w().setTicked(box, true);
      schedule::OnChimeBox(w(), services_, box);
      QCOMPARE(w().period("时钟3"), 10);
      w().setTicked(box, false);  // unticking stops nothing
      schedule::OnChimeBox(w(), services_, box);
      QCOMPARE(w().period("时钟3"), 10);
    }
  }

  void chimesSoundAtEveryFullAndHalfHourWhicheverBox() {
    w().setText("编辑框1", "/tmp/ring.mp3");
    w().setTicked("选择框1", true);  // only the full-hour box
    schedule::OnChimeBox(w(), services_, "选择框1");
    w().setTicked("选择框1", false);  // and then unticked again
    for (const char* time : {"09时00分00秒", "09时30分00秒", "23时30分00秒", "00时00分00秒"}) {
      player_.calls.clear();
      w().setText("编辑框3", time);
      schedule::OnChimeTick(w(), services_);
      QCOMPARE(player_.calls, (std::vector<RecordingPlayback::Call>{{-1, {"/tmp/ring.mp3"}}}));
    }
    player_.calls.clear();
    for (const char* time : {"09时00分01秒", "09时15分00秒", "24时00分00秒", "9时00分00秒"}) {
      w().setText("编辑框3", time);
      schedule::OnChimeTick(w(), services_);
    }
    QVERIFY(player_.calls.empty());
    QCOMPARE(Q(schedule::FullHourChimes().front()), Q("00时00分00秒"));
    QCOMPARE(Q(schedule::HalfHourChimes().back()), Q("23时30分00秒"));
  }

  void closeStopsAChimeAndDisarmsAPowerSchedule() {
    w().setText("编辑框1", "/tmp/ring.mp3");
    w().setTicked("选择框2", true);
    schedule::OnChimeBox(w(), services_, "选择框2");
    setTime("8", "0", "0");
    choose("单选框1");
    schedule::OnStartButton(w(), services_);
    tick("08时00分00秒");  // the power request and the chime in one second
    QCOMPARE(powerRequests(PowerRequest::PowerOff), 1);
    QCOMPARE(player_.plays(-1), 1);
    const std::size_t questions = boxes_.shown.size();
    schedule::ScheduleReset(w(), services_);   // 按钮3 "关闭"
    QCOMPARE(boxes_.shown.size(), questions);  // without a question
    QCOMPARE(player_.stops(), 1);
    QVERIFY(!armed());
  }

  void alarmAndChimeInOneSecondRestartEachOther() {
    w().setText("编辑框1", "/tmp/ring.mp3");
    w().setTicked("选择框1", true);
    schedule::OnChimeBox(w(), services_, "选择框1");
    setTime("12", "0", "0");
    choose("单选框6");
    schedule::OnStartButton(w(), services_);
    for (int i = 0; i < 3; ++i)
      tick("12时00分00秒");
    // Alarm, then chime, on every tick: the chime, started last, plays on.
    QCOMPARE(player_.calls.size(), std::size_t{6});
    for (std::size_t i = 0; i < 6; ++i)
      QCOMPARE(player_.calls[i].count, i % 2 ? -1 : 100);
  }
};

QTEST_APPLESS_MAIN(ScheduleTest)
#include "schedule_test.moc"
