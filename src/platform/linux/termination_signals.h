// The signals by which a session or a terminal asks the program to end (SIGTERM, SIGINT,
// SIGHUP), turned into a readable file descriptor for the event loop.
#pragma once

namespace platform::os {

class TerminationSignals {
 public:
  // Installs the handlers; the previous ones come back on destruction. One instance at a time.
  TerminationSignals();
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // Readable once one of the signals has arrived.
  int fd() const { return pipe_[0]; }
  // Reads away what the signals wrote.
  void drain();

 private:
  int pipe_[2] = {-1, -1};
};

}  // namespace platform::os
