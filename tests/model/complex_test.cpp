#include "model/complex.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "model/cell.h"
#include "model/edge.h"
#include "model/vertex.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

TEST(Complex, ClassifiesClosedSurfacesByEulerCharacteristicAndOrientability) {
  struct Case {
    const char* name;
    std::vector<std::vector<int>> words;
    int euler;
    int surfaceClass;
    bool orientable;
  };
  const Case cases[] = {
      {"torus a b a^-1 b^-1", {{1, 2, -1, -2}}, 0, 2, true},
      {"Klein bottle a b a b^-1", {{1, 2, 1, -2}}, 0, 0, false},
      {"sphere a a^-1", {{1, -1}}, 2, 1, true},
      {"sphere of two discs on a loop", {{1}, {-1}}, 2, 1, true},
      {"projective plane a a", {{1, 1}}, 1, 0, false},
      {"torus of two squares", {{1, 2, -3, -4}, {3, 4, -1, -2}}, 0, 2, true},
      {"Klein bottle of two cells", {{1, 2, 3}, {3, -2, 1}}, 0, 0, false},
      {"genus two a b a^-1 b^-1 c d c^-1 d^-1", {{1, 2, -1, -2, 3, 4, -3, -4}}, -2, 0, true},
  };
  for (const Case& c : cases) {
    TScopedModelHeap heap;
    TComplex complex;
    BuildComplexFromWords(complex, c.words);
    EXPECT_TRUE(complex.IsClosedSurface()) << c.name;
    int euler = 99;
    EXPECT_EQ(complex.SurfaceClass(&euler), c.surfaceClass) << c.name;
    EXPECT_EQ(euler, c.euler) << c.name;
    EXPECT_EQ(complex.IsOrientableSurface(), c.orientable) << c.name;
  }
}

TEST(Complex, AKleinBottleIsNoTorusWhateverTheCurrentSpine) {
  TScopedModelHeap heap;
  TComplex klein;
  BuildComplexFromWords(klein, {{1, 2, 1, -2}});
  int saved = CurrentSpineIsOrientable.exchange(1);
  EXPECT_EQ(klein.SurfaceClass(), 0);
  CurrentSpineIsOrientable.store(saved);
}

TEST(Complex, APointSphereIsAClosedSurface) {
  TScopedModelHeap heap;
  TComplex complex;
  BuildPointSphere(complex);
  EXPECT_TRUE(complex.IsClosedSurface());
  int euler = 0;
  EXPECT_EQ(complex.SurfaceClass(&euler), 1);
  EXPECT_EQ(euler, 2);
  EXPECT_TRUE(complex.IsOrientableSurface());
}

TEST(Complex, ADiscIsNotAClosedSurface) {
  TScopedModelHeap heap;
  TComplex complex;
  BuildComplexFromWords(complex, {{1, 2, 3}});
  EXPECT_FALSE(complex.IsClosedSurface());
  EXPECT_FALSE(complex.IsOrientableSurface());
}

TEST(Complex, CountsComponentsFreeEdgesAndIsolatedVertices) {
  TScopedModelHeap heap;
  TComplex complex;
  EXPECT_TRUE(complex.IsEmpty());
  EXPECT_EQ(complex.ComponentCount(), 0);
  // Two cells that share an edge, and a loop cell on its own.
  TBuiltComplex built = BuildComplexFromWords(complex, {{1, 2}, {-2, 3}, {4}});
  EXPECT_FALSE(complex.IsEmpty());
  EXPECT_EQ(complex.ComponentCount(), 2);
  EXPECT_EQ(complex.CountFreeEdges(), 0);
  THandle free(complex.Objects().CreateObject(kEdgeKind));
  THandle lonely(complex.Objects().CreateObject(kVertexKind));
  EXPECT_EQ(complex.CountFreeEdges(), 1);
  EXPECT_EQ(complex.CountIsolatedVertices(), 1);
  EXPECT_EQ(complex.CellOrdinal(built.cells[2]), 2);
  EXPECT_EQ(complex.NthCell(1).Object(), built.cells[1].Object());
  EXPECT_FALSE(complex.NthCell(3).IsValid());
  EXPECT_EQ(complex.CellOrdinal(nullptr), -1);
}

