#include <benchmark/benchmark.h>

#include <memory>

#include "foundation/private_heap.h"
#include "model/edge.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "recognition/compound_code.h"

// The canonical code of a chain of n Seifert pieces: two discs at the ends,
// annuli between them, glued with gluings that do not match fibres. The
// search tries the fibre directions of every piece (2^n, times 2 for the
// mirror image) and every order of pieces with equal codes (k!), so it is
// exponential; kCompoundSearchLimit (2^18 candidates) bounds it, past which
// the molecule is left unnamed. Two families show the two growths:
//   Distinct: every piece has a fibre of its own order, so no order is
//     searched: 2^n candidates per pass of O(n) work each, time growing
//     about 2.2x per piece; the largest chain searched has 18 pieces
//     (about 0.6 s), 19 is refused at once.
//   Equal: the inner pieces are alike, the two ends too: 2 (n-2)! 2^n
//     candidates per pass; the largest chain searched has 7 pieces, 8 is
//     refused at once.

namespace {

const int kPrimes[] = {3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47, 53, 59, 61, 67, 71, 73};

std::unique_ptr<TObjectTable> Chain(int n, bool distinct) {
  auto table = std::make_unique<TObjectTable>();
  THandle previous;
  for (int i = 0; i < n; ++i) {
    THandle v(table->NewAtom(kSeifertAtom));
    const bool end = i == 0 || i == n - 1;
    TMoleculeVertex::ResetByType(v, end ? kBaseDisk : kBaseAnnulus);
    TMoleculeVertex::AddPair(v, 2, 1);
    TMoleculeVertex::AddPair(v, distinct ? kPrimes[i % 20] : (end ? 3 : 5), 1);
    if (i > 0) {
      THandle e(table->NewMoleculeEdge(kTrueMoleculeEdge));
      TMoleculeEdge::SetGluingValues(e, 1, 2, 1, 1);
      TEdge::SetEndVertex(e, previous, 1);
      TEdge::SetEndVertex(e, v, 2);
    }
    previous = v;
  }
  return table;
}

void Run(benchmark::State& state, bool distinct) {
  THeapContext context;
  PushHeapContext(context);
  PrivateHeapCreate(1);
  const int n = static_cast<int>(state.range(0));
  int answer = 0;
  for (auto _ : state) {
    TManifoldDescription d;
    d.SetMolecule(Chain(n, distinct).release());
    answer = BuildCompoundCode(d, kCompoundCode);
    benchmark::DoNotOptimize(answer);
  }
  state.counters["searched"] = answer;
  PopHeapContext(context);
}

void BM_CompoundCodeDistinctChain(benchmark::State& state) { Run(state, true); }
void BM_CompoundCodeEqualChain(benchmark::State& state) { Run(state, false); }

}  // namespace

BENCHMARK(BM_CompoundCodeDistinctChain)->Arg(2)->Arg(4)->Arg(8)->Arg(16)->Arg(18)->Arg(19)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompoundCodeEqualChain)->Arg(2)->Arg(4)->Arg(7)->Arg(8)->Unit(benchmark::kMillisecond);
