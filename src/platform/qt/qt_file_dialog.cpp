#include "platform/qt/qt_file_dialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include "platform/qt/qt_convert.h"

namespace platform::qt {
namespace {

// Qt's own texts (the dialog's labels, buttons and messages) in Chinese, whatever the locale:
// the program's texts are Chinese and fixed. Loaded when the first dialog opens.
void LoadChineseQtTexts() {
  static std::unique_ptr<QTranslator> translator;
  if (translator) return;
  translator = std::make_unique<QTranslator>();
  if (translator->load(QStringLiteral("qtbase_zh_CN"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator.get());
  }
}

bool IsRegularFile(const QByteArray& path) {
  struct stat status {};
  return stat(path.constData(), &status) == 0 && S_ISREG(status.st_mode);
}

bool Exists(const QByteArray& path) {
  struct stat status {};
  return lstat(path.constData(), &status) == 0;
}

// Qt shows a file name that is not UTF-8 with replacement characters and cannot turn it back
// into its bytes. Each component of such a path is found again among the entries of its folder
// by the name Qt shows for it.
std::optional<std::string> BytesOnDisk(const QString& shown) {
  const QByteArray direct = QFile::encodeName(shown);
  if (IsRegularFile(direct)) return direct.toStdString();
  QByteArray found = shown.startsWith(QLatin1Char('/')) ? QByteArray("/") : QByteArray();
  for (const QString& component : shown.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
    QByteArray next = found + QFile::encodeName(component);
    if (!Exists(next)) {
      next.clear();
      if (DIR* folder = opendir(found.isEmpty() ? "." : found.constData())) {
        while (dirent* entry = readdir(folder)) {
          if (QFile::decodeName(entry->d_name) == component) {
            next = found + entry->d_name;
            break;
          }
        }
        closedir(folder);
      }
      if (next.isEmpty()) return std::nullopt;
    }
    found = next + '/';
  }
  found.chop(1);
  if (!IsRegularFile(found)) return std::nullopt;
  return found.toStdString();
}

class OpenFileDialog final : public QFileDialog {
 public:
  explicit OpenFileDialog(QWidget* parent) : QFileDialog(parent) {}
  const std::string& chosen() const { return chosen_; }

 protected:
  // Confirms only an existing file, by its bytes on disk; a folder is opened instead.
  void accept() override {
    const QStringList files = selectedFiles();
    if (files.size() != 1) return;
    const QString& file = files.front();
    if (QFileInfo(file).isDir()) {
      setDirectory(file);
      return;
    }
    const std::optional<std::string> bytes = BytesOnDisk(file);
    if (!bytes) {
      QMessageBox::warning(
          this, windowTitle(),
          QFileDialog::tr("%1\nFile not found.\nPlease verify the correct file name was given.")
              .arg(file));
      return;
    }
    chosen_ = *bytes;
    QDialog::accept();
  }

 private:
  std::string chosen_;
};

}  // namespace

std::optional<std::string> ShowOpenFileDialog(const FileDialogSettings& settings,
                                              const std::string& proposed, QWidget* parent) {
  LoadChineseQtTexts();
  OpenFileDialog dialog(parent);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(settings.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (!settings.title.empty()) dialog.setWindowTitle(ToQString(settings.title));
  if (!settings.filter.empty()) dialog.setNameFilter(ToQString(settings.filter));
  if (!settings.folder.empty()) dialog.setDirectory(ToQString(settings.folder));
  if (!settings.defaultExtension.empty()) {
    dialog.setDefaultSuffix(ToQString(settings.defaultExtension));
  }
  if (!proposed.empty()) dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(proposed)));
  dialog.setWindowModality(Qt::ApplicationModal);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.chosen();
}

}  // namespace platform::qt
