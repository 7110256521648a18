// A special spine of the ball with two vertices and no free edge (Bing's
// house is the classical one): the dual spine of a one-vertex triangulation
// of S^3 by two tetrahedra. Nothing collapses it; without surgeries only a
// short curve applies, which keeps the ball. With them the automatic step makes a counterpass, after which the
// spine collapses to a disc: the spine of a ball, so the manifold is S^3.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "model/object_kinds.h"
#include "model/spine.h"
#include "moves/collapsing.h"
#include "moves/move_families.h"
#include "moves/move_types.h"
#include "moves/step_loop.h"
#include "support/model_heap.h"
#include "support/spine_checker.h"
#include "support/thick_spine_support.h"

namespace {

class BallSpineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitMoveOrderTable();
    surgeries_ = DisableSurgeries.load();
    ASSERT_TRUE(LoadThickenedSpine(spine_, "cMcabbgqs"));
    ASSERT_EQ(spine_.Objects().CountOfKind(kVertexKind), 2);
  }
  void TearDown() override { DisableSurgeries.store(surgeries_); }

  TScopedModelHeap heap_;
  TSpine spine_;
  int surgeries_ = 0;
};

TEST_F(BallSpineTest, NothingCollapsesAndWithoutSurgeriesOnlyAShortCurveMoves) {
  TSpineChecker checker(spine_);
  // H_1 = 0, listed as the trivial cyclic group.
  EXPECT_EQ(checker.Homology(), std::vector<std::int32_t>{1});
  EXPECT_EQ(spine_.CountBoundaries(1), 1);
  const std::string before = SpineSignature(spine_);
  EXPECT_EQ(FindReductionCell(spine_), -1);
  EXPECT_EQ(FindCuttingCell(spine_), -1);
  EXPECT_EQ(RunCollapsings(spine_, nullptr, 1), 0);
  EXPECT_EQ(SpineSignature(spine_), before);
  DisableSurgeries.store(1);
  TMoveChoice choice;
  EXPECT_EQ(ChooseNextMove(1, spine_, choice, nullptr, nullptr), 1);
  EXPECT_EQ(choice.type, kMoveShortCurve);
  TString report;
  EXPECT_GT(MakeSimplificationStep(1, spine_, &report, TMoveChoice{}, nullptr, nullptr), 0);
  EXPECT_TRUE(checker.Check(spine_));
  EXPECT_EQ(spine_.CountBoundaries(1), 1);
}

TEST_F(BallSpineTest, ACounterpassLetsItCollapseToADisc) {
  TSpineChecker checker(spine_);
  TMoveChoice choice;
  EXPECT_EQ(ChooseNextMove(1, spine_, choice, nullptr, nullptr), 1);
  EXPECT_EQ(choice.type, kMoveCounterpass);
  TString report;
  EXPECT_GT(MakeSimplificationStep(1, spine_, &report, TMoveChoice{}, nullptr, nullptr), 0);
  EXPECT_TRUE(checker.Check(spine_));
  EXPECT_EQ(spine_.Next(), nullptr);
  EXPECT_EQ(spine_.Objects().CountOfKind(kCellKind), 1);
  EXPECT_EQ(spine_.CountBoundaries(1), 1);
  EXPECT_EQ(MakeSimplificationStep(1, spine_, &report, TMoveChoice{}, nullptr, nullptr), 0);
}

}  // namespace
