// Random orientable triangulations, for sweeps in tests and for benchmarks.
#pragma once

class TDetailsDescription;

// Adds n tetrahedra to the description and glues their faces at random
// (seeded) in pairs by odd maps. Odd gluings make the triangulation
// orientable, its vertex links orientable surfaces of any genus, so the dual
// special spine always thickens.
void GlueTetrahedraAtRandom(TDetailsDescription& details, int n, unsigned seed);
