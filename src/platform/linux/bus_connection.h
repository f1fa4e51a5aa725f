// A short-lived D-Bus connection with a deadline: every wait, from the connection's handshake to
// the last reply, ends when the deadline passes, so a hung bus costs at most that long.
#pragma once

#include <systemd/sd-bus.h>

#include <chrono>
#include <optional>
#include <string>

namespace platform::os {

struct BusMethod {
  const char* service;
  const char* path;
  const char* interface;
  const char* member;
  bool autoStart = true;  // may the bus start the service to answer?
};

// The outcome of one method call.
struct BusReply {
  enum class Kind {
    Ok,
    Absent,   // no such service, object, interface or method: nobody answered
    Refused,  // the callee answered with an error
    Failed,   // the connection failed, or the deadline passed
  };
  Kind kind = Kind::Failed;
  std::string error;  // the D-Bus error name, if any
  std::string text;   // the reply's first argument when it is a string or an object path
  bool ok() const { return kind == Kind::Ok; }
};

class BusConnection {
 public:
  using Deadline = std::chrono::steady_clock::time_point;
  enum class Which { System, Session };

  // Connects to the system bus (DBUS_SYSTEM_BUS_ADDRESS, or the standard socket) or to the
  // user's session bus (DBUS_SESSION_BUS_ADDRESS), waiting until the deadline at most.
  static std::optional<BusConnection> open(Which which, Deadline deadline);

  BusConnection(BusConnection&& other) noexcept : bus_(other.bus_), deadline_(other.deadline_) {
    other.bus_ = nullptr;
  }
  BusConnection& operator=(BusConnection&&) = delete;
  ~BusConnection();

  // Calls a method with the arguments sd_bus_message_append takes for the signature.
  template <typename... Arguments>
  BusReply call(const BusMethod& method, const char* signature = "", Arguments... arguments) {
    sd_bus_message* message = newCall(method);
    if (!message) return {};
    if (*signature && sd_bus_message_append(message, signature, arguments...) < 0) {
      sd_bus_message_unref(message);
      return {};
    }
    return send(message);
  }

 private:
  BusConnection(sd_bus* bus, Deadline deadline) : bus_(bus), deadline_(deadline) {}
  sd_bus_message* newCall(const BusMethod& method);
  BusReply send(sd_bus_message* message);  // takes the message

  sd_bus* bus_;
  Deadline deadline_;
};

}  // namespace platform::os
