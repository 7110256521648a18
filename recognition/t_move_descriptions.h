// Comparison and simplification by T-moves, started from the descriptions of
// recognised manifolds (the entries of a result table) rather than from a
// document's spine.
//
// A description keeps the text its manifold was read from (its entry text);
// the spine is read from that text as a document would read it, in a heap
// context of its own that ends with the call (the clouds, which may outlive
// the call, are grown in the caller's). A cloud given already built (in
// memory or swapped out) is used as it stands and its description's text is
// not read: a caller that compares many entries keeps their clouds between
// calls.
#pragma once

#include <string>

#include "moves/t_move_search.h"
#include "shell/options.h"

class TManifoldDescription;
class TPolyhedronCloud;

// The result when a spine is needed and the description gives none.
inline constexpr int kTMoveNoSpine = -1;

// ComparePolyhedraByTMoves on the spines of the two descriptions (results
// kTMoveNotFound .. kTMoveSimplerFromSecond), or kTMoveNoSpine, with the
// reason in *error (naming the reader's complaint), when an entry text it
// needs is missing or gives no spine; nothing is searched then. Throws
// TComputationStopped on a stop.
int ComparePolyhedraFromDescriptions(const TManifoldDescription& first,
                                     const TManifoldDescription& second, int kind,
                                     bool stopOnSimpler, const TTMoveLimits& limits,
                                     const TOptionValues& options, std::string* output,
                                     TPolyhedronCloud* firstCloud = nullptr,
                                     TPolyhedronCloud* secondCloud = nullptr,
                                     std::string* error = nullptr);

// SimplifyPolyhedronByTMoves on the spine of the description (0 when a spine
// of fewer vertices was found, else 1), or kTMoveNoSpine as above.
int SimplifyPolyhedronFromDescription(const TManifoldDescription& description, int kind,
                                      const TTMoveLimits& limits, const TOptionValues& options,
                                      std::string* output, TPolyhedronCloud* cloud = nullptr,
                                      int* best = nullptr, std::string* error = nullptr);
