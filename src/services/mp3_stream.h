// An MPEG audio file as 16-bit PCM at its own rate and channel count. Only MPEG-1, MPEG-2 and
// MPEG-2.5 Layer II and III are ever let through: a decoder finds "frames" in almost any data
// and would play text, programs or Layer I as short noise, so nothing comes out until three
// frames that follow each other byte for byte agree on version, layer and rate (and are not
// Layer I). From then on frames of another version, layer or rate (garbage met while resyncing
// after a damaged frame) are dropped; the channel count may change.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio_output.h"

namespace services {

using PcmFormat = platform::AudioFormat;

class Mp3Stream {
 public:
  enum class Status {
    Pcm,       // samples hold the next frames, in format
    End,       // the stream is over (also when the file ends, or breaks off, after the stream)
    NoStream,  // no MPEG audio stream of layer II or III was found
  };

  // Opens the file (the path's bytes are used as they are); nullptr when it cannot be opened.
  static std::unique_ptr<Mp3Stream> open(const std::string& path);
  ~Mp3Stream();
  Mp3Stream(const Mp3Stream&) = delete;
  Mp3Stream& operator=(const Mp3Stream&) = delete;

  // The next PCM, interleaved: one or more frames of one format.
  Status next(PcmFormat& format, std::vector<std::int16_t>& samples);

 private:
  struct Frame {
    PcmFormat format;
    int version = 0;
    int layer = 0;
    std::int64_t position = 0;
    int size = 0;
    std::vector<std::int16_t> samples;
  };
  struct Decoder;
  explicit Mp3Stream(std::unique_ptr<Decoder> decoder);
  bool decodeFrame(Frame& frame);  // false at the end of the input
  bool belongs(const Frame& frame) const;

  std::unique_ptr<Decoder> decoder_;
  std::vector<Frame> held_;  // frames waiting for the stream to prove itself
  bool accepted_ = false;
  struct {
    int version = 0;
    int layer = 0;
    int rate = 0;
  } stream_;  // of the accepted stream
};

}  // namespace services
