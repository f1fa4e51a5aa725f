// The open-file dialog of the form layer: Qt's own dialog, driven as a user would.
#include <QAbstractProxyModel>
#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <sys/time.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/qt/qt_window.h"
#include "support/qt_test_main.h"
#include "support/text.h"

using platform::ControlKind;
using platform::Event;
using platform::Window;
namespace fs = std::filesystem;

namespace {

platform::WindowForm DialogForm() {
  platform::WindowForm form{.name = "Dialogs", .caption = "dialogs", .width = 200, .height = 100};
  form.controls = {{.kind = ControlKind::FileDialog,
                    .name = "通用对话框1",
                    .dialog = platform::FileDialogSettings{.hideReadOnly = true,
                                                           .fileMustExist = true,
                                                           .pathMustExist = true,
                                                           .overwritePrompt = true}},
                   {.kind = ControlKind::Timer, .name = "timer", .events = {Event::Tick}}};
  return form;
}

// Runs `act` on the open dialog once it is up.
void WhenOpen(std::function<void(QFileDialog*)> act) {
  QTimer::singleShot(100, [act] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    act(dialog);
  });
}

// Types a name into the dialog's file name box and presses Enter, as a user does.
void Type(QFileDialog* dialog, const QString& name) {
  auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  QVERIFY(edit);
  edit->setText(name);
  QTest::keyClick(edit, Qt::Key_Return);
}

}  // namespace

class QtFileDialogTest : public QObject {
  Q_OBJECT
  fs::path folder_;
  Window* window_ = nullptr;
  int ticks_ = 0;

  fs::path makeFile(const std::string& name) {
    const fs::path path = folder_ / name;
    std::ofstream(path) << "x";
    return path;
  }

 private slots:
  void initTestCase() {
    folder_ = fs::temp_directory_path() / ("autoshutdown-dialog-" + std::to_string(getpid()));
    fs::create_directories(folder_);
    platform::WindowHandlers handlers;
    handlers.controls = {{"timer", Event::Tick, [this](Window&) { ++ticks_; }}};
    window_ = testing_support::Platform().windows().load(DialogForm(), handlers, nullptr);
    window_->show();
    window_->restartTimer("timer", 10);
  }
  void cleanupTestCase() {
    window_->requestClose();
    fs::remove_all(folder_);
  }

  void cancelBeforeAnyChoiceLeavesItEmpty() {
    WhenOpen([](QFileDialog* dialog) {
      QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));  // Qt's own dialog
      QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
      dialog->reject();
    });
    QVERIFY(!window_->openFileDialog("通用对话框1"));
    QCOMPARE(Q(window_->fileName("通用对话框1")), QString());
  }

  void chosenThenProposedThenKeptOnCancel() {
    const fs::path ring = makeFile("铃声 2.mp3");
    WhenOpen([&](QFileDialog* dialog) { Type(dialog, QString::fromStdString(ring.string())); });
    QVERIFY(window_->openFileDialog("通用对话框1"));
    QCOMPARE(window_->fileName("通用对话框1"), ring.string());

    QString proposed;
    WhenOpen([&](QFileDialog* dialog) {
      proposed = dialog->selectedFiles().value(0);
      dialog->reject();
    });
    QVERIFY(!window_->openFileDialog("通用对话框1"));
    QCOMPARE(proposed, QString::fromStdString(ring.string()));  // the last confirmed path
    QCOMPARE(window_->fileName("通用对话框1"), ring.string());  // a cancel keeps it
  }

  void namesThatAreNotUtf8AreKeptAsBytes() {
    const fs::path ring = makeFile("\xc4\xd6\xd6\xd3.mp3");  // GBK
    WhenOpen([&](QFileDialog* dialog) {
      dialog->setDirectory(QString::fromStdString(folder_.string()));
      Type(dialog, QFile::decodeName(QByteArray::fromStdString(ring.string())));
    });
    QVERIFY(window_->openFileDialog("通用对话框1"));
    QCOMPARE(window_->fileName("通用对话框1"), ring.string());
  }

  void aFileThatDoesNotExistIsRefused() {
    bool refused = false;
    WhenOpen([&](QFileDialog* dialog) {
      QTimer::singleShot(200, [&, dialog] {
        auto* warning = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        refused = warning != nullptr;
        if (warning) warning->accept();
        QTimer::singleShot(50, dialog, &QDialog::reject);
      });
      Type(dialog, QString::fromStdString((folder_ / "没有这个文件.mp3").string()));
    });
    const std::string before = window_->fileName("通用对话框1");
    QVERIFY(!window_->openFileDialog("通用对话框1"));
    QVERIFY(refused);
    QCOMPARE(window_->fileName("通用对话框1"), before);
  }

  void ticksGoOnWhileItIsOpen() {
    const int before = ticks_;
    WhenOpen([](QFileDialog* dialog) { QTimer::singleShot(500, dialog, &QDialog::reject); });
    window_->openFileDialog("通用对话框1");
    QVERIFY2(ticks_ - before >= 5, qPrintable(QString::number(ticks_ - before)));
  }

  void itSpeaksChinese() {
    fs::create_directories(folder_ / "子目录");
    const fs::path file = makeFile("旧.mp3");
    const QDateTime stamp(QDate(2001, 2, 3), QTime(4, 5));
    const timeval times[2] = {{stamp.toSecsSinceEpoch(), 0}, {stamp.toSecsSinceEpoch(), 0}};
    QCOMPARE(utimes(file.c_str(), times), 0);

    QString accept, folderType, date;
    WhenOpen([&](QFileDialog* dialog) {
      accept = dialog->labelText(QFileDialog::Accept);
      dialog->setDirectory(QString::fromStdString(folder_.string()));
      auto* proxy = qobject_cast<QAbstractProxyModel*>(dialog->proxyModel());
      auto* files = proxy ? qobject_cast<QFileSystemModel*>(proxy->sourceModel()) : nullptr;
      if (files) {
        const auto shown = [&](const fs::path& path, int column) {
          const QModelIndex source = files->index(QString::fromStdString(path.string()), column);
          return proxy->mapFromSource(source).data().toString();
        };
        QTRY_VERIFY(!shown(file, 3).isEmpty());
        folderType = shown(folder_ / "子目录", 2);
        date = shown(file, 3);
      }
      dialog->reject();
    });
    window_->openFileDialog("通用对话框1");
    QCOMPARE(accept, QString::fromUtf8("打开(&O)"));
    QCOMPARE(folderType, QString::fromUtf8("文件夹"));
    QCOMPARE(date, QStringLiteral("2001/2/3 4:05"));
  }
};

AUTOSHUTDOWN_QT_TEST_MAIN(QtFileDialogTest)
#include "qt_file_dialog_test.moc"
