// The volume of a closed hyperbolic 3-manifold from a solved triangulation.
#pragma once

#include <array>

#include "invariants/hyperbolic/triangulation_store.h"

// The volume of the hyperbolic structure whose edge parameters are in the
// store. Precondition: the parameters solve the angle equations (every
// tetrahedron valid, angle sums 2 pi). ideal is the direction, in each
// vertex's own frame, of the ideal point that replaces the vertex; the
// result does not depend on it (up to rounding). Approximate.
double VolumeFromParameters(const TTriangulationStore& store,
                            const std::array<double, 3>& ideal = {0.36, 0.48, 0.8});
