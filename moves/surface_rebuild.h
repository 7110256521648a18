// Repairs shared by the moves that glue a new 2-cell along a curve of a
// boundary surface (bipasses, polygon moves).
//
// Such a move cuts the surface along the curve and caps both banks with the
// copies of the new cell; the vertices on the curve are then rebuilt from the
// corners of the cells around them, and the result is checked as a whole.
#pragma once

#include <vector>

class TComplex;
class TSpine;
struct TObjectHeader;

// Every edge end at the given vertices of the surface is let go, then the
// corners of the cells along those edges are joined again; the old vertices
// left without edges leave. Linear in the cells around the vertices.
void RebuildSurfaceVertices(TComplex& surface, const std::vector<TObjectHeader*>& oldVertices);

// The spine is still a thickened complex: its objects and surfaces are sound
// and the boundary has Euler characteristic 2 chi(P), as the boundary of a
// regular neighbourhood of P must. Linear in the spine.
bool RebuildIsSound(TSpine& spine);
