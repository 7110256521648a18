// A molecule edge's gluing recomputed from the two pairs of curves on its
// boundary torus.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "model/complex.h"
#include "model/edge.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "moves/molecule_edge_gluing.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

namespace {

using TQuadArray = std::array<int, 4>;

TQuadArray ArrayOf(const TIntQuad& q) { return {q.a, q.b, q.c, q.d}; }

// An atom glued to another along one edge; which end is the piece of the
// spine (the exceptional atom) is chosen per case.
struct TGluedPair {
  explicit TGluedPair(int spineEnd) {
    THandle first(table.NewAtom(spineEnd == 1 ? kExceptionalAtom : kSolidTorusAtom));
    THandle second(table.NewAtom(spineEnd == 2 ? kExceptionalAtom : kSeifertAtom));
    edge.AssignObject(table.NewMoleculeEdge(kTrueMoleculeEdge));
    TEdge::SetEndVertex(edge, first, 1);
    TEdge::SetEndVertex(edge, second, 2);
    TMoleculeEdge::SetGluingValues(edge, 7, 7, 7, 7);
  }
  ~TGluedPair() { table.Clear(); }
  TObjectTable table;
  THandle edge;
};

// The one-vertex torus (edges 1, 2: word 1 2 -1 -2) whose curves 0 and 1 are
// the two edges and whose curves 2 and 3 are the columns of m, written in
// them: edge i carries labels (i == 1, i == 2, m[i][0], m[i][1]).
void LabelTorus(TComplex& torus, const TQuadArray& m) {
  TBuiltComplex built = BuildComplexFromWords(torus, {{1, 2, -1, -2}});
  const int first[4] = {1, 0, m[0], m[1]};
  const int second[4] = {0, 1, m[2], m[3]};
  TEdge::SetLabels(built.edges[0], first, 1);
  TEdge::SetLabels(built.edges[1], second, 1);
}

TEST(MoleculeEdgeGluingTest, TheGluingTakesTheGluedPiecesCoordinatesToTheSpinePiecesAndItsInverseTheOtherWay) {
  struct TCase {
    const char* what;
    TQuadArray curves;  // curves 2 and 3 in curves 0 and 1, as columns
    int spineEnd;       // end of the exceptional atom; 0 for neither
    int result;
    TQuadArray gluing;
  };
  const TCase cases[] = {
      {"the same basis", {1, 0, 0, 1}, 2, 1, {1, 0, 0, 1}},
      {"a twist, the spine at end 2", {1, 1, 0, 1}, 2, 1, {1, 1, 0, 1}},
      {"a twist, the spine at end 1: the inverse", {1, 1, 0, 1}, 1, 1, {1, -1, 0, 1}},
      {"Anosov, the spine at end 1", {2, 1, 1, 1}, 1, 1, {1, -1, -1, 2}},
      {"the basis swapped (det -1) is its own inverse", {0, 1, 1, 0}, 1, 1, {0, 1, 1, 0}},
      {"no exceptional end: the reference's own piece is end 2", {3, 2, 1, 1}, 0, 1, {3, 2, 1, 1}},
      {"no piece glued on yet: curves 2 and 3 empty", {0, 0, 0, 0}, 2, 0, {7, 7, 7, 7}},
      {"curves 2 and 3 no basis", {2, 0, 0, 1}, 2, 0, {7, 7, 7, 7}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TScopedModelHeap heap;
    TComplex torus;
    LabelTorus(torus, c.curves);
    TGluedPair pair(c.spineEnd);
    EXPECT_EQ(ComputeGluingFromTorus(pair.edge, &torus), c.result);
    const TIntQuad g = TMoleculeEdge::GluingQuad(pair.edge);
    EXPECT_EQ(ArrayOf(g), c.gluing);
    if (c.result == 1) {
      EXPECT_EQ(QuadDet(g) * QuadDet(g), 1);
    }
    // The torus is read through a copy.
    EXPECT_EQ(torus.Objects().CountOfKind(kEdgeKind), 2);
    EXPECT_EQ(TEdge::Label(torus.Objects().First(kEdgeKind), 2), c.curves[0]);
  }
}

// The same torus seen from either side gives inverse gluings, and the
// gluing does not depend on the cell structure of the torus: a torus of two
// vertices carrying the same curves gives the same matrix.
TEST(MoleculeEdgeGluingTest, BothSidesGiveInverseMatricesOnAnyCellStructure) {
  TScopedModelHeap heap;
  TComplex torus;
  LabelTorus(torus, {2, 3, 1, 2});
  TGluedPair atEnd2(2);
  TGluedPair atEnd1(1);
  ASSERT_EQ(ComputeGluingFromTorus(atEnd2.edge, &torus), 1);
  ASSERT_EQ(ComputeGluingFromTorus(atEnd1.edge, &torus), 1);
  TIntQuad product;
  QuadProduct(product, TMoleculeEdge::GluingQuad(atEnd2.edge), TMoleculeEdge::GluingQuad(atEnd1.edge));
  EXPECT_EQ(ArrayOf(product), (TQuadArray{1, 0, 0, 1}));

  // Theta graph: edges 1 and 2 as before, edge 3 closing them up between two
  // vertices (labels balanced at both).
  TComplex theta;
  TBuiltComplex built = BuildComplexFromWords(theta, {{1, 2, 3, -1, -2, -3}});
  const int labels[3][4] = {{1, 0, 2, 3}, {0, 1, 1, 2}, {-1, -1, -3, -5}};
  for (int k = 0; k < 3; ++k) TEdge::SetLabels(built.edges[static_cast<std::size_t>(k)], labels[k], 1);
  TGluedPair onTheta(2);
  ASSERT_EQ(ComputeGluingFromTorus(onTheta.edge, &theta), 1);
  EXPECT_EQ(ArrayOf(TMoleculeEdge::GluingQuad(onTheta.edge)), ArrayOf(TMoleculeEdge::GluingQuad(atEnd2.edge)));
}

TEST(MoleculeEdgeGluingTest, RefusesWithoutChangingAnything) {
  TScopedModelHeap heap;
  TGluedPair pair(2);
  TComplex sphere;
  TBuiltComplex built = BuildComplexFromWords(sphere, {{1, -1}});
  const int labels[4] = {1, 0, 1, 0};
  TEdge::SetLabels(built.edges[0], labels, 1);
  EXPECT_EQ(ComputeGluingFromTorus(pair.edge, &sphere), 0);
  EXPECT_EQ(ComputeGluingFromTorus(pair.edge, nullptr), 0);
  TComplex torus;
  LabelTorus(torus, {1, 0, 0, 1});
  EXPECT_EQ(ComputeGluingFromTorus(nullptr, &torus), 0);
  // An atom is no edge.
  EXPECT_EQ(ComputeGluingFromTorus(pair.table.NthExceptionalAtom(0), &torus), 0);
  EXPECT_EQ(ArrayOf(TMoleculeEdge::GluingQuad(pair.edge)), (TQuadArray{7, 7, 7, 7}));
}

}  // namespace
