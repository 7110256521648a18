#include <benchmark/benchmark.h>

#include <random>

#include "model/spine.h"
#include "moves/polyhedron_cloud.h"
#include "moves/t_move.h"
#include "moves/t_move_search.h"
#include "presentations/triangulations/iso_signature.h"
#include "support/bench_heap.h"

namespace {

// The Poincare sphere's census triangulation (5 tetrahedra), taken to n
// tetrahedra by random (seeded) T-moves, that is 2-3 moves of the dual.
void LoadLargePoincareSpine(TSpine& spine, int n, unsigned seed) {
  LoadIsoSignature(spine, "fvPQcdecedekrsnrs");
  std::mt19937 random(seed);
  TPolyhedronCloud marker;
  while (spine.Objects().CountOfKind(kVertexKind) < n) {
    marker.MarkTMoveCandidates(spine, false);
    const int edges = spine.Objects().CountOfKind(kEdgeKind);
    const int e = FindTMoveEdge(spine, static_cast<int>(random() % edges) - 1);
    if (e >= 0) PerformTMove(spine, e);
  }
}

}  // namespace

// Simplification of the dual spine of a 20-tetrahedron triangulation of the
// Poincare sphere until the cloud holds the given number of spines;
// "bytes_per_spine" is the memory the cloud keeps per spine.
static void BM_SimplifyPoincare20(benchmark::State& state) {
  const int limit = static_cast<int>(state.range(0));
  TBenchHeap heap;
  TSpine spine;
  LoadLargePoincareSpine(spine, 20, 7);
  double bytes = 0;
  int count = 0;
  for (auto _ : state) {
    TPolyhedronCloud cloud;
    SimplifyPolyhedronByTMoves(spine, 2, TTMoveLimits{limit, 1000}, nullptr, &cloud);
    count = cloud.Count();
    bytes = static_cast<double>(cloud.StoredBytes()) / count;
  }
  state.counters["spines"] = count;
  state.counters["bytes_per_spine"] = bytes;
  state.counters["per_spine"] = benchmark::Counter(static_cast<double>(count) * state.iterations(),
                                                   benchmark::Counter::kIsRate |
                                                       benchmark::Counter::kInvert);
}
BENCHMARK(BM_SimplifyPoincare20)->Arg(100)->Arg(200)->Arg(400)->Arg(800)->Unit(benchmark::kMillisecond);

// One T-move and its inverse on spines of n vertices (cost of the rebuild).
static void BM_TMoveAndInverse(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  TBenchHeap heap;
  TSpine spine;
  LoadLargePoincareSpine(spine, n, 3);
  TPolyhedronCloud marker;
  marker.MarkTMoveCandidates(spine, false);
  const int e = FindTMoveEdge(spine, -1);
  for (auto _ : state) {
    TSpine copy;
    spine.CopyTo(copy);
    THandle triangle = PerformTMove(copy, e);
    int cell = 0;
    while (TMoveObjectAt(copy, kCellKind, cell) != triangle.Object()) ++cell;
    triangle.Release();
    benchmark::DoNotOptimize(PerformInverseTMove(copy, cell));
  }
}
BENCHMARK(BM_TMoveAndInverse)->Arg(20)->Arg(40)->Arg(80)->Arg(160)->Unit(benchmark::kMicrosecond);
