// SearchGroupPresentation: simplification of a group presentation by
// eliminating generators through relations, over every order of eliminations.
//
// A move takes a generator a and a relation r: when r is the single letter
// +-a, a is trivial; when a occurs exactly once in a longer r, solving r for a
// expresses a through the other generators. Either way a and r go, and a is
// substituted everywhere. The search runs depth first over all sequences of
// moves (each removes a generator, so the depth is at most the number of
// generators) and keeps the best presentation where no move applies
// (TGroupPresentation::IsBetterThan). The number of sequences grows
// factorially with the generators, so the search visits at most a given
// number of presentations; it polls the stop flag after every tested pair
// (TComputationStopped, with the best so far kept in the result).
#pragma once

#include <cstdint>
#include <functional>

#include "invariants/group_presentation.h"

struct TGroupSearchOutcome {
  std::uint64_t visited = 0;  // presentations entered
  bool limitReached = false;  // the search ended at the limit, not exhausted
};

// Searches from p, which is left as it came; best holds the best terminal
// presentation found (it should come in as a copy of p). `limit` bounds the
// presentations visited (0: no bound). `improved`, when given, sees every new
// best.
TGroupSearchOutcome SearchGroupPresentation(
    TGroupPresentation& p, TGroupPresentation& best, std::uint64_t limit,
    const std::function<void(const TGroupPresentation&)>& improved = {});
