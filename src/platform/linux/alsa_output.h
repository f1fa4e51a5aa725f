// Sound output through ALSA's "default" device, which reaches PipeWire or PulseAudio on a
// desktop. Each open is a fresh device; closing it drops what it holds at once.
#pragma once

#include "platform/audio_output.h"

namespace platform::os {

class AlsaOutput final : public AudioOutput {
 public:
  std::unique_ptr<AudioDevice> open(AudioFormat format) override;
};

}  // namespace platform::os
