// Comparison and simplification of special spines by T-moves.
//
// Two special spines with at least two vertices are spines of one manifold
// exactly when a sequence of T-moves and inverse T-moves joins them. The
// comparison grows a polyhedron cloud (polyhedron_cloud.h) around each spine,
// alternately, until the clouds share a spine (equivalent), a limit is reached
// or no side can grow. The simplification grows one cloud and reports the
// chain of moves to the simplest spine it met.
//
// Caveats: the search is exhaustive by layers and the layers grow roughly by
// a factor 2n per move on spines of n vertices, so only small radii are
// practical; "not found" means not found within the limits, never "not
// homeomorphic". A 1-vertex spine is never reached by these moves (an inverse
// T-move needs a triangle with three distinct corners, so at least three
// vertices before and two after).
#pragma once

#include <cstdint>
#include <string>

class TSpine;
class TPolyhedronCloud;

struct TTMoveLimits {
  // Largest number of spines per cloud; 0 for no count limit.
  std::int64_t count = 0;
  // Largest layer expanded.
  int radius = 2;
};

// Results of the comparison.
enum : int {
  kTMoveNotFound = 0,
  kTMoveEquivalent = 1,
  kTMoveSimplerFromFirst = 2,
  kTMoveSimplerFromSecond = 3,
};

// kind 1: the limits as given; 2: twice the count limit; 3: no count limit
// (the radius limit ends the search). With stopOnSimpler a spine simpler than
// its side's source ends the search (2 or 3). With an output the report is
// appended. Clouds may be given (built or empty) to keep what was grown;
// null clouds are made here; a cloud given swapped out (SwapOut) is read back
// first. A spine that gives no cloud (not connected, not special), or a given
// cloud that does not read back, ends with kTMoveNotFound. Throws TComputationStopped on a stop;
// the spines given are never changed.
int ComparePolyhedraByTMoves(const TSpine& first, const TSpine& second, int kind,
                             bool stopOnSimpler, const TTMoveLimits& limits,
                             std::string* output, TPolyhedronCloud* firstCloud = nullptr,
                             TPolyhedronCloud* secondCloud = nullptr);

// Grows the cloud of the spine until the limits (count, radius) are reached
// or the cloud is complete; kind 1 stops at the first simpler spine, kind 2
// goes on to the simplest within the limits, kind 0 only builds the cloud.
// The report (ReportTMoveSimplification) goes to the output when given.
// Returns 0 when a spine of fewer vertices was found, else 1. *best gets the
// index of the simplest spine found (0, the source, when none is simpler).
int SimplifyPolyhedronByTMoves(const TSpine& spine, int kind, const TTMoveLimits& limits,
                               std::string* output, TPolyhedronCloud* cloud = nullptr,
                               int* best = nullptr);

// The report of a simplification: the chain of moves from the source to the
// best spine, each step with its spine's cells, and the summary of the cloud.
std::string ReportTMoveSimplification(const TPolyhedronCloud& cloud, int bestIndex,
                                      int bestComplexity, int highestComplexity);

// One numbered line "n: ..." per braced cell of a cell presentation.
std::string FormatMoveChainEntry(const std::string& cells);
