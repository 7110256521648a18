// The gluing of a molecule edge recomputed from its boundary torus. See
// molecule_edge.h.
//
// A boundary torus can carry two pairs of coordinate curves: labels 0 and 1
// those of the piece whose spine holds the torus, labels 2 and 3 those of the
// piece glued on. SpineBoundaryGluingMatrix gives the matrix M whose column j
// writes curve 2 + j in curves 0 and 1, so M takes coordinates in the glued
// piece's basis to coordinates in the spine piece's basis. With the spine's
// piece at end 2 that is the gluing itself (end 1 to end 2); with it at end 1
// the gluing is M^-1.
#include "model/molecule_edge.h"

#include "model/complex.h"
#include "model/molecule_vertex.h"
#include "moves/boundary_gluing_matrix.h"

int TMoleculeEdge::ComputeGluing(TObjectHeader* edge, const TComplex* reference) {
  TMoleculeEdge* e = Of(edge);
  if (e == nullptr || reference == nullptr) return 0;
  int m[4] = {0, 0, 0, 0};
  if (SpineBoundaryGluingMatrix(*reference, m) != 1) return 0;
  const TIntQuad quad{m[0], m[1], m[2], m[3]};
  // Curves 2 and 3 all zero (no piece glued on yet) or no basis: nothing to
  // recompute from.
  const long long det = static_cast<long long>(quad.a) * quad.d - static_cast<long long>(quad.b) * quad.c;
  if (det != 1 && det != -1) return 0;
  const bool spineAtEnd1 = TMoleculeVertex::AtomType(e->end1) == kExceptionalAtom &&
                           TMoleculeVertex::AtomType(e->end2) != kExceptionalAtom;
  SetGluing(edge, quad, spineAtEnd1 ? 2 : 1);
  return 1;
}
