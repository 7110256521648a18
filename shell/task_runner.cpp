#include "shell/task_runner.h"

#include <exception>
#include <system_error>
#include <utility>

#include "foundation/heap_string.h"
#include "foundation/message_box.h"
#include "foundation/private_heap.h"
#include "foundation/status_reporter.h"
#include "foundation/string_table.h"
#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "shell/task_view.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

constexpr int kTerminateQuestionId = 9800;
constexpr int kTaskFailedId = 9801;

constexpr std::chrono::milliseconds kForceStopRound{100};

// Lowers the calling thread's scheduling priority. Raising it needs
// privileges a desktop user does not have, so only the worker moves; a
// failure leaves the thread as it was.
void SetWorkerThreadPriority(TWorkerPriority priority) {
#if defined(__linux__)
  int niceness = 0;
  switch (priority) {
    case TWorkerPriority::Lowest:
      niceness = 19;
      break;
    case TWorkerPriority::BelowNormal:
      niceness = 5;
      break;
    case TWorkerPriority::Normal:
      return;
  }
  // On Linux a thread id names one thread for setpriority.
  (void)setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), niceness);
#else
  (void)priority;
#endif
}

// Runs the body inside a heap context of the task's own, so that whatever the
// body allocates from the current heap is freed with the context. A body that
// left contexts of its own installed (an exception past a push, say) has them
// popped, without destroying them, since they may belong to a view.
std::string RunBodyInOwnContext(const TTaskBody& body, TComputationTask& task, bool& stopped) {
  std::string failure;
  THeapContext context;
  PushHeapContext(context);
  const int depth = HeapContextDepth();
  try {
    body(task);
  } catch (const TComputationStopped&) {
    // The user stopped it: no failure; the end record says stopped.
    stopped = true;
  } catch (const std::exception& error) {
    failure = error.what();
  } catch (...) {
    failure = "unknown exception";
  }
  while (HeapContextDepth() > depth) {
    THeapContext left;
    PopHeapContext(left);
    left.Clear();
    ReportInternalError(__FILE__, __LINE__);
  }
  PopHeapContext(context);
  context.Destroy();
  return failure;
}

}  // namespace

TTaskRunner::TTaskRunner(TTaskBodies bodies) : bodies_(std::move(bodies)) {}

TTaskRunner::~TTaskRunner() { ForceStop({}); }

void TTaskRunner::SetFinishedHandler(TTaskFinished handler) { finished_ = std::move(handler); }

std::optional<TTaskKind> TTaskRunner::RunningKind() const {
  return TaskKindOfNumber(runningKind_.load(std::memory_order_acquire));
}

void TTaskRunner::PrepareStart(std::uint32_t kind, const TTaskView* view, bool holdsHeap) {
  JoinEnded();

  TStopFlags& flags = StopFlags();
  flags.stop.store(0);
  flags.seriesStop.store(0);
  flags.abort.store(0);

  runningKind_.store(kind, std::memory_order_release);
  runningView_.store(view, std::memory_order_release);
  heapHeld_.store(holdsHeap, std::memory_order_release);
  busy_.store(true, std::memory_order_release);
  std::lock_guard<std::mutex> lock(endMutex_);
  workerEnded_ = false;
}

void TTaskRunner::CancelStart() {
  runningKind_.store(0);
  runningView_.store(nullptr);
  heapHeld_.store(false);
  busy_.store(false);
  std::lock_guard<std::mutex> lock(endMutex_);
  workerEnded_ = true;
}

bool TTaskRunner::Launch(std::unique_ptr<TComputationTask> task) {
  if (task == nullptr || IsBusy()) return false;
  PrepareStart(TaskKindNumber(task->GetKind()), task->GetView(), true);
  try {
    worker_ = std::thread([this, owned = std::move(task)]() mutable { ThreadProc(std::move(owned)); });
  } catch (const std::system_error&) {
    CancelStart();
    return false;
  }
  return true;
}

