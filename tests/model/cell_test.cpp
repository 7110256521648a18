// Vertices, edges and cells: incidence bookkeeping and the word operations.
#include "model/cell.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "foundation/checked_int64.h"
#include "foundation/status_reporter.h"
#include "model/edge.h"
#include "model/vertex.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

namespace {

// The one-vertex special spine of the 3-sphere: two loops a = 1 and b = 2 and
// the cells a and a b a b^-1 b^-1 (its fundamental group <a, b | a, a b a b^-1
// b^-1> is trivial). Every edge has valency 3 and the link of the vertex is
// the complete graph on four vertices.
const std::vector<std::vector<int>> kSphereSpine = {{1}, {1, 2, 1, -2, -2}};

int VertexCount(TComplex& complex) { return complex.Objects().CountOfKind(kVertexKind); }

}  // namespace

TEST(Cell, BuildingFromWordsJoinsTheCorners) {
  TScopedModelHeap heap;
  TComplex complex;
  TBuiltComplex built = BuildComplexFromWords(complex, {{1, 2, -3}});  // a triangle
  EXPECT_EQ(VertexCount(complex), 3);
  THandle cell = built.cells[0];
  EXPECT_EQ(TCell::Type(cell), 1);
  EXPECT_EQ(TCell::CornerVertexCount(cell), 3);
  // Consecutive passages meet: the end of each is the start of the next.
  for (int i = 0; i < 3; ++i) {
    int j = TCell::NeighbourIndex(cell, i, 0);
    EXPECT_EQ(TEdge::End(TCell::EdgeAt(cell, i), 2, TCell::DirectionAt(cell, i)).Object(),
              TEdge::End(TCell::EdgeAt(cell, j), 1, TCell::DirectionAt(cell, j)).Object());
  }
  THandle e1 = built.edges[0];
  EXPECT_EQ(TEdge::Valency(e1), 1);
  EXPECT_TRUE(EdgeBoundsCell(cell, e1));
  EXPECT_EQ(CellAlgebraicPassages(cell, built.edges[2]), -1);
  THandle v = TEdge::End(e1, 1);
  EXPECT_EQ(TVertex::Valency(v), 2);
  EXPECT_TRUE(CellHasEndVertex(cell, v));
}

TEST(Cell, ALoopOccursTwiceAtItsVertex) {
  TScopedModelHeap heap;
  TComplex complex;
  TBuiltComplex built = BuildComplexFromWords(complex, {{1}});
  THandle loop = built.edges[0];
  ASSERT_TRUE(TEdge::IsLoop(loop));
  THandle v = TEdge::End(loop, 1);
  EXPECT_EQ(TVertex::Valency(v), 2);
  EXPECT_EQ(TEdge::EndNumber(loop, v), 0);
  EXPECT_EQ(TVertex::Of(v)->cellList.Count(), 2);  // the cell once per edge end
  EXPECT_EQ(TEdge::DetachVertex(loop, v), 1);
  EXPECT_EQ(TVertex::Valency(v), 0);
  EXPECT_FALSE(TEdge::End(loop, 1).IsValid());
  EXPECT_FALSE(TEdge::End(loop, 2).IsValid());
}

TEST(Cell, FindPassageNeverReturnsItsStart) {
  TScopedModelHeap heap;
  TComplex complex;
  TBuiltComplex built = BuildComplexFromWords(complex, {{1, 2, 1, 3}});
  THandle cell = built.cells[0];
  THandle a = built.edges[0];
  EXPECT_EQ(TCell::FindPassage(cell, a, -1, 0), 0);
  EXPECT_EQ(TCell::FindPassage(cell, a, -1, 1), 2);
  EXPECT_EQ(TCell::FindPassage(cell, a, 0, 0), 2);
  EXPECT_EQ(TCell::FindPassage(cell, a, 2, 0), 0);
  EXPECT_EQ(TCell::FindPassage(cell, built.edges[1], 1, 1), -1);  // only at the start
  EXPECT_EQ(TCell::FindPassage(cell, a, 4, 0), -1);
  EXPECT_EQ(TCell::NeighbourIndex(cell, 0, 1), 3);
  EXPECT_EQ(TCell::NeighbourIndex(cell, 4, 0), -1);
}

