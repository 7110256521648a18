// Bing's house with two rooms as a special spine of the ball: two vertices,
// four edges and three cells (chi = 1).
//
// The one-vertex triangulations of S^3 by two tetrahedra are dual to the
// special spines of the ball with two vertices; there are three. Each has a
// 10-gon and two shorter cells. Only two of them have a symmetry exchanging
// their vertices, as Bing's house exchanges its rooms (turned over about a
// line in the floor): cells of lengths 10, 1, 1, the floor and one cell per
// room swapped with it. Of those two, Bing's house is the one whose floor runs
// along each loop edge once forth and once back: the collar of a tube is an
// annulus. The other runs twice in the same direction, a Mobius band. Edges
// 1 and 4 join the two vertices; 3 is a loop at one vertex, 2 a loop at the other.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "model/cell.h"
#include "model/edge.h"
#include "model/object_kinds.h"
#include "model/spine.h"
#include "moves/collapsing.h"
#include "moves/move_families.h"
#include "moves/move_types.h"
#include "moves/step_loop.h"
#include "presentations/cells/boundary_curves_presentation.h"
#include "support/checked_steps.h"
#include "support/model_heap.h"
#include "support/spine_checker.h"
#include "support/thick_spine_support.h"

namespace {

constexpr const char* kBingsHouse = "{1 -2 -1 3 1 -4 -3 4 2 -4} {3} {2}";

bool LoadBingsHouse(TSpine& spine) {
  TBoundaryCurvesPresentation presentation;
  if (presentation.Parse(kBingsHouse) != 3 || presentation.BuildSpine(spine) != 3) return false;
  spine.SplitIntoComponents();
  return spine.Thicken(1) == 1;
}

class BingsHouseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitMoveOrderTable();
    surgeries_ = DisableSurgeries.load();
    ASSERT_TRUE(LoadBingsHouse(spine_));
  }
  void TearDown() override { DisableSurgeries.store(surgeries_); }

  TScopedModelHeap heap_;
  TSpine spine_;
  int surgeries_ = 0;
};

// The words read as a special spine whose thickening is a ball: one boundary
// sphere and H_1 = 0. Its dual triangulation is the symmetric one with the
// untwisted loops, so the words are the ones derived above.
TEST_F(BingsHouseTest, ReadsAsASpecialSpineOfTheBall) {
  EXPECT_EQ(spine_.Next(), nullptr);
  EXPECT_EQ(spine_.Objects().CountOfKind(kVertexKind), 2);
  EXPECT_EQ(spine_.Objects().CountOfKind(kEdgeKind), 4);
  EXPECT_EQ(spine_.Objects().CountOfKind(kCellKind), 3);
  EXPECT_EQ(SpineEulerCharacteristic(spine_), 1);
  EXPECT_EQ(spine_.IsSpecial(1), 1);
  EXPECT_EQ(spine_.BoundaryCount(), 1);
  EXPECT_EQ(spine_.CountBoundaries(1), 1);
  TSpineChecker checker(spine_);
  EXPECT_EQ(checker.Homology(), std::vector<std::int32_t>{1});
  EXPECT_TRUE(checker.Check(spine_));
  EXPECT_EQ(SpineSignature(spine_), "cMcabbgdv");
  // Every edge lies on three cell passages: no free edge anywhere.
  for (int i = 0; i < spine_.Objects().CountOfKind(kCellKind); ++i) {
    THandle cell = spine_.NthCell(i);
    for (int j = 0; j < TCell::BoundaryLength(cell); ++j)
      EXPECT_EQ(TEdge::Valency(TCell::EdgeAt(cell, j)), 3) << "cell " << i << " passage " << j;
  }
}

TEST_F(BingsHouseTest, NothingCollapses) {
  const std::string before = SpineSignature(spine_);
  EXPECT_EQ(FindReductionCell(spine_), -1);
  for (int i = 0; i < spine_.Objects().CountOfKind(kCellKind); ++i)
    EXPECT_EQ(IsCellReducible(spine_, i, nullptr, nullptr), 0) << "cell " << i;
  EXPECT_EQ(RunCollapsings(spine_, nullptr, 1), 0);
  EXPECT_EQ(SpineSignature(spine_), before);
}

// Default moves, with and without surgeries, never leave the ball: after
// every step the chain still has H_1 = 0, all its boundary surfaces are
// spheres and one of them stands for the ball's boundary.
TEST_F(BingsHouseTest, DefaultMovesKeepTheBall) {
  for (int surgeries : {0, 1}) {
    TScopedModelHeap heap;
    TSpine spine;
    ASSERT_TRUE(LoadBingsHouse(spine));
    DisableSurgeries.store(surgeries == 0 ? 1 : 0);
    TSpineChecker checker(spine);
    int steps = 0;
    for (; steps < 50; ++steps) {
      TString report;
      int moved = MakeSimplificationStep(1, spine, &report, TMoveChoice{}, nullptr, nullptr);
      for (TSpine* component = spine.Next(); moved == 0 && component != nullptr; component = component->Next())
        moved = MakeSimplificationStep(1, *component, &report, TMoveChoice{}, nullptr, nullptr);
      if (moved == 0) break;
      SCOPED_TRACE(report.CStr());
      ASSERT_TRUE(checker.Check(spine));
      EXPECT_EQ(ChainHomology(spine), std::vector<std::int32_t>{1});
      for (TSpine* s = &spine; s != nullptr; s = s->Next())
        EXPECT_EQ(s->CountBoundaries(1), s->BoundaryCount());
    }
    EXPECT_GT(steps, 0) << "surgeries " << surgeries;
    EXPECT_LT(steps, 50) << "surgeries " << surgeries;
  }
}

}  // namespace
