// The stop check of the link invariants: the process-wide stop flag, and the
// flag of the command that runs them when it has one of its own (the
// command-line program hands its Ctrl+C flag to the command).
#pragma once

#include <atomic>

#include "foundation/stop_poll.h"

class TLinkInvariantStop {
 public:
  explicit TLinkInvariantStop(const std::atomic<int>* commandFlag = nullptr, unsigned interval = 4096)
      : commandFlag_(commandFlag), interval_(interval == 0 ? 1 : interval) {}

  // Throws TComputationStopped when either flag is set.
  void Check() const {
    if (IsStopRequested() || (commandFlag_ != nullptr && commandFlag_->load() != 0)) {
      throw TComputationStopped();
    }
  }
  // Counts n steps; checks the flags once every `interval` steps.
  void Steps(unsigned n) {
    count_ += n;
    if (count_ >= interval_) {
      count_ = 0;
      Check();
    }
  }
  void Step() { Steps(1); }

 private:
  const std::atomic<int>* commandFlag_;
  unsigned interval_;
  unsigned count_ = 0;
};
