// Random orientable triangulations, for sweeps in tests and for benchmarks.
#pragma once

#include "presentations/triangulations/tetrahedra.h"

class TDetailsDescription;

// Adds n tetrahedra to the description and glues their faces at random
// (seeded) in pairs by odd maps. Odd gluings make the triangulation
// orientable, its vertex links orientable surfaces of any genus, so the dual
// special spine always thickens.
void GlueTetrahedraAtRandom(TDetailsDescription& details, int n, unsigned seed);

// A closed connected triangulation of n tetrahedra with pseudo-random
// (seeded) gluings: a chain that connects everything, then the other faces
// paired at random by random vertex maps.
TTetrahedronList RandomTriangulation(int n, unsigned seed);
