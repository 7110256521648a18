#include "app/cli/interrupt_handler.h"

#include <csignal>
#include <iostream>

#include "foundation/stop_flags.h"

namespace {

constexpr int kExitStopped = 130;

// Only async-signal-safe work: the stop flag is a lock-free atomic.
extern "C" void OnInterrupt(int) { RequestStop(); }

}  // namespace

void InstallInterruptHandler() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // SA_RESETHAND: the handler runs once, then SIGINT has its default action
  // again, so a second Ctrl+C ends the process at once.
  action.sa_flags = SA_RESETHAND;
  sigaction(SIGINT, &action, nullptr);
}

bool InterruptRequested() { return IsStopRequested(); }

int PrintStoppedAndExitStatus() {
  std::cerr << "stopped\n" << std::flush;
  return kExitStopped;
}
