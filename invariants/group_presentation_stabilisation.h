// TryTwoLetterStabilisations: an experiment on a group presentation that no
// command runs. Adding a generator n together with a relation x y n = 1 (x
// and y letters of two given generators) does not change the group, since
// the relation just defines n; the simplification search may then find
// eliminations it could not make before. The experiment tries one such
// stabilisation for each of the forms (a, b), (a, -b), (-a, b), (b, a), then
// two at once for every ordered pair of distinct forms of (a, b), (a, -b),
// (-a, b), (b, a), (a, a), (b, b), searching after each and keeping the best
// presentation found in `best`. Each new generator takes the next number
// after the largest ever used, so numbers are never reused.
//
// The search is exponential: `limit` bounds each search as in
// SearchGroupPresentation. A stop (TComputationStopped) leaves p as it came
// and best at the best found so far.
#pragma once

#include <cstdint>

#include "invariants/group_presentation.h"

void TryTwoLetterStabilisations(TGroupPresentation& p, std::int32_t a, std::int32_t b,
                                TGroupPresentation& best, std::uint64_t limit);
