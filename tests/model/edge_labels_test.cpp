#include "model/edge_labels.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/vertex.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

namespace {

std::vector<int> Labels(const TObjectHeader* edge) {
  int out[4];
  TEdge::LabelsAreZero(edge, out);
  return std::vector<int>(out, out + 4);
}

void SetLabels(TObjectHeader* edge, std::vector<int> values) {
  TEdge::SetLabels(edge, values.data(), 1);
}

}  // namespace

TEST(EdgeLabels, PushingACurveAcrossACellKeepsItClosed) {
  TScopedModelHeap heap;
  TComplex complex;
  // A triangle 1 2 3 and the curve that runs once along edge 1.
  TBuiltComplex built = BuildComplexFromWords(complex, {{1, 2, 3}});
  THandle cell = built.cells[0];
  SetLabels(built.edges[0], {1, 0, 0, 0});
  EXPECT_EQ(EdgeAddLabelsAroundCell(cell, built.edges[0], -1), 0);
  EXPECT_EQ(Labels(built.edges[0]), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(Labels(built.edges[1]), (std::vector<int>{-1, 0, 0, 0}));
  EXPECT_EQ(Labels(built.edges[2]), (std::vector<int>{-1, 0, 0, 0}));
  // Nothing is left to push.
  EXPECT_EQ(EdgeAddLabelsAroundCell(cell, built.edges[0], -1), 1);
}

TEST(EdgeLabels, PushingAgainstThePassageAddsTheLabels) {
  TScopedModelHeap heap;
  TComplex complex;
  TBuiltComplex built = BuildComplexFromWords(complex, {{1, -2, 3}});
  SetLabels(built.edges[0], {2, 0, 1, 0});
  // Adding a boundary changes no vertex's balance: record them first.
  TObjectManager& objects = complex.Objects();
  std::vector<std::vector<int>> before;
  for (TObjectHeader* v = objects.First(kVertexKind); v != nullptr; v = objects.Next(v)) {
    int sums[4];
    VertexLabelBalance(v, sums);
    before.emplace_back(sums, sums + 4);
  }
  EXPECT_EQ(EdgeAddLabelsAroundCell(built.cells[0], built.edges[0], 0), 0);
  EXPECT_EQ(Labels(built.edges[1]), (std::vector<int>{2, 0, 1, 0}));
  EXPECT_EQ(Labels(built.edges[2]), (std::vector<int>{-2, 0, -1, 0}));
  std::size_t k = 0;
  for (TObjectHeader* v = objects.First(kVertexKind); v != nullptr; v = objects.Next(v)) {
    int sums[4];
    VertexLabelBalance(v, sums);
    EXPECT_EQ(std::vector<int>(sums, sums + 4), before[k++]);
  }
}

TEST(EdgeLabels, APassageIndexThatDoesNotHoldTheEdgeChangesNothing) {
  TScopedModelHeap heap;
  TComplex complex;
  TBuiltComplex built = BuildComplexFromWords(complex, {{1, 2, 3}});
  SetLabels(built.edges[0], {1, 1, 1, 1});
  EXPECT_EQ(EdgeAddLabelsAroundCell(built.cells[0], built.edges[0], 1), 1);
  EXPECT_EQ(Labels(built.edges[0]), (std::vector<int>{1, 1, 1, 1}));
  EXPECT_EQ(Labels(built.edges[1]), (std::vector<int>{0, 0, 0, 0}));
}

TEST(EdgeLabels, BalanceAtAVertex) {
  TScopedModelHeap heap;
  TComplex complex;
  // Loops only: the vertex always balances.
  TBuiltComplex loops = BuildComplexFromWords(complex, {{1, 2, -1, -2}});
  SetLabels(loops.edges[0], {3, 0, 0, 0});
  THandle v = TEdge::End(loops.edges[0], 1);
  int sums[4] = {9, 9, 9, 9};
  EXPECT_TRUE(VertexLabelBalance(v, sums));
  EXPECT_EQ(std::vector<int>(sums, sums + 4), (std::vector<int>{0, 0, 0, 0}));

  TComplex path;
  TBuiltComplex built = BuildComplexFromWords(path, {{1, 2, 3}});
  SetLabels(built.edges[0], {1, 0, 0, 0});
  THandle middle = TEdge::End(built.edges[0], 2);  // where 1 arrives and 2 leaves
  EXPECT_FALSE(VertexLabelBalance(middle, sums));
  EXPECT_EQ(sums[0], 1);
  SetLabels(built.edges[1], {1, 0, 0, 0});
  EXPECT_TRUE(VertexLabelBalance(middle));
  EXPECT_FALSE(VertexLabelBalance(nullptr));
}

TEST(EdgeLabels, WholeComplexLoops) {
  TScopedModelHeap heap;
  TComplex complex;
  EXPECT_TRUE(complex.AllEdgeLabelsZero());
  TBuiltComplex built = BuildComplexFromWords(complex, {{1, 2, -1, -2}});
  SetLabels(built.edges[0], {1, 2, 0, 0});
  EXPECT_FALSE(complex.AllEdgeLabelsZero());
  complex.CopyEdgeLabel(3, 1);
  EXPECT_EQ(Labels(built.edges[0]), (std::vector<int>{1, 2, 0, 2}));
  EXPECT_EQ(Labels(built.edges[1]), (std::vector<int>{0, 0, 0, 0}));  // untouched
  complex.ResetEdgeLabels(1);
  EXPECT_EQ(Labels(built.edges[0]), (std::vector<int>{1, 0, 0, 2}));
  complex.ResetEdgeLabels(-1);
  EXPECT_TRUE(complex.AllEdgeLabelsZero());
}
