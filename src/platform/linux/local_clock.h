// The machine's local wall clock.
#pragma once

#include "platform/clock.h"

namespace platform::os {

class LocalClock final : public Clock {
 public:
  LocalDateTime now() const override;
};

}  // namespace platform::os
