// A test oracle: the first homology of a closed (or ideal) triangulation,
// computed straight from its gluing table, to check that a decoded code is
// the manifold the literature names.
//
// H_1 is the homology of the dual 2-complex: one vertex per tetrahedron, one
// edge per glued pair of faces, one 2-cell per edge class of the
// triangulation, bounded by the loop of faces around that edge. Edges of a
// spanning tree are contracted; the loops give the relation matrix, whose
// invariant factors give the group.
#pragma once

#include <string>

class TTetrahedronList;

// The group written as the census writes it: free summands first, then the
// invariant factors ascending, joined by "+" ("Z+Z_2+Z_4"); "0" when trivial.
std::string TriangulationHomology(const TTetrahedronList& tetrahedra);
