#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "model/edge.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "recognition/description_building.h"
#include "recognition/result_table.h"
#include "support/model_heap.h"

// A table of n entries: graph manifolds of two Seifert pieces each (so every
// entry carries a molecule), with a source per entry. Saving and loading
// should both grow linearly with n.
static void Fill(TManifoldTable& table, int n) {
  table.SetCurrentSourceName("bench.series");
  for (int i = 0; i < n; ++i) {
    table.SetSourcePosition(i, -1);
    auto m = std::make_unique<TObjectTable>();
    THandle u(m->NewAtom(kSeifertAtom));
    TMoleculeVertex::ResetByType(u, kBaseDisk);
    TMoleculeVertex::AddPair(u, 2, 1);
    TMoleculeVertex::AddPair(u, 3, 1);
    THandle w(m->NewAtom(kSeifertAtom));
    TMoleculeVertex::ResetByType(w, kBaseDisk);
    TMoleculeVertex::AddPair(w, 2, 1);
    TMoleculeVertex::AddPair(w, 2 * i + 5, 2);
    THandle e(m->NewMoleculeEdge(kTrueMoleculeEdge));
    TMoleculeEdge::SetGluingValues(e, 1, 2, 1, 1);
    TEdge::SetEndVertex(e, u, 1);
    TEdge::SetEndVertex(e, w, 2);
    auto d = std::make_unique<TManifoldDescription>();
    BuildDescriptionFromMolecule(*d, *m, -1);
    d->SetComplexity(8);
    int index = -1;
    table.LookUp(index, std::move(d));
  }
}

static void BM_SaveBinaryTable(benchmark::State& state) {
  TScopedModelHeap heap;
  TManifoldTable table;
  Fill(table, static_cast<int>(state.range(0)));
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string file = table.SaveBinaryBytes();
    bytes = file.size();
    benchmark::DoNotOptimize(file.data());
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SaveBinaryTable)->Arg(250)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

static void BM_LoadBinaryTable(benchmark::State& state) {
  TScopedModelHeap heap;
  TManifoldTable table;
  Fill(table, static_cast<int>(state.range(0)));
  const std::string file = table.SaveBinaryBytes();
  for (auto _ : state) {
    TManifoldTable loaded;
    if (loaded.LoadBinaryBytes(file, "bench") != 1) state.SkipWithError("the table did not load");
    benchmark::DoNotOptimize(loaded.CountEntries());
  }
}
BENCHMARK(BM_LoadBinaryTable)->Arg(250)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);
