#include "platform/qt/qt_tray.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDateTime>

namespace platform::qt {
namespace {

// Qt uses a StatusNotifierItem exactly when the watcher on the session bus says a host is
// registered (asked once, when the first tray icon is made), so ask the same question.
bool StatusNotifierHostRegistered() {
  QDBusInterface watcher(
      QStringLiteral("org.kde.StatusNotifierWatcher"), QStringLiteral("/StatusNotifierWatcher"),
      QStringLiteral("org.kde.StatusNotifierWatcher"), QDBusConnection::sessionBus());
  watcher.setTimeout(500);
  return watcher.isValid() && watcher.property("IsStatusNotifierHostRegistered").toBool();
}

}  // namespace

QtTray::QtTray(const QIcon& icon, const QString& tip, std::function<void(int)> event)
    : icon_(icon), event_(std::move(event)) {
  static const bool statusNotifier = StatusNotifierHostRegistered();
  statusNotifier_ = statusNotifier;
  icon_.setToolTip(tip);
  if (statusNotifier_) {
    menu_ = std::make_unique<QMenu>();
    menu_->setSeparatorsCollapsible(false);
    icon_.setContextMenu(menu_.get());
  }
  connect(&icon_, &QSystemTrayIcon::activated, this, &QtTray::activated);
  icon_.show();
}

QtTray::~QtTray() {
  icon_.hide();
  icon_.setContextMenu(nullptr);
}

void QtTray::change(const QIcon& icon, const QString& tip) {
  icon_.setIcon(icon);
  icon_.setToolTip(tip);
}

void QtTray::setMenu(const std::vector<MenuEntry>& entries) {
  if (!menu_) return;
  menu_->clear();
  for (const MenuEntry& entry : entries) {
    if (entry.caption == "-") {
      menu_->addSeparator();
      continue;
    }
    QAction* action = menu_->addAction(QString::fromStdString(entry.caption));
    connect(action, &QAction::triggered, this, [chosen = entry.chosen] { chosen(); });
  }
}

bool QtTray::HostAvailable() {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

// How the clicks arrive: an XEmbed icon gets the mouse itself, and Qt reports a single click as
// Trigger and a double-click as Trigger for the first click, then DoubleClick. A
// StatusNotifierItem host calls Activate for every click and reports no double-click at all:
// a second Activate within the desktop's double-click interval is taken as the double-click,
// so that a double-click gives 1, then 2, on both kinds of host. Context: the host's right-click
// (XEmbed), or a host asking the item for its menu (ContextMenu).
void QtTray::activated(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger: {
      if (!statusNotifier_) return event_(1);
      const qint64 now = QDateTime::currentMSecsSinceEpoch();
      const bool second =
          lastActivation_ >= 0 && now - lastActivation_ <= QApplication::doubleClickInterval();
      lastActivation_ = second ? -1 : now;
      return event_(second ? 2 : 1);
    }
    case QSystemTrayIcon::DoubleClick:
      return event_(2);
    case QSystemTrayIcon::Context:
      return event_(3);
    default:
      return;  // a middle click is no tray event
  }
}

}  // namespace platform::qt