TEST(Complex, CellsThatMeetOnlyAtAVertexAreSeparateComponents) {
  TScopedModelHeap heap;
  TComplex complex;
  TBuiltComplex built = BuildComplexFromWords(complex, {{1}, {2}});
  // Put both loops at one vertex.
  TVertex::MergeVertex(TEdge::End(built.edges[0], 1), TEdge::End(built.edges[1], 1), nullptr);
  ASSERT_EQ(complex.Objects().CountOfKind(kVertexKind), 1);
  EXPECT_EQ(complex.ComponentCount(), 2);
}

TEST(Complex, RemovingACellTakesItsOrphanedEdgesAndVertices) {
  TScopedModelHeap heap;
  TComplex complex;
  TBuiltComplex built = BuildComplexFromWords(complex, {{1, 2, 3}, {-3, 4, 5}});
  TObjectManager& objects = complex.Objects();
  EXPECT_EQ(complex.RemoveCell(built.cells[0]), 1);
  EXPECT_EQ(objects.CountOfKind(kCellKind), 1);
  EXPECT_EQ(objects.CountOfKind(kEdgeKind), 3);    // 3 stays on the other cell
  EXPECT_EQ(objects.CountOfKind(kVertexKind), 3);  // the vertex between 1 and 2 goes
  EXPECT_EQ(complex.RemoveCell(built.cells[0]), 0);
  EXPECT_EQ(complex.RemoveCell(built.cells[1]), 1);
  EXPECT_TRUE(complex.IsEmpty());
}

TEST(Complex, ACopyKeepsStructureAndNumbering) {
  TScopedModelHeap heap;
  TComplex source;
  TBuiltComplex built = BuildComplexFromWords(source, {{1, 2, -1, -2}, {3}, {-3, 4}});
  built.cells[1].SetName(nullptr, "top");
  const int labels[4] = {1, 0, -2, 0};
  TEdge::SetLabels(built.edges[3], labels, 1);

  TComplex target;
  BuildComplexFromWords(target, {{7, 7}});  // emptied by the copy
  int componentNumber = target.Component().Number();
  source.CopyTo(target);

  const TObjectManager& from = source.Objects();
  const TObjectManager& to = target.Objects();
  ASSERT_EQ(to.Count(), from.Count());
  for (int kind : {kVertexKind, kEdgeKind, kCellKind}) {
    EXPECT_EQ(to.CountOfKind(kind), from.CountOfKind(kind));
    EXPECT_EQ(to.HighestNumber(kind), from.HighestNumber(kind));
  }
  for (int i = 0; i < from.Count(); ++i) {
    const TObjectHeader* a = from.At(i);
    const TObjectHeader* b = to.At(i);
    ASSERT_NE(a, b);
    EXPECT_EQ(a->kind, b->kind);
    EXPECT_EQ(a->number, b->number);
    EXPECT_STREQ(ObjectDisplayName(a), ObjectDisplayName(b));
    if (a->kind == kCellKind) {
      EXPECT_EQ(SignedWord(a), SignedWord(b));
    }
    if (a->kind == kVertexKind) {
      EXPECT_EQ(TVertex::Valency(a), TVertex::Valency(b));
      for (int k = 0; k < TVertex::Valency(a); ++k)
        EXPECT_EQ(TVertex::EdgeAt(a, k).Number(), TVertex::EdgeAt(b, k).Number());
    }
    if (a->kind == kEdgeKind) {
      EXPECT_EQ(TEdge::End(a, 1).Number(), TEdge::End(b, 1).Number());
      EXPECT_EQ(TEdge::End(a, 2).Number(), TEdge::End(b, 2).Number());
      EXPECT_EQ(TEdge::Valency(a), TEdge::Valency(b));
      EXPECT_EQ(TEdge::Label(a, 2), TEdge::Label(b, 2));
      EXPECT_TRUE(to.Contains(TEdge::End(b, 1)));  // references point into the copy
    }
  }
  EXPECT_EQ(target.Component().Number(), componentNumber);

  // The copy is independent: removing from it leaves the source alone.
  target.RemoveCell(target.NthCell(0));
  EXPECT_EQ(source.Objects().CountOfKind(kCellKind), 3);
  EXPECT_EQ(SignedWord(source.NthCell(0)), (std::vector<int>{1, 2, -1, -2}));
}

