// DW invariants (Z/2, cocycle abc) of the dual spines of closed census
// triangulations of 1, 2, 4 and 8 tetrahedra, three of each size, by both
// routes. The linear algebra subdivides one-vertex triangulations (24
// tetrahedra each), so its work is the Z/2 elimination over the subdivision's
// edges plus 2^(dim H^1) weight sums; at census sizes parsing and subdividing
// dominate and the time about doubles with the size. The colouring sum splits
// the loop edges (about one vertex more per tetrahedron) and visits every
// cocycle, 2^(b-1) |H^1(M; Z/2)| of them with b vertices: it grows
// exponentially with the size.
#include <benchmark/benchmark.h>

#include <vector>

#include "foundation/status_reporter.h"
#include <memory>

#include "invariants/dw_calculator.h"
#include "invariants/dw_cohomology_sum.h"
#include "invariants/dw_pre_reductions.h"
#include "shell/document_spine.h"
#include "shell/options.h"

namespace {

const std::vector<const char*>& CensusOfSize(int tetrahedra) {
  static const std::vector<const char*> one = {"bkaagb", "bkaajj", "bkaajn"};
  static const std::vector<const char*> two = {"cMcabbjaj", "cPcbbbahh", "cPcbbbaai"};
  static const std::vector<const char*> four = {"eLAkbcbddhhjhk", "eLAkbcbddhhjhr",
                                                "eLAkbcbddhhjqn"};
  static const std::vector<const char*> eight = {
      "iLAMzMcbcbdefghhhhjhxqqqw", "iLAMzMcbcbdefghhhxjxxxxqs", "iLAMzMcbcbdefghhhhjqxxxhw"};
  switch (tetrahedra) {
    case 1:
      return one;
    case 2:
      return two;
    case 4:
      return four;
    default:
      return eight;
  }
}

// Reads each census triangulation of the size into a document of its own
// and hands its spine to `use`; marks the benchmark and stops at one that
// does not parse.
template <typename Use>
void ForEachCensusSpine(benchmark::State& state, int tetrahedra, Use use) {
  for (const char* signature : CensusOfSize(tetrahedra)) {
    TDocumentSpine document;
    TDocumentSpine::TScope scope(document);
    if (document.ParseDocumentText(signature, TOptionValues{}) == 0) {
      state.SkipWithError("the signature did not parse");
      return;
    }
    use(document.Spine());
  }
}

}  // namespace

static void BM_DWInvariant(benchmark::State& state) {
  const int tetrahedra = static_cast<int>(state.range(0));
  SuppressStatus();
  for (auto _ : state) {
    ForEachCensusSpine(state, tetrahedra, [&](TSpine& spine) {
      TDWCohomologySum calculator;
      calculator.Setup(spine);
      if (!calculator.Compute()) state.SkipWithError("the sum was refused");
      benchmark::DoNotOptimize(calculator.NormalisedSum());
    });
  }
  UnsuppressStatus();
  state.counters["tetrahedra"] = tetrahedra;
}
BENCHMARK(BM_DWInvariant)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

// The pre-reductions and the colouring state sum, as the command runs them.
static void BM_DWColouringSum(benchmark::State& state) {
  const int tetrahedra = static_cast<int>(state.range(0));
  SuppressStatus();
  double vertices = 0;
  for (auto _ : state) {
    vertices = 0;
    ForEachCensusSpine(state, tetrahedra, [&](TSpine& spine) {
      std::unique_ptr<TSpine> built;
      TDWCalculator calculator;
      calculator.Setup(ReduceForDW(spine, built));
      if (calculator.Compute() != TDWCalculator::kDone) state.SkipWithError("the sum was stopped");
      benchmark::DoNotOptimize(calculator.Sum());
      vertices += calculator.CornerClassCount();
    });
  }
  UnsuppressStatus();
  state.counters["tetrahedra"] = tetrahedra;
  state.counters["mean b"] = vertices / 3;
}
BENCHMARK(BM_DWColouringSum)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);
