#include "platform/linux/bus_connection.h"

#include <cerrno>
#include <cstring>
#include <string_view>

namespace platform::os {
namespace {

std::uint64_t MicrosecondsLeft(BusConnection::Deadline deadline) {
  const auto left = deadline - std::chrono::steady_clock::now();
  if (left <= std::chrono::steady_clock::duration::zero()) return 0;
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::microseconds>(left).count() + 1);
}

bool Absent(std::string_view error) {
  return error == "org.freedesktop.DBus.Error.ServiceUnknown" ||
         error == "org.freedesktop.DBus.Error.NameHasNoOwner" ||
         error == "org.freedesktop.DBus.Error.UnknownMethod" ||
         error == "org.freedesktop.DBus.Error.UnknownObject" ||
         error == "org.freedesktop.DBus.Error.UnknownInterface";
}

}  // namespace

std::optional<BusConnection> BusConnection::open(Which which, Deadline deadline) {
  sd_bus* bus = nullptr;
  int (*const connect)(sd_bus**) = which == Which::System ? &sd_bus_open_system : &sd_bus_open_user;
  const int opened = connect(&bus);
  if (opened < 0 || !bus) return std::nullopt;
  BusConnection connection(bus, deadline);
  // The handshake (authentication and Hello) runs here, bounded by the deadline: sd-bus's own
  // wait for it would last up to its authentication timeout.
  for (;;) {
    const int ready = sd_bus_is_ready(bus);
    if (ready > 0) return connection;
    if (ready < 0) return std::nullopt;
    const int processed = sd_bus_process(bus, nullptr);
    if (processed < 0) return std::nullopt;
    if (processed > 0) continue;
    const std::uint64_t left = MicrosecondsLeft(deadline);
    if (left == 0 || sd_bus_wait(bus, left) < 0) return std::nullopt;
  }
}

BusConnection::~BusConnection() {
  // Not sd_bus_flush_close_unref: flushing waits, with no limit, for a handshake that a hung
  // bus never completes. Every call here has had its reply; nothing is left to write.
  if (bus_) sd_bus_close_unref(bus_);
}

sd_bus_message* BusConnection::newCall(const BusMethod& method) {
  sd_bus_message* message = nullptr;
  if (sd_bus_message_new_method_call(bus_, &message, method.service, method.path, method.interface,
                                     method.member) < 0) {
    return nullptr;
  }
  sd_bus_message_set_auto_start(message, method.autoStart ? 1 : 0);
  return message;
}

BusReply BusConnection::send(sd_bus_message* message) {
  BusReply result;
  const std::uint64_t left = MicrosecondsLeft(deadline_);
  if (left == 0) {
    sd_bus_message_unref(message);
    return result;
  }
  sd_bus_error error = SD_BUS_ERROR_NULL;
  sd_bus_message* reply = nullptr;
  const int called = sd_bus_call(bus_, message, left, &error, &reply);
  sd_bus_message_unref(message);
  if (called >= 0) {
    result.kind = BusReply::Kind::Ok;
    char type = 0;
    const char* contents = nullptr;
    if (sd_bus_message_peek_type(reply, &type, &contents) > 0 &&
        (type == SD_BUS_TYPE_STRING || type == SD_BUS_TYPE_OBJECT_PATH)) {
      const char* text = nullptr;
      if (sd_bus_message_read_basic(reply, type, &text) > 0 && text) result.text = text;
    }
  } else if (sd_bus_error_is_set(&error) && called != -ETIMEDOUT) {
    result.error = error.name;
    result.kind = Absent(result.error) ? BusReply::Kind::Absent : BusReply::Kind::Refused;
  }
  sd_bus_message_unref(reply);
  sd_bus_error_free(&error);
  return result;
}

}  // namespace platform::os
