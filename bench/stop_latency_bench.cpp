#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <thread>

#include "foundation/status_reporter.h"
#include "foundation/stop_poll.h"
#include "shell/document_commands.h"
#include "shell/options.h"

// How long a command runs on after the user asked it to stop: the time from
// setting the stop flag to the command's return, on the inputs that once ran
// on for minutes (the framing fill of a surgery, a large Heegaard diagram).
// The promise to the user is half a second at every size.

namespace {

using TClock = std::chrono::steady_clock;

// Runs the command on a worker, sets the stop flag after `delay` and reports
// the time until the command returned; the command must have been stopped.
void MeasureStop(benchmark::State& state, int commandId, const std::string& text,
                 std::chrono::milliseconds delay) {
  SuppressStatus();
  for (auto _ : state) {
    StopFlags().stop.store(0);
    TCommandOutcome outcome = TCommandOutcome::kDone;
    TClock::time_point returned;
    std::thread worker([&] {
      outcome = RunCommandOnText(commandId, text, TOptionValues{}, &StopFlags().stop).outcome;
      returned = TClock::now();
    });
    std::this_thread::sleep_for(delay);
    const TClock::time_point requested = TClock::now();
    RequestStop();
    worker.join();
    if (outcome != TCommandOutcome::kStopped) {
      state.SkipWithError("the command finished before the stop");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(returned - requested).count());
  }
  StopFlags().stop.store(0);
  UnsuppressStatus();
}

constexpr int kHomologyGroup = 23;

}  // namespace

static void BM_StopFramingFill(benchmark::State& state) {
  const std::string text = "link code 1 -2 3 -1 2 -3 framing " + std::to_string(state.range(0)) + " end";
  MeasureStop(state, kHomologyGroup, text, std::chrono::milliseconds(100));
}
BENCHMARK(BM_StopFramingFill)
    ->Arg(4000)
    ->Arg(8000)
    ->Arg(16000)
    ->Arg(32000)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

static void BM_StopHeegaardDiagram(benchmark::State& state) {
  const int a = static_cast<int>(state.range(0));
  const std::string text = "heegaard 0 " + std::to_string(a) + " " + std::to_string(a / 3 + 1) + " 0 2 0";
  MeasureStop(state, kHomologyGroup, text, std::chrono::milliseconds(50));
}
BENCHMARK(BM_StopHeegaardDiagram)
    ->Arg(2000)
    ->Arg(4000)
    ->Arg(8000)
    ->Arg(16000)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
