// A control look that records how it was switched.
#pragma once

#include <vector>

#include "platform/control_look_backend.h"

namespace testing_support {

class RecordingLook final : public platform::ControlLookBackend {
 public:
  void switchOn(int scheme) override { calls.push_back(scheme); }
  void switchOff() override { calls.push_back(0); }
  std::vector<int> calls;  // the schemes switched on, 0 for off
};

}  // namespace testing_support
