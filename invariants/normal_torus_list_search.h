// The Simplify dialog's search for normal tori: each torus found in the
// current component becomes an entry "Cutting along normal torus ..." of the
// dialog's list, whose move cuts the spine along it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TSimplifyMoveList;
class TSpine;

struct TNormalTorusListSearch {
  int found = 0;              // entries added
  bool notSpecial = false;    // the component is no special spine: nothing searched
  bool limitReached = false;  // ended by the limit of visited vectors
};

// Receives each torus found: its plate vector, the entry text, and whether it
// becomes the default entry.
using TNormalTorusSink = std::function<void(std::vector<std::uint8_t> plates, std::string text, bool makeDefault)>;

// The search itself, on a spine that nothing else changes meanwhile (the
// desktop dialog runs it on the worker): mayChooseDefault when the list had
// no default entry when the search began.
TNormalTorusListSearch SearchNormalTori(TSpine& spine, bool mayChooseDefault, std::uint64_t visitLimit,
                                        const TNormalTorusSink& sink);

// Finds the normal tori of the list's current component, plate degree after
// degree, until none is left or visitLimit vectors were visited (0: no
// bound), and adds one entry per torus in the order found. When the list had
// no default entry before the search, the torus with quadrilaterals at more
// vertices than every torus before it becomes the default. Throws
// TComputationStopped when stopped: the entries added so far stay.
TNormalTorusListSearch SearchNormalToriIntoList(TSimplifyMoveList& list, std::uint64_t visitLimit);
