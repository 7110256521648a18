#include <benchmark/benchmark.h>

#include <string>

#include "shell/document_commands.h"
#include "shell/options.h"

// Recognition (Till Main) of lens spaces of the closed census from their
// isomorphism signatures, by the number of tetrahedra: 1, 2, 4, 8. Each run
// parses, thickens, searches and prints, as the command line does.

namespace {

const char* SignatureOfSize(int tetrahedra) {
  switch (tetrahedra) {
    case 1: return "bkaajn\n";                      // L(5,2)
    case 2: return "cMcabbjqs\n";                   // L(8,3)
    case 4: return "eLAkbcbddhhjhk\n";              // L(7,1)
    default: return "iLAMzMcbcbdefghhhhjhxqqqw\n";  // L(35,6)
  }
}

void BM_RecognizeLensSpace(benchmark::State& state) {
  const std::string text = SignatureOfSize(static_cast<int>(state.range(0)));
  const TOptionValues options;
  for (auto _ : state) {
    const TCommandResult r = RunCommandOnText(49, text, options);
    benchmark::DoNotOptimize(r.shown.data());
  }
}

}  // namespace

BENCHMARK(BM_RecognizeLensSpace)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);
