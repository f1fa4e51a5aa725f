#include "platform/tick_grid.h"

#include <algorithm>

namespace platform {

void TickGrid::start(int id, int rank, Duration period, TimePoint now) {
  stop(id);
  Timer timer{id, rank, period, now + period, ++serial_};
  auto place = std::upper_bound(timers_.begin(), timers_.end(), rank,
                                [](int r, const Timer& t) { return r < t.rank; });
  timers_.insert(place, timer);
}

void TickGrid::stop(int id) {
  std::erase_if(timers_, [id](const Timer& timer) { return timer.id == id; });
}

bool TickGrid::running(int id) const {
  return std::any_of(timers_.begin(), timers_.end(),
                     [id](const Timer& timer) { return timer.id == id; });
}

std::vector<TickGrid::Due> TickGrid::take(TimePoint now, Duration tolerance) {
  std::vector<Due> due;
  for (Timer& timer : timers_) {
    if (timer.due > now + tolerance) continue;
    timer.due = now + timer.period;
    timer.serial = ++serial_;
    due.push_back({timer.id, timer.serial});
  }
  return due;
}

bool TickGrid::current(const Due& due) const {
  return std::any_of(timers_.begin(), timers_.end(), [&due](const Timer& timer) {
    return timer.id == due.id && timer.serial == due.serial;
  });
}

std::optional<TickGrid::TimePoint> TickGrid::earliest() const {
  if (timers_.empty()) return std::nullopt;
  return std::min_element(timers_.begin(), timers_.end(),
                          [](const Timer& a, const Timer& b) { return a.due < b.due; })
      ->due;
}

std::chrono::system_clock::time_point NextGridPoint(std::chrono::system_clock::time_point at,
                                                    std::chrono::nanoseconds step,
                                                    std::chrono::nanoseconds phase) {
  using std::chrono::nanoseconds;
  const nanoseconds since = std::chrono::duration_cast<nanoseconds>(at.time_since_epoch()) - phase;
  // Rounded up: division truncates towards zero, which already rounds a negative value up.
  const auto steps = since / step + (since % step > nanoseconds::zero() ? 1 : 0);
  return std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(steps * step + phase));
}

}  // namespace platform
