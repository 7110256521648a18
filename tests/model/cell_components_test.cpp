#include "model/cell_components.h"

#include <gtest/gtest.h>

#include "model/cell.h"
#include "model/edge.h"
#include "model/vertex.h"
#include "model/cell_word_list.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

namespace {

TEST(CellComponents, GroupsCellsThatMeetAlongEdges) {
  TScopedModelHeap heap;
  TComplex complex;
  // Cells 1 and 2 share edge 1; cell 3 passes edge 4 twice; cell 4 stands alone.
  TBuiltComplex built = BuildComplexFromWords(complex, {{1, 2}, {-1, 3}, {4, 4}, {5, -5}});
  TCellWordList components;
  EXPECT_EQ(CellComponents(complex, &components), 0);
  ASSERT_EQ(components.CellCount(), 3);
  EXPECT_EQ(components.WordLength(0), 2);
  EXPECT_EQ(components.ObjectAt(0, 0), built.cells[0].Object());
  EXPECT_EQ(components.ObjectAt(0, 1), built.cells[1].Object());
  EXPECT_EQ(components.WordLength(1), 1);  // listed once though it passes edge 4 twice
  EXPECT_EQ(components.ObjectAt(1, 0), built.cells[2].Object());
  EXPECT_EQ(components.ObjectAt(2, 0), built.cells[3].Object());
  EXPECT_EQ(CellListsContain(components, built.cells[3]), 1);
  EXPECT_EQ(complex.ComponentCount(), 3);

  TObjectList closure = CellComponentClosure(built.cells[1]);
  ASSERT_EQ(closure.Count(), 2);
  EXPECT_EQ(closure.At(0), built.cells[1].Object());
}

TEST(CellComponents, CellsMeetingAtAVertexOnlyAreApart) {
  TScopedModelHeap heap;
  TComplex complex;
  // Two discs on two loops, then the loops' vertices made one.
  TBuiltComplex built = BuildComplexFromWords(complex, {{1}, {2}});
  TVertex::MergeVertex(TEdge::End(built.edges[0], 1), TEdge::End(built.edges[1], 1),
                       &complex.Objects());
  ASSERT_EQ(complex.Objects().CountOfKind(kVertexKind), 1);
  EXPECT_EQ(CellComponents(complex, nullptr), 0);
  TCellWordList components;
  CellComponents(complex, &components);
  EXPECT_EQ(components.CellCount(), 2);
}

TEST(CellComponents, NoCellsGiveNoComponent) {
  TScopedModelHeap heap;
  TComplex complex;
  TCellWordList components;
  TObjectList word;
  components.Append(word, nullptr);
  EXPECT_EQ(CellComponents(complex, &components), 0);
  EXPECT_EQ(components.CellCount(), 0);
}

TEST(CellComponents, OneComponentGivesOne) {
  TScopedModelHeap heap;
  TComplex complex;
  BuildComplexFromWords(complex, {{1, 2, -1, -2}, {1}, {2}});
  EXPECT_EQ(CellComponents(complex, nullptr), 1);
}

}  // namespace
