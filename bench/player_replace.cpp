// How long PlayMp3 blocks the GUI thread when it replaces a playing player, and how soon the
// first sample reaches the device, on an ALSA device paced like real playback (the tests' own
// plugin), so that the player being removed is really busy playing.
//   player_replace PACED_PLUGIN FIXTURE [REPLACEMENTS]
#include <alsa/asoundlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/alsa_output.h"
#include "services/player.h"

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

void Report(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  std::printf("%-44s median %7.3f ms, p99 %7.3f ms, max %7.3f ms (%zu)\n", what, ms[ms.size() / 2],
              ms[ms.size() * 99 / 100], ms.back(), ms.size());
}

std::size_t Lines(const std::filesystem::path& file, std::uint64_t* last) {
  std::ifstream in(file);
  std::size_t count = 0;
  for (std::uint64_t t; in >> t; ++count)
    *last = t;
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string plugin = argv[1];
  const std::string file = argv[2];
  const int replacements = argc > 3 ? std::atoi(argv[3]) : 1000;
  const auto folder =
      std::filesystem::temp_directory_path() / ("autoshutdown-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const auto config = folder / "asound.conf";
  std::ofstream(config) << "pcm_type.paced { lib \"" << plugin << "\" }\n"
                        << "pcm.!default { type paced }\n";
  setenv("ALSA_CONFIG_PATH", ("/usr/share/alsa/alsa.conf:" + config.string()).c_str(), 1);
  const auto log = folder / "first-samples.log";
  setenv("PACED_PCM_LOG", log.c_str(), 1);

  platform::os::AlsaOutput output;
  services::PlayerSlot slot(output);

  // The alarm's way: a new PlayMp3 while the previous one plays.
  std::vector<double> blocked;
  services::PlayMp3(slot, 100, {file});
  std::this_thread::sleep_for(50ms);
  for (int i = 0; i < replacements; ++i) {
    const auto start = Clock::now();
    services::PlayMp3(slot, 100, {file});
    blocked.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    std::this_thread::sleep_for(10ms);
  }
  Report("PlayMp3 replacing a playing player", blocked);

  // Back to back, as fast as calls can come.
  blocked.clear();
  for (int i = 0; i < replacements; ++i) {
    const auto start = Clock::now();
    services::PlayMp3(slot, -1, {file});
    blocked.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  Report("PlayMp3 back to back", blocked);

  // From the call to the first sample the device takes.
  services::StopPlayback(slot);
  std::vector<double> first;
  for (int i = 0; i < 100; ++i) {
    std::uint64_t last = 0;
    const std::size_t before = Lines(log, &last);
    const auto start = Clock::now();
    services::PlayMp3(slot, 1, {file});
    while (Lines(log, &last) == before && Clock::now() - start < 2s)
      std::this_thread::sleep_for(100us);
    const auto startNs =
        std::chrono::duration_cast<std::chrono::nanoseconds>(start.time_since_epoch()).count();
    first.push_back(static_cast<double>(static_cast<std::int64_t>(last) - startNs) / 1e6);
    services::StopPlayback(slot);
  }
  Report("PlayMp3 to the first sample written", first);
  std::filesystem::remove_all(folder);
  return 0;
}
