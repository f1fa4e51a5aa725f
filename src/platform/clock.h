// The local wall clock, to whole seconds.
#pragma once

namespace platform {

struct LocalDateTime {
  int year = 1970;
  int month = 1;  // 1-12
  int day = 1;    // 1-31
  int hour = 0;   // 0-23
  int minute = 0;
  int second = 0;
  friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // The current local date and time; the fraction of the second is dropped.
  virtual LocalDateTime now() const = 0;
};

}  // namespace platform
