// A power backend that records what it was asked and answers as the test says.
#pragma once

#include <utility>
#include <vector>

#include "platform/power_backend.h"

namespace testing_support {

class RecordingPower final : public platform::PowerBackend {
 public:
  enum class Step { Prepare, Request };
  struct Call {
    Step step;
    platform::PowerRequest request;
    bool force;
    friend bool operator==(const Call&, const Call&) = default;
  };

  bool prepare(platform::PowerRequest request) override {
    calls.push_back({Step::Prepare, request, false});
    return prepared;
  }
  bool request(platform::PowerRequest request, bool force) override {
    calls.push_back({Step::Request, request, force});
    return accepted;
  }

  std::vector<Call> calls;
  bool prepared = true;
  bool accepted = true;
};

}  // namespace testing_support
