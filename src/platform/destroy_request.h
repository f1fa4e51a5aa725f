// The destruction of a window is a request that the event loop carries out later. This keeps the
// pending mark and tells the backend when to post, when to destroy and when to do nothing.
#pragma once

namespace platform {

class DestroyRequest {
 public:
  enum class State { Alive, Pending, Destroying, Destroyed };

  // A request: true when the backend must post the destruction message. A request while one is
  // pending, or once destruction has begun, does nothing.
  bool request();
  // The posted message arrives: true when the mark is still set and the window must be destroyed.
  bool deliver();
  // Destruction starts now (from a delivered request or a close request); clears the mark. False
  // when it has begun already, so that nothing is destroyed twice.
  bool begin();
  void finish() { state_ = State::Destroyed; }

  State state() const { return state_; }
  bool pending() const { return state_ == State::Pending; }

 private:
  State state_ = State::Alive;
};

}  // namespace platform
