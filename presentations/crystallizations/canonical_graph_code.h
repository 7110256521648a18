// The canonical code of an edge-coloured graph.
//
// One coloured graph has many codes: the letters can be renumbered, the two
// classes of the bipartition exchanged, and the colours permuted (any colour
// may play the part of colour 0). The canonical code picks one of them, so two
// codes describe isomorphic coloured graphs (colours permuted) exactly when
// their canonical codes are equal.
#pragma once

#include "foundation/int_matrix.h"

// Replaces a code graph of w = 2 or 3 rows and n columns (each row a
// permutation of 0..n-1) by its canonical form. Returns 1 when the coloured
// graph is connected, 0 otherwise (the graph is then left unchanged); with
// n <= 1 the graph is already canonical and the result is 1. When
// leastCycles is given it receives the least number of bicoloured cycles of
// one pair of colours, less 1 (0 with n <= 1). Cost: (w + 1)! * 2n
// traversals of O(n) each.
int CanonicalGraphCode(TIntMatrix& graph, int* leastCycles = nullptr);