TEST(Cell, AppendingToAnAttachedCellStartsAtItsVertex) {
  TScopedModelHeap heap;
  TComplex complex;
  TBuiltComplex built = BuildPointSphere(complex);
  THandle cell = built.cells[0];
  THandle v = TCell::AttachedVertex(cell);
  ASSERT_TRUE(v.IsValid());
  THandle edge(complex.Objects().CreateObject(kEdgeKind));
  TCell::AppendPassage(cell, edge, 2);
  EXPECT_EQ(TCell::Type(cell), 1);
  EXPECT_FALSE(TCell::AttachedVertex(cell).IsValid());
  EXPECT_EQ(TEdge::End(edge, 1, 2).Object(), v.Object());  // the passage starts at v
  EXPECT_FALSE(TVertex::HasAttachedCell(v));
  EXPECT_TRUE(complex.Objects().Contains(v));  // v still has an edge
}

TEST(Cell, DetachingACellWithoutItsVertexIsAnInternalError) {
  TScopedModelHeap heap;
  TComplex complex;
  TBuiltComplex built = BuildPointSphere(complex);
  THandle cell = built.cells[0];
  TCell::Of(cell)->vertex.AssignObject(nullptr);
  unsigned long errors = InternalErrorCount();
  EXPECT_EQ(TCell::DetachFromVertex(cell, nullptr), 0);
  EXPECT_EQ(InternalErrorCount(), errors + 1);
}

TEST(Cell, CuttingTheOnlyPassageRemovesTheEdge) {
  TScopedModelHeap heap;
  TComplex complex;
  TBuiltComplex built = BuildComplexFromWords(complex, {{1}});
  THandle cell = built.cells[0];
  EXPECT_EQ(TCell::CutAtPassage(cell, 0, 0), 1);
  EXPECT_EQ(TCell::Type(cell), 0);
  EXPECT_EQ(complex.Objects().CountOfKind(kEdgeKind), 0);
  EXPECT_EQ(VertexCount(complex), 0);  // orphaned with its edge
}

TEST(Cell, CuttingRewritesTheWordFromTheNextPassage) {
  TScopedModelHeap heap;
  TComplex complex;
  TBuiltComplex built = BuildComplexFromWords(complex, {{1, 2, 3, 4}, {3}});
  THandle cell = built.cells[0];
  TCell::CutAtPassage(cell, 1, 0);
  EXPECT_EQ(SignedWord(cell), (std::vector<int>{3, 4, 1}));
  TCell::CutAtEdge(cell, built.edges[3], 1);  // reverse: backward from before it
  EXPECT_EQ(SignedWord(cell), (std::vector<int>{-3, -1}));
  EXPECT_FALSE(complex.Objects().Contains(built.edges[1]));
  EXPECT_TRUE(complex.Objects().Contains(built.edges[2]));  // still on the other cell
  TCell::RotateBoundary(cell, 1, 0);
  EXPECT_EQ(SignedWord(cell), (std::vector<int>{-1, -3}));
  TCell::RotateBoundary(cell, 0, 1);
  EXPECT_EQ(SignedWord(cell), (std::vector<int>{1, 3}));
  EXPECT_EQ(TCell::RotateBoundary(cell, 2, 0), 0);
}

