// T-moves and inverse T-moves: what they change, that the inverse undoes the
// move, the marks that steer the finders, and the refusals.
#include "moves/t_move.h"

#include <gtest/gtest.h>

#include <string>

#include "model/cell.h"
#include "model/edge.h"
#include "model/spine.h"
#include "moves/polyhedron_cloud.h"
#include "presentations/triangulations/iso_signature.h"
#include "support/model_heap.h"
#include "support/spine_checker.h"
#include "support/thick_spine_support.h"

namespace {

struct TCounts {
  int v, e, f;
};

TCounts CountsOf(const TSpine& spine) {
  return {spine.Objects().CountOfKind(kVertexKind), spine.Objects().CountOfKind(kEdgeKind),
          spine.Objects().CountOfKind(kCellKind)};
}

int OrdinalOf(const TSpine& spine, int kind, const TObjectHeader* object) {
  for (int i = 0;; ++i) {
    TObjectHeader* at = TMoveObjectAt(spine, kind, i);
    if (at == nullptr) return -1;
    if (at == object) return i;
  }
}

// A bare (unthickened) spine of the signature with the cloud's candidate marks.
bool LoadMarked(TSpine& spine, const char* signature) {
  if (LoadIsoSignature(spine, signature) != 1) return false;
  TPolyhedronCloud marker;
  marker.MarkTMoveCandidates(spine, false);
  return true;
}

// Every edge of a few small spines: the T-move adds (1, 2, 1) to (V, E, F),
// keeps the homology, and the inverse move on the new triangle gives back
// the spine it started from.
TEST(TMoveTest, EveryTMoveIsUndoneByTheInverseOnItsTriangle) {
  for (const char* signature : {"cMcabbjqw", "cPcbbbqxh", "dLQbcbchxwn", "cMcabbjaj"}) {
    SCOPED_TRACE(signature);
    TScopedModelHeap heap;
    TSpine source;
    ASSERT_TRUE(LoadMarked(source, signature));
    const std::string start = SpineSignature(source);
    const TCounts before = CountsOf(source);
    int moved = 0;
    for (int e = FindTMoveEdge(source, -1); e != -1; e = FindTMoveEdge(source, e)) {
      TSpine spine;
      source.CopyTo(spine);
      TSpineChecker checker(spine);
      THandle triangle = PerformTMove(spine, e);
      ASSERT_TRUE(triangle.IsValid());
      ++moved;
      const TCounts after = CountsOf(spine);
      EXPECT_EQ(after.v, before.v + 1);
      EXPECT_EQ(after.e, before.e + 2);
      EXPECT_EQ(after.f, before.f + 1);
      EXPECT_EQ(spine.IsSpecial(1), 1);
      EXPECT_EQ(ChainHomology(spine), checker.Homology());
      EXPECT_EQ(TCell::BoundaryLength(triangle), 3);
      // The new triangle is not offered straight back.
      const int cell = OrdinalOf(spine, kCellKind, triangle);
      EXPECT_EQ(THandle(triangle).Mark(1), 'c');
      for (int c = FindInverseTMoveCell(spine, -1); c != -1; c = FindInverseTMoveCell(spine, c))
        EXPECT_NE(c, cell);
      THandle edge = PerformInverseTMove(spine, cell);
      ASSERT_TRUE(edge.IsValid());
      EXPECT_EQ(SpineSignature(spine), start);
      EXPECT_EQ(THandle(edge).Mark(1), 'c');
    }
    EXPECT_GT(moved, 0);
  }
}

TEST(TMoveTest, AThickenedSpineIsThickenedAgainAndPassesTheChecker) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "dLQbcbchhjs"));
  TSpineChecker checker(spine);
  TPolyhedronCloud marker;
  marker.MarkTMoveCandidates(spine, false);
  ASSERT_TRUE(PerformTMove(spine, FindTMoveEdge(spine, -1)).IsValid());
  EXPECT_TRUE(spine.IsThickened());
  EXPECT_TRUE(checker.Check(spine));
  // Back down through some other triangle than the new one.
  const int cell = FindInverseTMoveCell(spine, -1);
  ASSERT_NE(cell, -1);
  ASSERT_TRUE(PerformInverseTMove(spine, cell).IsValid());
  EXPECT_TRUE(checker.Check(spine));
}

