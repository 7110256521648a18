// Short curves and curves of length 4: on random spines every such move
// keeps the manifold (the checker with the homology, and the same boundary
// surfaces), reports and logs itself once under its type, and a cell that
// does not fit the asked type is refused with the spine left as it was.
#include "moves/short_curves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "model/cell.h"
#include "model/object_kinds.h"
#include "model/spine.h"
#include "moves/move_families.h"
#include "moves/move_types.h"
#include "moves/step_loop.h"
#include "moves/torus_coordinates.h"
#include "support/boundary_characteristics.h"
#include "support/model_heap.h"
#include "support/spine_checker.h"
#include "support/thick_spine_support.h"

namespace {

TEST(ShortCurvesTest, RandomSpinesKeepTheirManifold) {
  InitMoveOrderTable();
  int performed[19] = {};
  for (unsigned seed = 1; seed <= 300; ++seed) {
    for (int type : {kMoveShortCurve, kMoveCurve4, kMoveCurve4FirstPiercing, kMoveCurve4SecondPiercing}) {
      SCOPED_TRACE(seed);
      SCOPED_TRACE(type);
      TScopedModelHeap heap;
      TSpine spine;
      if (!LoadRandomThickenedSpine(spine, 3 + static_cast<int>(seed % 8), seed)) continue;
      const int cell = FindShortCurveCell(spine, type == kMoveShortCurve ? 1 : 2);
      if (cell < 0) continue;
      TSpineChecker checker(spine);
      // Without a piercing the ball between the cell and its parallel copy
      // stays: one more boundary sphere.
      std::vector<int> boundary = BoundaryCharacteristics(spine);
      if (type == kMoveCurve4) boundary.push_back(2);
      std::sort(boundary.begin(), boundary.end());
      TString text;
      ASSERT_EQ(PerformCellCurveMove(spine, cell, type, &text), 1);
      ++performed[type];
      EXPECT_TRUE(checker.Check(spine));
      EXPECT_EQ(BoundaryCharacteristics(spine), boundary);
      ASSERT_EQ(spine.LogCount(), 1);
      EXPECT_EQ(spine.LogEntry(0, nullptr, 0), type == kMoveShortCurve ? kMoveShortCurve : kMoveCurve4);
    }
  }
  EXPECT_GE(performed[kMoveShortCurve], 50);
  for (int type : {kMoveCurve4, kMoveCurve4FirstPiercing, kMoveCurve4SecondPiercing}) EXPECT_GE(performed[type], 5);
}

// The finder of the automatic step proposes the variant with piercing it
// found; the move it proposes keeps the manifold.
TEST(ShortCurvesTest, TheCurveOfLength4ThatTheStepProposesKeepsTheManifold) {
  InitMoveOrderTable();
  int found = 0;
  for (unsigned seed = 1; seed <= 3000; ++seed) {
    SCOPED_TRACE(seed);
    TScopedModelHeap heap;
    TSpine spine;
    if (!LoadRandomThickenedSpine(spine, 6 + static_cast<int>(seed % 16), seed)) continue;
    int type = -1;
    const int cell = FindCurveLength4WithPiercing(spine, &type);
    if (cell < 0) {
      EXPECT_EQ(type, 0);
      continue;
    }
    if (++found > 5) break;
    ASSERT_TRUE(type == kMoveCurve4FirstPiercing || type == kMoveCurve4SecondPiercing) << type;
    EXPECT_EQ(ClassifyCellCurveAt(spine, cell), 2);
    TSpineChecker checker(spine);
    const std::vector<int> boundary = BoundaryCharacteristics(spine);
    ASSERT_EQ(PerformCellCurveMove(spine, cell, type, nullptr), 1);
    EXPECT_TRUE(checker.Check(spine));
    EXPECT_EQ(BoundaryCharacteristics(spine), boundary);
  }
  EXPECT_GT(found, 0);
}

// Boundary tori carry two coordinate curves: a short curve next to a torus
// moves the curves over to the chords' copies, where they still close up at
// every vertex and form a basis (the checker).
TEST(ShortCurvesTest, TorusCurvesMoveOverToTheChords) {
  InitMoveOrderTable();
  int performed = 0;
  for (unsigned seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE(seed);
    TScopedModelHeap heap;
    TSpine spine;
    if (!LoadRandomThickenedSpine(spine, 3 + static_cast<int>(seed % 8), seed)) continue;
    SetBoundaryCoordinates(spine);
    int cell = -1;
    for (int i = 0; spine.NthCell(i).IsValid() && cell < 0; ++i) {
      if (ClassifyCellCurveAt(spine, i) != 1) continue;
      if (FacesLabelledTorus(spine, i, 2)) cell = i;
    }
    if (cell < 0) continue;
    TSpineChecker checker(spine);
    ASSERT_EQ(PerformCellCurveMove(spine, cell, kMoveShortCurve, nullptr), 1);
    ++performed;
    EXPECT_TRUE(checker.Check(spine));
  }
  EXPECT_GE(performed, 5);
}

TEST(ShortCurvesTest, ReportsNameTheCellAndTheVariant) {
  InitMoveOrderTable();
  const struct {
    int type;
    const char* after;  // what follows the cell's name
  } cases[] = {{kMoveCurve4, " done.\r\nLateral cells : "},
               {kMoveCurve4FirstPiercing, " with first piercing done.\r\n\t(Cell '"},
               {kMoveCurve4SecondPiercing, "with second piercing done.\r\n\t(Cell '"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    bool seen = false;
    for (unsigned seed = 1; seed <= 300 && !seen; ++seed) {
      TScopedModelHeap heap;
      TSpine spine;
      if (!LoadRandomThickenedSpine(spine, 3 + static_cast<int>(seed % 8), seed)) continue;
      const int cell = FindShortCurveCell(spine, 2);
      if (cell < 0) continue;
      seen = true;
      const std::string name = spine.NthCell(cell).DisplayName();
      TString text;
      ASSERT_EQ(PerformCellCurveMove(spine, cell, c.type, &text), 1);
      const std::string expected = "Curve length 4 move of " + name + c.after;
      EXPECT_EQ(std::string(text.CStr()).rfind(expected, 0), 0u) << text.CStr();
      char buffer[256] = {};
      EXPECT_EQ(spine.LogEntry(0, buffer, sizeof buffer), kMoveCurve4);
      EXPECT_STREQ(buffer, text.CStr());
    }
    EXPECT_TRUE(seen);
  }
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "cMcabbgqs"));
  const int cell = FindShortCurveCell(spine, 1);
  ASSERT_GE(cell, 0);
  const std::string name = spine.NthCell(cell).DisplayName();
  TString text;
  ASSERT_EQ(PerformCellCurveMove(spine, cell, kMoveShortCurve, &text), 1);
  EXPECT_EQ(std::string(text.CStr()), "Short curve simplification of " + name + " done");
}

