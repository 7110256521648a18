// Cutting a graph-manifold summand at a fibred piece with a zero fibre.
//
// A Seifert piece of a graph manifold whose exceptional fibre has the
// slope (0, b) is a piece where a meridian disc meets the fibre once: the
// manifold is a connected sum there. Cutting the piece off its neighbours
// (every gluing torus of the piece is capped by a solid torus with the
// fibre (0, 1) on the neighbour's side) leaves the piece over a closed base
// and splits the molecule into components, one summand each. A cut that
// breaks a cycle of the molecule graph loses a handle of the graph: each
// cycle rank lost is one S^2xS^1 summand.
#pragma once

#include "recognition/manifold_description.h"

// Cuts a summand of type 5, 6, 11 or 12 whose piece code carries the
// zero-pair flag at the first molecule vertex that is not virtual and whose
// first fibre pair is (0, b) (the normal form puts a zero pair first), and
// rebuilds the summand in place from the pieces: the first component
// replaces it, the others become summands after it, and the summands that
// followed it stay behind them. Its S^2xS^1 count grows by the cycle rank
// lost, its solid-torus count is kept and its ball count becomes 0 (the
// description of the whole spine settles it). Answers 1 when it cut; a
// summand with several such pieces is cut one piece per call.
// Answers 0 and changes nothing when the summand does not qualify or no
// vertex has a zero first pair (then its counts are kept as they were).
int SplitGraphSummand(TManifoldDescription& summand);
