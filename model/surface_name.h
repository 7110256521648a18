// Names of surfaces, as the reports write them.
//
// A compact surface is determined by its orientability, its Euler
// characteristic x and its number c of boundary circles; e = x + c is the
// characteristic of the closed surface obtained by capping the circles with
// discs. Closed orientable surfaces are S^2 (e = 2), T^2 (e = 0) and S(O,e)
// otherwise; closed non-orientable ones RP^2 (e = 1), K^2 (e = 0) and S(N,e)
// otherwise. Discs, annuli and Moebius bands have names of their own (D^2,
// A^2, M^2); any other surface with boundary is written as the closed one
// with discs removed: "#D^2" for one hole, "#%uD^2" for more.
#pragma once

#include <string>

// The name of the surface (orientable flag, Euler characteristic, boundary circles).
std::string SurfaceName(int orientable, int euler, int circles);
