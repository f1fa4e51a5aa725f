// HelpWindow: its controls, opening it once, closing it three ways, and its end with MainWindow.
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "app/help_window.h"
#include "app/main_window.h"
#include "platform/qt/qt_window.h"
#include "support/fake_clock.h"
#include "support/qt_test_main.h"
#include "support/recording_playback.h"
#include "support/recording_power.h"
#include "support/scripted_message_boxes.h"
#include "support/text.h"

namespace {

QWidget* WidgetOf(platform::Window* window) {
  return window ? dynamic_cast<platform::qt::QtWindow*>(window)->widget() : nullptr;
}

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

  testing_support::FakeClock clock_;
  testing_support::ScriptedMessageBoxes boxes_;
  testing_support::RecordingPower power_;
  testing_support::RecordingPlayback player_;
  app::Services services_{testing_support::Platform().windows(),    boxes_, clock_, power_, player_,
                          testing_support::Platform().controlLook()};
  platform::Window* main_ = nullptr;

  platform::Window* help() { return services_.windows.find("HelpWindow"); }
  QWidget* helpControl(const char* name) {
    return WidgetOf(help())->findChild<QWidget*>(QString::fromUtf8(name));
  }
  void clickMain(const char* name) {
    QTest::mouseClick(WidgetOf(main_)->findChild<QAbstractButton*>(QString::fromUtf8(name)),
                      Qt::LeftButton);
  }

 private slots:
  void init() {
    boxes_ = {};
    main_ = app::LoadMainWindow(services_);
    main_->show();
  }
  void cleanup() {
    boxes_ = {};
    if (services_.windows.windowCount() > 0) main_->requestClose();
    QTest::qWait(1);
  }

  void everyControl_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("text");
    struct Row {
      const char* name;
      const char* kind;
      const char* container;
      QRect place;
      const char* text;
    };
    const char* W = "HelpWindow";
    const char* G = "分组框1";
    const Row rows[] = {
        {"图片框1", "platform::qt::PictureBox", W, {0, 0, 20, 20}, ""},
        {"标签9", "QLabel", W, {20, 0, 332, 20}, "说明："},
        {"按钮2", "QPushButton", W, {354, 0, 20, 20}, "X"},
        {"分组框1", "QGroupBox", W, {3, 20, 368, 196}, "说明："},
        {"图片框2", "platform::qt::PictureBox", G, {13, 18, 104, 104}, ""},
        {"透明标签1", "QLabel", G, {133, 12, 224, 24}, "一) 本程序功能介绍："},
        {"透明标签2", "QLabel", G, {149, 36, 208, 24}, "1) 定时(关机、重启、注销）等功能"},
        {"透明标签3", "QLabel", G, {149, 60, 200, 24}, "2) 整点报时、半点报时、定时闹钟"},
        {"透明标签4", "QLabel", G, {149, 84, 208, 24}, "3) 闹钟铃声可以随便换，为MP3格式"},
        {"透明标签5", "QLabel", G, {149, 116, 216, 16}, "4) 可立即执行关机、重启、注销等功能"},
        {"透明标签6",
         "QLabel",
         G,
         {21, 140, 328, 24},
         "二）  本程序只供学习交流，不得做商业用途，违者后果自负"},
        {"按钮1", "QPushButton", G, {245, 164, 96, 24}, "确  定"},
    };
    for (const Row& row : rows) {
      QTest::newRow(row.name) << QString::fromUtf8(row.name) << row.kind
                              << QString::fromUtf8(row.container) << row.place
                              << QString::fromUtf8(row.text);
    }
  }
  void everyControl() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, container);
    QFETCH(QRect, place);
    QFETCH(QString, text);
    clickMain("按钮7");
    QWidget* widget = helpControl(name.toUtf8().constData());
    QVERIFY(widget);
    QVERIFY2(widget->inherits(kind.toLatin1()), widget->metaObject()->className());
    QCOMPARE(widget->parentWidget()->objectName(), container);
    QCOMPARE(widget->geometry(), place);
    QCOMPARE(Q(help()->text(name.toStdString())), text);
    QVERIFY(!help()->disabled(name.toStdString()));
  }

  void windowSettings() {
    clickMain("按钮7");
    QWidget* widget = WidgetOf(help());
    QCOMPARE(widget->size(), QSize(376, 221));
    QVERIFY(widget->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(widget->parentWidget(), WidgetOf(main_));  // owned: above MainWindow
    QCOMPARE(widget->windowType(), Qt::Tool);           // no task bar button of its own
    QCOMPARE(widget->frameGeometry().center(), WidgetOf(main_)->frameGeometry().center());
    QCOMPARE(helpControl("按钮1")->font().pixelSize(), 16);
    QVERIFY(helpControl("按钮1")->font().bold());
    // The picture fills its framed box.
    QTRY_VERIFY(widget->isVisible());
    const QImage shot = helpControl("图片框2")->grab().toImage();
    QVERIFY(shot.pixelColor(52, 8).blue() > shot.pixelColor(52, 8).red());  // the sky
    QVERIFY(shot.pixelColor(78, 67).red() > 150);                           // the power sign
  }

  void openingTwiceKeepsOneWindow() {
    clickMain("按钮7");
    platform::Window* first = help();
    QVERIFY(first);
    clickMain("按钮7");
    QCOMPARE(help(), first);
    QCOMPARE(services_.windows.windowCount(), std::size_t{2});
    QVERIFY(!main_->disabled("按钮1"));  // MainWindow stays usable
  }

  void closesByEachWayAndOpensAgain() {
    for (const char* way : {"按钮1", "按钮2", "Esc"}) {
      clickMain("按钮7");
      QVERIFY(help());
      if (std::string_view(way) == "Esc") {
        QTest::keyClick(WidgetOf(help()), Qt::Key_Escape);
      } else {
        QTest::mouseClick(qobject_cast<QAbstractButton*>(helpControl(way)), Qt::LeftButton);
      }
      QTRY_VERIFY(!help());
      QVERIFY(main_->visible());
    }
    clickMain("按钮7");
    QVERIFY(help());
  }

  void theClockGoesOnWhileItIsOpen() {
    clickMain("按钮7");
    clock_.set({2024, 3, 9, 10, 20, 30});
    QTRY_COMPARE(Q(main_->text("编辑框3")), Q("10时20分30秒"));
  }

  void exitWhileOpenClosesItBeforeTheThanks() {
    clickMain("按钮7");
    bool helpGoneAtThanks = false;
    boxes_.whileOpen = [&](const platform::MessageBoxRequest& request) {
      if (request.caption == "感谢：") helpGoneAtThanks = help() == nullptr;
    };
    main_->requestClose();
    QVERIFY(helpGoneAtThanks);
    QCOMPARE(services_.windows.windowCount(), std::size_t{0});
  }
};

AUTOSHUTDOWN_QT_TEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
