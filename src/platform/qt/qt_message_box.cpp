#include "platform/qt/qt_message_box.h"

#include <QIcon>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <utility>
#include <vector>

#include "platform/qt/qt_convert.h"

namespace platform::qt {
namespace {

struct ButtonSpec {
  QMessageBox::StandardButton button;
  const char* caption;
  MessageAnswer answer;
};

const ButtonSpec kOk{QMessageBox::Ok, "确定", MessageAnswer::Ok};
const ButtonSpec kCancel{QMessageBox::Cancel, "取消", MessageAnswer::Cancel};
const ButtonSpec kAbort{QMessageBox::Abort, "中止(&A)", MessageAnswer::Abort};
const ButtonSpec kRetry{QMessageBox::Retry, "重试(&R)", MessageAnswer::Retry};
const ButtonSpec kIgnore{QMessageBox::Ignore, "忽略(&I)", MessageAnswer::Ignore};
const ButtonSpec kYes{QMessageBox::Yes, "是(&Y)", MessageAnswer::Yes};
const ButtonSpec kNo{QMessageBox::No, "否(&N)", MessageAnswer::No};

std::vector<ButtonSpec> ButtonsOf(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return {kOk};
    case MessageButtons::OkCancel:
      return {kOk, kCancel};
    case MessageButtons::AbortRetryIgnore:
      return {kAbort, kRetry, kIgnore};
    case MessageButtons::YesNoCancel:
      return {kYes, kNo, kCancel};
    case MessageButtons::YesNo:
      return {kYes, kNo};
    case MessageButtons::RetryCancel:
      return {kRetry, kCancel};
  }
  return {kOk};
}

QMessageBox::Icon IconOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None:
      return QMessageBox::NoIcon;
    case MessageIcon::Stop:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

// Line breaks are written CR LF; Qt breaks lines at LF and would show the CR.
QString Shown(const std::string& text) {
  QString shown = ToQString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

}  // namespace

MessageAnswer QtMessageBoxes::show(const MessageBoxRequest& request) {
  QPointer<QMessageBox> box = new QMessageBox();
  box->setAttribute(Qt::WA_DeleteOnClose, false);
  box->setWindowTitle(ToQString(request.caption));
  box->setTextFormat(Qt::PlainText);
  box->setText(Shown(request.text));
  box->setIcon(IconOf(request.icon));
  box->setWindowModality(Qt::ApplicationModal);
  // A caption and nothing else in the title bar; a box that must be answered Yes or No has no
  // close button either.
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (request.buttons != MessageButtons::YesNo &&
      request.buttons != MessageButtons::AbortRetryIgnore) {
    flags |= Qt::WindowCloseButtonHint;
  }
  if (request.modality == MessageModality::System) flags |= Qt::WindowStaysOnTopHint;
  box->setWindowFlags(flags);
  const std::vector<ButtonSpec> buttons = ButtonsOf(request.buttons);
  std::vector<std::pair<QAbstractButton*, MessageAnswer>> answers;
  for (const ButtonSpec& button : buttons) {
    QAbstractButton* shown = box->addButton(button.button);
    shown->setText(QString::fromUtf8(button.caption));
    shown->setIcon(QIcon());  // captions only, as the desktop's own boxes have them
    answers.emplace_back(shown, button.answer);
  }
  box->exec();
  MessageAnswer answer = MessageAnswer::None;
  if (box) {
    for (const auto& [button, mapped] : answers) {
      if (box->clickedButton() == button) answer = mapped;
    }
    delete box.data();
  }
  return answer;
}

}  // namespace platform::qt