TEST(Cell, SubdividingAnEdgeKeepsTheTrackersOnTheirPassages) {
  TScopedModelHeap heap;
  TComplex complex;
  // Edge 1 is passed along at 0 and against at 2; the cell is a b a^-1 c.
  TBuiltComplex built = BuildComplexFromWords(complex, {{1, 2, -1, 3}});
  THandle cell = built.cells[0];
  THandle e = built.edges[0];
  TObjectManager& objects = complex.Objects();
  THandle m(objects.CreateObject(kVertexKind));
  THandle f1(objects.CreateObject(kEdgeKind));
  THandle f2(objects.CreateObject(kEdgeKind));
  TEdge::SetEndVertex(f1, TEdge::End(e, 1), 1);
  TEdge::SetEndVertex(f1, m, 2);
  TEdge::SetEndVertex(f2, m, 1);
  TEdge::SetEndVertex(f2, TEdge::End(e, 2), 2);
  int s = 2;
  int t = 3;
  EXPECT_EQ(TCell::SubdivideEdge(cell, 0, f1, f2, &s, &t), 2);
  EXPECT_EQ(SignedWord(cell),
            (std::vector<int>{f1.Number(), f2.Number(), 2, -f2.Number(), -f1.Number(), 3}));
  EXPECT_EQ(s, 3);  // still the passage against e, now its first half
  EXPECT_EQ(t, 5);  // still the passage along 3
  EXPECT_FALSE(objects.Contains(e));
  EXPECT_EQ(TEdge::Valency(f1), 2);

  // A bad subdivision (f2 does not end where the edge ends) changes nothing.
  THandle g(objects.CreateObject(kEdgeKind));
  EXPECT_EQ(TCell::SubdivideEdge(cell, 1, f1, g), 0);
  EXPECT_EQ(TCell::BoundaryLength(cell), 6);
}

TEST(Cell, SubdividingWithBothTrackersOnTheEdge) {
  struct Case {
    int s, t;        // before
    int newS, newT;  // after
  };
  // The word is a b a^-1 c with a subdivided at position 0.
  const Case cases[] = {
      {0, 2, 0, 4},  // both on e: the later one moves on to its second passage
      {2, 0, 4, 0},
      {0, 0, 0, 1},  // equal and at p: the second tracker moves on
      {2, 2, 3, 3},  // equal elsewhere
  };
  for (const Case& c : cases) {
    TScopedModelHeap heap;
    TComplex complex;
    TBuiltComplex built = BuildComplexFromWords(complex, {{1, 2, -1, 3}});
    THandle e = built.edges[0];
    TObjectManager& objects = complex.Objects();
    THandle m(objects.CreateObject(kVertexKind));
    THandle f1(objects.CreateObject(kEdgeKind));
    THandle f2(objects.CreateObject(kEdgeKind));
    TEdge::SetEndVertex(f1, TEdge::End(e, 1), 1);
    TEdge::SetEndVertex(f1, m, 2);
    TEdge::SetEndVertex(f2, m, 1);
    TEdge::SetEndVertex(f2, TEdge::End(e, 2), 2);
    int s = c.s;
    int t = c.t;
    ASSERT_EQ(TCell::SubdivideEdge(built.cells[0], 0, f1, f2, &s, &t), 2);
    EXPECT_EQ(s, c.newS) << c.s << " " << c.t;
    EXPECT_EQ(t, c.newT) << c.s << " " << c.t;
  }
}

