#include <QTest>

#include "services/message_box.h"
#include "support/text.h"

using platform::MessageAnswer;
using platform::MessageBoxRequest;

namespace {

class RecordingBackend final : public platform::MessageBoxBackend {
 public:
  MessageAnswer show(const MessageBoxRequest& shown) override {
    request = shown;
    ++calls;
    return answer;
  }
  MessageBoxRequest request;
  MessageAnswer answer = MessageAnswer::Ok;
  int calls = 0;
};

}  // namespace

Q_DECLARE_METATYPE(platform::MessageAnswer)

class MessageBoxTest : public QObject {
  Q_OBJECT
 private slots:
  void yesNoGoesOutTaskModal() {
    RecordingBackend backend;
    backend.answer = MessageAnswer::No;
    QCOMPARE(services::ShowMessageBox(backend, "    是否真的要退出？", 4, "提示："), 6);
    QCOMPARE(backend.request.style, 0x2004);
    QCOMPARE(backend.request.buttons, platform::MessageButtons::YesNo);
    QCOMPARE(backend.request.icon, platform::MessageIcon::None);
    QCOMPARE(backend.request.modality, platform::MessageModality::Application);
    QCOMPARE(Q(backend.request.text), Q("    是否真的要退出？"));  // unchanged, blanks kept
    QCOMPARE(Q(backend.request.caption), Q("提示："));
  }

  void informationGoesOutTaskModal() {
    RecordingBackend backend;
    QCOMPARE(services::ShowMessageBox(backend, "感谢", 64, "感谢："), 0);
    QCOMPARE(backend.request.style, 0x2040);
    QCOMPARE(backend.request.buttons, platform::MessageButtons::Ok);
    QCOMPARE(backend.request.icon, platform::MessageIcon::Information);
  }

  void systemModalStaysSystemModal() {
    RecordingBackend backend;
    services::ShowMessageBox(backend, "x", 0x1000 | 0x30 | 1, "c");
    QCOMPARE(backend.request.style, 0x1031);
    QCOMPARE(backend.request.modality, platform::MessageModality::System);
    QCOMPARE(backend.request.icon, platform::MessageIcon::Exclamation);
    QCOMPARE(backend.request.buttons, platform::MessageButtons::OkCancel);
  }

  void missingCaptionReadsInformation() {
    RecordingBackend backend;
    services::ShowMessageBox(backend, "x", 64);
    QCOMPARE(Q(backend.request.caption), Q("信息："));
    services::ShowMessageBox(backend, "x", 64, "");
    QCOMPARE(Q(backend.request.caption), Q("信息："));
  }

  void answersMapToTheirNumbers_data() {
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<int>("number");
    QTest::newRow("OK") << MessageAnswer::Ok << 0;
    QTest::newRow("Cancel") << MessageAnswer::Cancel << 1;
    QTest::newRow("Abort") << MessageAnswer::Abort << 2;
    QTest::newRow("Retry") << MessageAnswer::Retry << 3;
    QTest::newRow("Ignore") << MessageAnswer::Ignore << 4;
    QTest::newRow("Yes") << MessageAnswer::Yes << 5;
    QTest::newRow("No") << MessageAnswer::No << 6;
    QTest::newRow("closed without a button") << MessageAnswer::None << 0;
  }
  void answersMapToTheirNumbers() {
    QFETCH(MessageAnswer, answer);
    QFETCH(int, number);
    RecordingBackend backend;
    backend.answer = answer;
    QCOMPARE(services::ShowMessageBox(backend, "x", 2, "c"), number);
    QCOMPARE(backend.calls, 1);
  }
};

QTEST_APPLESS_MAIN(MessageBoxTest)
#include "message_box_test.moc"
