#include <benchmark/benchmark.h>

#include <string>

#include "foundation/private_heap.h"
#include "foundation/status_reporter.h"
#include "model/homology.h"
#include "shell/document_spine.h"
#include "shell/options.h"

// The homology of spines whose relation matrices are large and sparse. The
// exact sparse elimination should grow close to linearly with the size; a
// dense elimination grows with its cube.

namespace {

// The cell text "i i+1 -i" per line, i = 1..n: one vertex of valency 2n + 1
// (the spine does not thicken), n cells and n + 1 generator loops.
std::string ChainText(int n) {
  std::string text;
  for (int i = 1; i <= n; ++i) {
    text += std::to_string(i) + " " + std::to_string(i + 1) + " -" + std::to_string(i) + "\n";
  }
  return text;
}

// Each iteration computes the homology of the parsed spine afresh.
void ComputeHomologyOf(benchmark::State& state, const std::string& text) {
  SuppressStatus();
  {
    TDocumentSpine document;
    if (document.ParseDocumentText(text.c_str(), TOptionValues{}) != 1) {
      state.SkipWithError("the text gave no spine");
    } else {
      TDocumentSpine::TScope scope(document);
      for (auto _ : state) {
        THomologyList list;
        list.Compute(document.Spine(), 1);
        benchmark::DoNotOptimize(list.Count());
      }
    }
  }
  UnsuppressStatus();
}

}  // namespace

static void BM_HomologyOfCellChain(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  ComputeHomologyOf(state, ChainText(n));
  state.SetComplexityN(n);
}
BENCHMARK(BM_HomologyOfCellChain)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Arg(8000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// The Heegaard diagram "heegaard 0 n 777 0 2 0" (H_1 = Z_{n/2}).
static void BM_HomologyOfHeegaardDiagram(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  ComputeHomologyOf(state, "heegaard 0 " + std::to_string(n) + " 777 0 2 0");
  state.SetComplexityN(n);
}
BENCHMARK(BM_HomologyOfHeegaardDiagram)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