// Both passages of the edge are replaced wherever they stand in a long word,
// whichever of them is named.
TEST(Cell, SubdividingFindsThePassagesOfTheEdgeAnywhereInALongWord) {
  struct Case {
    int first, second;  // positions of the passages of edge 1 (along, then against)
    int named;          // the position handed to SubdivideEdge
  };
  const Case cases[] = {{0, 39, 0}, {0, 39, 39}, {5, 6, 6}, {20, 2, 20}, {17, 30, 30}};
  for (const Case& c : cases) {
    TScopedModelHeap heap;
    TComplex complex;
    std::vector<int> word;
    for (int k = 0, next = 2; k < 40; ++k) word.push_back(k == c.first ? 1 : k == c.second ? -1 : next++);
    TBuiltComplex built = BuildComplexFromWords(complex, {word});
    THandle e = built.edges[0];
    TObjectManager& objects = complex.Objects();
    THandle m(objects.CreateObject(kVertexKind));
    THandle f1(objects.CreateObject(kEdgeKind));
    THandle f2(objects.CreateObject(kEdgeKind));
    TEdge::SetEndVertex(f1, TEdge::End(e, 1), 1);
    TEdge::SetEndVertex(f1, m, 2);
    TEdge::SetEndVertex(f2, m, 1);
    TEdge::SetEndVertex(f2, TEdge::End(e, 2), 2);
    ASSERT_EQ(TCell::SubdivideEdge(built.cells[0], c.named, f1, f2), 2) << c.first << " " << c.second;
    std::vector<int> expected;
    for (int letter : word) {
      if (letter == 1) {
        expected.insert(expected.end(), {f1.Number(), f2.Number()});
      } else if (letter == -1) {
        expected.insert(expected.end(), {-f2.Number(), -f1.Number()});
      } else {
        expected.push_back(letter);
      }
    }
    EXPECT_EQ(SignedWord(built.cells[0]), expected) << c.first << " " << c.second;
    EXPECT_EQ(TEdge::Valency(f1), 2);
    EXPECT_EQ(TEdge::Valency(f2), 2);
    EXPECT_FALSE(objects.Contains(e));
  }
}

TEST(Cell, ReplacingAnEdgeMovesTheCellAndDropsTheOldEdge) {
  TScopedModelHeap heap;
  TComplex complex;
  TBuiltComplex built = BuildComplexFromWords(complex, {{1, 2, 3}});
  THandle cell = built.cells[0];
  THandle old = built.edges[1];
  TObjectManager& objects = complex.Objects();
  THandle replacement(objects.CreateObject(kEdgeKind));
  TEdge::SetEndVertex(replacement, THandle(objects.CreateObject(kVertexKind)), 1);
  TEdge::SetEndVertex(replacement, THandle(objects.CreateObject(kVertexKind)), 2);
  EXPECT_EQ(TCell::ReplaceEdge(cell, old, replacement, 2), 1);
  EXPECT_EQ(SignedWord(cell), (std::vector<int>{1, -replacement.Number(), 3}));
  EXPECT_FALSE(objects.Contains(old));
  EXPECT_EQ(TEdge::Valency(replacement), 1);
  // The corners were joined: the new edge's own ends were merged into the end
  // of passage 1 and the start of passage 3.
  EXPECT_EQ(VertexCount(complex), 3);
  EXPECT_EQ(TEdge::End(replacement, 2).Object(), TEdge::End(built.edges[0], 2).Object());
  EXPECT_EQ(TEdge::End(replacement, 1).Object(), TEdge::End(built.edges[2], 1).Object());
}

TEST(Cell, MergingVerticesMovesEveryEdgeEnd) {
  TScopedModelHeap heap;
  TComplex complex;
  BuildComplexFromWords(complex, {{1, 2, 3}});
  TObjectManager& objects = complex.Objects();
  THandle u(objects.First(kVertexKind));
  THandle w(objects.Next(u));
  ASSERT_TRUE(w.IsValid());
  TVertex::MergeVertex(u, w, &objects);
  EXPECT_EQ(VertexCount(complex), 2);
  EXPECT_EQ(TVertex::Valency(u), 4);
  EXPECT_EQ(TVertex::Valency(w), 0);  // released
}