// The Simplify dialog's list of a cell to which only the curve-of-length-4
// moves apply: 16, then (the caller turning 16 into 17) 18, then nothing.
TEST(ShortCurvesTest, TheListOffersTheThreeVariantsInTurn) {
  InitMoveOrderTable();
  int seen = 0;
  for (unsigned seed = 1; seed <= 300 && seen < 3; ++seed) {
    TScopedModelHeap heap;
    TSpine spine;
    if (!LoadRandomThickenedSpine(spine, 3 + static_cast<int>(seed % 8), seed)) continue;
    for (int i = 0; spine.NthCell(i).IsValid(); ++i) {
      if (ClassifyCellMove(0, spine, i, 0) != kMoveCurve4) continue;
      ++seen;
      EXPECT_EQ(ClassifyCellCurveAt(spine, i), 2);
      EXPECT_EQ(ClassifyCellMove(0, spine, i, kMoveCurve4FirstPiercing), kMoveCurve4SecondPiercing);
      EXPECT_EQ(ClassifyCellMove(0, spine, i, kMoveCurve4SecondPiercing), 0);
      // The search over variants in mode 1 leaves them out.
      EXPECT_EQ(ClassifyCellMove(1, spine, i, 0), 0);
      break;
    }
  }
  EXPECT_GT(seen, 0);
}

// A cell that does not fit the asked type is refused and nothing changes.
TEST(ShortCurvesTest, RefusalsLeaveTheSpineAsItWas) {
  InitMoveOrderTable();
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "cMcabbgqs"));
  const int shortCell = FindShortCurveCell(spine, 1);
  ASSERT_GE(shortCell, 0);
  int none = -1;
  for (int i = 0; spine.NthCell(i).IsValid() && none < 0; ++i)
    if (ClassifyCellCurveAt(spine, i) == 0) none = i;
  ASSERT_GE(none, 0);
  const std::string before = SpineSignature(spine);
  const struct {
    int cell;
    int type;
  } cases[] = {{shortCell, kMoveCurve4},       {shortCell, kMoveCurve4FirstPiercing},
               {shortCell, kMoveCurve4SecondPiercing}, {none, kMoveShortCurve},
               {none, kMoveCurve4},            {-1, kMoveShortCurve},
               {1000, kMoveShortCurve}};
  for (const auto& c : cases) {
    TString text;
    EXPECT_EQ(PerformCellCurveMove(spine, c.cell, c.type, &text), 0) << c.cell << " " << c.type;
    EXPECT_TRUE(text.Empty());
  }
  EXPECT_EQ(spine.LogCount(), 0);
  EXPECT_EQ(SpineSignature(spine), before);
  // Without a thickening no cell is a candidate.
  spine.RemoveThickObjects();
  EXPECT_EQ(FindShortCurveCell(spine, 1), -1);
  EXPECT_EQ(ClassifyCellCurveAt(spine, shortCell), 0);
  int type = -1;
  EXPECT_EQ(FindCurveLength4WithPiercing(spine, &type), -1);
  EXPECT_EQ(type, 0);
  EXPECT_EQ(PerformCellCurveMove(spine, shortCell, kMoveShortCurve, nullptr), 0);
}

}  // namespace
