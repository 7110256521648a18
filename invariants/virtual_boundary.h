// The virtual boundary of a spine that cannot be thickened.
//
// A special spine is dual to a singular triangulation: its vertices are the
// tetrahedra (the details), glued face to face. Cutting a small neighbourhood
// off each corner of each tetrahedron leaves a triangle there, the corner's
// link; the face gluings glue these triangles edge to edge, and the closed
// surfaces they make are the boundary of the truncated triangulation. When
// the spine thickens, this is its thickening's boundary; when it does not,
// the surfaces still exist and say what the spine would bound, which is why
// the short information and the boundary report list them by Euler
// characteristic.
//
// Edge of the corner triangle: corner t of detail c has one edge on each of
// the three faces through t; the edge at position j of face f belongs to the
// triangle of corner FaceCornerMap(f, j). Gluing face f to face f' with the
// correspondence j -> q identifies that edge with the edge at position q of
// f', kept in direction by an even correspondence and reversed by an odd one.
#pragma once

#include <string>

class TSpine;
class TDetailsDescription;

// Adds the corner triangles of every detail, in the description's order,
// to the spine, identifies their edges along the face gluings and,
// with mode 2, merges each surface into one polygon by the cell reductions.
// 0 (the spine left as it was) when a face of a detail is not glued.
int BuildDetailBoundaryComplex(TSpine& spine, const TDetailsDescription& details, int mode);

// The short listing by Euler characteristic (SurfaceEulerCharacteristics,
// style 1) of the virtual boundary of the spine and the further spines of
// its chain; empty when one of them gives no complete details.
std::string VirtualBoundaryListing(const TSpine& spine);