TEST(Complex, ReleasingACyclicStructureFreesEveryObjectOnce) {
  TScopedModelHeap heap;
  long created = ObjectsCreated();
  long destroyed = ObjectsDestroyed();
  {
    TComplex complex;
    BuildComplexFromWords(complex, {{1, 2, -1, -2}, {1}, {2, 2, 3}});
    BuildPointSphere(complex);
    ASSERT_GT(heap.LiveBlocks(), 0u);
    complex.ReleaseAllObjects();
    EXPECT_EQ(complex.Objects().Count(), 0);
    for (int kind = 0; kind < kObjectKindCount; ++kind) {
      EXPECT_EQ(complex.Objects().CountOfKind(kind), 0);
      EXPECT_EQ(complex.Objects().HighestNumber(kind), 0);
    }
    BuildComplexFromWords(complex, {{1, 2, 3}});  // reused, then destroyed full
  }
  EXPECT_EQ(ObjectsCreated() - created, ObjectsDestroyed() - destroyed);
  EXPECT_EQ(heap.LiveBlocks(), 0u);
}

TEST(Complex, AComplexMadeWithNewLivesInTheCurrentHeap) {
  TScopedModelHeap heap;
  auto* complex = new TComplex;
  BuildComplexFromWords(*complex, {{1, -1}});
  delete complex;
  EXPECT_EQ(heap.LiveBlocks(), 0u);
}

TEST(Complex, CopyAsSpineAcceptsOnlyOneConnectedOrientableClosedSurface) {
  struct Case {
    const char* name;
    std::vector<std::vector<int>> words;
    int expected;
  };
  const Case cases[] = {
      {"torus", {{1, 2, -1, -2}}, 1},
      {"torus of two squares", {{1, 2, -3, -4}, {3, 4, -1, -2}}, 1},
      {"sphere a a^-1", {{1, -1}}, 1},
      {"genus two", {{1, 2, -1, -2, 3, 4, -3, -4}}, 1},
      {"Klein bottle", {{1, 2, 1, -2}}, 0},
      {"projective plane", {{1, 1}}, 0},
      {"two tori", {{1, 2, -1, -2}, {3, 4, -3, -4}}, 0},  // orientable, but not one surface
      {"disc", {{1, 2, 3}}, 0},
  };
  for (const Case& c : cases) {
    TScopedModelHeap heap;
    TComplex complex;
    BuildComplexFromWords(complex, c.words);
    EXPECT_EQ(complex.CopyAsSpine(), c.expected) << c.name;
  }
  TScopedModelHeap heap;
  TComplex point;
  BuildPointSphere(point);
  EXPECT_EQ(point.CopyAsSpine(), 1);
}

TEST(Complex, SwapEdgesExchangesOccupiedPositionsOnly) {
  TScopedModelHeap heap;
  TComplex complex;
  TBuiltComplex built = BuildComplexFromWords(complex, {{1, 2, -1, -2}});
  THandle vertex = TEdge::End(built.edges[0], 1);
  ASSERT_EQ(TVertex::Valency(vertex), 4);
  std::vector<TObjectHeader*> before;
  for (int j = 0; j < 4; ++j) before.push_back(TVertex::EdgeAt(vertex, j).Object());
  EXPECT_EQ(TVertex::SwapEdges(vertex.Object(), 0, 3), 1);
  EXPECT_EQ(TVertex::EdgeAt(vertex, 0).Object(), before[3]);
  EXPECT_EQ(TVertex::EdgeAt(vertex, 3).Object(), before[0]);
  EXPECT_EQ(TVertex::EdgeAt(vertex, 1).Object(), before[1]);
  // A position past the end, a negative one or no vertex: nothing changes.
  for (auto [i, j] : {std::pair{0, 4}, std::pair{-1, 2}}) {
    EXPECT_EQ(TVertex::SwapEdges(vertex.Object(), i, j), 0);
    EXPECT_EQ(TVertex::EdgeAt(vertex, 0).Object(), before[3]);
  }
  EXPECT_EQ(TVertex::SwapEdges(nullptr, 0, 1), 0);
  EXPECT_EQ(TVertex::SwapEdges(built.edges[0].Object(), 0, 1), 0);  // an edge is no vertex
  EXPECT_TRUE(complex.IsOrientableSurface());
}
