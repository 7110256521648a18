#include <benchmark/benchmark.h>

#include "model/spine.h"
#include "moves/move_families.h"
#include "moves/move_types.h"
#include "moves/polygon_move_performer.h"
#include "moves/step_loop.h"
#include "support/torus_knot.h"

// One polygon move, the first quadrangle the finder offers, made on a fresh
// copy of the spine each time (the copy is not timed). The performer tries
// side orders and corners on copies of its own, so its cost includes those.
static void BM_QuadrangleMove(benchmark::State& state) {
  InitMoveOrderTable();
  CurrentSpineIsOrientable.store(1);
  TTorusKnotExterior exterior(static_cast<int>(state.range(0)));
  if (!exterior.Ok()) {
    state.SkipWithError("no spine");
    return;
  }
  TSpine& spine = exterior.Spine();
  int cursor[8] = {0, -1, -1, -1, -1, -1, -1, -1};
  while (FindPolygonOrTMove(0, spine, kMovePolygon, cursor) == kMovePolygon && cursor[0] < 6) {
  }
  if (cursor[0] < 6) {
    state.SkipWithError("no quadrangle");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    TSpine copy;
    spine.CopyTo(copy);
    int limit = -1;
    int counter = -1;
    state.ResumeTiming();
    benchmark::DoNotOptimize(PerformPolygonMove(copy, cursor[0], cursor + 1, &limit, &counter, nullptr));
  }
  state.counters["edges"] = spine.Objects().CountOfKind(4);
  state.counters["subtype"] = cursor[0];
}
BENCHMARK(BM_QuadrangleMove)->Arg(5)->Arg(11)->Arg(21)->Arg(41)->Unit(benchmark::kMillisecond);
