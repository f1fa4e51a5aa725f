// An audio output that records what it is given: every device opened, with its format, the
// samples written to it and whether it was drained and closed. It can also stand for a missing
// device, a device that fails after some samples, and a device that takes samples at the pace
// of real playback.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio_output.h"

namespace testing_support {

class RecordingAudio final : public platform::AudioOutput {
 public:
  struct Device {
    platform::AudioFormat format;
    std::vector<std::int16_t> samples;
    bool drained = false;
    bool closed = false;
  };

  std::unique_ptr<platform::AudioDevice> open(platform::AudioFormat format) override {
    std::lock_guard lock(mutex_);
    ++opens_;
    if (noDevice) return nullptr;
    devices_.push_back(std::make_shared<Device>(Device{format, {}, false, false}));
    changed_.notify_all();
    return std::make_unique<Writer>(*this, devices_.back());
  }

  // A copy of what has been recorded so far.
  std::vector<Device> devices() const {
    std::lock_guard lock(mutex_);
    return snapshot();
  }
  int opens() const {
    std::lock_guard lock(mutex_);
    return opens_;
  }
  std::size_t totalSamples() const {
    std::size_t total = 0;
    for (const Device& device : devices())
      total += device.samples.size();
    return total;
  }
  // Waits until the condition holds for the devices recorded, or the time is up.
  template <typename Condition>
  bool waitFor(std::chrono::milliseconds limit, Condition condition) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return condition(snapshot()); });
  }

  bool noDevice = false;
  std::size_t failAfterSamples = SIZE_MAX;  // a device that breaks down
  bool paced = false;                       // writes take as long as the sound lasts

 private:
  class Writer final : public platform::AudioDevice {
   public:
    Writer(RecordingAudio& owner, std::shared_ptr<Device> device)
        : owner_(owner), device_(std::move(device)) {}
    ~Writer() override {
      std::lock_guard lock(owner_.mutex_);
      device_->closed = true;
      owner_.changed_.notify_all();
    }
    bool write(std::span<const std::int16_t> samples, std::stop_token stop) override {
      std::unique_lock lock(owner_.mutex_);
      if (device_->samples.size() + samples.size() > owner_.failAfterSamples) return false;
      device_->samples.insert(device_->samples.end(), samples.begin(), samples.end());
      owner_.changed_.notify_all();
      if (!owner_.paced) return !stop.stop_requested();
      const auto lasts = std::chrono::microseconds(
          samples.size() * 1'000'000 /
          static_cast<std::size_t>(device_->format.rate * device_->format.channels));
      std::condition_variable_any pause;
      return !pause.wait_for(lock, stop, lasts, [] { return false; }) && !stop.stop_requested();
    }
    bool drain(std::stop_token stop) override {
      std::lock_guard lock(owner_.mutex_);
      device_->drained = !stop.stop_requested();
      owner_.changed_.notify_all();
      return device_->drained;
    }

   private:
    RecordingAudio& owner_;
    std::shared_ptr<Device> device_;
  };

  std::vector<Device> snapshot() const {
    std::vector<Device> copy;
    for (const auto& device : devices_)
      copy.push_back(*device);
    return copy;
  }

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::shared_ptr<Device>> devices_;
  int opens_ = 0;
};

}  // namespace testing_support
