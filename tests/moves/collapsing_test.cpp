// Collapsing: the free arcs and classes of cells, the vertex links, and
// collapsings on thickened spines checked after every move.
#include "moves/collapsing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
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
#include "moves/thick_surgery.h"
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
// collapsings that follow keep the thickening sound, and the homology unless
// they end in cuttings (a collapsing by splitting cuts its pieces that have
// two free arcs or a pinched vertex).
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
        int logged = spine.LogCount();
        ASSERT_EQ(PerformCellReduction(spine, cell, &report, &cuttings), 1);
        EXPECT_EQ(spine.LogCount(), logged + 1);
        // The cut left its tag; the collapsing sets its own and keeps it
        // through the cuttings it makes.
        EXPECT_EQ(spine.Objects().CreationTag(), kMoveCollapsing);
        const std::string text = report.CStr();
        if (cuttings == 0) {
          EXPECT_EQ(text.rfind("Simple collapsing of '", 0), 0u) << text;
        } else {
          EXPECT_EQ(text.rfind("Collapsing of '", 0), 0u) << text;
          EXPECT_NE(text.find(" with " + std::to_string(cuttings) + " cutting(s) done\r\n\tCutting of '"),
                    std::string::npos)
              << text;
        }
        ++collapsed;
        ASSERT_TRUE(checker.Check(spine, cuttings == 0)) << text;
        if (cuttings > 0) checker = TSpineChecker(spine);
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
      int cuttings = 0;
      RunCollapsings(spine, nullptr, 1, nullptr, &cuttings);
      char text[4];
      for (int k = logged; k < spine.LogCount(); ++k) {
        int type = spine.LogEntry(k, text, sizeof text);
        if (type < 6) ++counts[type];
      }
      // A collapsing that ends in a cutting cuts a piece off the manifold.
      EXPECT_TRUE(checker.Check(spine, cuttings == 0));
      EXPECT_EQ(FindReductionCell(spine), -1);
    }
  }
  for (int type : {kMoveSuperfluousVertex, kMoveSuperfluousEdge, kMoveNeedle, kMoveCollapsing})
    EXPECT_GT(counts[type], 0) << type;
}

}  // namespace

