// Progress lines of the surface searches.
//
// The searches visit up to (k+1)^n plate vectors at plate degree k, so they
// say where they stand on the status line: every vector of the first
// thousand at a degree, then every thousandth up to ten thousand, then every
// ten-thousandth, which keeps the cost of the status line negligible on long
// runs. The searches that report (degree 1 and the normal-surface search)
// show the surfaces found; the resumable torus search shows its variant
// (the finds counted by its caller). The silent torus search shows nothing.
#pragma once

#include <cstdint>

// Whether the j-th vector of a degree (from 1) gets a progress line.
bool SurfaceProgressDue(std::uint64_t j);

// "Surfaces: %u MaxPlateDegree: %u Variant %u   To stop press Ctrl+Break"
// with the surfaces found, the degree and j, when it is due.
void ShowSurfaceSearchProgress(std::uint64_t surfaces, int degree, std::uint64_t j);
// "Surfaces: %u MaxPlateDegree: %u Variant %u" with the variant, the degree
// and j, when it is due.
void ShowNormalTorusProgress(int variant, int degree, std::uint64_t j);
