// The tray handlers' steps, in order, on a window held in plain maps.
#include <QTest>

#include "app/lifecycle.h"
#include "app/tray.h"
#include "platform/ansi_text.h"
#include "support/fake_clock.h"
#include "support/fake_window.h"
#include "support/recording_audio.h"
#include "support/recording_look.h"
#include "support/recording_power.h"
#include "support/text.h"

using Log = std::vector<std::string>;

class TrayTest : public QObject {
  Q_OBJECT
 private slots:
  void hideButtonSwapsTheItemsFirst() {
    testing_support::FakeWindow window;
    window.show();
    window.log.clear();
    app::OnHideButton(window);
    QCOMPARE(window.log, (Log{"item 隐藏 hidden", "item 显示 shown", "hide", "position 2"}));
    QVERIFY(!window.visible());
    QCOMPARE(window.storedPosition(), 2);
  }

  void hideItemHidesFirst() {
    testing_support::FakeWindow window;
    window.show();
    window.log.clear();
    app::OnHideItem(window);
    QCOMPARE(window.log, (Log{"hide", "position 2", "item 隐藏 hidden", "item 显示 shown"}));
  }

  void showItemRestoresThenShows() {
    testing_support::FakeWindow window;
    app::OnShowItem(window);
    QCOMPARE(window.log, (Log{"position 0", "show", "item 显示 hidden", "item 隐藏 shown"}));
    QVERIFY(window.visible());
    QCOMPARE(window.position(), 0);
  }

  void trayEvents() {
    testing_support::FakeWindow window;
    for (int code : {1, 0, 4, -1})
      app::OnTrayEvent(window, code);  // a single click and others
    QVERIFY(window.log.empty());
    app::OnTrayEvent(window, 2);  // double-click: shown at normal size, items untouched
    QCOMPARE(window.log, (Log{"show", "position 0"}));
    window.log.clear();
    app::OnTrayEvent(window, 3);
    app::OnPictureRightPress(window);
    QCOMPARE(window.log, (Log{"popup a", "popup a"}));
  }

  void minimisingHidesWithoutTouchingTheItems() {
    testing_support::FakeWindow window;
    window.show();
    window.log.clear();
    app::OnPositionChanged(window);  // a move: nothing
    QVERIFY(window.log.empty());
    window.minimiseFromOutside();
    app::OnPositionChanged(window);
    QCOMPARE(window.log, (Log{"hide"}));
    // A double-click then brings it back restored; "隐藏" would then only swap the items.
    app::OnTrayEvent(window, 2);
    QCOMPARE(window.position(), 0);
    QVERIFY(window.visible());
  }

  void firstShowFollowsTheStoredPosition() {
    testing_support::FakeWindow window;
    window.setPosition(2);  // invisible: only stored
    QCOMPARE(window.position(), 0);
    window.show();
    QCOMPARE(window.position(), 2);
  }

  void createdHandlerAddsTheIconThenHidesTheItems() {
    testing_support::FakeWindow window;
    testing_support::FakeClock clock;
    testing_support::RecordingPower power;
    testing_support::RecordingAudio audio;
    services::PlayerSlot player(audio);
    struct NoBoxes : platform::MessageBoxBackend {
      platform::MessageAnswer show(const platform::MessageBoxRequest&) override {
        return platform::MessageAnswer::Yes;
      }
    } boxes;
    struct NoWindows : platform::WindowSystem {
      platform::Window* load(const platform::WindowForm&, platform::WindowHandlers,
                             platform::Window*) override {
        return nullptr;
      }
      bool run() override { return true; }
      std::size_t windowCount() const override { return 0; }
      platform::Window* find(std::string_view) const override { return nullptr; }
      void destroyNow(platform::Window&) override {}
    } windows;
    testing_support::RecordingLook look;
    app::Services services{windows, boxes, clock, power, player, look};
    app::OnMainWindowCreated(window, services);
    QCOMPARE(window.log,
             (Log{"tray added", "item 关闭闹钟 hidden", "item 显示 hidden", "period 时钟1 10"}));
    QCOMPARE(Q(window.tip()), Q(app::kTrayTip));
    QCOMPARE(look.calls, std::vector<int>{3});  // the look first, scheme 3
    QCOMPARE(window.period("时钟1"), 10);

    window.log.clear();
    app::RequestExit(window, services);  // answered Yes
    app::OnMainWindowClosing(window, services);
    // The clock stops, the icon goes; the closing handler's second removal does nothing.
    QCOMPARE(window.log, (Log{"period 时钟1 0", "tray removed"}));
    QVERIFY(!window.hasTrayIcon());
  }

  void theTipFitsWithoutACut() {
    QVERIFY(Q(app::kTrayTip).startsWith(QString::fromUtf8(" 定时关机程序\r\n")));
    QCOMPARE(Q(platform::CutToAnsiBytes(app::kTrayTip, 62)), Q(app::kTrayTip));
    QCOMPARE(Q(app::kTrayTip).count(QStringLiteral("\r\n")), 2);  // two credit lines
  }
};

QTEST_APPLESS_MAIN(TrayTest)
#include "tray_test.moc"
