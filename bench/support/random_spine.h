// Random closed spines for the move benchmarks.
#pragma once

#include "model/details_description.h"
#include "model/spine.h"
#include "support/random_triangulation.h"

// The dual spine of n tetrahedra glued at random (seeded), split into its
// components and thickened into `spine`; false when it did not thicken.
inline bool BuildRandomThickenedSpine(TSpine& spine, int n, unsigned seed) {
  TDetailsDescription details;
  GlueTetrahedraAtRandom(details, n, seed);
  details.BuildComplex(spine, 1);
  spine.SplitIntoComponents();
  return spine.Thicken(1) == 1;
}
