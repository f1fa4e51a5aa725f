// Sound output: a device opened for one PCM format, 16-bit signed samples at the stream's own
// rate and channel count, interleaved. A device is used by one thread; the stop token of that
// thread wakes any wait of the device at once.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <stop_token>

namespace platform {

struct AudioFormat {
  int rate = 0;
  int channels = 0;
  friend bool operator==(AudioFormat, AudioFormat) = default;
};

class AudioDevice {
 public:
  // Closes the device, dropping what it still holds: the sound ends at once.
  virtual ~AudioDevice() = default;
  // Queues the samples after those written before, waiting while the device is full. False when
  // the device failed, or when stop was requested.
  virtual bool write(std::span<const std::int16_t> samples, std::stop_token stop) = 0;
  // Waits until every sample written has been heard. False when the device failed, or when stop
  // was requested.
  virtual bool drain(std::stop_token stop) = 0;
};

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // Opens the default output device afresh for the format; nullptr when there is none.
  virtual std::unique_ptr<AudioDevice> open(AudioFormat format) = 0;
};

}  // namespace platform
