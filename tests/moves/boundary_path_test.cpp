// Paths in the 1-skeleton that close curves.
#include "moves/boundary_path.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/complex.h"
#include "model/edge.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

namespace {

TEST(BoundaryPathTest, AClosedCurveAroundAHexagon) {
  TScopedModelHeap heap;
  TComplex complex;
  // Edges 1..6 around one cell, edge 3 run against.
  TBuiltComplex built = BuildComplexFromWords(complex, {{1, 2, -3, 4, 5, 6}});
  THandle start = TEdge::End(built.edges[0], 1);
  std::vector<THandle> path;
  ASSERT_EQ(FindBoundaryPath(start, start, built.edges[0], 1, nullptr, nullptr, nullptr, &complex, 1, &path), 1);
  EXPECT_EQ(path.size(), 6u);
  const int expected[6] = {1, 1, -1, 1, 1, 1};
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(TEdge::Label(built.edges[k], 1), expected[k]) << k + 1;
    EXPECT_EQ(TEdge::Label(built.edges[k], 0), 0);
  }
}

TEST(BoundaryPathTest, ExcludedEdgesBlockAndAFirstEdgeAtTheTargetWritesNothing) {
  TScopedModelHeap heap;
  TComplex complex;
  TBuiltComplex built = BuildComplexFromWords(complex, {{1, 2, 3, 4}});
  THandle start = TEdge::End(built.edges[0], 1);
  EXPECT_EQ(FindBoundaryPath(start, start, built.edges[0], 1, built.edges[2], nullptr, nullptr, &complex, 0), 0);
  THandle second = TEdge::End(built.edges[0], 2);
  const int marks[4] = {5, 5, 5, 5};
  TEdge::SetLabels(built.edges[3], marks, 1);
  EXPECT_EQ(FindBoundaryPath(start, second, built.edges[0], 1, nullptr, nullptr, nullptr, &complex, 0), 1);
  EXPECT_EQ(TEdge::Label(built.edges[3], 0), 5);
  // Walked against its direction, the first edge starts at its end 2.
  std::vector<THandle> path;
  EXPECT_EQ(FindBoundaryPath(second, second, built.edges[0], 2, nullptr, nullptr, nullptr, &complex, 0, &path), 1);
  EXPECT_EQ(path.size(), 4u);
  EXPECT_EQ(TEdge::Label(built.edges[0], 0), -1);
  EXPECT_EQ(TEdge::Label(built.edges[3], 0), -1);
}

}  // namespace
