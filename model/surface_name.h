// The printed name of a compact surface.
#pragma once

#include "foundation/output.h"

// The name of a surface from its orientability, Euler characteristic and
// number of boundary circles: S^2, D^2, A^2, T^2, S(O,e) for a closed
// orientable surface of characteristic e, RP^2, M^2, K^2, S(N,e), and
// "#D^2" or "#nD^2" for the holes the closed name does not already count.
void PrintSurfaceName(TOutput& output, int orientable, int euler, int circles);