TEST(Cell, EdgeLabelsAreCheckedThirtyTwoBitValues) {
  TScopedModelHeap heap;
  TObjectManager objects;
  THandle e(objects.CreateObject(kEdgeKind));
  const int values[4] = {1, -2, 3, 0};
  TEdge::SetLabels(e, values, 0);
  int out[4];
  EXPECT_FALSE(TEdge::LabelsAreZero(e, out));
  EXPECT_EQ(std::vector<int>(out, out + 4), (std::vector<int>{-1, 2, -3, 0}));
  // Past 16 bits nothing wraps; past 32 bits the sum is refused whole.
  const int big[4] = {32767, 5, 0, 0};
  TEdge::SetLabels(e, big, 1);
  const int one[4] = {1, 1, 0, 0};
  TEdge::AddLabels(e, one, 1);
  EXPECT_EQ(TEdge::Label(e, 0), 32768);
  const int top[4] = {7, INT32_MAX, 0, 0};
  TEdge::SetLabels(e, top, 1);
  EXPECT_THROW(TEdge::AddLabels(e, one, 1), Out_of_Range);
  EXPECT_EQ(TEdge::Label(e, 0), 7);
  EXPECT_EQ(TEdge::Label(e, 1), INT32_MAX);
  const int bottom[4] = {INT32_MIN, 0, 0, 0};
  EXPECT_THROW(TEdge::SetLabels(e, bottom, 0), Out_of_Range);
  EXPECT_EQ(TEdge::Label(e, 0), 7);
  EXPECT_EQ(TEdge::Label(e, 4), 0);
  EXPECT_TRUE(TEdge::LabelsAreZero(nullptr));
}

TEST(Vertex, TheVertexOfASpecialSpineHasTheCompleteGraphAsItsLink) {
  TScopedModelHeap heap;
  TComplex complex;
  TBuiltComplex built = BuildComplexFromWords(complex, kSphereSpine);
  ASSERT_EQ(VertexCount(complex), 1);
  THandle v(complex.Objects().First(kVertexKind));
  ASSERT_EQ(TVertex::Valency(v), 4);
  int cells[6] = {-9, -9, -9, -9, -9, -9};
  ASSERT_TRUE(TVertex::HasSpecialNeighbourhood(v, cells));
  // The two ends of loop 1 are joined only by the corner of cell 1 (the word
  // "1"); every other pair of ends by a corner of cell 2.
  std::vector<int> entriesOfA;
  for (int k = 0; k < 4; ++k)
    if (TVertex::EdgeAt(v, k).Object() == built.edges[0].Object()) entriesOfA.push_back(k);
  ASSERT_EQ(entriesOfA.size(), 2u);
  const int pairs[6][2] = {{0, 1}, {0, 2}, {0, 3}, {2, 3}, {1, 3}, {1, 2}};  // output order
  for (int k = 0; k < 6; ++k) {
    bool bothA = pairs[k][0] == entriesOfA[0] && pairs[k][1] == entriesOfA[1];
    EXPECT_EQ(cells[k], bothA ? 1 : 2) << "pair " << k;
  }
  THandle spine2 = built.cells[1];
  EXPECT_EQ(TCell::CountSpecialVertices(spine2, -1, -1), 1);
  EXPECT_EQ(TCell::HasMoreSpecialVertices(spine2, 0, 2, 1), 1);
  EXPECT_EQ(TCell::HasMoreSpecialVertices(spine2, 1, -1, -1), 0);
}

TEST(Vertex, VerticesThatAreNotSpecialFailAndLeaveTheOutputAlone) {
  struct Case {
    const char* name;
    std::vector<std::vector<int>> words;
  };
  const Case cases[] = {
      // One vertex of valency 4 but edges of valency 2.
      {"torus", {{1, 2, -1, -2}}},
      // Valency 4 and edges of valency 3, but the corners join the two ends of
      // each loop twice and leave the pairs (start of 1, start of 2) and
      // (end of 1, end of 2) unjoined.
      {"repeated corner", {{1}, {1, 1, 2, 2, 2}}},
  };
  for (const Case& c : cases) {
    TScopedModelHeap heap;
    TComplex complex;
    BuildComplexFromWords(complex, c.words);
    THandle v(complex.Objects().First(kVertexKind));
    ASSERT_EQ(TVertex::Valency(v), 4) << c.name;
    int out[6] = {7, 7, 7, 7, 7, 7};
    EXPECT_FALSE(TVertex::HasSpecialNeighbourhood(v, out)) << c.name;
    EXPECT_TRUE(std::all_of(out, out + 6, [](int x) { return x == 7; })) << c.name;
  }
}
