// The gluing of a molecule edge from the change of basis on its torus. See
// molecule_edge.h.
//
// A boundary torus can carry two pairs of coordinate curves: labels 0 and 1
// those of the piece whose spine holds the torus, labels 2 and 3 those of the
// piece glued on. The torus matrix M (column j writes curve 2 + j in curves
// 0 and 1) takes coordinates in the glued piece's basis to coordinates in the
// spine piece's basis. With the spine's piece at end 2 that is the gluing
// itself (end 1 to end 2); with it at end 1 the gluing is M^-1.
#include "model/molecule_edge.h"

#include "model/molecule_vertex.h"

int TMoleculeEdge::ComputeGluing(TObjectHeader* edge, const TIntQuad& torusMatrix) {
  TMoleculeEdge* e = Of(edge);
  if (e == nullptr) return 0;
  // Curves 2 and 3 all zero (no piece glued on yet) or no basis: nothing to
  // recompute from.
  const long long det = static_cast<long long>(torusMatrix.a) * torusMatrix.d -
                        static_cast<long long>(torusMatrix.b) * torusMatrix.c;
  if (det != 1 && det != -1) return 0;
  const bool spineAtEnd1 = TMoleculeVertex::AtomType(e->end1) == kExceptionalAtom &&
                           TMoleculeVertex::AtomType(e->end2) != kExceptionalAtom;
  SetGluing(edge, torusMatrix, spineAtEnd1 ? 2 : 1);
  return 1;
}
