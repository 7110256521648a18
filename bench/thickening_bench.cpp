#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "foundation/private_heap.h"
#include "foundation/status_reporter.h"
#include "model/detail.h"
#include "model/spine.h"
#include "support/random_triangulation.h"
#include "model/details_description.h"

namespace {


}  // namespace

// Thickening a spine of n true vertices: the spine is built once, and each
// iteration thickens it and removes the thickening again.
static void BM_ThickenSpine(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  THeapContext context;
  PushHeapContext(context);
  PrivateHeapCreate(1);
  SuppressStatus();
  {
    TDetailsDescription details;
    GlueTetrahedraAtRandom(details, n, 7);
    TSpine spine;
    details.BuildComplex(spine, 1);
    for (auto _ : state) {
      if (spine.Thicken(2) != 1) state.SkipWithError("the spine did not thicken");
      spine.RemoveThickObjects();
    }
  }
  UnsuppressStatus();
  PopHeapContext(context);
  context.Destroy();
  state.SetComplexityN(n);
}
BENCHMARK(BM_ThickenSpine)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
