#include "services/mp3_stream.h"

#include <fcntl.h>
#include <mpg123.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mutex>

namespace services {
namespace {

constexpr std::size_t kProof = 3;  // contiguous agreeing frames before anything is heard

void InitialiseLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { mpg123_init(); });
}

}  // namespace

struct Mp3Stream::Decoder {
  mpg123_handle* handle = nullptr;
  int fd = -1;
  ~Decoder() {
    if (handle) {
      mpg123_close(handle);
      mpg123_delete(handle);
    }
    if (fd >= 0) close(fd);
  }
};

std::unique_ptr<Mp3Stream> Mp3Stream::open(const std::string& path) {
  InitialiseLibrary();
  auto decoder = std::make_unique<Decoder>();
  // Only a regular file: a folder cannot be played, and a FIFO or a device could block or never
  // end (O_NONBLOCK keeps the open itself from waiting for a FIFO's writer).
  decoder->fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (decoder->fd < 0) return nullptr;
  struct stat status {};
  if (fstat(decoder->fd, &status) != 0 || !S_ISREG(status.st_mode)) return nullptr;
  fcntl(decoder->fd, F_SETFL, fcntl(decoder->fd, F_GETFL) & ~O_NONBLOCK);
  int error = MPG123_OK;
  decoder->handle = mpg123_new(nullptr, &error);
  if (!decoder->handle) return nullptr;
  mpg123_param(decoder->handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
  // 16-bit output at the stream's own rate and channel count, whatever they are.
  mpg123_format_none(decoder->handle);
  const long* rates = nullptr;
  std::size_t count = 0;
  mpg123_rates(&rates, &count);
  for (std::size_t i = 0; i < count; ++i) {
    mpg123_format(decoder->handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  }
  if (mpg123_open_fd(decoder->handle, decoder->fd) != MPG123_OK) return nullptr;
  return std::unique_ptr<Mp3Stream>(new Mp3Stream(std::move(decoder)));
}

Mp3Stream::Mp3Stream(std::unique_ptr<Decoder> decoder) : decoder_(std::move(decoder)) {}
Mp3Stream::~Mp3Stream() = default;

bool Mp3Stream::decodeFrame(Frame& frame) {
  for (;;) {
    off_t number = 0;
    unsigned char* audio = nullptr;
    std::size_t bytes = 0;
    const int result = mpg123_decode_frame(decoder_->handle, &number, &audio, &bytes);
    if (result == MPG123_NEW_FORMAT) continue;  // each frame's own format is read below
    if (result != MPG123_OK) return false;      // done, or nothing more to find
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    mpg123_getformat(decoder_->handle, &rate, &channels, &encoding);
    mpg123_frameinfo2 info{};
    mpg123_info2(decoder_->handle, &info);
    frame.format = {static_cast<int>(rate), channels};
    frame.version = info.version;
    frame.layer = info.layer;
    frame.position = mpg123_framepos(decoder_->handle);
    frame.size = info.framesize;
    const auto* pcm = reinterpret_cast<const std::int16_t*>(audio);
    frame.samples.assign(pcm, pcm + bytes / sizeof(std::int16_t));
    return true;
  }
}

bool Mp3Stream::belongs(const Frame& frame) const {
  return frame.version == stream_.version && frame.layer == stream_.layer &&
         frame.format.rate == stream_.rate;
}

Mp3Stream::Status Mp3Stream::next(PcmFormat& format, std::vector<std::int16_t>& samples) {
  samples.clear();
  Frame frame;
  while (!accepted_) {
    if (!decodeFrame(frame)) return Status::NoStream;
    const bool follows =
        !held_.empty() && frame.position == held_.back().position + held_.back().size;
    const bool agrees = !held_.empty() && frame.version == held_.back().version &&
                        frame.layer == held_.back().layer &&
                        frame.format.rate == held_.back().format.rate;
    if (frame.layer != 2 && frame.layer != 3) {  // Layer I is never heard
      held_.clear();
      continue;
    }
    if (!follows || !agrees) held_.clear();
    held_.push_back(std::move(frame));
    frame = {};
    if (held_.size() == kProof) {
      accepted_ = true;
      stream_ = {held_.front().version, held_.front().layer, held_.front().format.rate};
    }
  }
  if (!held_.empty()) {
    // The frames that proved the stream, at once, in their first format.
    format = held_.front().format;
    std::size_t taken = 0;
    for (const Frame& proven : held_) {
      if (proven.format != format) break;
      samples.insert(samples.end(), proven.samples.begin(), proven.samples.end());
      ++taken;
    }
    held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(taken));
    return Status::Pcm;
  }
  for (;;) {
    if (!decodeFrame(frame)) return Status::End;
    if (!belongs(frame)) continue;  // garbage met while resyncing
    format = frame.format;
    samples = std::move(frame.samples);
    return Status::Pcm;
  }
}

}  // namespace services
