#include <benchmark/benchmark.h>

#include "foundation/heap_string.h"
#include "foundation/private_heap.h"

// A model of many small objects is released by destroying its heap as a whole,
// never by freeing the objects one by one.
static void BM_ModelHeapFillAndDestroy(benchmark::State& state) {
  const auto blocks = state.range(0);
  for (auto _ : state) {
    THeapContext context;
    PushHeapContext(context);
    for (long i = 0; i < blocks; ++i)
      benchmark::DoNotOptimize(PrivateHeapAlloc(48, kHeapGenerateExceptions));
    PopHeapContext(context);
    context.Destroy();
  }
  state.SetItemsProcessed(state.iterations() * blocks);
}
BENCHMARK(BM_ModelHeapFillAndDestroy)->Arg(1000)->Arg(100000);

// Report texts: one formatted string-table message per status line.
static void BM_FormatResource(benchmark::State& state) {
  TString text;
  for (auto _ : state) {
    text.FormatResource(155, "objman", 369u);
    benchmark::DoNotOptimize(text.CStr());
  }
}
BENCHMARK(BM_FormatResource);
