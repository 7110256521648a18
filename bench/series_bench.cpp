#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#include "foundation/output.h"
#include "series/series_runner.h"
#include "shell/options.h"

// A signature series over the cusped census, its first 150, 300, 600 and
// 1200 manifolds (up to 6 tetrahedra): items per second and the memory the
// run holds at its end (the table, its report and the parse heap). The cost
// of an item must not grow with the table beyond a logarithm, so the items
// per second should stay about level across the sizes.

namespace {

// The census: $SORVELIN_CENSUS_FILE, else the project's copy (run from the
// source folder).
std::string CensusSignatures(int count) {
  const char* given = std::getenv("SORVELIN_CENSUS_FILE");
  std::ifstream file(given != nullptr ? given : "tests/data/census/cusped-census-8.tsv");
  std::string line;
  std::getline(file, line);  // the header
  std::string text;
  for (int n = 0; n < count && std::getline(file, line); ++n) {
    // tetrahedra, cusps, name, signature, homology
    std::size_t at = 0;
    for (int column = 0; column < 3; ++column) at = line.find('\t', at) + 1;
    text += line.substr(at, line.find('\t', at) - at) + "\n";
  }
  return text;
}

void BM_SignatureSeries(benchmark::State& state) {
  const int items = static_cast<int>(state.range(0));
  const std::string text = CensusSignatures(items);
  if (std::count(text.begin(), text.end(), '\n') != items) {
    state.SkipWithError("the census file was not found or is too short (see SORVELIN_CENSUS_FILE)");
    return;
  }
  TOptionValues options;
  TOptions::Preset(1, options).Apply(options);
  double bytes = 0;
  for (auto _ : state) {
    const std::size_t before = mallinfo2().uordblks;
    TOutput output;
    TSeriesRunner runner(options, output);
    runner.Run(text);
    bytes = static_cast<double>(mallinfo2().uordblks - before);
    benchmark::DoNotOptimize(output.Text());
  }
  state.counters["items_per_s"] =
      benchmark::Counter(static_cast<double>(items) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["bytes_held"] = bytes;
  state.counters["bytes_per_item"] = bytes / items;
}

}  // namespace

BENCHMARK(BM_SignatureSeries)->Arg(150)->Arg(300)->Arg(600)->Arg(1200)->Unit(benchmark::kMillisecond)->Iterations(1);
