// MP3 playback in the background for the alarm and the chimes: one player slot for the whole
// program, so that two sounds are never mixed or queued.
//
// Threads and ownership
// - The slot (PlayerSlot) is used from one thread, the GUI thread: PlayMp3 and StopPlayback run
//   there and block it only while a previous player is removed.
// - A player has a control thread of its own, which takes the end-of-file events in order and
//   moves through the list and the passes; the file being played has two workers, one reading
//   and decoding into a queue, one writing the queue to a freshly opened output device.
// - Player::playbackMutex_ guards the player's position, its passes, its state and the file
//   playback it owns. The control thread holds it while it ends one file and starts the next;
//   removal takes it to end the current file, so the two never race. Player::eventsMutex_
//   guards only the queue of end-of-file events: a worker reports its file's end under it and
//   never under playbackMutex_, so removal can wait for the workers while holding that one.
// - Every wait of every thread (a full or empty queue, a busy device, the pause between failed
//   attempts, the wait for events) ends at once when removal asks its thread to stop.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/audio_output.h"

namespace services {

// What the program asks of playback.
class Playback {
 public:
  virtual ~Playback() = default;
  // Ends what plays (always, whatever the arguments), then plays the non-empty paths in order,
  // count times over (count 0: nothing; negative: endlessly). Returns once playback has started.
  virtual void playMp3(int count, const std::vector<std::string>& paths) = 0;
  // Ends what plays and returns when the sound has ended; with nothing playing, nothing happens.
  virtual void stop() = 0;
};

class PlayerSlot final : public Playback {
 public:
  explicit PlayerSlot(platform::AudioOutput& output);
  ~PlayerSlot() override;  // what plays stops
  PlayerSlot(const PlayerSlot&) = delete;
  PlayerSlot& operator=(const PlayerSlot&) = delete;

  void playMp3(int count, const std::vector<std::string>& paths) override;
  void stop() override;

  bool holdsPlayer() const { return player_ != nullptr; }

  class Player;

 private:
  platform::AudioOutput& output_;
  std::unique_ptr<Player> player_;
};

// The program's calls: the alarm (count 100), the chimes (count -1), and the ways to silence
// them (ScheduleReset, the end of the program).
void PlayMp3(Playback& slot, int count, const std::vector<std::string>& paths);
void StopPlayback(Playback& slot);

}  // namespace services
