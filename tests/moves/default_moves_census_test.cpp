// Default moves on the dual spines of census manifolds: every step keeps the
// spine sound and the homology, never raises the number of vertices, and a
// knot exterior keeps its one torus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "model/spine.h"
#include "moves/move_types.h"
#include "moves/step_loop.h"
#include "moves/torus_coordinates.h"
#include "support/census_table_support.h"
#include "support/model_heap.h"
#include "support/spine_checker.h"
#include "support/thick_spine_support.h"

namespace {

// Steps until none moves, the checker after every one; the number of steps.
int StepWithChecks(TSpine& spine, const TSpineChecker& checker, int vertices) {
  int steps = 0;
  for (; steps < 200; ++steps) {
    TString report;
    if (MakeSimplificationStep(1, spine, &report, TMoveChoice{}, nullptr, nullptr) == 0) break;
    EXPECT_TRUE(checker.Check(spine)) << report.CStr();
    EXPECT_LE(spine.Objects().CountOfKind(kVertexKind), vertices);
  }
  return steps;
}

TEST(DefaultMovesCensusTest, ClosedManifoldsKeepTheirHomology) {
  InitMoveOrderTable();
  for (const char* signature : {"bkaagj", "bkaajj", "bkaajn", "cMcabbgqs", "cMcabbjaj"}) {
    SCOPED_TRACE(signature);
    TScopedModelHeap heap;
    TSpine spine;
    ASSERT_TRUE(LoadThickenedSpine(spine, signature));
    TSpineChecker checker(spine);
    StepWithChecks(spine, checker, spine.Objects().CountOfKind(kVertexKind));
    EXPECT_TRUE(checker.Check(spine));
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
