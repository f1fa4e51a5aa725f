#include "platform/qt/qt_file_dialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <QTreeView>

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include "platform/qt/qt_convert.h"

namespace platform::qt {
namespace {

// Qt's own texts (the dialog's labels, buttons and messages) and its dates in Chinese, whatever
// the locale: the program's texts are Chinese and fixed. Loaded when the first dialog opens.
void LoadChineseQtTexts() {
  static std::unique_ptr<QTranslator> translator;
  if (translator) return;
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
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

// The detail columns that Qt leaves in English whatever its translation: the type of a folder
// and the modification date, written as a Chinese desktop writes them.
class ChineseFileColumns final : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;
  static constexpr int kTypeColumn = 2;
  static constexpr int kDateColumn = 3;
  static inline const QString kDateFormat = QStringLiteral("yyyy/M/d H:mm");

  QVariant data(const QModelIndex& index, int role) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role == Qt::DisplayRole && files) {
      const QModelIndex source = mapToSource(index);
      if (index.column() == kTypeColumn && files->isDir(source)) return QStringLiteral("文件夹");
      if (index.column() == kDateColumn) return files->lastModified(source).toString(kDateFormat);
    }
    return QIdentityProxyModel::data(index, role);
  }
};

class OpenFileDialog final : public QFileDialog {
 public:
  explicit OpenFileDialog(QWidget* parent) : QFileDialog(parent) {
    setOption(QFileDialog::DontUseNativeDialog);
    setProxyModel(new ChineseFileColumns(this));
    // Columns wide enough for a date and for a type such as "Markdown 文档" without eliding.
    if (auto* details = findChild<QTreeView*>(QStringLiteral("treeView"))) {
      const QFontMetrics metrics = details->fontMetrics();
      const QString widestDate =
          QDateTime(QDate(2000, 12, 28), QTime(23, 59)).toString(ChineseFileColumns::kDateFormat);
      details->header()->resizeSection(
          ChineseFileColumns::kTypeColumn,
          metrics.horizontalAdvance(QStringLiteral("Markdown 文档")) + 16);
      details->header()->resizeSection(ChineseFileColumns::kDateColumn,
                                       metrics.horizontalAdvance(widestDate) + 16);
    }
  }
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
