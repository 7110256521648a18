#include <benchmark/benchmark.h>

#include "foundation/digit_counter.h"
#include "foundation/permutation.h"

// Relabelling searches step through permutations in the inner loop; a step
// allocates nothing, so its cost is the scan and the sort of the suffix.
static void BM_PermutationNextAllOfEight(benchmark::State& state) {
  for (auto _ : state) {
    TPermutation p(8);
    long steps = 0;
    while (p.Next(-1)) ++steps;
    benchmark::DoNotOptimize(steps);
  }
  state.SetItemsProcessed(state.iterations() * 40320);
}
BENCHMARK(BM_PermutationNextAllOfEight);

// The prefix skip on a long permutation: each step sorts a long suffix.
static void BM_PermutationNextSkipLong(benchmark::State& state) {
  const auto n = static_cast<std::uint32_t>(state.range(0));
  for (auto _ : state) {
    TPermutation p(n);
    for (int i = 0; i < 100 && p.Next(1); ++i) {
    }
    benchmark::DoNotOptimize(p.At(0));
  }
}
BENCHMARK(BM_PermutationNextSkipLong)->Arg(64)->Arg(1024);

// Subsets of the 2-cells of a spine are enumerated with a binary counter.
static void BM_DigitCounterBinary20(benchmark::State& state) {
  for (auto _ : state) {
    auto counter = TDigitCounter::Create(2, 20);
    long steps = 0;
    while (counter->Next(19)) ++steps;
    benchmark::DoNotOptimize(steps);
  }
  state.SetItemsProcessed(state.iterations() * (1 << 20));
}
BENCHMARK(BM_DigitCounterBinary20);
