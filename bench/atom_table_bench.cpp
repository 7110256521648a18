#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/private_heap.h"
#include "model/spine.h"
#include "recognition/atom_table.h"
#include "recognition/atom_table_lookup.h"

// Loading the table splits its text into records and indexes the head
// lines' signatures: linear in the text. A lookup computes the signature of
// the piece (quadratic in its complexity, at most 8 here) and probes the
// index: independent of the size of the table.

namespace {

// The text of the first n records of the shipped table.
std::string_view TablePrefix(int n) {
  std::string_view text = AtomTableText();
  std::size_t at = 0;
  for (int i = 0; i <= n; ++i) {
    at = text.find("%*** Q", i == 0 ? 0 : at + 1);
    if (at == std::string_view::npos) return text;
  }
  return text.substr(0, at);
}

}  // namespace

static void BM_LoadAtomTable(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  std::string_view text = TablePrefix(records);
  int count = 0;
  for (auto _ : state) {
    std::string error;
    TAtomTable table = TAtomTable::FromText(text, error);
    count = table.Count();
    benchmark::DoNotOptimize(count);
  }
  state.counters["records"] = count;
  state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(BM_LoadAtomTable)->Arg(2200)->Arg(4400)->Arg(8800)->Arg(17661)->Unit(benchmark::kMillisecond);

// 1,000 random records of the given complexity (all complexities for 0),
// their spines built once; each iteration looks every one up. The counter
// median_us is the median time of one lookup.
static void BM_LookupRandomRecords(benchmark::State& state) {
  const int complexity = static_cast<int>(state.range(0));
  const TAtomTable& table = LoadAtomTable();
  std::vector<const TTableRecord*> candidates;
  for (int i = 0; i < table.Count(); ++i) {
    if (complexity == 0 || table.Record(i)->Complexity() == complexity) candidates.push_back(table.Record(i));
  }
  THeapContext context;
  PushHeapContext(context);
  PrivateHeapCreate(1);
  std::mt19937 random(12345);
  std::vector<std::unique_ptr<TSpine>> spines;
  std::vector<const TTableRecord*> records;
  for (int i = 0; i < 1000 && !candidates.empty(); ++i) {
    const TTableRecord* record = candidates[random() % candidates.size()];
    auto spine = std::make_unique<TSpine>();
    if (record->BuildSpine(*spine) != 1) continue;
    spines.push_back(std::move(spine));
    records.push_back(record);
  }
  std::vector<double> times(spines.size());
  int misses = 0;
  for (auto _ : state) {
    for (std::size_t i = 0; i < spines.size(); ++i) {
      auto start = std::chrono::steady_clock::now();
      const TTableRecord* found = FindAtomRecordOfSpine(*spines[i], records[i]->GetTorusCount());
      times[i] = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
      misses += found != records[i];
    }
  }
  std::nth_element(times.begin(), times.begin() + static_cast<long>(times.size() / 2), times.end());
  state.counters["median_us"] = times.empty() ? 0 : times[times.size() / 2];
  state.counters["lookups"] = static_cast<double>(spines.size());
  if (misses != 0) state.SkipWithError("a record was not found");
  spines.clear();
  PrivateHeapDestroyCurrent();
  PopHeapContext(context);
}
BENCHMARK(BM_LookupRandomRecords)->Arg(2)->Arg(4)->Arg(8)->Arg(0)->Unit(benchmark::kMillisecond);
