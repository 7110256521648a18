// The epsilon invariant and the surface searches on dual spines of closed
// census triangulations of 1, 2, 4 and 8 tetrahedra (sizes x2, x4, x8). A
// one-vertex triangulation of t tetrahedra has a spine of t+1 cells, so the
// 2^(t+1) subsets of the epsilon sum and the (k+1)^(t+1) vectors of plate
// degree k bound the work; the edge tests prune most of them.
#include <benchmark/benchmark.h>

#include <string>

#include "foundation/status_reporter.h"
#include "invariants/epsilon_invariant.h"
#include "invariants/normal_surface.h"
#include "invariants/surface_search.h"
#include "shell/document_spine.h"
#include "shell/options.h"

namespace {

const char* SignatureOf(int tetrahedra) {
  switch (tetrahedra) {
    case 1: return "bkaajj";
    case 2: return "cPcbbbqxh";
    case 4: return "eLAkbccddemken";
    default: return "iLLAMMcacddfgghhjkaitpwas";
  }
}

template <typename TWork>
void RunOnCensusSpine(benchmark::State& state, TWork&& work) {
  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  SuppressStatus();
  const int parsed = document.ParseDocumentText(SignatureOf(static_cast<int>(state.range(0))),
                                                TOptionValues{});
  UnsuppressStatus();
  if (parsed == 0) {
    state.SkipWithError("no spine");
    return;
  }
  for (auto _ : state) work(document.Spine());
}

}  // namespace

static void BM_EpsilonInvariant(benchmark::State& state) {
  RunOnCensusSpine(state, [](TSpine& spine) {
    TEpsilonCalculator calculator;
    calculator.LoadSpine(spine);
    calculator.Compute(nullptr);
    benchmark::DoNotOptimize(calculator.Result());
  });
}
BENCHMARK(BM_EpsilonInvariant)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

static void BM_SpineSurfaces(benchmark::State& state) {
  RunOnCensusSpine(state, [](TSpine& spine) {
    benchmark::DoNotOptimize(SearchSpineSurfaces(spine).surfaces.size());
  });
}
BENCHMARK(BM_SpineSurfaces)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

static void BM_NormalSurfacesToDegreeTwo(benchmark::State& state) {
  RunOnCensusSpine(state, [](TSpine& spine) {
    benchmark::DoNotOptimize(SearchNormalSurfaces(spine, 2, 0).surfaces.size());
  });
}
BENCHMARK(BM_NormalSurfacesToDegreeTwo)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);
