// The real message box: its buttons, its answers, and the events that go on while it is open.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/qt/qt_message_box.h"
#include "services/message_box.h"
#include "support/qt_test_main.h"

namespace {

// Presses the button with this caption in the box that will be open next.
void PressWhenOpen(const char* caption, QString* text = nullptr, QStringList* buttons = nullptr) {
  QTimer::singleShot(50, [=] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box);
    QCOMPARE(box->windowModality(), Qt::ApplicationModal);
    QVERIFY(!box->parentWidget());
    if (text) *text = box->text();
    for (QAbstractButton* button : box->buttons()) {
      if (buttons) buttons->append(button->text());
      if (button->text() == QString::fromUtf8(caption)) button->click();
    }
  });
}

}  // namespace

class QtMessageBoxTest : public QObject {
  Q_OBJECT
  platform::qt::QtMessageBoxes boxes_;

 private slots:
  void yesNoAnswers() {
    QStringList buttons;
    PressWhenOpen("是(&Y)", nullptr, &buttons);
    QCOMPARE(services::ShowMessageBox(boxes_, "问", services::kStyleYesNo, "提示："), 5);
    QCOMPARE(buttons, (QStringList{QString::fromUtf8("是(&Y)"), QString::fromUtf8("否(&N)")}));
    PressWhenOpen("否(&N)");
    QCOMPARE(services::ShowMessageBox(boxes_, "问", services::kStyleYesNo, "提示："), 6);
  }

  void informationAnswersOk() {
    QString text;
    PressWhenOpen("确定", &text);
    QCOMPARE(services::ShowMessageBox(boxes_, "<b>x</b>\r\n\r\n  y", 64, "感谢："), 0);
    QCOMPARE(text, QString::fromUtf8("<b>x</b>\n\n  y"));  // plain text, line breaks kept
  }

  void escapeOnYesNoIsNo() {
    QTimer::singleShot(50,
                       [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    QCOMPARE(services::ShowMessageBox(boxes_, "问", services::kStyleYesNo, "提示："), 6);
  }

  void timersTickWhileOpen() {
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    QTimer::singleShot(500, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        box->buttons().first()->click();
      }
    });
    services::ShowMessageBox(boxes_, "等", 64, "信息：");
    QVERIFY2(ticks >= 20, qPrintable(QString::number(ticks)));
  }
};

AUTOSHUTDOWN_QT_TEST_MAIN(QtMessageBoxTest)
#include "qt_message_box_test.moc"
