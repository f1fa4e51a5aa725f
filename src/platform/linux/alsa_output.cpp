#include "platform/linux/alsa_output.h"

#include <alsa/asoundlib.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <mutex>
#include <vector>

namespace platform::os {
namespace {

// About a quarter of a second queued in the device: enough to ride out a busy moment, and what
// a reset drops at once.
constexpr unsigned kLatencyMicroseconds = 250'000;
constexpr int kLongestSleepMilliseconds = 20;  // while waiting for the last samples to be heard

// alsa-lib writes its errors to stderr; the program reports nothing of sound.
void Quiet(const char*, int, const char*, int, const char*, ...) {}

void SilenceAlsaOnce() {
  static std::once_flag once;
  std::call_once(once, [] { snd_lib_error_set_handler(Quiet); });
}

// A device opened non-blocking: every wait is a poll on the device's descriptors together with
// an eventfd that the writer's stop token signals.
class AlsaDevice final : public AudioDevice {
 public:
  AlsaDevice(snd_pcm_t* pcm, AudioFormat format, int wake)
      : pcm_(pcm), format_(format), wake_(wake) {}

  ~AlsaDevice() override {
    snd_pcm_drop(pcm_);
    snd_pcm_close(pcm_);
    close(wake_);
  }

  bool write(std::span<const std::int16_t> samples, std::stop_token stop) override {
    const std::stop_callback wakeOnStop(stop, [this] { signalWake(); });
    const auto channels = static_cast<std::size_t>(format_.channels);
    const std::int16_t* next = samples.data();
    auto frames = static_cast<snd_pcm_uframes_t>(samples.size() / channels);
    while (frames > 0) {
      if (stop.stop_requested()) return false;
      const snd_pcm_sframes_t written = snd_pcm_writei(pcm_, next, frames);
      if (written >= 0) {
        next += static_cast<std::size_t>(written) * channels;
        frames -= static_cast<snd_pcm_uframes_t>(written);
        continue;
      }
      if (written == -EAGAIN) {
        if (!waitForRoom(-1)) return false;
        continue;
      }
      // An underrun (the decoder fell behind) or a suspended device: recover and go on.
      if (snd_pcm_recover(pcm_, static_cast<int>(written), 1) < 0) return false;
    }
    return true;
  }

  bool drain(std::stop_token stop) override {
    const std::stop_callback wakeOnStop(stop, [this] { signalWake(); });
    // A short sound may not have filled the device far enough for it to start on its own.
    if (snd_pcm_state(pcm_) == SND_PCM_STATE_PREPARED && snd_pcm_start(pcm_) < 0) return false;
    for (;;) {
      if (stop.stop_requested()) return false;
      const snd_pcm_state_t state = snd_pcm_state(pcm_);
      if (state == SND_PCM_STATE_XRUN || state == SND_PCM_STATE_SETUP) return true;  // all out
      if (state != SND_PCM_STATE_RUNNING && state != SND_PCM_STATE_DRAINING) return false;
      snd_pcm_sframes_t delay = 0;
      if (snd_pcm_delay(pcm_, &delay) < 0) return true;
      if (delay <= 0) return true;
      const long milliseconds = delay * 1000 / format_.rate + 1;
      if (!waitForRoom(static_cast<int>(std::min<long>(milliseconds, kLongestSleepMilliseconds)))) {
        return false;
      }
    }
  }

 private:
  void signalWake() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
  }

  // Waits until the device may take more, the timeout passes (milliseconds, -1: none), or the
  // writer is asked to stop (false).
  bool waitForRoom(int timeout) {
    const int count = snd_pcm_poll_descriptors_count(pcm_);
    std::vector<pollfd> fds(static_cast<std::size_t>(std::max(count, 0)) + 1);
    fds[0] = {wake_, POLLIN, 0};
    if (count > 0) snd_pcm_poll_descriptors(pcm_, fds.data() + 1, static_cast<unsigned>(count));
    if (poll(fds.data(), static_cast<nfds_t>(fds.size()), timeout) < 0 && errno != EINTR) {
      return false;
    }
    return (fds[0].revents & POLLIN) == 0;
  }

  snd_pcm_t* pcm_;
  AudioFormat format_;
  int wake_;
};

}  // namespace

std::unique_ptr<AudioDevice> AlsaOutput::open(AudioFormat format) {
  SilenceAlsaOnce();
  if (format.rate <= 0 || format.channels <= 0) return nullptr;
  snd_pcm_t* pcm = nullptr;
  if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) {
    return nullptr;
  }
  if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED,
                         static_cast<unsigned>(format.channels), static_cast<unsigned>(format.rate),
                         1, kLatencyMicroseconds) < 0) {
    snd_pcm_close(pcm);
    return nullptr;
  }
  const int wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wake < 0) {
    snd_pcm_close(pcm);
    return nullptr;
  }
  return std::make_unique<AlsaDevice>(pcm, format, wake);
}

}  // namespace platform::os
