// The homology of two Seifert atoms over the disk joined by one molecule edge.
// See homology_two_atoms.h for the mathematics.
#include "model/homology_two_atoms.h"

#include "foundation/int_matrix.h"
#include "model/homology.h"
#include "model/object_table.h"

namespace {

// The relations of one atom with k fibres at row r0 and column c0: column c0
// is the boundary curve of its base, c0 + 1 .. c0 + k the curves around its
// exceptional fibres, c0 + k + 1 its fibre. Uses k + 1 rows and k + 2 columns.
void MatrixPutAtomRelations(TIntMatrix& matrix, const TObjectHeader* atom, std::uint32_t r0,
                            std::uint32_t c0) {
  int k = TMoleculeVertex::PairCount(atom);
  for (int j = 0; j <= k; ++j) matrix.Row(r0)[c0 + static_cast<std::uint32_t>(j)] = 1;
  std::uint32_t fibre = c0 + static_cast<std::uint32_t>(k) + 1;
  for (int i = 1; i <= k; ++i) {
    int p = 0;
    int q = 0;
    TMoleculeVertex::PairAt(atom, i - 1, p, q);
    std::int32_t* row = matrix.Row(r0 + static_cast<std::uint32_t>(i));
    row[c0 + static_cast<std::uint32_t>(i)] = p;
    row[fibre] = q;
  }
}

}  // namespace

int ComputeForTwoAtoms(THomologyList& list, int typeCode, const TObjectTable* molecule) {
  if (typeCode != kCompoundGraphManifoldType || molecule == nullptr) return 0;
  if (molecule->CountOfKind(kMoleculeVertexKind) != 2 || molecule->CountOfKind(kMoleculeEdgeKind) != 1)
    return 0;
  const TObjectHeader* edge = nullptr;
  for (int i = 0; i < molecule->Count() && edge == nullptr; ++i)
    if (TMoleculeEdge::Of(molecule->At(i)) != nullptr) edge = molecule->At(i);
  THandle a = TEdge::End(edge, 1);
  THandle b = TEdge::End(edge, 2);
  // A loop would glue an atom to itself: not the manifold of the formula.
  if (a.Object() == b.Object()) return 0;
  if (TMoleculeVertex::Classify(a) != kBaseDisk || TMoleculeVertex::Classify(b) != kBaseDisk)
    return 0;

  const auto kA = static_cast<std::uint32_t>(TMoleculeVertex::PairCount(a));
  const auto kB = static_cast<std::uint32_t>(TMoleculeVertex::PairCount(b));
  const std::uint32_t n = kA + kB + 4;
  TIntMatrix matrix(n, n);
  if (!matrix.IsAllocated()) return 0;
  MatrixPutAtomRelations(matrix, a, 0, 0);
  MatrixPutAtomRelations(matrix, b, kA + 1, kA + 2);

  // The gluing: A's boundary curve = a d_B + c h_B, A's fibre = b d_B + d h_B.
  const TIntQuad g = TMoleculeEdge::GluingQuad(edge);
  const std::uint32_t boundaryA = 0;
  const std::uint32_t fibreA = kA + 1;
  const std::uint32_t boundaryB = kA + 2;
  const std::uint32_t fibreB = kA + kB + 3;
  const std::uint32_t r = kA + kB + 2;
  matrix.Row(r)[boundaryB] = g.a;
  matrix.Row(r)[fibreB] = g.c;
  matrix.Row(r)[boundaryA] = -1;
  matrix.Row(r + 1)[boundaryB] = g.b;
  matrix.Row(r + 1)[fibreB] = g.d;
  matrix.Row(r + 1)[fibreA] = -1;

  list.Diagonalise(matrix, n, n);
  if (list.Count() == 0) list.AppendElement(1);
  return 1;
}
