#include "recognition/entry_normal_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "molecule_fixture.h"
#include "recognition/description_building.h"
#include "support/description_counts.h"
#include "support/model_heap.h"
#include "support/piece_on_no_cycle_molecule.h"

namespace {

std::unique_ptr<TManifoldDescription> Lens(int p, int q) {
  auto d = std::make_unique<TManifoldDescription>();
  d->SetLensCode(p, q);
  d->SetComplexity(5);
  return d;
}

// The summands as "L(p,q)", "S3" or "type t", with the head's counts.
std::vector<std::string> Summands(const TManifoldDescription& d) {
  std::vector<std::string> out;
  for (const TManifoldDescription* s = &d; s != nullptr; s = s->GetNextSummand()) {
    int p = 0, q = 0;
    if (s->GetLensParameters(p, q) != 0) {
      out.push_back("L(" + std::to_string(p) + "," + std::to_string(q) + ")");
    } else if (s->GetTypeCode() == kTrivialCode) {
      out.push_back("S3");
    } else {
      out.push_back("type " + std::to_string(s->GetTypeCode()));
    }
  }
  return out;
}

// A Seifert description over the sphere with the fibres, built as the
// recognition builds it (the fibres in normal form, a zero pair first).
std::unique_ptr<TManifoldDescription> Seifert(std::initializer_list<std::pair<int, int>> fibres) {
  auto m = std::make_unique<TObjectTable>();
  SeifertAtom(*m, kBaseSphere, fibres);
  return DescribeMolecule(*m);
}

}  // namespace

TEST(EntryNormalForm, TrivialSummandsFoldIntoTheNext) {
  TScopedModelHeap heap;
  // S^2xS^1 (as L(0,1)) # S^3 # L(5,2): one summand, carrying the S^2xS^1.
  auto d = Lens(0, 1);
  d->SetNextSummand(Lens(1, 0));
  d->GetNextSummand()->SetNextSummand(Lens(5, 2));
  d->GetNextSummand()->GetNextSummand()->SetBoundaryCounts(0, 0, 1);
  d->SetComplexity(7);
  EXPECT_EQ(NormaliseSummands(d), 1);
  EXPECT_EQ(Summands(*d), (std::vector<std::string>{"L(5,2)"}));
  EXPECT_EQ(CountsOf(*d), (TCounts{0, 1, 1}));
  EXPECT_EQ(d->GetComplexity(), 7);

  // When every summand is trivial one stays.
  auto all = Lens(0, 1);
  all->SetNextSummand(Lens(0, 1));
  EXPECT_EQ(NormaliseSummands(all), 1);
  EXPECT_EQ(Summands(*all), (std::vector<std::string>{"S3"}));
  EXPECT_EQ(CountsOf(*all).s2xs1, 2);

  // Nothing to fold.
  auto prime = Lens(7, 2);
  EXPECT_EQ(NormaliseSummands(prime), 0);
}

TEST(EntryNormalForm, SeifertPiecesWithAZeroFibreAreSumsOfLensSpaces) {
  TScopedModelHeap heap;
  struct TCase {
    std::initializer_list<std::pair<int, int>> fibres;
    std::vector<std::string> summands;
    int s2xs1;
  };
  // (With at most two fibres besides the zero one the piece is read as a
  // lens space directly.)
  const TCase cases[] = {
      {{{0, 1}, {2, 1}, {3, 1}}, {"L(2,1)", "L(3,1)"}, 0},
      {{{0, 1}, {2, 1}, {3, 1}, {5, 2}}, {"L(2,1)", "L(3,1)", "L(5,2)"}, 0},
      // A second zero fibre adds S^2xS^1.
      {{{0, 1}, {0, 1}, {3, 1}}, {"L(3,1)"}, 1},
  };
  for (const TCase& c : cases) {
    auto d = Seifert(c.fibres);
    SCOPED_TRACE(testing::PrintToString(Summands(*d)));
    ASSERT_EQ(d->GetTypeCode(), kSeifertCode);
    ASSERT_EQ(d->IsReducible(), 1);
    NormaliseReducible(d);
    std::vector<std::string> summands = Summands(*d);
    std::sort(summands.begin(), summands.end());
    EXPECT_EQ(summands, c.summands);
    int s2xs1 = 0;
    for (const TManifoldDescription* s = d.get(); s != nullptr; s = s->GetNextSummand()) s2xs1 += CountsOf(*s).s2xs1;
    EXPECT_EQ(s2xs1, c.s2xs1);
    EXPECT_EQ(d->GetMark(), 1);
  }
}

TEST(EntryNormalForm, IrreducibleDescriptionsAreLeftAlone) {
  TScopedModelHeap heap;
  auto d = Seifert({{2, 1}, {3, 1}, {5, -4}});
  const auto words = d->GetPieceCode().Words();
  EXPECT_EQ(NormaliseReducible(d), 0);
  EXPECT_EQ(d->GetPieceCode().Words(), words);
  EXPECT_EQ(d->GetMark(), 0);
}

// A graph manifold with a zero-fibre piece on no cycle becomes the connected
// sum of its other pieces, sorted, with no S^2xS^1.
TEST(EntryNormalForm, GraphManifoldsAreCutIntoPrimeSummands) {
  TScopedModelHeap heap;
  auto m = PieceOnNoCycleMolecule();
  auto d = DescribeMolecule(*m);
  ASSERT_EQ(d->GetTypeCode(), kCompoundCode);
  EXPECT_EQ(NormaliseReducible(d), 1) << testing::PrintToString(Summands(*d));
  EXPECT_GE(d->CountSummands(), 2);
  int s2xs1 = 0;
  for (const TManifoldDescription* s = d.get(); s != nullptr; s = s->GetNextSummand()) {
    s2xs1 += CountsOf(*s).s2xs1;
    int summands = 0, s2 = 0, zero = 0;
    TManifoldDescription* mutableS = const_cast<TManifoldDescription*>(s);
    mutableS->IsReducible(summands, s2, zero);
    EXPECT_EQ(zero, 0) << "a zero fibre is left";
  }
  EXPECT_EQ(s2xs1, 0);
}

// A stop while the summands are rewritten leaves the description exactly as
// it was: not some summands folded and others not. 69 copies of S^2xS^1 (as
// L(0,1)) before L(5,2): the rewriting polls the stop flag every 64 summands.
TEST(EntryNormalForm, AStoppedNormalisationChangesNothing) {
  TScopedModelHeap heap;
  auto d = Lens(5, 2);
  for (int i = 0; i < 69; ++i) {
    auto s = Lens(0, 1);
    s->SetNextSummand(std::move(d));
    d = std::move(s);
  }
  d->SetComplexity(7);
  const std::vector<std::string> before = Summands(*d);
  ASSERT_EQ(before.size(), 70u);
  const TManifoldDescription* head = d.get();
  RequestStop();
  EXPECT_THROW(NormaliseReducible(d), TComputationStopped);
  StopFlags().stop.store(0);
  EXPECT_EQ(d.get(), head);
  EXPECT_EQ(Summands(*d), before);
  EXPECT_EQ(d->GetMark(), 0);
  // Not stopped: one summand, carrying every S^2xS^1.
  EXPECT_EQ(NormaliseReducible(d), 1);
  EXPECT_EQ(Summands(*d), (std::vector<std::string>{"L(5,2)"}));
  EXPECT_EQ(CountsOf(*d).s2xs1, 69);
  EXPECT_EQ(d->GetComplexity(), 7);
  EXPECT_EQ(d->GetMark(), 1);
}
