// The worker protocol with fake engines: launch, stop, forced stop on close,
// the option snapshot, the view hooks and the heap context of a task.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "foundation/message_box.h"
#include "foundation/private_heap.h"
#include "shell/computation_task.h"
#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "shell/task_runner.h"
#include "shell/task_view.h"

namespace {

using namespace std::chrono_literals;

// Records what the worker asked of the view, in order.
class TRecordingView : public TTaskView {
 public:
  void BeginComputation(TTaskKind kind) override {
    Add("begin " + std::to_string(TaskKindNumber(kind)));
  }
  void EndComputation(TTaskKind kind) override {
    Add("end " + std::to_string(TaskKindNumber(kind)));
  }
  void SetInformationMode(bool on, std::optional<std::string> report) override {
    Add(std::string(on ? "info on" : "info off") + (report ? ": " + *report : ""));
  }
  void WriteText(std::string text) override { Add("write: " + text); }
  void SaveOriginalText() override { Add("save original"); }
  void SetTransformedState(bool transformed) override {
    Add(transformed ? "transformed" : "not transformed");
  }

  std::vector<std::string> Calls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
  }

 private:
  void Add(std::string call) {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back(std::move(call));
  }
  mutable std::mutex mutex_;
  std::vector<std::string> calls_;
};

// Spins until the condition holds or two seconds pass.
template <typename Condition>
bool Eventually(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + 2s;
  while (std::chrono::steady_clock::now() < deadline) {
    if (condition()) return true;
    std::this_thread::sleep_for(1ms);
  }
  return condition();
}

// A long engine: begins the computation, changes settings the way presets do,
// and polls the stop flag until it is set.
void LongRecognitionBody(TComputationTask& task, std::atomic<bool>& started) {
  task.BeginComputation();
  TOptionValues& options = task.Options();
  options.ReportType = 4;
  options.EnumerationOfManifoldsRecognitionMode = 3;
  options.AllVariantsStepToMakeAll = 5;
  options.AllVariantsMaximalMode = 1;
  started = true;
  while (!IsStopRequested()) std::this_thread::sleep_for(1ms);
  task.Output().AppendText("Cancelled by user");
  task.GetView()->SetInformationMode(true, std::string(task.Output().Text()));
  task.EndComputation();
}

class TaskRunnerTest : public ::testing::Test {
 protected:
  void SetUp() override { previousHandler_ = SetMessageBoxHandler({}); }
  void TearDown() override { SetMessageBoxHandler(previousHandler_); }

  std::unique_ptr<TComputationTask> MakeTask(TTaskKind kind, TTaskView* view,
                                             const TOptionValues& options = {}) {
    auto task = std::make_unique<TComputationTask>();
    task->SetKind(view, kind);
    task->SetOptions(options);
    return task;
  }

  TMessageBoxHandler previousHandler_;
};

TEST_F(TaskRunnerTest, StopEndsTheTaskAndTheSnapshotComesBack) {
  std::atomic<bool> started{false};
  TTaskBodies bodies;
  bodies.Set(TTaskKind::RecognizeTillMain,
             [&](TComputationTask& task) { LongRecognitionBody(task, started); });
  TTaskRunner runner(std::move(bodies));
  std::optional<TTaskEnd> end;
  bool busyInHandler = false;
  runner.SetFinishedHandler([&](TTaskEnd e) {
    busyInHandler = runner.IsBusy();
    end = std::move(e);
  });

  TRecordingView view;
  TOptionValues options;
  options.OptionsOutputMoveList = 1;
  ASSERT_TRUE(runner.Launch(MakeTask(TTaskKind::RecognizeTillMain, &view, options)));
  EXPECT_TRUE(runner.IsBusy());
  EXPECT_TRUE(runner.IsHeapHeld());
  EXPECT_EQ(runner.RunningKind(), TTaskKind::RecognizeTillMain);
  EXPECT_EQ(runner.RunningView(), &view);
  ASSERT_TRUE(Eventually([&] { return started.load(); }));
  EXPECT_FALSE(runner.WaitFor(20ms)) << "the engine runs until it is stopped";

  runner.Stop();
  runner.Wait();
  EXPECT_FALSE(runner.IsBusy());
  EXPECT_FALSE(runner.IsHeapHeld());
  EXPECT_FALSE(runner.RunningKind().has_value());
  EXPECT_EQ(runner.RunningView(), nullptr);
  EXPECT_TRUE(busyInHandler) << "the handler runs before the busy flag clears";

  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->kind, TTaskKind::RecognizeTillMain);
  EXPECT_EQ(end->view, &view);
  EXPECT_TRUE(end->stopRequested);
  EXPECT_FALSE(end->aborted);
  EXPECT_TRUE(end->failure.empty());
  // The preset-steered settings are back; the maximal mode is not among the
  // settings a snapshot of computation type 1 writes back.
  EXPECT_EQ(end->options.ReportType, 2);
  EXPECT_EQ(end->options.EnumerationOfManifoldsRecognitionMode, 2);
  EXPECT_EQ(end->options.AllVariantsStepToMakeAll, 2);
  EXPECT_EQ(end->options.AllVariantsMaximalMode, 1);
  EXPECT_EQ(end->options.OptionsOutputMoveList, 1);

  EXPECT_EQ(view.Calls(), (std::vector<std::string>{"begin 3", "info on: Cancelled by user",
                                                     "end 3"}));
}

