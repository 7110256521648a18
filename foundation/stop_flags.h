// The flags by which a running computation is asked to stop.
//
// Stopping is cooperative: the engines poll these flags at their loop heads
// and return with their own "stopped" outcome; no thread is ever killed, so no
// heap, lock or table is left half-changed. There are three flags, because
// they are read at different places:
//   - the stop flag: set by the Stop command, Ctrl+Break (Esc) in the view and
//     Ctrl+C in the command-line program; polled through IsStopRequested();
//   - the series stop flag: a second word handed by reference to the engines
//     that take a cancel flag (series, Turaev-Viro and DW invariants, imports),
//     which may also set it themselves to end their own loops; each body
//     clears it before its engine runs;
//   - the abort flag: set only when a document is closed during its
//     computation; the bodies test it after every engine call and return at
//     once without showing what they computed.
//
// They are process-wide because the engines in every subsystem poll the stop
// flag without being handed anything, and a signal handler must be able to
// set it. Both threads touch them, so they are lock-free atomics.
#pragma once

#include <atomic>

struct TStopFlags {
  std::atomic<int> stop{0};
  std::atomic<int> seriesStop{0};
  std::atomic<int> abort{0};
};

static_assert(std::atomic<int>::is_always_lock_free,
              "the stop flag is set from a signal handler");

// The one set of flags of the process.
TStopFlags& StopFlags();

// The stop flag, as the engines poll it.
bool IsStopRequested();
// A caller's own stop flag, polled by IsStopRequested() on this thread
// together with the process-wide one while the scope lives. A command run
// with a flag of its own (a job of the desktop program, a watchdog of a
// test) installs it, so that every engine the command reaches sees it, not
// only the ones that are handed the flag. A null flag leaves the flag of an
// outer scope in force; scopes nest and restore what was there before.
class TStopFlagScope {
 public:
  explicit TStopFlagScope(const std::atomic<int>* flag);
  ~TStopFlagScope();
  TStopFlagScope(const TStopFlagScope&) = delete;
  TStopFlagScope& operator=(const TStopFlagScope&) = delete;

 private:
  const std::atomic<int>* previous_;
};
// Sets the stop flag (safe in a signal handler).
void RequestStop();

bool IsAbortRequested();

// The series stop flag, for the engines that take it by reference.
std::atomic<int>& SeriesStopFlag();
