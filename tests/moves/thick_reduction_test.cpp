// Cell reductions and surgery on thickened spines: every step is followed by
// the spine checker.
#include <gtest/gtest.h>

#include <string>

#include "model/cell.h"
#include "model/spine.h"
#include "model/spine_consistency.h"
#include "model/thickcell.h"
#include "moves/cell_reductions.h"
#include "moves/reduction.h"
#include "moves/thick_surgery.h"
#include "support/model_heap.h"
#include "support/spine_checker.h"
#include "support/thick_spine_support.h"

namespace {

// Closed census manifolds of one to three tetrahedra (their dual spines are
// special, with one vertex per tetrahedron).
const char* const kClosedCensus[] = {"bkaagj", "bkaajj", "bkaajn", "cMcabbgqs", "cMcabbjaj"};

int LogCountOf(const TSpine& spine, int code) {
  int n = 0;
  char text[8];
  for (int i = 0; i < spine.LogCount(); ++i) n += spine.LogEntry(i, text, sizeof text) == code ? 1 : 0;
  return n;
}

TEST(ThickReductionTest, ASpecialSpineIsSoundAndHasNothingToReduce) {
  for (const char* signature : kClosedCensus) {
    SCOPED_TRACE(signature);
    TScopedModelHeap heap;
    TSpine spine;
    ASSERT_TRUE(LoadThickenedSpine(spine, signature));
    TSpineChecker checker(spine);
    EXPECT_TRUE(checker.Check(spine));
    EXPECT_EQ(RunCellReductions(spine), 0);
    EXPECT_EQ(spine.LogCount(), 0);
    EXPECT_EQ(spine.Reduced(), 1);
  }
}

// Subdividing k edges and splitting a cell adds k superfluous vertices and one
// superfluous edge; the reductions take exactly those away again.
TEST(ThickReductionTest, SubdivisionsAndASplitReduceBackToTheSameSpine) {
  for (const char* signature : kClosedCensus) {
    for (int k = 0; k <= 3; ++k) {
      SCOPED_TRACE(std::string(signature) + " k=" + std::to_string(k));
      TScopedModelHeap heap;
      TSpine spine;
      ASSERT_TRUE(LoadThickenedSpine(spine, signature));
      const std::string before = SpineSignature(spine);
      ASSERT_FALSE(before.empty());
      TSpineChecker checker(spine);
      THandle thick = ThickCellOfCell(spine, spine.NthCell(0));
      for (int j = 0; j < k; ++j) {
        int length = TCell::BoundaryLength(TThickCell::Part(thick, 1));
        ASSERT_EQ(SubdivideThickEdgeAtPosition(spine, thick, (2 * j) % length), 1);
        ASSERT_TRUE(checker.Check(spine));
      }
      int length = TCell::BoundaryLength(TThickCell::Part(thick, 1));
      TObjectHeader* first = nullptr;
      TObjectHeader* second = nullptr;
      ASSERT_EQ(SplitThickCell(spine, thick, 0, length / 2, &first, &second), 1);
      EXPECT_NE(first, nullptr);
      EXPECT_NE(second, nullptr);
      ASSERT_TRUE(checker.Check(spine));

      EXPECT_EQ(RunCellReductions(spine), k + 1);
      EXPECT_TRUE(checker.Check(spine));
      EXPECT_EQ(SpineSignature(spine), before);
      EXPECT_EQ(LogCountOf(spine, 2), k);
      EXPECT_EQ(LogCountOf(spine, 3), 1);
    }
  }
}

TEST(ThickReductionTest, ASplitThickCellUnitedAgainIsTheSameSpine) {
  for (const char* signature : kClosedCensus) {
    SCOPED_TRACE(signature);
    TScopedModelHeap heap;
    TSpine spine;
    ASSERT_TRUE(LoadThickenedSpine(spine, signature));
    const std::string before = SpineSignature(spine);
    TSpineChecker checker(spine);
    THandle thick = ThickCellOfCell(spine, spine.NthCell(0));
    int length = TCell::BoundaryLength(TThickCell::Part(thick, 1));
    TObjectHeader* first = nullptr;
    TObjectHeader* second = nullptr;
    ASSERT_EQ(SplitThickCell(spine, thick, 0, length / 2, &first, &second), 1);
    EXPECT_EQ(UniteThickCells(spine, first, first, 0), 0);  // a cell with itself
    TObjectHeader* united = nullptr;
    ASSERT_EQ(UniteThickCells(spine, first, second, 0, &united), 1);  // the chord is at position 0
    EXPECT_EQ(united, first);
    EXPECT_TRUE(checker.Check(spine));
    EXPECT_EQ(SpineSignature(spine), before);
  }
}

// Cutting a band out of a cell leaves the strip along the chord, a
// quadrangle; the reductions unite the pieces again. Positions on two
// different edges and on one edge passed twice.
TEST(ThickReductionTest, CuttingABandLeavesAQuadrangleStrip) {
  int sameEdgeCuts = 0;
  for (const char* signature : kClosedCensus) {
    for (bool sameEdge : {false, true}) {
      SCOPED_TRACE(std::string(signature) + (sameEdge ? " one edge" : " two edges"));
      TScopedModelHeap heap;
      TSpine spine;
      ASSERT_TRUE(LoadThickenedSpine(spine, signature));
      const std::string before = SpineSignature(spine);
      TSpineChecker checker(spine);
      THandle thick;
      int a = -1;
      int b = -1;
      for (int c = 0; c < spine.Objects().CountOfKind(kCellKind) && a < 0; ++c) {
        THandle cell = spine.NthCell(c);
        int length = TCell::BoundaryLength(cell);
        for (int i = 0; i < length && a < 0; ++i)
          for (int j = i + 1; j < length && a < 0; ++j)
            if ((TCell::EdgeAt(cell, i).Object() == TCell::EdgeAt(cell, j).Object()) == sameEdge) {
              thick = ThickCellOfCell(spine, cell);
              a = i;
              b = j;
            }
      }
      if (a < 0) continue;
      sameEdgeCuts += sameEdge ? 1 : 0;
      TObjectHeader* remainder = nullptr;
      TObjectHeader* strip = nullptr;
      TObjectHeader* other = nullptr;
      ASSERT_EQ(CutThickCell(spine, thick, a, b, &remainder, &strip, &other), 1);
      EXPECT_EQ(TCell::BoundaryLength(TThickCell::Part(strip, 1)), 4);
      EXPECT_NE(remainder, nullptr);
      EXPECT_NE(other, nullptr);
      EXPECT_TRUE(checker.Check(spine));
      RunCellReductions(spine);
      EXPECT_TRUE(checker.Check(spine));
      EXPECT_EQ(SpineSignature(spine), before);
    }
  }
  EXPECT_GT(sameEdgeCuts, 0);
}

TEST(ThickReductionTest, SurgeryRefusesBadArgumentsAndChangesNothing) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "bkaajn"));
  TSpineChecker checker(spine);
  THandle thick = ThickCellOfCell(spine, spine.NthCell(0));
  int length = TCell::BoundaryLength(TThickCell::Part(thick, 1));
  const std::string before = SpineSignature(spine);
  EXPECT_EQ(SubdivideThickEdgeAtPosition(spine, thick, length), 0);
  EXPECT_EQ(SubdivideThickEdgeAtPosition(spine, thick, -1), 0);
  EXPECT_EQ(SplitThickCell(spine, thick, 0, length), 0);
  EXPECT_EQ(SplitThickCell(spine, spine.NthCell(0), 0, 0), 0);  // a cell, not a thick cell
  TSpine unthickened;
  EXPECT_EQ(SplitThickCell(unthickened, thick, 0, 0), 0);
  EXPECT_EQ(CutThickCell(spine, thick, 1, 1, nullptr, nullptr, nullptr), 0);  // one position is no band
  EXPECT_TRUE(checker.Check(spine));
  EXPECT_EQ(SpineSignature(spine), before);
}

}  // namespace

