// The gluing matrix of a boundary torus from its edge labels.
#include "moves/boundary_gluing_matrix.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "model/complex.h"
#include "model/edge.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

namespace {

struct TLabelledCase {
  const char* what;
  std::vector<std::vector<int>> words;
  std::vector<std::array<int, 4>> labels;  // per edge
  int result;
  std::array<int, 4> matrix;
};

TEST(BoundaryGluingMatrixTest, MatricesOfLabelledTori) {
  const TLabelledCase cases[] = {
      {"one vertex, the same basis twice", {{1, 2, -1, -2}}, {{1, 0, 1, 0}, {0, 1, 0, 1}}, 1, {1, 0, 0, 1}},
      {"one vertex, the second basis swapped", {{1, 2, -1, -2}}, {{1, 0, 0, 1}, {0, 1, 1, 0}}, 1, {0, 1, 1, 0}},
      {"one vertex, a twist", {{1, 2, -1, -2}}, {{1, 0, 1, 1}, {0, 1, 0, 1}}, 1, {1, 1, 0, 1}},
      // Two vertices and three edges: the first two edges are no basis; the
      // torus is brought down to one vertex first.
      {"theta graph", {{1, 2, 3, -1, -2, -3}}, {{1, 0, 1, 0}, {0, 1, 0, 1}, {-1, -1, -1, -1}}, 1, {1, 0, 0, 1}},
      {"curves 0 and 1 no basis", {{1, 2, -1, -2}}, {{1, 0, 1, 0}, {1, 0, 0, 1}}, 0, {7, 7, 7, 7}},
      {"a sphere is no torus", {{1, -1}}, {{1, 0, 1, 0}}, 0, {7, 7, 7, 7}},
  };
  for (const TLabelledCase& c : cases) {
    SCOPED_TRACE(c.what);
    TScopedModelHeap heap;
    TComplex surface;
    TBuiltComplex built = BuildComplexFromWords(surface, c.words);
    for (std::size_t k = 0; k < c.labels.size(); ++k) TEdge::SetLabels(built.edges[k], c.labels[k].data(), 1);
    int m[4] = {7, 7, 7, 7};
    EXPECT_EQ(SpineBoundaryGluingMatrix(surface, m), c.result);
    EXPECT_EQ((std::array<int, 4>{m[0], m[1], m[2], m[3]}), c.matrix);
    // The surface itself is left as it was.
    EXPECT_EQ(surface.Objects().CountOfKind(kEdgeKind), static_cast<int>(c.labels.size()));
  }
}

}  // namespace
