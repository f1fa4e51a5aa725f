#include "services/player.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>
#include <utility>

#include "services/mp3_stream.h"

namespace services {
namespace {

using namespace std::chrono_literals;

// A file that yields no stream is tried again no sooner than this after its last start: with
// the endless count of the chimes it would otherwise be reopened without pause, spinning a core.
constexpr auto kRetryPause = 250ms;
// How much decoded sound may wait for the device, in frames (about two seconds at 44.1 kHz).
constexpr std::size_t kQueuedChunks = 80;

enum class FileEnd { Completed, Failed };

struct Chunk {
  PcmFormat format;
  std::vector<std::int16_t> samples;
  bool last = false;      // the stream is over; no samples
  bool noStream = false;  // with last: no stream was found at all
};

// The decoded sound between the two workers. Both waits end when their thread is asked to stop.
class ChunkQueue {
 public:
  bool push(Chunk chunk, std::stop_token stop) {
    std::unique_lock lock(mutex_);
    if (!spaceLeft_.wait(lock, stop, [this] { return chunks_.size() < kQueuedChunks; })) {
      return false;
    }
    chunks_.push_back(std::move(chunk));
    filled_.notify_one();
    return true;
  }
  std::optional<Chunk> pop(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    if (!filled_.wait(lock, stop, [this] { return !chunks_.empty(); })) return std::nullopt;
    Chunk chunk = std::move(chunks_.front());
    chunks_.pop_front();
    spaceLeft_.notify_one();
    return chunk;
  }

 private:
  std::mutex mutex_;
  std::condition_variable_any spaceLeft_;
  std::condition_variable_any filled_;
  std::deque<Chunk> chunks_;
};

// One file being played: a worker that reads and decodes, a worker that writes to the device.
class FilePlayback {
 public:
  FilePlayback(std::string path, platform::AudioOutput& output, std::function<void(FileEnd)> ended)
      : path_(std::move(path)),
        output_(output),
        ended_(std::move(ended)),
        decoder_([this](std::stop_token stop) { decode(stop); }),
        writer_([this](std::stop_token stop) { write(stop); }) {}

  // Both workers are told to stop, then waited for; the device goes with the writer, dropping
  // what it still holds.
  ~FilePlayback() {
    decoder_.request_stop();
    writer_.request_stop();
  }

 private:
  void decode(std::stop_token stop) {
    const std::unique_ptr<Mp3Stream> stream = Mp3Stream::open(path_);
    if (!stream) return;  // the file cannot be opened: no event follows
    while (!stop.stop_requested()) {
      Chunk chunk;
      const Mp3Stream::Status status = stream->next(chunk.format, chunk.samples);
      if (status != Mp3Stream::Status::Pcm) {
        chunk.last = true;
        chunk.noStream = status == Mp3Stream::Status::NoStream;
        queue_.push(std::move(chunk), stop);
        return;
      }
      if (!queue_.push(std::move(chunk), stop)) return;
    }
  }

  void write(std::stop_token stop) {
    std::unique_ptr<platform::AudioDevice> device;
    PcmFormat format;
    for (;;) {
      std::optional<Chunk> chunk = queue_.pop(stop);
      if (!chunk) return;
      if (chunk->last) {
        if (!device) return ended_(FileEnd::Failed);  // nothing was heard: no stream
        if (device->drain(stop)) return ended_(FileEnd::Completed);
        if (!stop.stop_requested()) ended_(FileEnd::Failed);
        return;
      }
      if (!device || chunk->format != format) {
        // A new channel count: what is queued plays out first, then the device is reopened.
        if (device && !device->drain(stop)) {
          if (!stop.stop_requested()) ended_(FileEnd::Failed);
          return;
        }
        device.reset();
        format = chunk->format;
        device = output_.open(format);
        // No device: silence, and no end is reported, so that the passes do not advance.
        if (!device) return;
      }
      if (!device->write(chunk->samples, stop)) {
        if (!stop.stop_requested()) ended_(FileEnd::Failed);
        return;
      }
    }
  }