namespace {

// A nested run, reached through the consistency check that follows every
// logged move while validation is on: the check's vertex-link hook runs the
// reductions of another spine, and of the spine being reduced.
TSpine* gOtherSpine = nullptr;
TSpine* gSameSpine = nullptr;
int gNestedOther = -1;
int gNestedSame = -1;

int NestedReductions(const TObjectHeader*) {
  if (gOtherSpine != nullptr) {
    gNestedOther = RunCellReductions(*gOtherSpine);
    gNestedSame = RunCellReductions(*gSameSpine);
    gOtherSpine = nullptr;
  }
  return 0;
}

TEST(ThickReductionTest, ANestedRunOnAnotherSpineIsNotBlocked) {
  TScopedModelHeap heap;
  TSpine spine;
  TSpine other;
  for (TSpine* s : {&spine, &other}) {
    ASSERT_TRUE(LoadThickenedSpine(*s, "cMcabbgqs"));
    ASSERT_EQ(SplitThickCell(*s, ThickCellOfCell(*s, s->NthCell(0)), 0, 1), 1);
  }
  gOtherSpine = &other;
  gSameSpine = &spine;
  SetVertexLinkAnalysis(NestedReductions);
  SkipSpineValidation.store(0);
  int outer = RunCellReductions(spine);
  SkipSpineValidation.store(1);
  SetVertexLinkAnalysis(nullptr);
  EXPECT_EQ(outer, 1);
  EXPECT_EQ(gNestedOther, 1);
  EXPECT_EQ(gNestedSame, 0);
  EXPECT_EQ(other.Reduced(), 1);
}

}  // namespace
