// Between the tetrahedron form of a triangulation and its details.
//
// A detail (model/detail.h) records a face gluing by positions: corner
// position p of face i goes to position correspondence(i, p) of the partner's
// face. The tetrahedron form records the same gluing as a vertex map, so the
// corner at position p of face i (FaceCornerMap) goes to the partner's corner
// at position correspondence(i, p) of its face, and corner i to the partner's
// face number.
#pragma once

#include <string>
#include <vector>

#include "presentations/triangulations/tetrahedra.h"

class TDetailsDescription;

// One tetrahedron per detail in the description's order, numbered from 1 and
// holding its detail; glued as the details are. names (when given) receives
// each detail's name ("" for a detail without one). False, with the
// tetrahedra unspecified, when some face's gluing is incomplete or names a
// detail outside the description.
bool TetrahedraFromDetails(const TDetailsDescription& details, TTetrahedronList& tetrahedra,
                           std::vector<std::string>* names = nullptr);

// Fills an empty description with one detail per tetrahedron, numbered with
// the tetrahedron's number and named by names[i] when that is given and not
// empty, and glues them as the tetrahedra are (each gluing once, both ways).
// Each tetrahedron's detail pointer is set to its detail. Unglued faces stay
// unglued (the description's completeness check names them). False when a
// gluing is refused.
bool DetailsFromTetrahedra(TTetrahedronList& tetrahedra, TDetailsDescription& details,
                           const std::vector<std::string>* names = nullptr);
