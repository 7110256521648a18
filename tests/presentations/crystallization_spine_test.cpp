#include "presentations/crystallizations/crystallization_spine.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/vertex.h"
#include "presentations/crystallizations/crystallization_code.h"
#include "presentations/crystallizations/crystallization_manifold_check.h"
#include "presentations/crystallization_support.h"
#include "presentations/heegaard_complex_support.h"
#include "support/model_heap.h"

namespace {

TIntMatrix Graph(const char* code) {
  TIntMatrix graph;
  EXPECT_EQ(IsCrystallizationText(code, &graph), 1) << code;
  return graph;
}

std::vector<THandle> ObjectsOfKind(TComplex& complex, int kind) {
  std::vector<THandle> objects;
  for (TObjectHeader* o = complex.Objects().First(kind); o != nullptr; o = complex.Objects().Next(o)) {
    objects.emplace_back(o);
  }
  return objects;
}

// The vertex at which passage i of a cell starts or ends.
TObjectHeader* PassageEnd(const THandle& cell, int i, int end) {
  int direction = 0;
  THandle edge = TCell::PassageAt(cell, i, &direction);
  return TEdge::End(edge, end, direction);
}

TEST(CrystallizationSpine, OneLetterGivesTwoVerticesFourEdgesSixCells) {
  TScopedModelHeap heap;
  {
    TComplex spine;
    BuildCrystallizationCells(spine, Graph("a*a*a"));
    EXPECT_EQ(spine.Objects().CountOfKind(kVertexKind), 2);
    EXPECT_EQ(spine.Objects().CountOfKind(kEdgeKind), 4);
    EXPECT_EQ(spine.Objects().CountOfKind(kCellKind), 6);
    EXPECT_EQ(spine.Objects().CreationTag(), 1);
    std::vector<std::string> cellNames;
    for (const THandle& cell : ObjectsOfKind(spine, kCellKind)) {
      EXPECT_EQ(TCell::BoundaryLength(cell), 2);
      cellNames.emplace_back(cell.DisplayName());
    }
    EXPECT_EQ(cellNames, (std::vector<std::string>{"Colors1&2 #1", "Colors1&3 #1", "Colors1&4 #1",
                                                   "Colors2&3 #1", "Colors2&4 #1", "Colors3&4 #1"}));
    std::vector<std::string> edgeNames;
    for (const THandle& edge : ObjectsOfKind(spine, kEdgeKind)) {
      edgeNames.emplace_back(edge.DisplayName());
      EXPECT_EQ(TEdge::Valency(edge), 3);
    }
    // Four parallel edges: the first keeps the plain name, the others add
    // their colour.
    EXPECT_EQ(edgeNames, (std::vector<std::string>{"v1v2", "v1v2_2", "v1v2_3", "v1v2_4"}));
  }
  EXPECT_EQ(heap.LiveBlocks(), 0u);
}

TEST(CrystallizationSpine, EdgesAreNumberedByColourAndSitInColourSlots) {
  TScopedModelHeap heap;
  TSuppressObjectNamesScope unnamed(1);
  const TIntMatrix graph = Graph("badc*cdab*dcba");
  const TIntMatrix adjacency = CodeAdjacency(graph);
  TComplex spine;
  BuildCrystallizationCells(spine, graph);
  const int n = 4;
  std::vector<THandle> vertices = ObjectsOfKind(spine, kVertexKind);
  ASSERT_EQ(vertices.size(), 8u);
  for (int v = 0; v < 2 * n; ++v) {
    EXPECT_EQ(vertices[v].Number(), v + 1);
    EXPECT_EQ(vertices[v].NameObject(), nullptr);
    ASSERT_EQ(TVertex::Valency(vertices[v]), 4);
    EXPECT_TRUE(TVertex::HasSpecialNeighbourhood(vertices[v])) << v;
    for (int c = 0; c < 4; ++c) {
      THandle edge = TVertex::EdgeAt(vertices[v], c);
      const int even = v % 2 == 0 ? v : adjacency.Row(c)[v];
      EXPECT_EQ(edge.Number(), n * c + even / 2 + 1) << "vertex " << v + 1 << " colour " << c;
      EXPECT_EQ(TEdge::End(edge, 1).Number(), even + 1);
      EXPECT_EQ(TEdge::End(edge, 2).Number(), adjacency.Row(c)[even] + 1);
    }
  }
}

// One cell per bicoloured cycle, each a closed path alternating along colour
// k and against colour l; the Euler characteristic is that of the manifold
// with one ball removed per residue.
TEST(CrystallizationSpine, CellsAreTheBicolouredCyclesOfEveryManifoldCode) {
  for (std::uint32_t n = 1; n <= 3; ++n) {
    for (const TIntMatrix& graph : AllCodes(3, n)) {
      if (!IsManifoldCrystallization(graph)) continue;
      const std::string code = CrystallizationCodeText(graph);
      TScopedModelHeap heap;
      TComplex spine;
      BuildCrystallizationCells(spine, graph);
      int cycles = 0;
      for (std::uint32_t a = 0; a < 4; ++a) {
        for (std::uint32_t b = a + 1; b < 4; ++b) cycles += BicolouredCycles(graph, a, b);
      }
      int residues = 0;
      for (int c = 0; c < 4; ++c) residues += ComponentsWithout(graph, c);
      ASSERT_EQ(spine.Objects().CountOfKind(kCellKind), cycles) << code;
      EXPECT_EQ(cycles + 2 * static_cast<int>(n) - 4 * static_cast<int>(n), residues) << code;
      for (const THandle& cell : ObjectsOfKind(spine, kCellKind)) {
        const int length = TCell::BoundaryLength(cell);
        ASSERT_EQ(length % 2, 0) << code;
        for (int i = 0; i < length; ++i) {
          EXPECT_EQ(TCell::DirectionAt(cell, i), i % 2 == 0 ? 1 : 2) << code;
          EXPECT_EQ(PassageEnd(cell, i, 2), PassageEnd(cell, (i + 1) % length, 1)) << code;
        }
      }
      for (const THandle& edge : ObjectsOfKind(spine, kEdgeKind)) EXPECT_EQ(TEdge::Valency(edge), 3) << code;
    }
  }
}

TAbelianGroup Group(std::vector<std::int64_t> torsion, int freeRank) {
  TAbelianGroup group;
  group.torsion = std::move(torsion);
  group.freeRank = freeRank;
  return group;
}

// H_1 of the spine is H_1 of the manifold: removing balls does not change it.
TEST(CrystallizationSpine, HomologyOfKnownManifolds) {
  const TIntMatrix sphere = Graph("a*a*a");
  const TIntMatrix projective = Graph("badc*cdab*dcba");
  const TIntMatrix handle = Graph("acdb*badc*dbac");
  struct TCase {
    const char* name;
    TIntMatrix graph;
    TAbelianGroup h1;
  } cases[] = {
      {"S^3", sphere, Group({}, 0)},
      {"RP^3", projective, Group({2}, 0)},
      {"S^2 x S^1", handle, Group({}, 1)},
      {"RP^3 # RP^3", ConnectedSum(projective, projective), Group({2, 2}, 0)},
      {"RP^3 # S^2 x S^1", ConnectedSum(projective, handle), Group({2}, 1)},
      {"S^2 x S^1 # S^2 x S^1", ConnectedSum(handle, handle), Group({}, 2)},
      {"S^3 # RP^3", ConnectedSum(sphere, projective), Group({2}, 0)},
  };
  std::mt19937 random(11);
  for (const TCase& c : cases) {
    ASSERT_EQ(IsManifoldCrystallization(c.graph), 1) << c.name << " " << CrystallizationCodeText(c.graph);
    for (int trial = 0; trial < 4; ++trial) {
      const TIntMatrix graph = trial == 0 ? c.graph : RandomRelabelling(c.graph, random);
      TScopedModelHeap heap;
      TComplex spine;
      BuildCrystallizationCells(spine, graph);
      EXPECT_EQ(H1OfComplex(spine), c.h1) << c.name << " " << CrystallizationCodeText(graph);
    }
  }
}

}  // namespace
