// Moves across the faces of the engine's triangulation where the two
// tetrahedra on either side of a face disagree, guided by the current edge
// parameters. A triangulation on which the solver fails often carries the
// structure after such moves: a face whose two tetrahedra fold back over one
// another (a negative face) is replaced by the edge across it (2-3 move) or
// taken out with an edge of order 3 around it (3-2 move), as in a flip
// towards the Delaunay decomposition of the structure.
#pragma once

#include <array>

#include "invariants/hyperbolic/tetrahedron_formulas.h"
#include "invariants/hyperbolic/triangulation_store.h"

// The values of the faces u, v, w, x of a tetrahedron with parameters x:
// the signed tilt of each face (the sum of the values of one face seen
// from its two tetrahedra is negative where they fold back). Not finite for
// a degenerate triangle of products.
std::array<double, 4> FaceValues(const TTetrahedronParameters& x);

// The parameter of the edge that a 2-3 move across the face of dart a
// creates, joining the far corners of the two tetrahedra X (read from a) and
// Y (read from next(a) xor 1) so that both keep their shapes; 0 with false
// when either is no tetrahedron or the two do not bound a convex bipyramid
// (the dihedral angles at an edge of the face add up to pi or more).
bool NewEdgeParameter(const TTetrahedronParameters& x, const TTetrahedronParameters& y, double& parameter);

// Moves at negative faces while there are any, the edge parameters carried
// along (a 3-2 move keeps its edges, a 2-3 move gives its new edge the value
// above). At most 2T moves, and never more than doubling the tetrahedron
// ids. Returns the number of negative faces of the last full scan (each
// counted from both sides), or -1 when a bound ended it. The edges end
// sorted by order. Polls the stop flag.
int RetriangulateAlongFaces(TTriangulationStore& store);

// The faces (each seen once) whose two values add up to less than 0 and
// where a 3-2 move with two valid new tetrahedra or a valid 2-3 move can be
// made.
int CountImprovableFaces(const TTriangulationStore& store);
