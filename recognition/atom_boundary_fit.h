// Choosing the coordinates of a recognised atom's boundary torus.
//
// A one-torus atom is glued into a manifold by a 2x2 matrix M (the molecule
// edge) or filled along a slope (p, q). Both are written in the torus
// coordinates of the piece's spine; the table record has its own coordinates,
// related to the piece's by the torus map B of the isomorphism between the
// two spines, and the record's boundary symmetries (self-maps of the atom)
// act on them. Different pieces of one atom therefore give the same name only
// when the coordinates are normalised over the symmetries:
//  - a filling slope is mapped by each candidate R = sigma B (sigma the
//    identity or a symmetry) and the simplest slope is kept: smallest |x/y|
//    (compared by |x| |q'| < |p'| |y|), then x >= 1;
//  - a gluing matrix is mapped by each orientation-preserving candidate,
//    N = R M, and the least N in the order of CompareBoundaryMatrices is kept.
// For a Type1 description S = (first torus matrix)^-1 goes in front: R = S sigma B.
// Slopes are unoriented: (x, y) is negated when y < 0 or (y = 0 and x < 0).
#pragma once

#include <vector>

#include "foundation/int_matrix.h"

class TTableRecord;

// The order of 2x2 matrices (M11 M12; M21 M22) by the sequence |M12|, |M11|,
// |M22|, |M21|, -M12, -M11, -M22, -M21: 1 when n comes first, else 0 (also
// for equal matrices).
int CompareBoundaryMatrices(const TIntQuad& n, const TIntQuad& kept);

// The slope with y > 0, or y = 0 and x >= 0.
void NormalizeSlope(std::int64_t& x, std::int64_t& y);

// Chooses among the identity and the record's boundary symmetries (one
// torus). torusMap is B (the identity when the piece is given in the
// record's coordinates). With hasSlope the chosen slope goes to (pOut, qOut)
// and m becomes the identity; without, m becomes the least N = R m over the
// orientation-preserving candidates. Answers 1. Throws Out_of_Range when an
// entry leaves the 32-bit range (m unchanged then).
int FitBoundary(const TTableRecord& record, const TIntQuad& torusMap, TIntQuad& m, bool hasSlope, int p, int q,
                int& pOut, int& qOut);

// The same over several torus maps (every isomorphism between the piece's
// spine and the record's): each candidate is sigma B for every B given, so
// the choice does not depend on which isomorphism a search finds first.
int FitBoundary(const TTableRecord& record, const std::vector<TIntQuad>& torusMaps, TIntQuad& m, bool hasSlope,
                int p, int q, int& pOut, int& qOut);
