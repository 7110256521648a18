#include "foundation/stop_flags.h"

namespace {
// Constant-initialised, so a signal handler never meets a guarded first use.
constinit TStopFlags gStopFlags;
// The flag of the innermost TStopFlagScope of this thread. Thread-local, so
// two commands on two threads never see each other's flag.
thread_local constinit const std::atomic<int>* tCallerStop = nullptr;
}  // namespace

TStopFlags& StopFlags() { return gStopFlags; }

bool IsStopRequested() {
  if (StopFlags().stop.load(std::memory_order_acquire) != 0) return true;
  return tCallerStop != nullptr && tCallerStop->load(std::memory_order_acquire) != 0;
}

TStopFlagScope::TStopFlagScope(const std::atomic<int>* flag) : previous_(tCallerStop) {
  if (flag != nullptr) tCallerStop = flag;
}

TStopFlagScope::~TStopFlagScope() { tCallerStop = previous_; }

void RequestStop() { StopFlags().stop.store(1, std::memory_order_release); }

bool IsAbortRequested() { return StopFlags().abort.load(std::memory_order_acquire) != 0; }

std::atomic<int>& SeriesStopFlag() { return StopFlags().seriesStop; }
