// Playback that records what the program asks of it.
#pragma once

#include <string>
#include <vector>

#include "services/player.h"

namespace testing_support {

class RecordingPlayback final : public services::Playback {
 public:
  struct Call {
    int count;  // the count of a PlayMp3; for a StopPlayback, kStop
    std::vector<std::string> paths;
    friend bool operator==(const Call&, const Call&) = default;
  };
  static constexpr int kStop = -1000;

  void playMp3(int count, const std::vector<std::string>& paths) override {
    calls.push_back({count, paths});
  }
  void stop() override { calls.push_back({kStop, {}}); }

  int plays(int count) const {
    int n = 0;
    for (const Call& call : calls)
      n += call.count == count ? 1 : 0;
    return n;
  }
  int stops() const { return plays(kStop); }

  std::vector<Call> calls;
};

}  // namespace testing_support
