#include "platform/destroy_request.h"

namespace platform {

bool DestroyRequest::request() {
  if (state_ != State::Alive) return false;
  state_ = State::Pending;
  return true;
}

bool DestroyRequest::deliver() {
  return state_ == State::Pending;
}

bool DestroyRequest::begin() {
  if (state_ == State::Destroying || state_ == State::Destroyed) return false;
  state_ = State::Destroying;
  return true;
}

}  // namespace platform