  const std::string path_;
  platform::AudioOutput& output_;
  const std::function<void(FileEnd)> ended_;
  ChunkQueue queue_;
  // Last: the workers start once everything they use exists, and are joined first.
  std::jthread decoder_;
  std::jthread writer_;
};

}  // namespace

// A player: its own copy of the paths, the current one, the passes still to play (0: endless)
// and the playback of the current file; CreatePlayer is the constructor, RemovePlayer the
// destructor.
class PlayerSlot::Player {
 public:
  Player(std::vector<std::string> paths, int passes, platform::AudioOutput& output)
      : paths_(std::move(paths)),
        output_(output),
        passes_(passes < 0 ? 0 : passes),
        control_([this](std::stop_token stop) { control(stop); }) {}

  // Ends the current file's playback and the control thread, and waits for both.
  ~Player() {
    control_.request_stop();
    {
      std::lock_guard lock(playbackMutex_);
      playback_.reset();
    }
    control_.join();
  }

  void start() {
    std::lock_guard lock(playbackMutex_);
    newPlay();
  }

 private:
  // With playbackMutex_ held.
  void newPlay() {
    playback_.reset();
    lastStart_ = std::chrono::steady_clock::now();
    playback_ = std::make_unique<FilePlayback>(paths_[current_], output_,
                                               [this](FileEnd end) { report(end); });
  }

  // From the writer, at its file's end.
  void report(FileEnd end) {
    std::lock_guard lock(eventsMutex_);
    events_.push_back(end);
    eventArrived_.notify_one();
  }

  void control(std::stop_token stop) {
    for (;;) {
      FileEnd end;
      {
        std::unique_lock lock(eventsMutex_);
        if (!eventArrived_.wait(lock, stop, [this] { return !events_.empty(); })) return;
        end = events_.front();
        events_.pop_front();
      }
      std::unique_lock lock(playbackMutex_);
      if (stop.stop_requested()) return;
      playback_.reset();  // its workers have finished; this waits for them to be gone
      if (++current_ == paths_.size()) {
        current_ = 0;
        if (passes_ > 0 && --passes_ == 0) return;  // finished: stays in the slot, stopped
      }
      if (end == FileEnd::Failed) {
        retryPause_.wait_until(lock, stop, lastStart_ + kRetryPause, [] { return false; });
        if (stop.stop_requested()) return;
      }
      newPlay();
    }
  }

  const std::vector<std::string> paths_;
  platform::AudioOutput& output_;

  std::mutex playbackMutex_;  // guards what follows, up to eventsMutex_
  std::size_t current_ = 0;
  int passes_;
  std::chrono::steady_clock::time_point lastStart_;
  std::condition_variable_any retryPause_;
  std::unique_ptr<FilePlayback> playback_;

  std::mutex eventsMutex_;  // guards events_
  std::condition_variable_any eventArrived_;
  std::deque<FileEnd> events_;

  std::jthread control_;  // last: started once everything it uses exists
};

PlayerSlot::PlayerSlot(platform::AudioOutput& output) : output_(output) {}

PlayerSlot::~PlayerSlot() {
  stop();
}

void PlayerSlot::playMp3(int count, const std::vector<std::string>& paths) {
  stop();  // first, whatever the arguments: every call ends what plays
  if (count == 0) return;
  std::vector<std::string> list;
  for (const std::string& path : paths) {
    if (!path.empty()) list.push_back(path);
  }
  if (list.empty()) return;
  player_ = std::make_unique<Player>(std::move(list), count < 0 ? 0 : count, output_);
  player_->start();
}

void PlayerSlot::stop() {
  player_.reset();
}

void PlayMp3(Playback& slot, int count, const std::vector<std::string>& paths) {
  slot.playMp3(count, paths);
}

void StopPlayback(Playback& slot) {
  slot.stop();
}

}  // namespace services
