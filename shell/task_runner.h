// The task runner: the one worker thread and its protocol.
//
// Long commands run on a worker thread so that the window stays responsive.
// At most one worker exists at a time; the busy flag, set by Launch on the
// user interface thread before the worker starts and cleared by the worker as
// its very last step, is the guard against a second one.
//
// A run goes like this:
//   1. Launch (user interface thread): refused when busy. Otherwise the stop,
//      series stop and abort flags are cleared, the busy flag and the
//      heap-held mark are set and the worker is started with the task.
//   2. The worker lowers its own priority, takes the snapshot of the settings
//      (every preset-steered setting of the task's copy, as computation type
//      1), installs a fresh heap context for the task and runs the body of the
//      kind (none for kind 14 or a kind without a body).
//   3. Whatever way the body returned (normally, stopped, aborted, or by an
//      exception, which is caught and shown on the status line; an engine's
//      TComputationStopped is a stop, not a failure), the worker
//      pops and destroys the task's heap context, ends a computation the body
//      began and did not end, writes the snapshot back into the task's
//      settings, clears the heap-held mark (kept for the Simplify dialog's
//      search, kind 11), destroys the task, hands the end record to the
//      finished handler and clears the busy flag.
//
// Stopping never kills the worker. Stop sets the stop flag; the engines poll
// it and return. ForceStop (closing the document of a running task) sets all
// three flags every 100 ms until the worker has ended and joins it; the caller
// passes a pump that keeps its own event loop alive meanwhile, because the
// worker may be waiting for the user interface (a message box, say).
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "shell/computation_task.h"
#include "shell/options.h"
#include "shell/task_bodies.h"
#include "shell/task_kind.h"

class TTaskView;

// How a task ended, handed to the finished handler.
struct TTaskEnd {
  TTaskKind kind = TTaskKind::InternalTableLoad;
  TTaskView* view = nullptr;
  TOptionValues options;      // the task's settings after the snapshot was written back
  bool stopRequested = false;  // the stop flag was set when the body returned
  bool stopped = false;        // an engine of the body stopped (TComputationStopped): show nothing
  bool aborted = false;        // the abort flag was set (the document is being closed)
  std::string failure;         // the message of an exception that ended the body; else empty
  bool command = false;        // the end of a view command (LaunchCommand), not of a task
};

using TTaskFinished = std::function<void(TTaskEnd end)>;

class TTaskRunner {
 public:
  explicit TTaskRunner(TTaskBodies bodies);
  // Stops a running worker (ForceStop without a pump) and joins it. An owner
  // whose thread the worker may be waiting for must stop it with a pump first.
  ~TTaskRunner();
  TTaskRunner(const TTaskRunner&) = delete;
  TTaskRunner& operator=(const TTaskRunner&) = delete;

  // Called on the worker thread when a task has ended, before the busy flag
  // clears. Set it before the first launch.
  void SetFinishedHandler(TTaskFinished handler);

  // Whether this build has a body for the kind (its commands are offered).
  bool Offers(TTaskKind kind) const { return bodies_.Has(kind); }

  // ---- State (readable from any thread) ----
  bool IsBusy() const { return busy_.load(std::memory_order_acquire); }
  // The kind and the view of the running task; nothing / null when idle.
  std::optional<TTaskKind> RunningKind() const;
  const TTaskView* RunningView() const { return runningView_.load(std::memory_order_acquire); }
  // While set, the view of the running task must not push or pop its heap
  // context on focus changes: the worker is using it.
  bool IsHeapHeld() const { return heapHeld_.load(std::memory_order_acquire); }

  // ---- Commands (user interface thread) ----
  // Starts the worker with the task. Returns false, and destroys the task
  // without running anything, when a task is already running, when task is
  // null or when the thread cannot be started.
  bool Launch(std::unique_ptr<TComputationTask> task);
  // Starts the worker with a command of a view that is no task kind: one
  // whose parse or report can run long (command_job.h). The same guard and
  // flags as Launch; the work runs in a heap context of its own at the
  // user interface's priority (the user waits for the answer) and must
  // throw nothing. Its end record has `command` set, no kind and the settings
  // unchanged. Returns false, running nothing, when busy or without work.
  bool LaunchCommand(TTaskView* view, std::function<void()> work);
  // The Stop command: sets the stop flag (whether or not a task runs).
  void Stop();
  // Stops the running task cooperatively and joins the worker: sets the stop,
  // series stop and abort flags, waits up to 100 ms for the worker to end,
  // calls pump (when given) and repeats until it has ended. Returns at once
  // when no worker exists.
  void ForceStop(const std::function<void()>& pump);
  // The close check of a document: when the running task belongs to the view,
  // asks "Terminate series exicution?" (OK, Cancel) through the message box
  // handler; Cancel returns false (keep the document open), OK force-stops
  // the task and returns true. Without a running task of that view: true.
  bool ConfirmClose(const TTaskView* view, const std::function<void()>& pump);
  // Waits until no worker runs, at most the timeout; true when none runs.
  bool WaitFor(std::chrono::milliseconds timeout);
  // Waits until no worker runs and joins it.
  void Wait();

 private:
  void ThreadProc(std::unique_ptr<TComputationTask> task);
  void CommandThreadProc(TTaskView* view, const std::function<void()>& work);
  // The start shared by Launch and LaunchCommand: joins an ended worker,
  // clears the flags and sets the marks; CancelStart undoes it when the
  // thread cannot be started.
  void PrepareStart(std::uint32_t kind, const TTaskView* view, bool holdsHeap);
  void CancelStart();
  // The end shared by both: hands the record on and clears the busy flag.
  void EndWorker(TTaskEnd end);
  // Joins a worker that has ended (or is about to end, busy already clear).
  void JoinEnded();

  TTaskBodies bodies_;
  TTaskFinished finished_;
  std::atomic<bool> busy_{false};
  std::atomic<bool> heapHeld_{false};
  std::atomic<std::uint32_t> runningKind_{0};
  std::atomic<const TTaskView*> runningView_{nullptr};

  std::thread worker_;  // touched by the user interface thread only
  std::mutex endMutex_;
  std::condition_variable endSignal_;
  bool workerEnded_ = true;  // guarded by endMutex_
};
