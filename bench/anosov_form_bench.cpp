#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "recognition/anosov_form.h"

// The normal form of the monodromy (1 1; k k+1), trace k + 2, whose word is
// (1, k): the Farey walk takes one step per unit of the run, so the time
// grows linearly in k (x2 per doubling), not in its logarithm. Monodromies
// that the moves produce have small entries; a huge one is still stoppable.

namespace {

void BM_AnosovNormalForm(benchmark::State& state) {
  const auto k = static_cast<std::int32_t>(state.range(0));
  std::size_t length = 0;
  for (auto _ : state) {
    std::int32_t m[4] = {1, 1, k, k + 1};
    std::vector<std::int32_t> word;
    NormalizeMonodromyMatrix(m, word);
    length = word.size();
    benchmark::DoNotOptimize(m);
  }
  state.counters["word"] = static_cast<double>(length);
}

}  // namespace

BENCHMARK(BM_AnosovNormalForm)->Arg(1000)->Arg(2000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMicrosecond);
