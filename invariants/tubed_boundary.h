// Boundary surfaces joined by tubes: the normal surfaces that are not
// interesting because they are boundary spheres (and at most one torus) of
// the thickened spine joined by tubes through pierced 2-cells.
//
// Piercing a 2-cell whose two sides lie on boundary surfaces S and S' drills
// a tube through it; the union of S, S' and the tube, pushed into the
// manifold, is a normal surface whose plate count on a cell is the number of
// the cell's sides that lie on the surfaces used (0, 1 or 2), except that the
// pierced cells lose their plates. A sphere grows by further spheres, or by
// one handle into a torus; a torus grows by spheres only. The enumeration
// tries every sequence of piercings (at most one per boundary surface along a
// branch) on copies of the spine and keeps the vectors of those that the
// collapsings accept without a cutting.
//
// Cost: a copy, a piercing and the collapsings per choice, with up to n
// choices per depth and b depths (b boundary surfaces): n^b in the worst case,
// small for the few boundary spheres of real spines. Polls the stop flag.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

class TSpine;

// Ascending, distinct plate vectors (one digit per 2-cell in list order).
using TTubedSurfaceList = std::set<std::vector<std::uint8_t>>;

// The vectors of the tubed boundary surfaces of the spine; empty when the
// manifold is not orientable, has no spherical boundary surface or has a
// boundary surface other than a sphere or a torus, or the spine does not
// thicken. A vector of 0s and 2s with at most one 0 is never listed. The
// caller's spine is not changed. Throws TComputationStopped when stopped.
TTubedSurfaceList FindSurfacesBySides(const TSpine& spine);

// Whether a vector of largest count at most 2 is in the list.
bool IsTubedSurface(const TTubedSurfaceList& list, const std::vector<std::uint8_t>& plates);
