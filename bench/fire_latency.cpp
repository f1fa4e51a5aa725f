// How soon the schedule fires after the wall clock enters the armed second: MainWindow with its
// real timers and the real local clock, a power action armed two seconds ahead, the request
// caught by a recording backend. Offscreen; the confirmations are answered at once.
//   fire_latency [TRIALS]
#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "platform/linux/local_clock.h"
#include "platform/qt/qt_platform.h"
#include "schedule/schedule.h"

namespace {

using SystemClock = std::chrono::system_clock;

class Answered final : public platform::MessageBoxBackend {
 public:
  platform::MessageAnswer show(const platform::MessageBoxRequest&) override {
    return platform::MessageAnswer::Yes;
  }
};

// Notes the wall-clock time of the first request after each reset.
class TimedPower final : public platform::PowerBackend {
 public:
  bool prepare(platform::PowerRequest) override { return true; }
  bool request(platform::PowerRequest, bool) override {
    if (!first) first = SystemClock::now();
    ++requests;
    return true;
  }
  std::optional<SystemClock::time_point> first;
  int requests = 0;
};

class Silent final : public services::Playback {
 public:
  void playMp3(int, const std::vector<std::string>&) override {}
  void stop() override {}
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const int trials = argc > 1 ? std::atoi(argv[1]) : 30;
  auto platform = platform::qt::QtPlatform::Start(argv[0]);
  if (!platform) return 1;
  platform::os::LocalClock clock;
  Answered boxes;
  TimedPower power;
  Silent player;
  app::Services services{platform->windows(), boxes, clock, power, player, platform->controlLook()};
  platform::Window* window = app::LoadMainWindow(services);
  window->show();
  window->setTicked("单选框2", true);

  std::vector<double> latencies;
  int missed = 0;
  for (int trial = 0; trial < trials; ++trial) {
    // The armed second: two seconds ahead, whole.
    const auto armed =
        std::chrono::ceil<std::chrono::seconds>(SystemClock::now()) + std::chrono::seconds(2);
    const std::time_t at = SystemClock::to_time_t(armed);
    std::tm local{};
    localtime_r(&at, &local);
    window->setText("编辑框4", std::to_string(local.tm_hour));
    window->setText("编辑框5", std::to_string(local.tm_min));
    window->setText("编辑框6", std::to_string(local.tm_sec));
    power.first.reset();
    schedule::OnStartButton(*window, services);  // arms
    const auto deadline = armed + std::chrono::seconds(1);
    while (!power.first && SystemClock::now() < deadline) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    schedule::ScheduleReset(*window, services);
    if (!power.first || *power.first >= deadline) {
      ++missed;
      continue;
    }
    latencies.push_back(std::chrono::duration<double, std::milli>(*power.first - armed).count());
  }
  window->requestClose();
  std::sort(latencies.begin(), latencies.end());
  if (latencies.empty()) {
    std::printf("no trial fired\n");
    return 1;
  }
  auto at = [&](double q) {
    return latencies[std::min(latencies.size() - 1,
                              static_cast<std::size_t>(q * latencies.size()))];
  };
  std::printf(
      "fire latency after the armed second begins: median %.2f ms, p99 %.2f ms, max %.2f ms"
      " (%zu trials, %d missed their second)\n",
      at(0.5), at(0.99), latencies.back(), latencies.size(), missed);
  return 0;
}