TEST(TMoveTest, FindersFollowTheMarksAndTheirBounds) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_EQ(LoadIsoSignature(spine, "dLQbcbchhjs"), 1);
  // Never marked: no candidate.
  EXPECT_EQ(FindTMoveEdge(spine, -1), -1);
  EXPECT_EQ(FindInverseTMoveCell(spine, -1), -1);
  TPolyhedronCloud marker;
  marker.MarkTMoveCandidates(spine, false);
  const int edges = spine.Objects().CountOfKind(kEdgeKind);
  EXPECT_NE(FindTMoveEdge(spine, -1), -1);
  EXPECT_EQ(FindTMoveEdge(spine, edges - 1), -1);
  EXPECT_EQ(FindTMoveEdge(spine, edges + 5), -1);
  // Two vertices: no inverse move, whatever the marks say.
  TSpine two;
  ASSERT_TRUE(LoadMarked(two, "cMcabbjqw"));
  EXPECT_EQ(FindInverseTMoveCell(two, -1), -1);
}

TEST(TMoveTest, RefusalsLeaveTheSpineAsItWas) {
  TScopedModelHeap heap;
  TSpine spine;
  // One vertex: every edge is a loop, no cell a triangle of three vertices.
  ASSERT_TRUE(LoadMarked(spine, "bkaajn"));
  const std::string start = SpineSignature(spine);
  for (int e = 0; e < spine.Objects().CountOfKind(kEdgeKind); ++e)
    EXPECT_FALSE(PerformTMove(spine, e).IsValid());
  for (int c = 0; c < spine.Objects().CountOfKind(kCellKind); ++c)
    EXPECT_FALSE(PerformInverseTMove(spine, c).IsValid());
  EXPECT_FALSE(PerformTMove(spine, 99).IsValid());
  EXPECT_EQ(SpineSignature(spine), start);
  // Curve coordinates on an edge cannot follow the rebuild: refused.
  TSpine labelled;
  ASSERT_TRUE(LoadMarked(labelled, "cMcabbjqw"));
  TEdge::SetLabel(TMoveObjectAt(labelled, kEdgeKind, 0), 0, 1);
  EXPECT_FALSE(TMovesApplyTo(labelled));
  EXPECT_FALSE(PerformTMove(labelled, FindTMoveEdge(labelled, -1)).IsValid());
  EXPECT_EQ(CountsOf(labelled).v, 2);
  // A thickening with a torus boundary (the figure-eight knot's complement):
  // the torus labels and the molecule would not survive the rebuild.
  TSpine cusped;
  ASSERT_TRUE(LoadThickenedSpine(cusped, "cPcbbbiht"));
  ASSERT_GT(cusped.CountBoundaries(2), 0);
  EXPECT_FALSE(TMovesApplyTo(cusped));
  TPolyhedronCloud marker;
  marker.MarkTMoveCandidates(cusped, false);
  EXPECT_EQ(FindTMoveEdge(cusped, -1), -1);
  EXPECT_FALSE(PerformTMove(cusped, 0).IsValid());
  EXPECT_TRUE(cusped.IsThickened());
}

TEST(TMoveTest, TextsNameTheObject) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadMarked(spine, "dLQbcbchhjs"));
  const int e = FindTMoveEdge(spine, -1);
  const std::string number = std::to_string(ObjectNumber(TMoveObjectAt(spine, kEdgeKind, e)));
  EXPECT_EQ(FormatTMoveShort(spine, 1, e), "T(" + number + ")");
  EXPECT_EQ(ReportTMove(spine, e).rfind("T-move ", 0), 0u);
  EXPECT_EQ(FormatTMoveShort(spine, 3, e), "");
  THandle triangle = PerformTMove(spine, e);
  ASSERT_TRUE(triangle.IsValid());
  const int c = OrdinalOf(spine, kCellKind, triangle);
  EXPECT_EQ(FormatTMoveShort(spine, 2, c),
            "T^{-1}(" + std::to_string(ObjectNumber(triangle)) + ")");
  EXPECT_EQ(ReportInverseTMove(spine, c).rfind("T^{-1}-move {", 0), 0u);
}

}  // namespace
