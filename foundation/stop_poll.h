// Polling the stop flag from long loops.
//
// Every loop whose length depends on its input polls the stop flag, but a
// load of an atomic per step would cost more than many loop bodies, so a
// TStopPoll reads the flag only every `interval` steps. When the flag is set
// it throws TComputationStopped; the command that began the work catches it
// and reports nothing half-done. Code between a poll and the catch must leave
// its objects as they were (work on a copy, or roll back in a destructor),
// exactly as for any other exception.
#pragma once

#include <exception>

#include "foundation/stop_flags.h"

// The user asked the running computation to stop.
struct TComputationStopped : std::exception {
  const char* what() const noexcept override { return "stopped"; }
};

// Throws TComputationStopped if the stop flag is set. One atomic load.
inline void ThrowIfStopRequested() {
  if (IsStopRequested()) throw TComputationStopped();
}

// A step counter that polls the stop flag every `interval` calls of Step().
class TStopPoll {
 public:
  explicit TStopPoll(unsigned interval = 4096) : interval_(interval == 0 ? 1 : interval) {}

  // Counts one step; throws TComputationStopped when the flag is seen set.
  void Step() {
    if (++count_ >= interval_) {
      count_ = 0;
      ThrowIfStopRequested();
    }
  }
  // Counts `n` steps at once (for loops whose steps differ much in cost).
  void Steps(unsigned n) {
    count_ += n;
    if (count_ >= interval_) {
      count_ = 0;
      ThrowIfStopRequested();
    }
  }

 private:
  unsigned interval_;
  unsigned count_ = 0;
};
