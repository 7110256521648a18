// The hyperbolic volume that completes a table entry.
//
// When a run ends, the result table gives the entries it could not name
// otherwise (Dehn fillings of table atoms and spine records) the hyperbolic
// volume of their spine: a strong invariant that tells most such entries
// apart. The volume engine belongs to the invariants, which build on the
// recognition; this declaration is the narrow interface through which the
// table reaches it, and the invariants define it
// (invariants/entry_volume.cpp).
#pragma once

class TSpine;

// The volume of the closed hyperbolic manifold of a spine. 1 with the volume
// (approximate) on success; 0 when the spine does not thicken, has a boundary
// surface that is not a sphere, has more than 100 cells, or no hyperbolic
// structure is found. Polls the stop flag (TComputationStopped). The spine
// is not changed.
int ComputeSpineVolume(TSpine& spine, double& volume);
