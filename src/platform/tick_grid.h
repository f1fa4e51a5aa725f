// The timers of the program's windows tick together, on a grid: at each grid point every running
// timer whose period has elapsed ticks once, in the order the timers were made. A timer whose
// period is shorter than the grid step ticks at every point; missed ticks are not made up. The
// backend chooses the step and places the points (see NextGridPoint).
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

class TickGrid {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  using Duration = std::chrono::nanoseconds;

  struct Due {
    int id;
    std::uint64_t serial;
  };

  // Starts (or restarts) timer id; its first tick comes one period after now. Lower ranks tick
  // first at a shared grid point.
  void start(int id, int rank, Duration period, TimePoint now);
  void stop(int id);
  bool running(int id) const;
  bool empty() const { return timers_.empty(); }

  // The timers due at a grid point reached at now (a timer due within the tolerance counts),
  // in rank order; each is rescheduled one period after now.
  std::vector<Due> take(TimePoint now, Duration tolerance);
  // False once the timer has been stopped, restarted or taken again since this Due was handed
  // out: a tick that a nested event loop delivered meanwhile is not delivered twice.
  bool current(const Due& due) const;
  // When the earliest running timer is due.
  std::optional<TimePoint> earliest() const;

 private:
  struct Timer {
    int id;
    int rank;
    Duration period;
    TimePoint due;
    std::uint64_t serial;
  };
  std::vector<Timer> timers_;  // in rank order
  std::uint64_t serial_ = 0;
};

// The first grid point at or after a moment, for a grid of the given step whose points lie a
// phase after each multiple of the step on the wall clock. A grid locked to the wall clock lets
// a step much longer than a timer's period still show each new second within the phase.
std::chrono::system_clock::time_point NextGridPoint(std::chrono::system_clock::time_point at,
                                                    std::chrono::nanoseconds step,
                                                    std::chrono::nanoseconds phase);

}  // namespace platform
