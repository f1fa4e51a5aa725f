#include <QTest>

#include "schedule/time_text.h"
#include "support/text.h"

using namespace schedule;

class TimeTextTest : public QObject {
  Q_OBJECT
 private slots:
  void dateTimeAndTimeOfDay_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<int>("second");
    QTest::addColumn<QString>("dateTime");
    QTest::addColumn<QString>("timeOfDay");
    QTest::newRow("midnight: the date alone") << 2024 << 3 << 9 << 0 << 0 << 0 << "2024年3月9日"
                                              << "00时00分00秒";
    QTest::newRow("seconds show every field")
        << 2024 << 3 << 9 << 0 << 0 << 7 << "2024年3月9日0时0分7秒"
        << "00时00分07秒";
    QTest::newRow("minutes without seconds")
        << 2024 << 3 << 9 << 0 << 5 << 0 << "2024年3月9日0时5分"
        << "00时05分00秒";
    QTest::newRow("hour alone") << 2024 << 3 << 9 << 9 << 0 << 0 << "2024年3月9日9时"
                                << "09时00分00秒";
    QTest::newRow("no padding in the long form")
        << 2024 << 3 << 9 << 9 << 5 << 7 << "2024年3月9日9时5分7秒"
        << "09时05分07秒";
    QTest::newRow("last second of the year")
        << 2024 << 12 << 31 << 23 << 59 << 59 << "2024年12月31日23时59分59秒"
        << "23时59分59秒";
    QTest::newRow("hour and seconds, minute zero")
        << 2025 << 1 << 1 << 13 << 0 << 30 << "2025年1月1日13时0分30秒"
        << "13时00分30秒";
  }
  void dateTimeAndTimeOfDay() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(int, second);
    QFETCH(QString, dateTime);
    QFETCH(QString, timeOfDay);
    QCOMPARE(Q(DateTimeText({year, month, day, hour, minute, second})), dateTime);
    QCOMPARE(Q(TimeOfDayText(hour, minute, second)), timeOfDay);
  }

  void twoDigitField_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("field");
    QTest::newRow("0") << 0 << "00";
    QTest::newRow("5") << 5 << "05";
    QTest::newRow("10") << 10 << "10";
    QTest::newRow("59") << 59 << "59";
    QTest::newRow("three digits keep the last two") << 123 << "23";
    QTest::newRow("negative") << -5 << "-5";
  }
  void twoDigitField() {
    QFETCH(int, n);
    QFETCH(QString, field);
    QCOMPARE(Q(TwoDigitField(n)), field);
  }

  void textOperations() {
    QCOMPARE(Q(RightCut("12345", 2)), QString("45"));
    QCOMPARE(Q(RightCut("7", 2)), QString("7"));  // shorter than the count: the whole text
    QCOMPARE(Q(RightCut("", 2)), QString());
    QCOMPARE(Q(RightCut("12345", 0)), QString());
    QCOMPARE(Q(RightCut("12345", -3)), QString());
    QCOMPARE(Q(Concat({"您设定了在【", "", "07时05分00秒", "】"})),
             Q("您设定了在【07时05分00秒】"));
    QCOMPARE(Q(Concat({})), QString());
    QCOMPARE(Q(IntegerText(-42)), QString("-42"));
    QCOMPARE(Q(IntegerText(0)), QString("0"));
    QCOMPARE(Q(IntegerText(INT64_MIN)), QString("-9223372036854775808"));
  }

  void equalityIsExact() {
    QVERIFY(TextEquals("", std::string()));  // an absent text equals the empty text
    QVERIFY(TextEquals("09时05分07秒", TimeOfDayText(9, 5, 7)));
    QVERIFY(!TextEquals("09时05分07秒", "9时05分07秒"));
    QVERIFY(!TextEquals("09时05分07秒", "09时05分07秒 "));
    QVERIFY(!TextEquals("ABC", "abc"));
  }
};

QTEST_APPLESS_MAIN(TimeTextTest)
#include "time_text_test.moc"