namespace {

// The homology list without the trivial entry and the free summands.
std::vector<std::int32_t> Torsion(std::vector<std::int32_t> list) {
  std::erase_if(list, [](std::int32_t x) { return x == 0 || x == 1; });
  return list;
}

long FreeRank(const std::vector<std::int32_t>& list) { return std::count(list.begin(), list.end(), 0); }

int ChainLength(TSpine& spine) {
  int n = 0;
  for (TSpine* c = &spine; c != nullptr; c = c->Next()) ++n;
  return n;
}

// The first half of a collapsing by splitting, done by hand: the passages of
// edges that no other cell passes and then the corners of the cell at
// vertices whose links fall apart without it are cut off, and the rest of the
// cell is removed. False when a step refused.
bool CutOffPinchedCorners(TSpine& spine, int position) {
  THandle thick = ThickCellOfCell(spine, spine.NthCell(position));
  auto cutOff = [&](int p, int q) {
    TObjectHeader* rest = nullptr;
    TObjectHeader* piece = nullptr;
    if (CutOffThickStretch(spine, thick, p, q, &rest, &piece) == 0) return false;
    thick = THandle(rest);
    return true;
  };
  for (int pass = 0; pass < 2; ++pass) {
    for (bool changed = true; changed;) {
      changed = false;
      THandle cell = TThickCell::Part(thick, 1);
      int length = TCell::BoundaryLength(cell);
      int s = -1;
      int e = -1;
      if (CountFreeArcs(cell, &s, &e) != 1) return false;
      for (int i = 0; i < length && !changed; ++i) {
        int direction = 1;
        THandle edge = TCell::PassageAt(cell, i, &direction);
        if (pass == 0) {
          bool inArc = (i - s + length) % length <= (e - s + length) % length;
          if (inArc || TEdge::Valency(edge) < 2 || EdgePassageCount(cell, edge) != TEdge::Valency(edge)) continue;
          if (!cutOff((i + length - 1) % length, (i + 1) % length)) return false;
        } else {
          if (AnalyseVertexLink(cell, TEdge::End(edge, 2, direction)) != 1) continue;
          if (!cutOff(i, (i + 1) % length)) return false;
        }
        changed = true;
      }
    }
  }
  return spine.RemoveThickCell(thick) == 1;
}

// A collapsing with one cutting on a fixture made from a collapsing by
// splitting: the cell T of class 3 is cut at its corners at vertices whose
// links fall apart without T, and the rest of T is removed; each corner
// triangle left behind has a free chord and two edges that meet at a vertex
// which is pinched without the triangle. Its collapsing splits the vertex and cuts
// once: the cut either separates the spine (the chain keeps its homology) or
// cuts a handle off (one free summand less, the torsion kept).
TEST_F(CollapsingTest, ACornerPinchedWithoutItsCellIsCollapsedWithOneCutting) {
  int performed = 0;
  int separated = 0;
  int refused = 0;
  // Closed census spines (one cell out leaves a sphere) and random ones.
  for (int source = 0; source < 5 + 300; ++source) {
    TScopedModelHeap heap;
    TSpine original;
    unsigned seed = static_cast<unsigned>(source - 4);
    if (source < 5 ? !LoadThickenedSpine(original, kClosedCensus[source])
                   : !LoadRandomThickenedSpine(original, 3 + static_cast<int>(seed % 6), seed)) {
      continue;
    }
    for (int i = 0; i < original.Objects().CountOfKind(kCellKind); ++i) {
      TSpine cut;
      original.CopyTo(cut);
      cut.Objects().SetCreationTag(kMoveCutting);
      if (cut.RemoveThickCell(ThickCellOfCell(cut, cut.NthCell(i))) != 1) continue;
      for (int found = 0; cut.NthCell(found).IsValid(); ++found) {
        if (IsCellReducible(cut, found, nullptr, nullptr) != 3) {
          // Collapse on until a cell of class 3 comes up.
          if (cut.NthCell(found + 1).IsValid()) continue;
          int next = FindReductionCell(cut);
          if (next == -1 || IsCellReducible(cut, next, nullptr, nullptr) == 3) break;
          if (PerformCellReduction(cut, next, nullptr, nullptr) == 0) break;
          found = -1;
          continue;
        }
        SCOPED_TRACE("source " + std::to_string(source) + " cell " + std::to_string(i) + " of class 3 " +
                     std::to_string(found));
        TSpine split;
        cut.CopyTo(split);
        if (!CutOffPinchedCorners(split, found)) continue;
        TSpineChecker checker(split);
        if (!checker.Check(split)) continue;
        for (int position = 0; split.NthCell(position).IsValid(); ++position) {
          if (IsCellReducible(split, position, nullptr, nullptr) != 2) continue;
          SCOPED_TRACE("corner " + std::to_string(position));
          TSpine spine;
          split.CopyTo(spine);
          int components = ChainLength(spine);
          int logged = spine.LogCount();
          TString report;
          int cuttings = -1;
          // Cuts are made only along a sphere or a torus of the boundary; on
          // a surface of higher genus the cell is neither offered nor
          // collapsed.
          int euler = 0;
          THandle thick = ThickCellOfCell(spine, spine.NthCell(position));
          spine.BoundarySurfaceClass(spine.BoundarySurfaceOf(TThickCell::Part(thick, 2)), &euler);
          if (euler < 0) {
            ++refused;
            int objects = spine.Objects().Count();
            EXPECT_EQ(PerformCellReduction(spine, position, &report, &cuttings), 0);
            EXPECT_EQ(spine.Objects().Count(), objects);
            EXPECT_EQ(spine.LogCount(), logged);
            EXPECT_NE(FindReductionCell(spine), position);
            continue;
          }
          ASSERT_EQ(PerformCellReduction(spine, position, &report, &cuttings), 1);
          ++performed;
          EXPECT_EQ(cuttings, 1);
          EXPECT_EQ(spine.LogCount(), logged + 1);  // the cut is no move of its own
          const std::string text = report.CStr();
          EXPECT_EQ(text.rfind("Collapsing of '", 0), 0u) << text;
          EXPECT_NE(text.find("with 1 cutting(s) done\r\n\tCutting of '"), std::string::npos) << text;
          ASSERT_TRUE(checker.Check(spine, false)) << text;
          const std::vector<std::int32_t>& before = checker.Homology();
          std::vector<std::int32_t> after = ChainHomology(spine);
          if (text.find("a new connected component is added") != std::string::npos) {
            EXPECT_GT(ChainLength(spine), components);
            ++separated;
            EXPECT_EQ(after, before) << text;
          } else {
            EXPECT_EQ(Torsion(after), Torsion(before));
            EXPECT_EQ(FreeRank(after) + 1, FreeRank(before));
          }
          // What is left collapses on, the spine sound after every step.
          TSpineChecker next(spine);
          for (int step = 0; step < 60; ++step) {
            int more = FindReductionCell(spine);
            if (more == -1) break;
            int n = 0;
            ASSERT_EQ(PerformCellReduction(spine, more, nullptr, &n), 1);
            ASSERT_TRUE(next.Check(spine, n == 0));
            if (n > 0) next = TSpineChecker(spine);
          }
        }
      }
    }
  }
  EXPECT_GT(performed, 0);
  EXPECT_GT(separated, 0);
  EXPECT_GT(performed, separated);
  EXPECT_GT(refused, 0);
}

}  // namespace