bool TTaskRunner::LaunchCommand(TTaskView* view, std::function<void()> work) {
  if (!work || IsBusy()) return false;
  PrepareStart(0, view, false);
  try {
    worker_ = std::thread([this, view, work = std::move(work)] { CommandThreadProc(view, work); });
  } catch (const std::system_error&) {
    CancelStart();
    return false;
  }
  return true;
}

void TTaskRunner::CommandThreadProc(TTaskView* view, const std::function<void()>& work) {
  TTaskEnd end;
  end.view = view;
  end.command = true;
  THeapContext context;
  PushHeapContext(context);
  try {
    work();
  } catch (const std::exception& error) {
    end.failure = error.what();
  } catch (...) {
    end.failure = "unknown exception";
  }
  PopHeapContext(context);
  context.Destroy();
  end.stopRequested = IsStopRequested();
  end.aborted = IsAbortRequested();
  EndWorker(std::move(end));
}

void TTaskRunner::ThreadProc(std::unique_ptr<TComputationTask> task) {
  const TTaskKind kind = task->GetKind();
  SetWorkerThreadPriority(WorkerPriorityOf(kind));

  // The snapshot: the preset-steered settings as they were at the start.
  TOptions snapshot;
  snapshot.Capture(task->Options());
  snapshot.computationType = 1;

  TTaskEnd end;
  end.kind = kind;
  end.view = task->GetView();
  if (const TTaskBody* body = bodies_.Find(kind); body != nullptr && RunsOnWorker(kind)) {
    end.failure = RunBodyInOwnContext(*body, *task, end.stopped);
  }
  if (!end.failure.empty()) {
    TString text;
    text.FormatResource(kTaskFailedId, end.failure.c_str());
    ShowStatusText(text.CStr());
  }
  try {
    if (task->ComputationOpen()) task->EndComputation();
  } catch (...) {
    ReportInternalError(__FILE__, __LINE__);
  }

  snapshot.Apply(task->Options());
  if (kind != TTaskKind::SimplifyDialogSearch) heapHeld_.store(false, std::memory_order_release);
  end.options = task->Options();
  end.stopRequested = IsStopRequested();
  end.aborted = IsAbortRequested();
  task.reset();

  EndWorker(std::move(end));
}

void TTaskRunner::EndWorker(TTaskEnd end) {
  if (finished_) {
    try {
      finished_(std::move(end));
    } catch (...) {
      ReportInternalError(__FILE__, __LINE__);
    }
  }
  runningView_.store(nullptr, std::memory_order_release);
  runningKind_.store(0, std::memory_order_release);
  busy_.store(false, std::memory_order_release);
  {
    std::lock_guard<std::mutex> lock(endMutex_);
    workerEnded_ = true;
  }
  endSignal_.notify_all();
}

void TTaskRunner::Stop() { RequestStop(); }

bool TTaskRunner::WaitFor(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(endMutex_);
  return endSignal_.wait_for(lock, timeout, [this] { return workerEnded_; });
}

void TTaskRunner::Wait() {
  {
    std::unique_lock<std::mutex> lock(endMutex_);
    endSignal_.wait(lock, [this] { return workerEnded_; });
  }
  JoinEnded();
}

void TTaskRunner::JoinEnded() {
  if (worker_.joinable()) worker_.join();
}

void TTaskRunner::ForceStop(const std::function<void()>& pump) {
  TStopFlags& flags = StopFlags();
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(endMutex_);
      if (workerEnded_) break;
    }
    flags.stop.store(1);
    flags.seriesStop.store(1);
    flags.abort.store(1);
    if (WaitFor(kForceStopRound)) break;
    if (pump) pump();
  }
  JoinEnded();
}

bool TTaskRunner::ConfirmClose(const TTaskView* view, const std::function<void()>& pump) {
  if (!IsBusy() || view == nullptr || RunningView() != view) return true;
  const TMessageResult answer = ShowMessageBox(StringTableText(kTerminateQuestionId).value_or(""),
                                               TMessageButtons::OkCancel, TMessageIcon::Question);
  if (answer != TMessageResult::Ok) return false;
  ForceStop(pump);
  return true;
}
