// The DW state sum over colourings and its pre-reductions: every executor
// keeps a sound spine of the same manifold, the reductions end with every
// dual tetrahedron's corners in four classes, and the state sum agrees with
// the cohomology route (and so with the order-3 Turaev-Viro invariant) on
// the closed census of up to four tetrahedra.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/stop_flags.h"
#include "invariants/dw_calculator.h"
#include "invariants/dw_cohomology_sum.h"
#include "invariants/dw_detail_classes.h"
#include "invariants/dw_pre_reductions.h"
#include "model/detail.h"
#include "model/details_description.h"
#include "model/spine.h"
#include "support/census_table_support.h"
#include "support/scoped_document.h"
#include "support/spine_checker.h"

namespace {

// DW(M) by the cohomology route, the independent check.
mpq_class CohomologyValue(TSpine& spine) {
  TDWCohomologySum check;
  check.Setup(spine);
  EXPECT_TRUE(check.Compute());
  return check.NormalisedSum();
}

// Builds a spine from the description (numbers only) and thickens it.
std::unique_ptr<TSpine> SpineOf(TDetailsDescription& description) {
  auto spine = std::make_unique<TSpine>();
  TSuppressObjectNamesScope numbersOnly(1);
  if (description.BuildSpine(*spine, 1) == 0) return nullptr;
  if (spine->Thicken(1) == 0) return nullptr;
  return spine;
}

// The value of the state sum on a reduced spine, normalised by 2^(b-1).
mpq_class StateSumValue(TSpine& spine, TDWCalculator* out = nullptr) {
  std::unique_ptr<TSpine> built;
  TSpine& reduced = ReduceForDW(spine, built);
  TDWCalculator calculator;
  calculator.Setup(reduced);
  EXPECT_EQ(calculator.Compute(), TDWCalculator::kDone);
  EXPECT_TRUE(calculator.IsClosed());
  mpq_class value(calculator.Sum());
  value /= mpz_class(1) << (calculator.CornerClassCount() - 1);
  if (out != nullptr) *out = calculator;
  return value;
}

const char* const kSmallManifolds[] = {"bkaagb", "bkaajj", "bkaajn", "cMcabbjaj", "cPcbbbahh",
                                       "dLQbcbchhjs", "badc*cdab*dcba"};

TEST(DWPreReductions, EveryExecutorKeepsTheManifold) {
  // Each executor on the first place it applies to, then the spine checker,
  // the homology, the orientability and the DW value of the result.
  int performed[3] = {0, 0, 0};
  for (const char* text : kSmallManifolds) {
    TScopedDocument parsed(text);
    ASSERT_TRUE(parsed.Ok()) << text;
    const TSpineChecker checker(parsed.Spine());
    const mpq_class value = CohomologyValue(parsed.Spine());
    const int orientable = parsed.Spine().ComputeOrientability();
    for (int executor = 0; executor < 3; ++executor) {
      TDetailsDescription description;
      ASSERT_EQ(description.FromSpine(parsed.Spine()), 1) << text;
      const int before = description.DetailCount();
      TObjectHeader* first = description.DetailAt(0).Object();
      bool done = false;
      if (executor == 0) {
        SubdivideDetail(description, first);
        done = true;
        EXPECT_EQ(description.DetailCount(), before + 3) << text;
      } else if (executor == 1) {
        for (int f = 0; f < 4 && !done; ++f) done = SubdivideFace(description, first, f);
        if (done) {
          EXPECT_EQ(description.DetailCount(), before + 4) << text;
        }
      } else {
        for (int a = 0; a < 4 && !done; ++a) {
          for (int b = a + 1; b < 4 && !done; ++b) done = SubdivideEdge(description, first, a, b);
        }
      }
      if (!done) {
        // A refusal leaves the details as they were.
        EXPECT_EQ(description.DetailCount(), before) << text << " executor " << executor;
        EXPECT_EQ(description.CheckComplete(1), 1);
        continue;
      }
      ++performed[executor];
      std::unique_ptr<TSpine> result = SpineOf(description);
      ASSERT_NE(result, nullptr) << text << " executor " << executor;
      EXPECT_TRUE(checker.Check(*result)) << text << " executor " << executor;
      EXPECT_EQ(result->ComputeOrientability(), orientable) << text << " executor " << executor;
      EXPECT_EQ(CohomologyValue(*result), value) << text << " executor " << executor;
    }
  }
  for (int count : performed) EXPECT_GT(count, 0) << "every executor ran somewhere";
}

TEST(DWPreReductions, SubdividingAFaceOfADoublyGluedPairIsRefused) {
  // The one-tetrahedron spine of L(4,1): its detail is glued to itself, so
  // no face has a partner glued to it along that face only.
  TScopedDocument parsed("bkaajj");
  ASSERT_TRUE(parsed.Ok());
  TDetailsDescription description;
  ASSERT_EQ(description.FromSpine(parsed.Spine()), 1);
  TObjectHeader* detail = description.DetailAt(0).Object();
  for (int f = 0; f < 4; ++f) EXPECT_FALSE(SubdivideFace(description, detail, f));
  EXPECT_EQ(description.DetailCount(), 1);
  EXPECT_EQ(description.CheckComplete(1), 1);
}

TEST(DWPreReductions, TheApplyPassLeavesNoLoopEdge) {
  for (const char* text : kSmallManifolds) {
    TScopedDocument parsed(text);
    ASSERT_TRUE(parsed.Ok()) << text;
    std::unique_ptr<TSpine> built;
    TSpine& reduced = ReduceForDW(parsed.Spine(), built);
    // The opposite-edge configuration has no transformation, so it may
    // remain; it must not keep the pass from ending. No two corners of a
    // tetrahedron are left in one class (so no detail glued to itself).
    TDetailsDescription description;
    ASSERT_EQ(description.FromSpine(reduced), 1) << text;
    EXPECT_EQ(ReduceLoopEdge(description, kDWDetect), 0) << text;
    EXPECT_EQ(ReduceSelfGluedDetail(description, kDWDetect), 0) << text;
    // The corner classes are the boundary surfaces of the thickening.
    ASSERT_EQ(reduced.Thicken(1), 1) << text;
    EXPECT_EQ(TDWDetailClasses(description).CornerClassCount(), reduced.BoundaryCount()) << text;
    // A second pass has nothing to do and hands back what it was given.
    std::unique_ptr<TSpine> again;
    EXPECT_EQ(&ReduceForDW(reduced, again), &reduced) << text;
    EXPECT_EQ(again, nullptr) << text;
  }
}

TEST(DWPreReductions, AllNineReductionsEndAndKeepTheManifold) {
  // Every reduction in apply mode on the spines of S^3 and L(5,2): the
  // result shows none of the nine configurations but the opposite-edge one
  // (which has no transformation) and is a sound spine of the same manifold.
  for (const char* text : {"bkaagb", "bkaajn"}) {
    TScopedDocument parsed(text);
    ASSERT_TRUE(parsed.Ok()) << text;
    const TSpineChecker checker(parsed.Spine());
    const mpq_class value = CohomologyValue(parsed.Spine());
    TDetailsDescription description;
    ASSERT_EQ(description.FromSpine(parsed.Spine()), 1);
    using TReduction = int (*)(TDetailsDescription&, int);
    const TReduction all[] = {ReduceSelfGluedDetail,     ReduceDoublyGluedDetail,
                              ReduceFoldedFace,          ReduceLoopEdge,
                              ReduceAdjacentEdgeMatch,   ReduceEqualApexFace,
                              ReduceDetailsSharingEdges, ReduceDetailsSharingCorners,
                              ReduceDoublyGluedDetail};
    for (TReduction reduction : all) reduction(description, kDWApply);
    std::unique_ptr<TSpine> result = SpineOf(description);
    ASSERT_NE(result, nullptr) << text;
    EXPECT_TRUE(checker.Check(*result)) << text;
    EXPECT_EQ(CohomologyValue(*result), value) << text;
    TDetailsDescription after;
    ASSERT_EQ(after.FromSpine(*result), 1);
    for (TReduction reduction : all) EXPECT_EQ(reduction(after, kDWDetect), 0) << text;
    EXPECT_EQ(IsReducedForDW(*result), ReduceOppositeEdgePair(after, kDWDetect) == 0 ? 1 : 0);
  }
}

TEST(DWPreReductions, TheDetectPassChangesNothing) {
  // The one-tetrahedron spines are glued to themselves.
  TScopedDocument parsed("bkaajj");
  ASSERT_TRUE(parsed.Ok());
  EXPECT_EQ(IsReducedForDW(parsed.Spine()), 0);
  TDetailsDescription description;
  ASSERT_EQ(description.FromSpine(parsed.Spine()), 1);
  EXPECT_EQ(ReduceSelfGluedDetail(description, kDWDetect), 1);
  EXPECT_EQ(ReduceLoopEdge(description, kDWDetect), 1);
  EXPECT_EQ(description.DetailCount(), 1);
  // Its opposite edges lie in one class too: that configuration has no
  // transformation, so applying it finds it, changes nothing and ends.
  EXPECT_EQ(ReduceOppositeEdgePair(description, kDWDetect), 1);
  EXPECT_EQ(ReduceOppositeEdgePair(description, kDWApply), 0);
  EXPECT_EQ(description.DetailCount(), 1);
  // A spine that is not special has no details to look at.
  TScopedDocument cells("1 2 -1 -2\n");
  ASSERT_TRUE(cells.Ok());
  EXPECT_THROW(IsReducedForDW(cells.Spine()), std::invalid_argument);
}

TEST(DWStateSum, KnownValuesAndTheRawSum) {
  const struct {
    const char* name;
    const char* text;
    int value;
  } cases[] = {{"S3", "bkaagb", 1},       {"RP3", "cPcbbbahh", 0},      {"L(4,1)", "bkaajj", 2},
               {"L(5,2)", "bkaajn", 1},   {"L(6,1)", "dLQbcbchhjs", 0}, {"S2 x S1", "cMcabbjaj", 2},
               {"RP3", "badc*cdab*dcba", 0}};
  for (const auto& c : cases) {
    TScopedDocument parsed(c.text);
    ASSERT_TRUE(parsed.Ok()) << c.name;
    TDWCalculator calculator;
    EXPECT_EQ(StateSumValue(parsed.Spine(), &calculator), c.value) << c.name;
    // Raw sum = 2^(b-1) x the invariant, b the boundary spheres.
    EXPECT_EQ(calculator.Sum(), std::int64_t{c.value} << (calculator.CornerClassCount() - 1))
        << c.name;
  }
}

TEST(DWStateSum, AnUnreducedSpineIsRefusedWithItsReason) {
  TScopedDocument parsed("bkaajj");
  ASSERT_TRUE(parsed.Ok());
  TDWCalculator calculator;
  EXPECT_THROW(calculator.Setup(parsed.Spine()), std::invalid_argument);
}

TEST(DWStateSum, AgreesWithTheCohomologyRouteOnTheCensusOfUpToFourTetrahedra) {
  const std::vector<TClosedCensusEntry> census = ReadClosedCensusSample();
  if (census.empty()) GTEST_SKIP() << "cannot read tests/data/census/closed-census-sample.tsv";
  int checked = 0;
  for (const TClosedCensusEntry& entry : census) {
    if (entry.tetrahedra > 4) continue;
    TScopedDocument parsed(entry.signature);
    ASSERT_TRUE(parsed.Ok()) << entry.name;
    EXPECT_EQ(StateSumValue(parsed.Spine()), CohomologyValue(parsed.Spine()))
        << entry.name << " " << entry.signature;
    ++checked;
  }
  EXPECT_GE(checked, 20);
}

TEST(DWStateSum, StopsWhenAsked) {
  TScopedDocument parsed("dLQbcbchhjs");
  ASSERT_TRUE(parsed.Ok());
  std::unique_ptr<TSpine> built;
  TSpine& reduced = ReduceForDW(parsed.Spine(), built);
  TDWCalculator calculator;
  calculator.Setup(reduced);
  RequestStop();
  const TDWCalculator::TStatus status = calculator.Compute();
  StopFlags().stop.store(0);
  // A sum too short to reach the first poll may finish first.
  EXPECT_TRUE(status == TDWCalculator::kStopped || calculator.ColouringsVisited() < 4096);
}

}  // namespace
