// The volume of a closed hyperbolic 3-manifold from a solved triangulation.
#pragma once

#include <array>
#include <vector>

#include "invariants/hyperbolic/triangulation_store.h"

// The volume of the hyperbolic structure whose edge parameters are in the
// store. Precondition: the parameters solve the angle equations (every
// tetrahedron valid, angle sums 2 pi). ideal is the direction, in each
// vertex's own frame, of the ideal point that replaces the vertex; the
// result does not depend on it (up to rounding). Approximate.
double VolumeFromParameters(const TTriangulationStore& store,
                            const std::array<double, 3>& ideal = {0.36, 0.48, 0.8});

// The first-order change of the edge lengths when the vertices of the
// triangulation move: an edges x (3 x vertices) matrix, row by row; column
// 3 v + i moves vertex v along axis i of its developed frame. At a
// hyperbolic structure these directions keep every angle sum 2 pi. Returns
// the number of vertices.
int VertexMotionMatrix(const TTriangulationStore& store, std::vector<double>& motion);
