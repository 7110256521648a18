// Subdividing an edge and splitting a cell.
#include "moves/cell_surgery.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/object_header.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

namespace {

TEST(CellSurgeryTest, SubdividingAnEdgeReplacesEveryPassage) {
  TScopedModelHeap heap;
  TComplex complex;
  // A torus: edge 1 is passed once each way.
  TBuiltComplex built = BuildComplexFromWords(complex, {{1, 2, -1, -2}});
  THandle cell = built.cells[0];
  int p = 0;
  int q = 2;
  int vertices = complex.Objects().CountOfKind(kVertexKind);
  ASSERT_EQ(RemoveCellEdge(complex, cell, 0, &p, &q), 1);
  EXPECT_EQ(complex.Objects().CountOfKind(kVertexKind), vertices + 1);
  EXPECT_EQ(complex.Objects().CountOfKind(kEdgeKind), 3);
  EXPECT_EQ(TCell::BoundaryLength(cell), 6);
  // e1 e2 along, then e2 e1 against; the trackers follow their passages.
  std::vector<int> word = SignedWord(cell);
  EXPECT_EQ(word[0], -word[4]);
  EXPECT_EQ(word[1], -word[3]);
  EXPECT_EQ(p, 0);
  EXPECT_EQ(q, 4);  // the later tracker moves to the second of its two passages
  THandle middle = TEdge::End(TCell::EdgeAt(cell, 0), 2);
  EXPECT_EQ(TEdge::End(TCell::EdgeAt(cell, 1), 1).Object(), middle.Object());
  EXPECT_EQ(RemoveCellEdge(complex, cell, 6), 0);
}

TEST(CellSurgeryTest, SplittingACellAlongANewEdge) {
  TScopedModelHeap heap;
  TComplex complex;
  TBuiltComplex built = BuildComplexFromWords(complex, {{1, 2, 3, 4}});
  TObjectHeader* first = nullptr;
  TObjectHeader* second = nullptr;
  ASSERT_EQ(SplitCellByEdge(complex, built.cells[0], 1, 3, &first, &second), 1);
  EXPECT_EQ(complex.Objects().CountOfKind(kCellKind), 2);
  EXPECT_EQ(complex.Objects().Contains(built.cells[0]), false);
  // f from the end of passage 1 to the start of passage 3.
  THandle f = TCell::EdgeAt(first, 0);
  EXPECT_EQ(TCell::EdgeAt(second, 0).Object(), f.Object());
  EXPECT_EQ(TEdge::End(f, 1).Object(), TEdge::End(built.edges[1], 2).Object());
  EXPECT_EQ(TEdge::End(f, 2).Object(), TEdge::End(built.edges[3], 1).Object());
  int n = THandle(f).Number();
  EXPECT_EQ(SignedWord(first), (std::vector<int>{n, 4, 1, 2}));
  EXPECT_EQ(SignedWord(second), (std::vector<int>{-n, 3}));
  EXPECT_EQ(TEdge::Valency(f), 2);
  EXPECT_EQ(SplitCellByEdge(complex, first, 0, 9), 0);
}

}  // namespace