TEST_F(TaskRunnerTest, LaunchWhileBusyCreatesNothing) {
  std::atomic<bool> started{false};
  std::atomic<int> secondRuns{0};
  TTaskBodies bodies;
  bodies.Set(TTaskKind::RecognizeTillMain,
             [&](TComputationTask& task) { LongRecognitionBody(task, started); });
  bodies.Set(TTaskKind::DefaultMoves, [&](TComputationTask&) { ++secondRuns; });
  TTaskRunner runner(std::move(bodies));
  TRecordingView view;
  ASSERT_TRUE(runner.Launch(MakeTask(TTaskKind::RecognizeTillMain, &view)));
  ASSERT_TRUE(Eventually([&] { return started.load(); }));

  EXPECT_FALSE(runner.Launch(MakeTask(TTaskKind::DefaultMoves, &view)));
  EXPECT_FALSE(runner.Launch(nullptr));
  EXPECT_EQ(runner.RunningKind(), TTaskKind::RecognizeTillMain);
  EXPECT_FALSE(IsStopRequested()) << "a refused launch leaves the flags of the running task alone";

  runner.Stop();
  runner.Wait();
  EXPECT_EQ(secondRuns.load(), 0);

  // Once the worker has ended the next launch runs.
  ASSERT_TRUE(runner.Launch(MakeTask(TTaskKind::DefaultMoves, &view)));
  runner.Wait();
  EXPECT_EQ(secondRuns.load(), 1);
}

TEST_F(TaskRunnerTest, ACommandRunsOnTheWorkerUnderTheSameGuardAndStop) {
  TTaskRunner runner{TTaskBodies{}};
  std::vector<TTaskEnd> ends;
  std::mutex endsMutex;
  runner.SetFinishedHandler([&](TTaskEnd end) {
    std::lock_guard<std::mutex> lock(endsMutex);
    ends.push_back(std::move(end));
  });
  TRecordingView view;
  std::atomic<bool> started{false};
  std::thread::id workerThread;
  RequestStop();  // a stop left over from before is cleared by the launch
  ASSERT_TRUE(runner.LaunchCommand(&view, [&] {
    workerThread = std::this_thread::get_id();
    started = true;
    while (!IsStopRequested()) std::this_thread::sleep_for(1ms);
  }));
  ASSERT_TRUE(Eventually([&] { return started.load(); }));
  EXPECT_TRUE(runner.IsBusy());
  EXPECT_EQ(runner.RunningView(), &view);
  EXPECT_FALSE(runner.RunningKind().has_value()) << "a command is no task kind";
  EXPECT_FALSE(runner.LaunchCommand(&view, [] {}));
  EXPECT_FALSE(runner.Launch(MakeTask(TTaskKind::DefaultMoves, &view)));

  runner.Stop();
  runner.Wait();
  EXPECT_NE(workerThread, std::this_thread::get_id());
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_TRUE(ends[0].command);
  EXPECT_TRUE(ends[0].stopRequested);
  EXPECT_EQ(ends[0].view, &view);
  EXPECT_TRUE(view.Calls().empty()) << "a command calls no view hook";
  EXPECT_FALSE(runner.LaunchCommand(&view, {}));

  // A command that throws ends like any other, with its message.
  ASSERT_TRUE(runner.LaunchCommand(nullptr, [] { throw std::runtime_error("broken"); }));
  runner.Wait();
  ASSERT_EQ(ends.size(), 2u);
  EXPECT_EQ(ends[1].failure, "broken");
  EXPECT_FALSE(runner.IsBusy());
}

