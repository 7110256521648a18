#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "shell/document_commands.h"
#include "shell/options.h"

// Recognition (Till Main, as the command line runs it: parse, thicken,
// search, print) of every manifold of the closed census sample from its
// isomorphism signature. One benchmark per manifold, named by its number of
// tetrahedra (the growth) and its census name; each is repeated and reports
// its median and 95th percentile. Every recognition runs under the time limit
// of the settings (MaxAllVariantsTime, 2 s here unless
// SORVELIN_BENCH_TIME_LIMIT_MS says otherwise), so the whole run ends.
//
//   recognition_bench --benchmark_filter='Recognize/4/'   (the four-tetrahedra ones)
//   SORVELIN_CENSUS_SAMPLE=/path/to.tsv recognition_bench

namespace {

struct TSample {
  int tetrahedra = 0;
  std::string name;
  std::string signature;
};

std::string SamplePath() {
  if (const char* path = std::getenv("SORVELIN_CENSUS_SAMPLE"); path != nullptr && *path != '\0') return path;
  std::string here = __FILE__;
  return here.substr(0, here.rfind('/') + 1) + "../tests/data/census/closed-census-sample.tsv";
}

// Lines "tets <tab> name <tab> isosig <tab> homology" after a header line.
std::vector<TSample> ReadSample(const std::string& path) {
  std::vector<TSample> samples;
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream fields(line);
    std::string tets;
    TSample s;
    if (!std::getline(fields, tets, '\t') || !std::getline(fields, s.name, '\t') ||
        !std::getline(fields, s.signature, '\t'))
      continue;
    s.tetrahedra = std::atoi(tets.c_str());
    if (s.tetrahedra > 0 && !s.signature.empty()) samples.push_back(s);
  }
  return samples;
}

int TimeLimitMs() {
  const char* text = std::getenv("SORVELIN_BENCH_TIME_LIMIT_MS");
  const int limit = text != nullptr ? std::atoi(text) : 0;
  return limit > 0 ? limit : 2000;
}

double Percentile95(const std::vector<double>& values) {
  if (values.empty()) return 0;
  std::vector<double> sorted = values;
  std::sort(sorted.begin(), sorted.end());
  const std::size_t at = (sorted.size() * 95 + 99) / 100;
  return sorted[std::min(sorted.size(), std::max<std::size_t>(at, 1)) - 1];
}

void RecognizeOne(benchmark::State& state, const TSample& sample) {
  TOptionValues options;
  options.MaxAllVariantsTime = TimeLimitMs();
  const std::string text = sample.signature + "\n";
  bool named = true;
  for (auto _ : state) {
    const TCommandResult r = RunCommandOnText(49, text, options);
    named = named && r.outcome == TCommandOutcome::kDone;
    benchmark::DoNotOptimize(r.shown.data());
  }
  state.counters["tetrahedra"] = sample.tetrahedra;
  state.counters["done"] = named ? 1 : 0;
}

const bool kRegistered = [] {
  const std::vector<TSample> samples = ReadSample(SamplePath());
  for (const TSample& s : samples) {
    const std::string name = "Recognize/" + std::to_string(s.tetrahedra) + "/" + s.name;
    benchmark::RegisterBenchmark(name.c_str(), [s](benchmark::State& state) { RecognizeOne(state, s); })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(5)
        ->ComputeStatistics("p95", Percentile95)
        ->ReportAggregatesOnly(true);
  }
  return !samples.empty();
}();

}  // namespace
