// The hyperbolic volume engine on the closed hyperbolic manifolds of 9 and 10
// tetrahedra of the census sample (time per manifold, from the spine text),
// and the whole engine on spines of the Weeks manifold dual to triangulations
// made larger by 2-3 moves (9, 18, 36, 72 tetrahedra): the growth of parsing
// and of the simplification that takes them back to a small triangulation.
// Last, L(61, 7) of the sample's 10 tetrahedra, which takes the solver
// through all its retries.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "foundation/status_reporter.h"
#include "invariants/hyperbolic/hyperbolic_volume_engine.h"
#include "invariants/hyperbolic/spine_curves_text.h"
#include "invariants/hyperbolic/spine_text_parser.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "support/dual_spine_text.h"

namespace {

// The hyperbolic manifolds of 9 and 10 tetrahedra in the closed census
// sample (tests/data/census/closed-census-sample.tsv holds these four among
// its 213 manifolds of 9 and 10 tetrahedra).
const char* const kHyperbolicCensus[] = {
    "jLvAMPQadfgghhiiijaqgjqxims",     // Weeks, 0.9427
    "jLvALQQadfgfihhiijaqjvuxxec",     // Meyerhoff, 0.9814
    "jLLvQMQcdfeghiihihsqaggqtni",     // 1.2637
    "kLLLALQkcegfegjiijjhqhaxrlmhlf",  // 1.5295
};

std::string CurvesText(const char* signature) {
  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  if (document.ParseDocumentText(signature, TOptionValues{}) == 0) return {};
  return SpineCurvesText(document.Spine());
}

}  // namespace

static void BM_HyperbolicVolumeOfCensusManifolds(benchmark::State& state) {
  SuppressStatus();
  std::vector<std::string> texts;
  for (const char* signature : kHyperbolicCensus) texts.push_back(CurvesText(signature));
  UnsuppressStatus();
  for (auto _ : state) {
    for (const std::string& text : texts) {
      THyperbolicVolumeEngine engine;
      double volume = 0;
      if (!engine.HyperbolicVolume(text.c_str(), volume)) state.SkipWithError("no volume");
      benchmark::DoNotOptimize(volume);
    }
  }
  state.counters["s_per_manifold"] = benchmark::Counter(
      static_cast<double>(texts.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_HyperbolicVolumeOfCensusManifolds)->Unit(benchmark::kMillisecond);

static void BM_HyperbolicVolumeOfLargerSpines(benchmark::State& state) {
  const int tetrahedra = static_cast<int>(state.range(0));
  SuppressStatus();
  const std::string census = CurvesText(kHyperbolicCensus[0]);
  UnsuppressStatus();
  TEngineMessages messages;
  std::vector<int> cycles;
  int count = 0;
  ParseSpineTextToDartCycles(census.c_str(), messages, cycles, count);
  TTriangulationStore store(messages);
  store.BuildFromDartCycles(cycles);
  std::mt19937 random(5);
  for (int attempt = 0; store.TetrahedronCount() < tetrahedra && attempt < 10000; ++attempt) {
    store.TwoThreeMove(store.TetrahedronDart(static_cast<int>(random() % static_cast<unsigned>(store.TetrahedronCount()))) +
                       static_cast<int>(random() % 12));
  }
  const std::string text = DualSpineCurvesText(store);
  for (auto _ : state) {
    THyperbolicVolumeEngine engine;
    double volume = 0;
    if (!engine.HyperbolicVolume(text.c_str(), volume)) state.SkipWithError("no volume");
    benchmark::DoNotOptimize(volume);
  }
  state.counters["tetrahedra"] = store.TetrahedronCount();
}
BENCHMARK(BM_HyperbolicVolumeOfLargerSpines)->Arg(9)->Arg(18)->Arg(36)->Arg(72)->Unit(benchmark::kMillisecond);

static void BM_HyperbolicVolumeFailsOnALensSpace(benchmark::State& state) {
  SuppressStatus();
  const std::string text = CurvesText("kLAMzMzkbcbdefghijjhhjhhhhqxxn");  // L(61, 7)
  UnsuppressStatus();
  for (auto _ : state) {
    THyperbolicVolumeEngine engine;
    double volume = 0;
    if (engine.HyperbolicVolume(text.c_str(), volume)) state.SkipWithError("a volume");
    benchmark::DoNotOptimize(volume);
  }
}
BENCHMARK(BM_HyperbolicVolumeFailsOnALensSpace)->Unit(benchmark::kMillisecond);
