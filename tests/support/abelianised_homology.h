// The first homology of a group presentation: the invariant factors of its
// abelianised relation matrix, written as the census tables write homology
// (free summands first, then "Z_d" with each d dividing the next; "0").
#pragma once

#include <string>

#include "invariants/group_presentation.h"

std::string AbelianisedHomology(const TGroupPresentation& p);
