// The short listing of surfaces by Euler characteristic, for a complex in
// which every 2-cell is a closed surface presented by one polygon (a word in
// which every edge occurs twice), as the virtual boundary of a spine that
// cannot be thickened is.
//
// A polygon of L sides whose corners fall into V vertex classes is a surface
// of characteristic chi = V - L/2 + 1. It is orientable for chi = 2 (a
// sphere), not for odd chi, and otherwise exactly when no edge is passed twice
// in the same direction.
#pragma once

#include <string>

class TComplex;

// For chi = 2, 1, 0, -1, ... until every cell is counted: the orientable
// surfaces of that chi as " " [count when above 1] "O%d" (style 1) or
// "OrientableChi%d" (style 2), then the nonorientable ones as "N%d" or
// "Non-orientableChi%d".
std::string SurfaceEulerCharacteristics(const TComplex& complex, int style);
