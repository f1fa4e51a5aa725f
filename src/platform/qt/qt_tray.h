// A window's icon in the notification area, over QSystemTrayIcon: a StatusNotifierItem where a
// host for those runs (KDE, GNOME with the AppIndicator extension, most panels), an XEmbed icon
// otherwise.
#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform::qt {

class QtTray final : public QObject {
  Q_OBJECT
 public:
  struct MenuEntry {
    std::string caption;  // "-": a separator
    std::function<void()> chosen;
  };

  // `event` gets the tray event codes: 1 single click, 2 double-click, 3 context.
  QtTray(const QIcon& icon, const QString& tip, std::function<void(int)> event);
  ~QtTray() override;  // the icon leaves the notification area

  void change(const QIcon& icon, const QString& tip);
  // A StatusNotifierItem host draws the item's menu itself, from what the item exports; an
  // XEmbed icon leaves the menu to the program.
  bool hostDrawsMenu() const { return statusNotifier_; }
  // The menu a host draws: exactly these entries, in this order.
  void setMenu(const std::vector<MenuEntry>& entries);

  // Whether any notification area can show an icon now.
  static bool HostAvailable();

 private:
  void activated(QSystemTrayIcon::ActivationReason reason);

  QSystemTrayIcon icon_;
  std::unique_ptr<QMenu> menu_;
  std::function<void(int)> event_;
  bool statusNotifier_ = false;
  qint64 lastActivation_ = -1;  // when a StatusNotifierItem host last reported a click, in ms
};

}  // namespace platform::qt