TEST_F(TaskRunnerTest, LaunchClearsTheStopFlags) {
  std::atomic<bool> stopSeen{true};
  std::atomic<bool> seriesStopSeen{true};
  TTaskBodies bodies;
  bodies.Set(TTaskKind::SurfaceSearch, [&](TComputationTask&) {
    stopSeen = IsStopRequested();
    seriesStopSeen = SeriesStopFlag().load() != 0;
  });
  TTaskRunner runner(std::move(bodies));
  RequestStop();
  SeriesStopFlag().store(1);
  ASSERT_TRUE(runner.Launch(MakeTask(TTaskKind::SurfaceSearch, nullptr)));
  runner.Wait();
  EXPECT_FALSE(stopSeen.load());
  EXPECT_FALSE(seriesStopSeen.load());
}

TEST_F(TaskRunnerTest, KindsWithoutABodyRunNothingAndStillRestore) {
  TTaskBodies bodies;
  bodies.Set(TTaskKind::InternalTableLoad, [](TComputationTask&) { FAIL() << "never on the worker"; });
  TTaskRunner runner(std::move(bodies));
  EXPECT_FALSE(runner.Offers(TTaskKind::InternalTableLoad));
  EXPECT_FALSE(runner.Offers(TTaskKind::TuraevViro));

  for (TTaskKind kind : {TTaskKind::InternalTableLoad, TTaskKind::TuraevViro}) {
    std::optional<TTaskEnd> end;
    runner.SetFinishedHandler([&](TTaskEnd e) { end = std::move(e); });
    TRecordingView view;
    ASSERT_TRUE(runner.Launch(MakeTask(kind, &view)));
    runner.Wait();
    EXPECT_FALSE(runner.IsBusy());
    ASSERT_TRUE(end.has_value());
    EXPECT_EQ(end->options, TOptionValues{});
    EXPECT_TRUE(view.Calls().empty());
  }
}

TEST_F(TaskRunnerTest, AnExceptionEndsTheComputationAndRestoresTheSettings) {
  TTaskBodies bodies;
  bodies.Set(TTaskKind::DefaultMoves, [](TComputationTask& task) {
    task.BeginComputation();
    task.Options().ReportType = 1;
    THeapContext own;
    PushHeapContext(own);  // left installed by the throw below
    throw std::runtime_error("out of range");
  });
  TTaskRunner runner(std::move(bodies));
  std::optional<TTaskEnd> end;
  runner.SetFinishedHandler([&](TTaskEnd e) { end = std::move(e); });
  TRecordingView view;
  ASSERT_TRUE(runner.Launch(MakeTask(TTaskKind::DefaultMoves, &view)));
  runner.Wait();
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->failure, "out of range");
  EXPECT_EQ(end->options.ReportType, 2);
  EXPECT_EQ(view.Calls(), (std::vector<std::string>{"begin 5", "end 5"}));
}

// An engine that polls with TStopPoll leaves by TComputationStopped: that is a
// stop, not a failure, and the computation is still ended for the view.
TEST_F(TaskRunnerTest, AStoppedEngineEndsCleanlyWithoutAFailure) {
  std::atomic<bool> started{false};
  TTaskBodies bodies;
  bodies.Set(TTaskKind::DefaultMoves, [&](TComputationTask& task) {
    task.BeginComputation();
    started = true;
    TStopPoll poll(16);
    for (;;) poll.Step();
  });
  TTaskRunner runner(std::move(bodies));
  std::optional<TTaskEnd> end;
  runner.SetFinishedHandler([&](TTaskEnd e) { end = std::move(e); });
  TRecordingView view;
  ASSERT_TRUE(runner.Launch(MakeTask(TTaskKind::DefaultMoves, &view)));
  ASSERT_TRUE(Eventually([&] { return started.load(); }));
  runner.Stop();
  EXPECT_TRUE(runner.WaitFor(2000ms)) << "a polled engine ends promptly (generous bound for loaded machines)";
  runner.Wait();
  ASSERT_TRUE(end.has_value());
  EXPECT_TRUE(end->stopRequested);
  EXPECT_TRUE(end->stopped);
  EXPECT_FALSE(end->aborted);
  EXPECT_EQ(end->failure, "");
  EXPECT_EQ(view.Calls(), (std::vector<std::string>{"begin 5", "end 5"}));
}

