#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "foundation/private_heap.h"
#include "foundation/status_reporter.h"
#include "model/detail.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "moves/collapsing.h"
#include "moves/move_families.h"
#include "moves/move_types.h"
#include "moves/step_loop.h"
#include "support/bench_heap.h"
#include "support/random_spine.h"

// The collapsings and reductions that follow cutting a cell out of the spine
// of n true vertices; "per_move" is the time per collapsing or reduction.
static void BM_CollapsingsAfterCut(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  TBenchHeap heap;
  InitMoveOrderTable();
  QuietMode.store(1);
  {
    // The first seeded spine with a cell whose cut leaves something to collapse.
    TSpine original;
    int chosen = -1;
    auto cut = [&](TSpine& spine, int cell) {
      original.CopyTo(spine);
      spine.Objects().SetCreationTag(kMoveCutting);
      spine.RemoveThickCell(ThickCellOfCell(spine, spine.NthCell(cell)));
    };
    for (unsigned seed = 11; seed < 31 && chosen < 0; ++seed) {
      original.Clear();
      if (!BuildRandomThickenedSpine(original, n, seed)) continue;
      for (int i = 0; i < original.Objects().CountOfKind(kCellKind) && chosen < 0; ++i) {
        TSpine spine;
        cut(spine, i);
        if (FindReductionCell(spine) != -1) chosen = i;
      }
    }
    if (chosen < 0) state.SkipWithError("no cut leaves a cell to collapse");
    long long moves = 0;
    for (auto _ : state) {
      state.PauseTiming();
      TSpine spine;
      cut(spine, chosen);
      state.ResumeTiming();
      moves += RunCollapsings(spine, nullptr, 1);
    }
    // Collapsings and the reductions that follow them.
    state.counters["per_move"] =
        benchmark::Counter(static_cast<double>(moves), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["moves"] = static_cast<double>(moves) / static_cast<double>(state.iterations());
  }
  QuietMode.store(0);
  state.SetComplexityN(n);
}
BENCHMARK(BM_CollapsingsAfterCut)->Arg(10)->Arg(50)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity();

// One step of the default moves on a special spine to which no move applies:
// the cost of asking every finder.
static void BM_StepFindsNothing(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  TBenchHeap heap;
  InitMoveOrderTable();
  {
    TSpine spine;
    if (!BuildRandomThickenedSpine(spine, n, 5)) state.SkipWithError("the spine did not thicken");
    for (auto _ : state) benchmark::DoNotOptimize(MakeSimplificationStep(1, spine, nullptr, TMoveChoice{}, nullptr, nullptr));
  }
  state.SetComplexityN(n);
}
BENCHMARK(BM_StepFindsNothing)->Arg(10)->Arg(50)->Arg(200)->Arg(1000)->Unit(benchmark::kMicrosecond)->Complexity();

// The whole-spine scans of the counterpass and short-curve finders: every
// cell tested, as a finder does when no cell qualifies.
static void BM_CounterpassAndCurveScan(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  TBenchHeap heap;
  InitMoveOrderTable();
  {
    TSpine spine;
    if (!BuildRandomThickenedSpine(spine, n, 5)) state.SkipWithError("the spine did not thicken");
    const int cells = spine.Objects().CountOfKind(kCellKind);
    for (auto _ : state) {
      int found = 0;
      for (int i = 0; i < cells; ++i) found += TestCounterpass(spine, i) + ClassifyCellCurveAt(spine, i);
      benchmark::DoNotOptimize(found);
      int type = 0;
      benchmark::DoNotOptimize(FindCurveLength4WithPiercing(spine, &type));
    }
    state.counters["cells"] = cells;
  }
  state.SetComplexityN(n);
}
BENCHMARK(BM_CounterpassAndCurveScan)->Arg(50)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMicrosecond)->Complexity();

// One short curve on a copy of the spine (the copy is not timed; the move's
// own rollback copy is). The reduced random spines have too few cells for a
// counterpass to qualify.
static void BM_ShortCurveMove(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  TBenchHeap heap;
  InitMoveOrderTable();
  QuietMode.store(1);
  {
    // The first seeded spine with a cell that qualifies.
    TSpine original;
    int cell = -1;
    for (unsigned seed = 5; seed < 105 && cell < 0; ++seed) {
      original.Clear();
      if (!BuildRandomThickenedSpine(original, n, seed)) continue;
      cell = FindShortCurveCell(original, 1);
    }
    if (cell < 0) state.SkipWithError("no cell qualifies");
    for (auto _ : state) {
      state.PauseTiming();
      TSpine spine;
      original.CopyTo(spine);
      state.ResumeTiming();
      benchmark::DoNotOptimize(PerformCellCurveMove(spine, cell, kMoveShortCurve, nullptr));
    }
  }
  QuietMode.store(0);
  state.SetComplexityN(n);
}
BENCHMARK(BM_ShortCurveMove)->Arg(50)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMicrosecond)->Complexity();
