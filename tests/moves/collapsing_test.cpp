// Collapsing: the free arcs and classes of cells, the vertex links, and
// collapsings on thickened spines checked after every move.
#include "moves/collapsing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "moves/cell_reductions.h"
#include "moves/move_types.h"
#include "moves/step_loop.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"
#include "support/spine_checker.h"
#include "support/thick_spine_support.h"

namespace {

const char* const kClosedCensus[] = {"bkaagj", "bkaajj", "bkaajn", "cMcabbgqs", "cMcabbjaj"};

TEST(CollapsingClassTest, FreeArcsAndClassesOfSmallCells) {
  struct TCase {
    const char* what;
    std::vector<std::vector<int>> words;
    int arcs;         // free arcs of the first cell
    int collapsing;   // its class
  };
  const TCase cases[] = {
      {"one free edge beside a shared one", {{1, 2}, {2, 3}}, 1, 1},
      {"two free arcs", {{1, 2, 3, 4}, {2, 5}, {4, 6}}, 2, 0},
      {"whole boundary free", {{1, 2}}, 1, 0},
      {"the rest runs up one edge and back", {{1, 2, -2}}, 1, 0},
      {"no free edge", {{1, 2}, {1, 2}}, 0, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TScopedModelHeap heap;
    TComplex complex;
    TBuiltComplex built = BuildComplexFromWords(complex, c.words);
    int s = -7;
    int e = -7;
    EXPECT_EQ(CountFreeArcs(built.cells[0], &s, &e), c.arcs);
    int cs = -7;
    int ce = -7;
    EXPECT_EQ(ClassifyCellForCollapsing(built.cells[0], &cs, &ce), c.collapsing);
    if (c.collapsing == 0) {
      EXPECT_EQ(cs, -7);  // written only for a collapsible cell
    } else {
      EXPECT_EQ(cs, s);
      EXPECT_EQ(ce, e);
    }
  }
}

TEST(CollapsingClassTest, FreeArcRunsAcrossTheStartOfTheWord) {
  TScopedModelHeap heap;
  TComplex complex;
  // Edges 1 and 3 are free; the arc is 3, 1 (positions 2, 0).
  TBuiltComplex built = BuildComplexFromWords(complex, {{1, 2, 3}, {2, 4}});
  int s = -1;
  int e = -1;
  EXPECT_EQ(CountFreeArcs(built.cells[0], &s, &e), 1);
  EXPECT_EQ(s, 2);
  EXPECT_EQ(e, 0);
}

TEST(VertexLinkTest, CornersOfOneCycleAreConnectedOfTwoCyclesNot) {
  TScopedModelHeap heap;
  TComplex complex;
  // Two loops at one vertex, each bounding a disc, and a third cell running
  // along both: without it the discs' corners are two separate cycles.
  TBuiltComplex built = BuildComplexFromWords(complex, {{1}, {2}, {1, 2}});
  THandle vertex = TEdge::End(built.edges[0], 1);
  ASSERT_TRUE(TEdge::HasEnd(built.edges[1], vertex));
  std::vector<TObjectHeader*> edges;
  TVertexLinkRecord record;
  EXPECT_EQ(AnalyseVertexLink(built.cells[2], vertex, &edges, &record), 1);
  EXPECT_EQ(edges.size(), 2u);
  EXPECT_EQ(record.components, 2);
  EXPECT_EQ(record.corners.size(), 2u);
  EXPECT_EQ(AnalyseVertexLink(nullptr, vertex, nullptr, &record), 0);
  EXPECT_EQ(record.components, 1);
  EXPECT_EQ(record.corners.size(), 4u);
}

class CollapsingTest : public ::testing::Test {
 protected:
  void SetUp() override { InitMoveOrderTable(); }
};

// Cutting a special spine along one of its cells leaves free edges; the
// collapsings that follow keep the homology and the thickening sound. A cell
// whose removal pinches a vertex (its link falls apart) needs the vertex
// splitting of the cutting move and is passed over here.
TEST_F(CollapsingTest, CollapsingsAfterACellIsCutOutKeepTheSpineSound) {
  int collapsed = 0;
  for (const char* signature : kClosedCensus) {
    TScopedModelHeap heap;
    TSpine original;
    ASSERT_TRUE(LoadThickenedSpine(original, signature));
    int cells = original.Objects().CountOfKind(kCellKind);
    for (int i = 0; i < cells; ++i) {
      SCOPED_TRACE(std::string(signature) + " cell " + std::to_string(i));
      TSpine spine;
      original.CopyTo(spine);
      spine.Objects().SetCreationTag(kMoveCutting);
      ASSERT_EQ(spine.RemoveThickCell(ThickCellOfCell(spine, spine.NthCell(i))), 1);
      TSpineChecker checker(spine);
      if (!checker.Check(spine)) continue;
      for (int step = 0; step < 50; ++step) {
        int cell = FindReductionCell(spine);
        if (cell == -1) break;
        TString report;
        int cuttings = -1;
        ASSERT_EQ(PerformCellReduction(spine, cell, &report, &cuttings), 1);
        EXPECT_EQ(cuttings, 0);
        // The cut left its tag; the collapsing sets its own.
        EXPECT_EQ(spine.Objects().CreationTag(), kMoveCollapsing);
        EXPECT_EQ(std::string(report.CStr()).rfind("Simple collapsing of '", 0), 0u) << report.CStr();
        ++collapsed;
        ASSERT_TRUE(checker.Check(spine));
      }
      // Splitting a cell adds midpoints of edges; the reductions take away
      // those that no piece left behind keeps.
      RunCellReductions(spine);
      ASSERT_TRUE(checker.Check(spine));
    }
  }
  EXPECT_GT(collapsed, 0);
}

TEST_F(CollapsingTest, ASpecialSpineOfAClosedManifoldHasNothingToCollapse) {
  for (const char* signature : kClosedCensus) {
    SCOPED_TRACE(signature);
    TScopedModelHeap heap;
    TSpine spine;
    ASSERT_TRUE(LoadThickenedSpine(spine, signature));
    EXPECT_EQ(FindReductionCell(spine), -1);
    int collapsings = -1;
    int cuttings = -1;
    TString report;
    EXPECT_EQ(RunCollapsings(spine, &report, 1, &collapsings, &cuttings), 0);
    EXPECT_EQ(collapsings, 0);
    EXPECT_EQ(cuttings, 0);
    EXPECT_STREQ(report.CStr(), "0 collapsing(s) with 0 cutting(s) and 0 reduction(s) done");
    EXPECT_EQ(spine.LogCount(), 0);
  }
}

TEST_F(CollapsingTest, ACellThatCannotBeCollapsedIsRefusedAndNothingIsLogged) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "cMcabbjaj"));
  const std::string before = SpineSignature(spine);
  TString report;
  EXPECT_EQ(PerformCellReduction(spine, 0, &report, nullptr), 0);
  EXPECT_EQ(PerformCellReduction(spine, 99, &report, nullptr), 0);
  EXPECT_EQ(spine.LogCount(), 0);
  EXPECT_EQ(SpineSignature(spine), before);
}

}  // namespace

