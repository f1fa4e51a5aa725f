#include "platform/linux/dbus_power.h"

#include <unistd.h>

#include <cstdint>

#include "platform/linux/bus_connection.h"

namespace platform::os {
namespace {

constexpr const char* kLogind = "org.freedesktop.login1";
constexpr const char* kLogindPath = "/org/freedesktop/login1";
constexpr const char* kManager = "org.freedesktop.login1.Manager";

struct LogindAction {
  const char* can;
  const char* act;
};

LogindAction ActionOf(PowerRequest request) {
  switch (request) {
    case PowerRequest::PowerOff:
      return {"CanPowerOff", "PowerOff"};
    case PowerRequest::Reboot:
      return {"CanReboot", "Reboot"};
    case PowerRequest::Suspend:
      return {"CanSuspend", "Suspend"};
    case PowerRequest::Hibernate:
      return {"CanHibernate", "Hibernate"};
    case PowerRequest::LogOff:
      break;
  }
  return {nullptr, nullptr};
}

// The first session manager that answers (its reply), or Absent when none runs.
BusReply AskSessionManager(BusConnection& bus, bool force) {
  BusReply reply = bus.call({"org.gnome.SessionManager", "/org/gnome/SessionManager",
                             "org.gnome.SessionManager", "Logout", false},
                            "u", std::uint32_t{force ? 2u : 1u});
  if (reply.kind != BusReply::Kind::Absent) return reply;
  if (!force) {  // Plasma's newer call has no forced variant
    reply = bus.call({"org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", "logout", false});
    if (reply.kind != BusReply::Kind::Absent) return reply;
  }
  reply =
      bus.call({"org.kde.ksmserver", "/KSMServer", "org.kde.KSMServerInterface", "logout", false},
               "iii", 0, 0, force ? 2 : -1);
  if (reply.kind != BusReply::Kind::Absent) return reply;
  return bus.call({"org.xfce.SessionManager", "/org/xfce/SessionManager",
                   "org.xfce.Session.Manager", "Logout", false},
                  "bb", 0, 1);
}

}  // namespace

bool DBusPower::prepare(PowerRequest request) {
  const auto deadline = std::chrono::steady_clock::now() + limit_;
  auto bus = BusConnection::open(BusConnection::Which::System, deadline);
  if (!bus) return false;
  const LogindAction action = ActionOf(request);
  if (!action.can) {
    // Logging off needs no permission of logind's; it only has to answer.
    return bus->call({kLogind, kLogindPath, "org.freedesktop.DBus.Peer", "Ping"}).ok();
  }
  const BusReply answer = bus->call({kLogind, kLogindPath, kManager, action.can});
  return answer.ok() && answer.text == "yes";
}

// The force flag: logind asks no program before powering off, restarting or suspending (only
// inhibitor locks hold it back, and those stay honoured), so those requests are the same with
// and without it; `interactive` is always false, the user is asked nothing. Logging off forced
// uses the session managers' variants that do not wait for programs: GNOME mode 2, KDE's
// "force now" mode; Xfce has none; logind's Terminate is forceful in any case.
bool DBusPower::request(PowerRequest request, bool force) {
  const auto deadline = std::chrono::steady_clock::now() + limit_;
  if (request == PowerRequest::LogOff) return logOff(force, deadline);
  auto bus = BusConnection::open(BusConnection::Which::System, deadline);
  if (!bus) return false;
  return bus->call({kLogind, kLogindPath, kManager, ActionOf(request).act}, "b", 0).ok();
}

// Logs off without forcing so that programs can save: the session manager of the desktop in use
// is asked first (only the running one owns its name; none is started for the call), and only
// where none answers is the caller's logind session terminated. A session manager that answers
// with an error has refused: nothing else is tried.
//   GNOME, and MATE, Cinnamon and Budgie, which serve the same interface: Logout(mode), mode 1
//     logs off without a confirmation dialog, 2 also ignores inhibitors.
//   KDE Plasma 5.25 and later: org.kde.Shutdown logout, without confirmation; earlier Plasma:
//     ksmserver logout(confirm 0 = no, type 0 = log off only, mode -1 default or 2 force now).
//   Xfce: Logout(show_dialog false, allow_save true).
bool DBusPower::logOff(bool force, std::chrono::steady_clock::time_point deadline) {
  if (auto session = BusConnection::open(BusConnection::Which::Session, deadline)) {
    const BusReply reply = AskSessionManager(*session, force);
    if (reply.kind != BusReply::Kind::Absent) return reply.ok();
  }
  auto system = BusConnection::open(BusConnection::Which::System, deadline);
  if (!system) return false;
  const BusReply session = system->call({kLogind, kLogindPath, kManager, "GetSessionByPID"}, "u",
                                        static_cast<std::uint32_t>(getpid()));
  if (!session.ok() || session.text.empty()) return false;
  return system
      ->call({kLogind, session.text.c_str(), "org.freedesktop.login1.Session", "Terminate"})
      .ok();
}

}  // namespace platform::os
