// The canonical form of a description before the result table looks it up.
//
// One manifold reaches the table through many spines; its descriptions must
// agree before they can be compared. Trivial connected-sum summands (S^3,
// and L(0, 1) = S^2xS^1, L(1, q) = S^3) are folded into the counts of the
// summand that follows, and a reducible description is rewritten summand by
// summand into prime pieces: a Seifert piece with a fibre (0, b) is a
// connected sum of the lens spaces of its other fibres, a graph manifold
// with such a piece is cut there (graph_summand_split.h), and the remaining
// reducible Seifert pieces and lens codes are refined (RefineEntry).
#pragma once

#include <memory>

#include "recognition/manifold_description.h"

// Folds trivial summands: L(0, 1) and L(1, q) become type 1 first; then,
// with several summands, leading type 1 summands are removed (all but the
// last when every summand is trivial), each passing its counts, its
// invariant block (when the next has none) and its complexity to the next.
// The head may be replaced: only a description that has not yet been stored
// (no sources, texts or presentations of its own) may be folded. Answers 1
// when it changed anything.
int NormaliseSummands(std::unique_ptr<TManifoldDescription>& head);

// A reducible Seifert summand over the sphere whose first fibre is (0, b):
// with k pairs, the last being the unit fibre (1, e), k = 2 is S^3, k = 3
// the lens space of the middle pair, and otherwise every inner pair (a, b)
// with a != 0 becomes a lens-space summand L(a, b) of its own (linked after
// it) and every inner pair (0, b) one more S^2xS^1 summand. The molecule is
// dropped. Answers 0 (nothing changed) for any other summand.
int SplitSeifertSummand(TManifoldDescription& summand);

// Rewrites a reducible description into prime summands: types 1 stay, 3 is
// split (SplitSeifertSummand) or refined, 2 and 4 are refined, 5, 6, 11 and
// 12 are cut as long as they can be; the summands are then sorted, folded,
// their counts summed on the head, and the geometry classified. Answers 1
// when every summand was of a type handled here (the description is then
// marked recognised), else 0. Nothing for an irreducible description (0);
// a graph manifold (types 5, 6, 11, 12) whose code carries the zero-pair
// flag counts as reducible here: it is a connected sum.
// All or nothing: the work is done on a copy (TManifoldDescription::CopyTo)
// that replaces the head at the end, so a stop (TComputationStopped) leaves
// the head as it was. Like NormaliseSummands, meant for a description that
// has not yet been stored: the copy keeps what CopyTo copies, and the head's
// presentation chain.
int NormaliseReducible(std::unique_ptr<TManifoldDescription>& head);
