// A clock that reads whatever the test set.
#pragma once

#include "platform/clock.h"

namespace testing_support {

class FakeClock final : public platform::Clock {
 public:
  platform::LocalDateTime now() const override {
    ++reads_;
    return now_;
  }
  void set(platform::LocalDateTime now) { now_ = now; }
  int reads() const { return reads_; }

 private:
  platform::LocalDateTime now_{2024, 3, 9, 9, 5, 7};
  mutable int reads_ = 0;
};

}  // namespace testing_support