namespace {

// A sweep over random orientable spines: every cell cut out in turn (when the
// cut itself leaves a sound spine), then collapsings and the reductions they
// call for, each kind of move occurring, the spine checked at the end.
TEST_F(CollapsingTest, RandomSpinesStaySoundThroughCollapsingsAndReductions) {
  int counts[6] = {0, 0, 0, 0, 0, 0};
  for (unsigned seed = 1; seed <= 120; ++seed) {
    TScopedModelHeap heap;
    TSpine original;
    if (!LoadRandomThickenedSpine(original, 3 + static_cast<int>(seed % 6), seed)) continue;
    for (int i = 0; i < original.Objects().CountOfKind(kCellKind); ++i) {
      SCOPED_TRACE("seed " + std::to_string(seed) + " cell " + std::to_string(i));
      TSpine spine;
      original.CopyTo(spine);
      spine.Objects().SetCreationTag(kMoveCutting);
      if (spine.RemoveThickCell(ThickCellOfCell(spine, spine.NthCell(i))) != 1) continue;
      TSpineChecker checker(spine);
      if (!checker.Check(spine)) continue;
      int logged = spine.LogCount();
      RunCollapsings(spine, nullptr, 1);
      char text[4];
      bool cut = false;
      for (int k = logged; k < spine.LogCount(); ++k) {
        int type = spine.LogEntry(k, text, sizeof text);
        cut = cut || type == kMoveCutting;
        if (type < 6) ++counts[type];
      }
      // A collapsing that ends in a cutting cuts a piece off the manifold.
      EXPECT_TRUE(checker.Check(spine, !cut));
      EXPECT_EQ(FindReductionCell(spine), -1);
    }
  }
  for (int type : {kMoveSuperfluousVertex, kMoveSuperfluousEdge, kMoveNeedle, kMoveCollapsing})
    EXPECT_GT(counts[type], 0) << type;
}

}  // namespace
