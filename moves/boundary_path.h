// A path in the 1-skeleton of a complex (usually a boundary surface) that
// closes a curve: the finders of several moves and the coordinates of
// piercing and ring cutting draw curves with it.
#pragma once

#include <vector>

#include "model/handle.h"

class TComplex;

// Breadth-first search for a path that begins with the edge, walked from the
// start vertex to its other end (direction 1 along the edge, 2 against it),
// and reaches the target vertex, never using a loop, an edge twice or one of
// the excluded edges (null: none). 1 when found; 0 otherwise. When the first
// edge already ends at the target, 1 at once and nothing is written.
// Otherwise, with a labels complex and a label index other than -1, label
// `index` of every edge of that complex is cleared and each edge of the path
// gets +1 when walked from its end 1, -1 when from its end 2; the path's
// edges go to path (when given) from the target back to the start.
// Cost: linear in the edges of the component searched.
int FindBoundaryPath(TObjectHeader* start, TObjectHeader* target, TObjectHeader* edge, int direction,
                     const TObjectHeader* x1 = nullptr, const TObjectHeader* x2 = nullptr,
                     const TObjectHeader* x3 = nullptr, TComplex* labels = nullptr, int labelIndex = -1,
                     std::vector<THandle>* path = nullptr);