TEST_F(TaskRunnerTest, EveryTaskGetsAFreshHeapContextOnItsOwnThread) {
  std::atomic<int> depth{-1};
  std::atomic<bool> noCurrentHeap{false};
  std::atomic<bool> outputHeapIsTheTasks{false};
  TTaskBodies bodies;
  bodies.Set(TTaskKind::TMoveSimplification, [&](TComputationTask& task) {
    depth = HeapContextDepth();
    noCurrentHeap = CurrentHeap() == nullptr;
    task.Output().AppendText("report");
    outputHeapIsTheTasks = task.Output().CurrentHeap() == task.Heap();
    // Allocations from the task's context need no freeing: the context goes.
    PrivateHeapAlloc(1000, 0);
  });
  TTaskRunner runner(std::move(bodies));
  const int callerDepth = HeapContextDepth();
  ASSERT_TRUE(runner.Launch(MakeTask(TTaskKind::TMoveSimplification, nullptr)));
  runner.Wait();
  EXPECT_EQ(depth.load(), 1);
  EXPECT_TRUE(noCurrentHeap.load());
  EXPECT_TRUE(outputHeapIsTheTasks.load());
  EXPECT_EQ(HeapContextDepth(), callerDepth) << "the caller's context is not touched";
}

TEST_F(TaskRunnerTest, TheSimplifyDialogSearchKeepsTheHeapHeld) {
  TTaskBodies bodies;
  bodies.Set(TTaskKind::SimplifyDialogSearch, [](TComputationTask&) {});
  TTaskRunner runner(std::move(bodies));
  auto task = std::make_unique<TComputationTask>();
  int dialog = 0;
  task->SetDialogKind(&dialog);
  EXPECT_EQ(task->GetKind(), TTaskKind::SimplifyDialogSearch);
  EXPECT_EQ(task->Dialog(), &dialog);
  ASSERT_TRUE(runner.Launch(std::move(task)));
  runner.Wait();
  EXPECT_TRUE(runner.IsHeapHeld());
}

// The engine of a document that is being closed: it ignores the stop flag
// (as a series engine does between items) and polls only the abort flag.
void AbortPollingBody(TComputationTask& task, std::atomic<bool>& started) {
  task.BeginComputation();
  task.Options().AllVariantsStepToMakeAll = 9;
  started = true;
  while (!TComputationTask::Aborted()) std::this_thread::sleep_for(1ms);
  // An aborted body shows nothing and returns at once.
}

TEST_F(TaskRunnerTest, ClosingTheViewOfTheRunningTaskAsksAndStopsOnOk) {
  std::atomic<bool> started{false};
  TTaskBodies bodies;
  bodies.Set(TTaskKind::SeriesRun,
             [&](TComputationTask& task) { AbortPollingBody(task, started); });
  TTaskRunner runner(std::move(bodies));
  std::optional<TTaskEnd> end;
  runner.SetFinishedHandler([&](TTaskEnd e) { end = std::move(e); });
  TRecordingView view;
  TRecordingView otherView;

  std::vector<std::string> questions;
  TMessageResult answer = TMessageResult::Cancel;
  SetMessageBoxHandler([&](std::string_view text, TMessageButtons buttons, TMessageIcon) {
    questions.emplace_back(text);
    EXPECT_EQ(buttons, TMessageButtons::OkCancel);
    return answer;
  });

  ASSERT_TRUE(runner.Launch(MakeTask(TTaskKind::SeriesRun, &view)));
  ASSERT_TRUE(Eventually([&] { return started.load(); }));

  // Another document closes without a question.
  EXPECT_TRUE(runner.ConfirmClose(&otherView, {}));
  EXPECT_TRUE(questions.empty());

  // Cancel keeps the document open and the task running.
  EXPECT_FALSE(runner.ConfirmClose(&view, {}));
  EXPECT_EQ(questions, std::vector<std::string>{"Terminate series exicution?"});
  EXPECT_TRUE(runner.IsBusy());
  EXPECT_FALSE(runner.WaitFor(20ms));

  // OK stops it cooperatively; the pump keeps the caller's loop alive meanwhile.
  answer = TMessageResult::Ok;
  int pumps = 0;
  EXPECT_TRUE(runner.ConfirmClose(&view, [&] { ++pumps; }));
  EXPECT_FALSE(runner.IsBusy());
  ASSERT_TRUE(end.has_value());
  EXPECT_TRUE(end->aborted);
  EXPECT_TRUE(end->stopRequested);
  EXPECT_EQ(end->options.AllVariantsStepToMakeAll, 2);
  EXPECT_EQ(view.Calls(), (std::vector<std::string>{"begin 1", "end 1"}))
      << "the runner ends the computation the aborted body left open";
  EXPECT_EQ(SeriesStopFlag().load(), 1);

  // Without a running task nothing is asked.
  EXPECT_TRUE(runner.ConfirmClose(&view, {}));
  EXPECT_EQ(questions.size(), 2u);
}

