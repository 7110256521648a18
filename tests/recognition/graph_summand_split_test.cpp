#include "recognition/graph_summand_split.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <utility>

#include "molecule_fixture.h"
#include "recognition/description_building.h"
#include "support/description_counts.h"
#include "support/model_heap.h"
#include "support/piece_on_no_cycle_molecule.h"

namespace {

std::unique_ptr<TManifoldDescription> Describe(std::unique_ptr<TObjectTable> molecule) {
  return DescribeMolecule(*molecule);
}

int SumOfS2xS1(const TManifoldDescription& d) {
  int total = 0;
  for (const TManifoldDescription* s = &d; s != nullptr; s = s->GetNextSummand()) total += CountsOf(*s).s2xs1;
  return total;
}

}  // namespace

// The piece with the fibre (0, 1) lies on no cycle: the molecule falls into
// three components and no S^2xS^1 summand appears.
TEST(GraphSummandSplit, APieceOnNoCycleSplitsIntoSummandsWithoutS2xS1) {
  TScopedModelHeap heap;
  auto m = PieceOnNoCycleMolecule();
  auto d = Describe(std::move(m));
  ASSERT_EQ(d->GetTypeCode(), kCompoundCode);
  d->SetBoundaryCounts(0, 0, 1);
  d->SetNextSummand(std::make_unique<TManifoldDescription>());
  d->GetNextSummand()->SetLensCode(7, 2);

  ASSERT_EQ(SplitGraphSummand(*d), 1);
  // Three components and the lens space that followed, still last.
  ASSERT_EQ(d->CountSummands(), 4);
  const TManifoldDescription* last = d.get();
  while (last->GetNextSummand() != nullptr) last = last->GetNextSummand();
  int p = 0, q = 0;
  EXPECT_EQ(last->GetLensParameters(p, q), 1);
  EXPECT_EQ(p, 7);
  EXPECT_EQ(SumOfS2xS1(*d), 0);
  // The solid-torus part is kept.
  EXPECT_EQ(CountsOf(*d).solidTori, 1);
}

// A piece whose only edge is a loop: cutting it breaks the one cycle.
TEST(GraphSummandSplit, CuttingALoopAddsOneS2xS1) {
  TScopedModelHeap heap;
  auto m = std::make_unique<TObjectTable>();
  THandle u = SeifertAtom(*m, kBaseAnnulus, {{0, 1}, {2, 1}});
  Glue(*m, u, u, 0, 1, 1, 0);
  auto d = Describe(std::move(m));
  ASSERT_EQ(d->GetTypeCode(), kCompoundCode);
  const int before = SumOfS2xS1(*d);
  ASSERT_EQ(SplitGraphSummand(*d), 1);
  EXPECT_EQ(d->CountSummands(), 2);
  EXPECT_EQ(SumOfS2xS1(*d), before + 1);
}

// Two pieces with zero fibres: one cut per call, each on the summand that
// still holds such a piece, until none is left.
TEST(GraphSummandSplit, TwoZeroPiecesAreCutOneAtATime) {
  TScopedModelHeap heap;
  auto m = std::make_unique<TObjectTable>();
  THandle u1 = SeifertAtom(*m, kBaseAnnulus, {{0, 1}});
  THandle u2 = SeifertAtom(*m, kBaseAnnulus, {{0, 1}});
  THandle w = SeifertAtom(*m, kBaseAnnulus, {{2, 1}, {3, 1}});
  THandle x1 = SeifertAtom(*m, kBaseDisk, {{2, 1}, {5, 2}});
  THandle x2 = SeifertAtom(*m, kBaseDisk, {{3, 1}, {4, 1}});
  Glue(*m, u1, w, 0, 1, 1, 0);
  Glue(*m, u1, x1, 0, 1, 1, 0);
  Glue(*m, u2, w, 0, 1, 1, 0);
  Glue(*m, u2, x2, 0, 1, 1, 0);
  auto d = Describe(std::move(m));
  ASSERT_EQ(d->GetTypeCode(), kCompoundCode);
  int cuts = 0;
  for (int pass = 0; pass < 10; ++pass) {
    int cut = 0;
    for (TManifoldDescription* s = d.get(); s != nullptr && cut == 0; s = s->GetNextSummand())
      cut = SplitGraphSummand(*s);
    if (cut == 0) break;
    ++cuts;
  }
  EXPECT_EQ(cuts, 2);
  EXPECT_EQ(SumOfS2xS1(*d), 0);
}

// A zero pair that is not first marks no piece to cut: the summand answers 0
// and keeps all three counts (they were once zeroed before the search). The
// description's own build puts a zero pair first, so the molecule is set by
// hand here.
TEST(GraphSummandSplit, NothingToCutKeepsTheCounts) {
  TScopedModelHeap heap;
  auto m = std::make_unique<TObjectTable>();
  THandle u = SeifertAtom(*m, kBaseAnnulus, {{2, 1}, {0, 1}});
  THandle w = SeifertAtom(*m, kBaseDisk, {{2, 1}, {3, 1}});
  THandle x = SeifertAtom(*m, kBaseDisk, {{2, 1}, {5, 2}});
  Glue(*m, u, w, 0, 1, 1, 0);
  Glue(*m, u, x, 0, 1, 1, 0);
  auto d = std::make_unique<TManifoldDescription>();
  d->SetMolecule(m.release());
  TPieceCode code;
  code.SetWord(kCodeType, kCompoundCode);
  code.SetWord(kCodeZeroPairFlag, 1);
  d->SetPieceCode(code);
  int summands = 0, s2xs1 = 0, zeroPair = 0;
  d->IsReducible(summands, s2xs1, zeroPair);
  ASSERT_EQ(zeroPair, 1);
  d->SetBoundaryCounts(2, 1, 1);
  const auto words = d->GetPieceCode().Words();
  EXPECT_EQ(SplitGraphSummand(*d), 0);
  EXPECT_EQ(CountsOf(*d), (TCounts{2, 1, 1}));
  EXPECT_EQ(d->GetPieceCode().Words(), words);

  // Other types are not cut at all.
  TManifoldDescription lens;
  lens.SetLensCode(5, 2);
  EXPECT_EQ(SplitGraphSummand(lens), 0);
}
