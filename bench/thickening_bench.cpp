#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "foundation/private_heap.h"
#include "foundation/status_reporter.h"
#include "model/detail.h"
#include "model/spine.h"
#include "model/details_description.h"

namespace {

// n tetrahedra glued at random in pairs of faces by odd maps: an orientable
// triangulation (its vertex links any orientable surfaces), whose dual spine
// always thickens.
void GlueAtRandom(TDetailsDescription& details, int n, unsigned seed) {
  std::vector<TObjectHeader*> tetrahedra;
  for (int i = 0; i < n; ++i) tetrahedra.push_back(details.NewDetail());
  std::vector<int> faces(static_cast<std::size_t>(4 * n));
  for (int i = 0; i < 4 * n; ++i) faces[static_cast<std::size_t>(i)] = i;
  std::mt19937 random(seed);
  std::shuffle(faces.begin(), faces.end(), random);
  const int odd[3][3] = {{0, 2, 1}, {1, 0, 2}, {2, 1, 0}};
  for (std::size_t k = 0; k + 1 < faces.size(); k += 2) {
    int a = faces[k];
    int b = faces[k + 1];
    const int* map = odd[random() % 3];
    TDetail::GlueFaces(tetrahedra[static_cast<std::size_t>(a / 4)], a % 4,
                       tetrahedra[static_cast<std::size_t>(b / 4)], b % 4, map[0], map[1], map[2],
                       1);
  }
}

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
    GlueAtRandom(details, n, 7);
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
