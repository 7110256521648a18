// Turaev-Viro state sums of orders 3 to 7 on the dual spines of closed census
// triangulations of 1 to 6 tetrahedra (three of each size where the census
// sample has them). The counter "s_per_spine" is the time of one order on one
// spine; the state sum grows with the number of admissible colourings, that
// is roughly like (r - 1)^(cells) pruned by the edge test.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/status_reporter.h"
#include "invariants/turaev_viro_calculator.h"
#include "shell/document_spine.h"
#include "shell/options.h"

namespace {

const std::vector<std::vector<const char*>> kCensusBySize = {
    {"bkaagb", "bkaajj", "bkaajn"},
    {"cMcabbjaj", "cPcbbbahh", "cPcbbbaai"},
    {"dLQbcbchhjs", "dLQbcbchhjw", "dLQbcbchxjj"},
    {"eLAkbcbddhhjhk", "eLAkbcbddhhjhr", "eLAkbcbddhhjqn"},
    {"fLAMcbcbdeehhwhxj", "fvPQcdecedekrsnrs"},
    {"gLAMPbcbdeffhhjqqhr", "gLLMQacdefefjkakkrj", "gLLAQbcedfeftsqsxwr"},
};

// Calculators set up on the dual spines of the census entries of n tetrahedra.
std::vector<std::unique_ptr<TTuraevViroCalculator>> SetUp(int tetrahedra) {
  std::vector<std::unique_ptr<TTuraevViroCalculator>> calculators;
  for (const char* signature : kCensusBySize[static_cast<std::size_t>(tetrahedra - 1)]) {
    TDocumentSpine document;
    TDocumentSpine::TScope scope(document);
    if (document.ParseDocumentText(signature, TOptionValues{}) == 0) continue;
    auto calculator = std::make_unique<TTuraevViroCalculator>();
    calculator->Setup(document.Spine());
    calculators.push_back(std::move(calculator));
  }
  return calculators;
}

}  // namespace

static void BM_TuraevViroOrder(benchmark::State& state) {
  const int tetrahedra = static_cast<int>(state.range(0));
  const int order = static_cast<int>(state.range(1));
  SuppressStatus();
  auto calculators = SetUp(tetrahedra);
  UnsuppressStatus();
  for (auto _ : state) {
    for (auto& calculator : calculators) {
      if (calculator->ComputeOrder(order, kTuraevViroFull, -1, nullptr) != kTuraevViroDone) {
        state.SkipWithError("the state sum did not finish");
      }
    }
  }
  state.counters["spines"] = static_cast<double>(calculators.size());
  state.counters["s_per_spine"] = benchmark::Counter(
      static_cast<double>(calculators.size()),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TuraevViroOrder)
    ->ArgsProduct({{1, 2, 3, 4, 5, 6}, {3, 4, 5, 6, 7}})
    ->Unit(benchmark::kMillisecond);

// Order 16 on the smallest spines: the tables of the order (built inside the
// sum) and the Racah sums the spine meets.
static void BM_TuraevViroOrderSixteen(benchmark::State& state) {
  const int tetrahedra = static_cast<int>(state.range(0));
  SuppressStatus();
  auto calculators = SetUp(tetrahedra);
  UnsuppressStatus();
  for (auto _ : state) {
    for (auto& calculator : calculators) calculator->ComputeOrder(16, kTuraevViroFull, -1, nullptr);
  }
  state.counters["s_per_spine"] = benchmark::Counter(
      static_cast<double>(calculators.size()),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TuraevViroOrderSixteen)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
