// The Simplify dialog's search for normal tori: each torus found in the
// current component becomes an entry "Cutting along normal torus ..." of the
// dialog's list, whose move cuts the spine along it.
#pragma once

#include <cstdint>

class TSimplifyMoveList;

struct TNormalTorusListSearch {
  int found = 0;              // entries added
  bool notSpecial = false;    // the component is no special spine: nothing searched
  bool limitReached = false;  // ended by the limit of visited vectors
};

// Finds the normal tori of the list's current component, plate degree after
// degree, until none is left or visitLimit vectors were visited (0: no
// bound), and adds one entry per torus in the order found. When the list had
// no default entry before the search, the torus with quadrilaterals at more
// vertices than every torus before it becomes the default. Throws
// TComputationStopped when stopped: the entries added so far stay.
TNormalTorusListSearch SearchNormalToriIntoList(TSimplifyMoveList& list, std::uint64_t visitLimit);
