#include <benchmark/benchmark.h>

#include "model/spine.h"
#include "moves/bipass.h"
#include "moves/move_families.h"
#include "moves/move_types.h"
#include "moves/step_loop.h"
#include "support/torus_knot.h"

// A whole enumeration of the polygon candidates (mode 0), as the Simplify
// dialog lists them; "candidates" is their number.
static void BM_PolygonEnumeration(benchmark::State& state) {
  InitMoveOrderTable();
  TTorusKnotExterior exterior(static_cast<int>(state.range(0)));
  if (!exterior.Ok()) {
    state.SkipWithError("no spine");
    return;
  }
  TSpine& spine = exterior.Spine();
  long long candidates = 0;
  for (auto _ : state) {
    int cursor[8] = {0, -1, -1, -1, -1, -1, -1, -1};
    candidates = 0;
    while (FindPolygonOrTMove(0, spine, kMovePolygon, cursor) == kMovePolygon) ++candidates;
    benchmark::DoNotOptimize(candidates);
  }
  state.counters["candidates"] = static_cast<double>(candidates);
  state.counters["edges"] = spine.Objects().CountOfKind(4);
}
BENCHMARK(BM_PolygonEnumeration)->Arg(5)->Arg(11)->Arg(21)->Arg(41)->Unit(benchmark::kMillisecond);

// The whole-spine bipass finder that every automatic step runs last.
static void BM_BipassFinder(benchmark::State& state) {
  InitMoveOrderTable();
  TTorusKnotExterior exterior(static_cast<int>(state.range(0)));
  if (!exterior.Ok()) {
    state.SkipWithError("no spine");
    return;
  }
  TSpine& spine = exterior.Spine();
  for (auto _ : state) benchmark::DoNotOptimize(FindBipassCell(spine, kMoveTripleBipass));
}
BENCHMARK(BM_BipassFinder)->Arg(5)->Arg(11)->Arg(21)->Arg(41)->Unit(benchmark::kMillisecond);
