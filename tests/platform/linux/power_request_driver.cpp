// Makes power requests through the real D-Bus backend, for the D-Bus tests and the benchmark:
//   power_request_driver ACTION [--force] [--repeat N]
// prints "result=true|false" for the first request and, with --repeat, the median time of N
// requests in microseconds. It runs only against the private buses of a test fixture: both bus
// addresses must lie in AUTOSHUTDOWN_TEST_BUS_DIR, and that folder must hold the fixture's mark.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/dbus_power.h"
#include "services/power.h"

namespace {

bool OnTestBuses() {
  const char* folder = std::getenv("AUTOSHUTDOWN_TEST_BUS_DIR");
  const char* system = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
  const char* session = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if (!folder || !*folder || !system || !session) return false;
  if (!std::filesystem::exists(std::filesystem::path(folder) / ".autoshutdown-test-buses")) {
    return false;
  }
  const std::string prefix = std::string("unix:path=") + folder + "/";
  return std::string_view(system).starts_with(prefix) &&
         std::string_view(session).starts_with(prefix);
}

}  // namespace

int main(int argc, char** argv) {
  if (!OnTestBuses()) {
    std::fputs(
        "power_request_driver: refusing to run: DBUS_SYSTEM_BUS_ADDRESS and "
        "DBUS_SESSION_BUS_ADDRESS must point at a test fixture's private buses\n",
        stderr);
    return 2;
  }
  if (argc < 2) return 2;
  const int action = std::atoi(argv[1]);
  bool force = false;
  int repeat = 1;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--force") == 0) force = true;
    if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) repeat = std::atoi(argv[++i]);
  }
  platform::os::DBusPower power;
  std::vector<long long> micros;
  bool first = false;
  for (int i = 0; i < repeat; ++i) {
    const auto start = std::chrono::steady_clock::now();
    const bool result = services::RequestPowerAction(power, action, force);
    micros.push_back(std::chrono::duration_cast<std::chrono::microseconds>(
                         std::chrono::steady_clock::now() - start)
                         .count());
    if (i == 0) first = result;
  }
  std::printf("result=%s\n", first ? "true" : "false");
  std::printf("first_us=%lld\n", micros.front());
  if (repeat > 1) {
    std::sort(micros.begin(), micros.end());
    std::printf("median_us=%lld\n", micros[micros.size() / 2]);
    std::printf("max_us=%lld\n", micros.back());
  }
  return 0;
}
