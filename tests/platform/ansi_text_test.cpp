#include <QTest>

#include "platform/ansi_text.h"
#include "support/text.h"

class AnsiTextTest : public QObject {
  Q_OBJECT
 private slots:
  void cutsAtTheLimitNeverInsideACharacter_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QByteArray>("kept");
    const QByteArray ascii62(62, 'a');
    const QByteArray chinese31 = QString(31, QChar(0x4E2D)).toUtf8();  // 中 x 31 = 62 bytes
    QTest::newRow("short") << QByteArray("abc") << 62 << QByteArray("abc");
    QTest::newRow("exactly 62 ASCII") << ascii62 << 62 << ascii62;
    QTest::newRow("63 ASCII") << ascii62 + "b" << 62 << ascii62;
    QTest::newRow("31 Chinese") << chinese31 << 62 << chinese31;
    QTest::newRow("32 Chinese") << chinese31 + QString(QChar(0x6587)).toUtf8() << 62 << chinese31;
    QTest::newRow("a split would come: cut before")
        << QByteArray(61, 'a') + QString::fromUtf8("中文").toUtf8() << 62 << QByteArray(61, 'a');
    QTest::newRow("not in GBK: one byte, as its ?")
        << QByteArray(61, 'a') + QString::fromUtf8("\U0001F600").toUtf8() << 62
        << QByteArray(61, 'a') + QString::fromUtf8("\U0001F600").toUtf8();
    QTest::newRow("bytes that are not UTF-8 count one each")
        << QByteArray("\xc4\xd6\xff\xfe") << 3 << QByteArray("\xc4\xd6\xff");
    QTest::newRow("nothing fits") << QString::fromUtf8("中").toUtf8() << 1 << QByteArray();
  }
  void cutsAtTheLimitNeverInsideACharacter() {
    QFETCH(QByteArray, text);
    QFETCH(int, limit);
    QFETCH(QByteArray, kept);
    const std::string cut = platform::CutToAnsiBytes(text.toStdString(), std::size_t(limit));
    QCOMPARE(QByteArray::fromStdString(cut), kept);
  }
};

QTEST_APPLESS_MAIN(AnsiTextTest)
#include "ansi_text_test.moc"
