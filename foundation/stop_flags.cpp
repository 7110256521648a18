#include "foundation/stop_flags.h"

namespace {
// Constant-initialised, so a signal handler never meets a guarded first use.
constinit TStopFlags gStopFlags;
}  // namespace

TStopFlags& StopFlags() { return gStopFlags; }

bool IsStopRequested() { return StopFlags().stop.load(std::memory_order_acquire) != 0; }

void RequestStop() { StopFlags().stop.store(1, std::memory_order_release); }

bool IsAbortRequested() { return StopFlags().abort.load(std::memory_order_acquire) != 0; }

std::atomic<int>& SeriesStopFlag() { return StopFlags().seriesStop; }
