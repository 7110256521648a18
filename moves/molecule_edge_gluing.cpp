// The gluing of a molecule edge recomputed from its boundary torus. See
// molecule_edge_gluing.h.
//
// SpineBoundaryGluingMatrix reduces the torus graph and gives the matrix M
// whose column j writes curve 2 + j in curves 0 and 1; the molecule edge
// turns it into its gluing. The torus graph is reduced here, above the
// model, because the cell reductions are moves.
#include "moves/molecule_edge_gluing.h"

#include "foundation/int_matrix.h"
#include "model/complex.h"
#include "model/molecule_edge.h"
#include "moves/boundary_gluing_matrix.h"

int ComputeGluingFromTorus(TObjectHeader* edge, const TComplex* reference) {
  if (TMoleculeEdge::Of(edge) == nullptr || reference == nullptr) return 0;
  int m[4] = {0, 0, 0, 0};
  if (SpineBoundaryGluingMatrix(*reference, m) != 1) return 0;
  return TMoleculeEdge::ComputeGluing(edge, TIntQuad{m[0], m[1], m[2], m[3]});
}
