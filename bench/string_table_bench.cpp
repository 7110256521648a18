#include <benchmark/benchmark.h>

#include "foundation/string_table.h"

// Every message and report line goes through a string-table lookup.
static void BM_StringTableLookup(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(StringTableText(155));
  }
}
BENCHMARK(BM_StringTableLookup);
