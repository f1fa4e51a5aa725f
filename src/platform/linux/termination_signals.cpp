#include "platform/linux/termination_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <iterator>

namespace platform::os {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
struct sigaction previous[std::size(kSignals)];
volatile int writeEnd = -1;

void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] ssize_t written = write(writeEnd, &byte, 1);
  errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals() {
  if (pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;
  writeEnd = pipe_[1];
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    sigaction(kSignals[i], &action, &previous[i]);
  }
}

TerminationSignals::~TerminationSignals() {
  if (pipe_[0] < 0) return;
  for (std::size_t i = 0; i < std::size(kSignals); ++i)
    sigaction(kSignals[i], &previous[i], nullptr);
  writeEnd = -1;
  close(pipe_[0]);
  close(pipe_[1]);
}

void TerminationSignals::drain() {
  char bytes[64];
  while (read(pipe_[0], bytes, sizeof bytes) > 0) {
  }
}

}  // namespace platform::os
