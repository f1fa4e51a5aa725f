#include <QTest>

#include "platform/up_down.h"
#include "support/text.h"

using platform::SpinDirection;
using platform::SpinStep;

class UpDownTest : public QObject {
  Q_OBJECT
 private slots:
  void step_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("max");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("result");
    QTest::newRow("00 up becomes plain 1") << "00" << 23 << true << "1";
    QTest::newRow("padded 07 up") << "07" << 59 << true << "8";
    QTest::newRow("hour wraps up") << "23" << 23 << true << "0";
    QTest::newRow("hour wraps down") << "0" << 23 << false << "23";
    QTest::newRow("minute wraps down") << "00" << 59 << false << "59";
    QTest::newRow("minute wraps up") << "59" << 59 << true << "0";
    QTest::newRow("down") << "15" << 59 << false << "14";
    QTest::newRow("not a number counts as 0") << "abc" << 59 << true << "1";
    QTest::newRow("empty counts as 0") << "" << 23 << false << "23";
    QTest::newRow("trailing garbage counts as 0") << "12x" << 59 << true << "1";
    QTest::newRow("huge number wraps, no overflow") << "9223372036854775807" << 59 << true << "0";
  }
  void step() {
    QFETCH(QString, text);
    QFETCH(int, max);
    QFETCH(bool, up);
    QFETCH(QString, result);
    const std::string input = text.toStdString();
    QCOMPARE(Q(SpinStep(input, 0, max, up ? SpinDirection::Up : SpinDirection::Down)), result);
  }

  void twentyFourClicksComeBack() {
    std::string text = "00";
    for (int i = 0; i < 24; ++i)
      text = SpinStep(text, 0, 23, SpinDirection::Up);
    QCOMPARE(Q(text), QString("0"));
  }
};

QTEST_APPLESS_MAIN(UpDownTest)
#include "up_down_test.moc"
