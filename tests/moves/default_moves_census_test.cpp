// Default moves on the dual spines of census manifolds: every step keeps the
// spine sound and the homology, never raises the number of vertices, and a
// knot exterior keeps its one torus.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "foundation/heap_string.h"
#include "model/spine.h"
#include "moves/move_types.h"
#include "moves/step_loop.h"
#include "moves/torus_coordinates.h"
#include "support/census_table_support.h"
#include "support/checked_steps.h"
#include "support/model_heap.h"
#include "support/spine_checker.h"
#include "support/thick_spine_support.h"

namespace {

// Steps until none moves, the checker after every one (the homology only
// with keepsHomology); the number of steps.
int StepWithChecks(TSpine& spine, const TSpineChecker& checker, int vertices, bool keepsHomology = true) {
  int steps = 0;
  for (; steps < 200; ++steps) {
    TString report;
    if (MakeSimplificationStep(1, spine, &report, TMoveChoice{}, nullptr, nullptr) == 0) break;
    EXPECT_TRUE(checker.Check(spine, keepsHomology)) << report.CStr();
    EXPECT_LE(spine.Objects().CountOfKind(kVertexKind), vertices);
  }
  return steps;
}

// A closed manifold with H_1 = Z_p (p = 0 for Z) whose default moves pierce
// it crudely and cut off the rest: two solid tori whose meridians meet p
// times, the homology of the lens space (or S^2 x S^1) they make.
TEST(DefaultMovesCensusTest, ClosedManifoldsFallIntoTwoSolidToriOfTheirHomology) {
  InitMoveOrderTable();
  const struct {
    const char* signature;
    int order;
  } cases[] = {{"bkaagj", 1}, {"bkaajj", 4}, {"bkaajn", 5}, {"cMcabbjaj", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.signature);
    TScopedModelHeap heap;
    TSpine spine;
    ASSERT_TRUE(LoadThickenedSpine(spine, c.signature));
    TSpineChecker checker(spine);
    EXPECT_GT(StepWithChecks(spine, checker, spine.Objects().CountOfKind(kVertexKind), false), 0);
    EXPECT_TRUE(checker.Check(spine, false));
    const std::vector<std::pair<int, int>> meridians = SolidTorusMeridians(spine);
    ASSERT_EQ(meridians.size(), 2u);
    EXPECT_EQ(meridians[0], std::make_pair(1, 0));
    int d = meridians[0].first * meridians[1].second - meridians[0].second * meridians[1].first;
    EXPECT_EQ(d < 0 ? -d : d, c.order);
  }
}

TEST(DefaultMovesCensusTest, KnotExteriorsKeepHomologyZAndOneTorus) {
  InitMoveOrderTable();
  std::vector<TCensusEntry> entries = ReadCensusTable(CensusSamplePath());
  ASSERT_FALSE(entries.empty());
  int tested = 0;
  for (const TCensusEntry& entry : entries) {
    if (entry.cusps != 1 || entry.homology != "Z") continue;
    SCOPED_TRACE(entry.name);
    TScopedModelHeap heap;
    TSpine spine;
    ASSERT_TRUE(LoadThickenedSpine(spine, entry.signature.c_str()));
    SetBoundaryCoordinates(spine);
    TSpineChecker checker(spine);
    ASSERT_EQ(checker.Homology(), (std::vector<std::int32_t>{0}));
    StepWithChecks(spine, checker, spine.Objects().CountOfKind(kVertexKind));
    EXPECT_TRUE(checker.Check(spine));
    EXPECT_EQ(spine.CountBoundaries(2), 1);
    EXPECT_EQ(spine.CountBoundaries(0), 1);
    ++tested;
  }
  EXPECT_GT(tested, 0);
}

}  // namespace