TEST_F(TaskRunnerTest, ForceStopWaitsForAnEngineThatPollsLate) {
  // An engine that looks at its flags only every 250 ms: the forced stop
  // takes several rounds, pumps in between, and never kills the thread.
  std::atomic<bool> started{false};
  std::atomic<bool> finishedNormally{false};
  TTaskBodies bodies;
  bodies.Set(TTaskKind::DWInvariants, [&](TComputationTask&) {
    started = true;
    while (SeriesStopFlag().load() == 0) std::this_thread::sleep_for(250ms);
    finishedNormally = true;
  });
  TTaskRunner runner(std::move(bodies));
  ASSERT_TRUE(runner.Launch(MakeTask(TTaskKind::DWInvariants, nullptr)));
  ASSERT_TRUE(Eventually([&] { return started.load(); }));
  int pumps = 0;
  runner.ForceStop([&] { ++pumps; });
  EXPECT_TRUE(finishedNormally.load());
  EXPECT_GE(pumps, 1);
  EXPECT_FALSE(runner.IsBusy());
}

TEST_F(TaskRunnerTest, DestroyingTheRunnerStopsItsWorker) {
  std::atomic<bool> started{false};
  std::atomic<bool> ended{false};
  {
    TTaskBodies bodies;
    bodies.Set(TTaskKind::TuraevViro, [&](TComputationTask& task) {
      started = true;
      while (!TComputationTask::Aborted()) std::this_thread::sleep_for(1ms);
      ended = task.GetKind() == TTaskKind::TuraevViro;
    });
    TTaskRunner runner(std::move(bodies));
    auto task = std::make_unique<TComputationTask>();
    task->SetKindOrders(nullptr, 3, 16, 3);
    EXPECT_EQ(task->FirstOrder(), 3);
    EXPECT_EQ(task->LastOrder(), 16);
    EXPECT_EQ(task->Variant(), 3);
    ASSERT_TRUE(runner.Launch(std::move(task)));
    ASSERT_TRUE(Eventually([&] { return started.load(); }));
  }
  EXPECT_TRUE(ended.load());
}

TEST(TaskKindTest, NumbersAndPriorities) {
  EXPECT_FALSE(TaskKindOfNumber(0).has_value());
  EXPECT_FALSE(TaskKindOfNumber(19).has_value());
  for (std::uint32_t n = kFirstTaskKind; n <= kLastTaskKind; ++n) {
    ASSERT_TRUE(TaskKindOfNumber(n).has_value());
    EXPECT_EQ(TaskKindNumber(*TaskKindOfNumber(n)), n);
    EXPECT_EQ(RunsOnWorker(*TaskKindOfNumber(n)), n != 14);
  }
  EXPECT_EQ(RecognitionModeOfTask(TTaskKind::RecognizeTillFirst), 1);
  EXPECT_EQ(RecognitionModeOfTask(TTaskKind::RecognizeTillMain), 2);
  EXPECT_EQ(RecognitionModeOfTask(TTaskKind::RecognizeAll), 3);
  EXPECT_EQ(RecognitionModeOfTask(TTaskKind::SeriesRun), 0);
  EXPECT_EQ(WorkerPriorityOf(TTaskKind::SurfaceSearch), TWorkerPriority::Normal);
  EXPECT_EQ(WorkerPriorityOf(TTaskKind::NormalSurfaceSearch), TWorkerPriority::Normal);
  EXPECT_EQ(WorkerPriorityOf(TTaskKind::SimplifyDialogSearch), TWorkerPriority::BelowNormal);
  EXPECT_EQ(WorkerPriorityOf(TTaskKind::RecognizeTillMain), TWorkerPriority::Lowest);
}

}  // namespace
