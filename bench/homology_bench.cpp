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

// A document from its text to its homology, as "homology-group" runs it: the
// parse, the thickening, the homology and the teardown, every iteration anew.
namespace {

void DocumentToHomology(benchmark::State& state, const std::string& text) {
  SuppressStatus();
  for (auto _ : state) {
    TDocumentSpine document;
    if (document.ParseDocumentText(text.c_str(), TOptionValues{}) != 1) {
      state.SkipWithError("the text gave no spine");
      break;
    }
    TDocumentSpine::TScope scope(document);
    document.EnsureThickened();
    THomologyList list;
    list.Compute(document.Spine(), 1);
    benchmark::DoNotOptimize(list.Count());
  }
  UnsuppressStatus();
}

}  // namespace

// Surgery on the trefoil with framing n.
static void BM_DocumentOfFramedTrefoil(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  DocumentToHomology(state, "link code 1 -2 3 -1 2 -3 framing " + std::to_string(n) + " end");
  state.SetComplexityN(n);
}
BENCHMARK(BM_DocumentOfFramedTrefoil)
    ->Arg(3750)
    ->Arg(7500)
    ->Arg(15000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// One line of 20 edges from +-1..9 repeated to 128 KB .. 1 MB: few edges,
// each on thousands of cells.
static void BM_DocumentOfSharedEdgesCells(benchmark::State& state) {
  const std::string line = "2 -2 -8 -7 2 -1 -7 8 -4 6 1 9 7 7 9 8 -9 6 4 -5\n";
  std::string text;
  while (text.size() < static_cast<std::size_t>(state.range(0)) * 1024) text += line;
  DocumentToHomology(state, text);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_DocumentOfSharedEdgesCells)
    ->Arg(128)
    ->Arg(256)
    ->Arg(512)
    ->Arg(1024)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
