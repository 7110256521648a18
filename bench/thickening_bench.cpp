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
#include "presentations/cells/boundary_curves_presentation.h"

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

// The thickening of a cell presentation whose few edges each lie on
// thousands of cells (one line of 20 edges from +-1..9, repeated to 128 KB ..
// 1 MB). The index of the wings' passages must not rescan an edge's wings
// for every passage; the thickening then stops at the first bad vertex.
static void BM_ThickenSharedEdgesCells(benchmark::State& state) {
  const std::string line = "2 -2 -8 -7 2 -1 -7 8 -4 6 1 9 7 7 9 8 -9 6 4 -5\n";
  std::string text;
  while (text.size() < static_cast<std::size_t>(state.range(0)) * 1024) text += line;
  THeapContext context;
  PushHeapContext(context);
  PrivateHeapCreate(1);
  SuppressStatus();
  {
    TBoundaryCurvesPresentation presentation;
    if (presentation.Parse(text.c_str()) == 0) state.SkipWithError("the text was not read");
    TSpine spine;
    presentation.BuildSpine(spine);
    for (auto _ : state) {
      benchmark::DoNotOptimize(spine.Thicken(2));
      spine.RemoveThickObjects();
    }
  }
  UnsuppressStatus();
  PopHeapContext(context);
  context.Destroy();
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ThickenSharedEdgesCells)
    ->Arg(128)
    ->Arg(256)
    ->Arg(512)
    ->Arg(1024)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
