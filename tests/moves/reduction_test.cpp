// Cell reductions on small complexes.
#include "moves/reduction.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/object_header.h"
#include "model/homology.h"
#include "model/spine.h"
#include "model/vertex.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

namespace {

struct TCounts {
  int vertices;
  int edges;
  int cells;
  bool operator==(const TCounts&) const = default;
};

TCounts Counts(const TComplex& complex) {
  return {complex.Objects().CountOfKind(kVertexKind), complex.Objects().CountOfKind(kEdgeKind),
          complex.Objects().CountOfKind(kCellKind)};
}

int ReduceAll(TComplex& complex) {
  int total = 0;
  for (int pass = 0; pass < 100; ++pass) {
    int removed = RemoveSuperfluousVertex(complex) + RemoveSuperfluousEdge(complex) + RemoveNeedle(complex);
    if (removed == 0) break;
    total += removed;
  }
  return total;
}

TEST(ReductionTest, AVertexInTheMiddleOfASmoothArcIsRemoved) {
  TScopedModelHeap heap;
  TComplex complex;
  // A disc bounded by two edges a -> b and b -> a: both vertices are superfluous.
  BuildComplexFromWords(complex, {{1, 2}});
  ASSERT_EQ(Counts(complex), (TCounts{2, 2, 1}));
  EXPECT_EQ(RemoveSuperfluousVertex(complex), 1);
  EXPECT_EQ(Counts(complex), (TCounts{1, 1, 1}));
  // The remaining vertex carries one loop: no longer superfluous.
  EXPECT_EQ(RemoveSuperfluousVertex(complex), 0);
}

TEST(ReductionTest, VerticesThatAreNotSuperfluous) {
  TScopedModelHeap heap;
  // A cell that turns back at a vertex (a fold) keeps it.
  TComplex fold;
  BuildComplexFromWords(fold, {{1, 2, -2}});
  int removedAtFold = 0;
  for (TObjectHeader* v = fold.Objects().First(kVertexKind); v != nullptr; v = fold.Objects().Next(v)) {
    if (TVertex::Valency(v) == 1) ++removedAtFold;
  }
  EXPECT_EQ(removedAtFold, 1);  // the fold's tip is a needle, not a superfluous vertex
  EXPECT_EQ(RemoveSuperfluousVertex(fold), 0);

  // An edge with a cell meets an edge without one.
  TComplex mixed;
  TBuiltComplex built = BuildComplexFromWords(mixed, {{1}});
  THandle loopVertex = TEdge::End(built.edges[0], 1);
  THandle free(mixed.Objects().CreateObject(kEdgeKind));
  THandle tip(mixed.Objects().CreateObject(kVertexKind));
  THandle middle(mixed.Objects().CreateObject(kVertexKind));
  TEdge::SetEndVertex(free, tip, 1);
  TEdge::SetEndVertex(free, middle, 2);
  THandle other(mixed.Objects().CreateObject(kEdgeKind));
  TEdge::SetEndVertex(other, middle, 1);
  TEdge::SetEndVertex(other, loopVertex, 2);
  EXPECT_EQ(RemoveSuperfluousVertex(mixed), 0);  // two edges without cells at "middle" do not qualify either
}

TEST(ReductionTest, TwoCellsAcrossAnEdgeBecomeOne) {
  TScopedModelHeap heap;
  TComplex complex;
  // A sphere of two discs on a loop.
  BuildComplexFromWords(complex, {{1}, {-1}});
  EXPECT_EQ(RemoveSuperfluousEdge(complex), 1);
  EXPECT_EQ(complex.Objects().CountOfKind(kCellKind), 1);
  EXPECT_EQ(complex.Objects().CountOfKind(kEdgeKind), 0);
  EXPECT_TRUE(complex.IsClosedSurface());
  EXPECT_EQ(complex.SurfaceClass(), 1);
}

// The closure of a disc folded over a loop is a sphere with two points
// pinched together: S^2 v S^1, chi 1, H_1 = Z. Attaching the cell at the
// vertex and dropping the loop would leave a sphere (chi 2, H_1 = 0), so the
// loop is no superfluous edge.
TEST(ReductionTest, AFoldedLoopCellIsLeftAsItIs) {
  TScopedModelHeap heap;
  TSpine complex;
  THandle vertex(complex.Objects().CreateObject(kVertexKind));
  THandle loop(complex.Objects().CreateObject(kEdgeKind));
  TEdge::SetEndVertex(loop, vertex, 1);
  TEdge::SetEndVertex(loop, vertex, 2);
  THandle cell(complex.Objects().CreateObject(kCellKind));
  TCell::AppendPassage(cell, loop, 1);
  TCell::AppendPassage(cell, loop, 2);
  complex.AddCellWithBoundary(cell);
  ASSERT_EQ(Counts(complex), (TCounts{1, 1, 1}));
  EXPECT_EQ(RemoveSuperfluousEdge(static_cast<TComplex&>(complex)), 0);
  EXPECT_EQ(CollapseFoldedLoopCell(complex, loop), 0);
  EXPECT_EQ(Counts(complex), (TCounts{1, 1, 1}));
  EXPECT_EQ(TCell::Type(cell), 1);
  EXPECT_EQ(TCell::BoundaryLength(cell), 2);
  ASSERT_EQ(complex.ComputeHomology(), 1);
  EXPECT_EQ(complex.HomologyList()->Elements(), std::vector<std::int32_t>{0});

  // Folded on an edge that is no loop, the edge's free end is a needle.
  TComplex sphere;
  BuildComplexFromWords(sphere, {{1, -1}});
  EXPECT_EQ(RemoveSuperfluousEdge(sphere), 0);
  EXPECT_EQ(RemoveNeedle(sphere), 1);
  EXPECT_EQ(Counts(sphere), (TCounts{1, 0, 1}));
}

TEST(ReductionTest, NeedlesAreContracted) {
  TScopedModelHeap heap;
  TComplex complex;
  // A disc on loop 1 with a needle 2 sticking into it: the word runs out
  // along 2 and back.
  BuildComplexFromWords(complex, {{1, 2, -2}});
  EXPECT_EQ(RemoveNeedle(complex), 1);
  EXPECT_EQ(Counts(complex), (TCounts{1, 1, 1}));
  EXPECT_EQ(SignedWord(complex.Objects().First(kCellKind)), (std::vector<int>{1}));
}

TEST(ReductionTest, ATorusReducesToOneCellOnAFigureEight) {
  TScopedModelHeap heap;
  TComplex complex;
  BuildComplexFromWords(complex, {{1, 2, -3, -4}, {3, 4, -1, -2}});
  ReduceAll(complex);
  EXPECT_EQ(complex.Objects().CountOfKind(kCellKind), 1);
  int euler = 99;
  EXPECT_EQ(complex.SurfaceClass(&euler), 2);
  EXPECT_EQ(euler, 0);
  int vertices = complex.Objects().CountOfKind(kVertexKind);
  int edges = complex.Objects().CountOfKind(kEdgeKind);
  EXPECT_TRUE((vertices == 1 && edges == 2) || (vertices == 2 && edges == 3));
}

}  // namespace
