#include <QTest>

#include "platform/destroy_request.h"

using platform::DestroyRequest;

class DestroyRequestTest : public QObject {
  Q_OBJECT
 private slots:
  void requestIsCarriedOutOnce() {
    DestroyRequest destroy;
    QVERIFY(destroy.request());   // post the message
    QVERIFY(!destroy.request());  // pending: nothing more
    QVERIFY(destroy.deliver());
    QVERIFY(destroy.begin());
    QVERIFY(!destroy.request());  // being destroyed: nothing
    QVERIFY(!destroy.deliver());
    QVERIFY(!destroy.begin());
    destroy.finish();
    QVERIFY(!destroy.request());
    QVERIFY(!destroy.begin());
  }

  void closeWhilePendingClearsTheMark() {
    DestroyRequest destroy;
    QVERIFY(destroy.request());
    QVERIFY(destroy.begin());     // a close request destroys at once
    QVERIFY(!destroy.deliver());  // the posted message then finds no mark
    QVERIFY(!destroy.pending());
  }

  void messageWithoutRequestDoesNothing() {
    DestroyRequest destroy;
    QVERIFY(!destroy.deliver());
    QCOMPARE(destroy.state(), DestroyRequest::State::Alive);
  }
};

QTEST_APPLESS_MAIN(DestroyRequestTest)
#include "destroy_request_test.moc"
