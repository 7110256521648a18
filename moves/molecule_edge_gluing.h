// A molecule edge's gluing recomputed from the curves on its boundary torus.
#pragma once

class TComplex;
struct TObjectHeader;

// Reads the torus's change of basis between its two pairs of coordinate
// curves (labels 0/1, those of the piece whose spine holds the torus, and
// labels 2/3, those of the piece glued on) and hands it to
// `TMoleculeEdge::ComputeGluing`. Returns 1; 0 with the gluing unchanged for
// a null edge or surface, a surface that is not a torus, or curves that are
// not two bases of its H_1. Reads the surface through a copy; the caller
// must make sure the surface is still alive (boundary references are not
// owned).
int ComputeGluingFromTorus(TObjectHeader* edge, const TComplex* reference);
