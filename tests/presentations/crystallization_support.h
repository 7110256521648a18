// Helpers shared by the crystallization tests: random relabellings of
// coloured graphs and the enumeration of small codes.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "foundation/int_matrix.h"

// A code of the same coloured graph under a random isomorphism: the colours
// are permuted (any colour may become colour 0), the pairs of the new colour 0
// are renumbered and the two classes of the bipartition may be exchanged.
TIntMatrix RandomRelabelling(const TIntMatrix& graph, std::mt19937& random);

// A code graph of `words` rows whose rows are the given permutations.
TIntMatrix CodeFromWords(const std::vector<std::vector<std::int32_t>>& words);

// Every code graph of `words` rows and n columns, in lexicographic order.
std::vector<TIntMatrix> AllCodes(std::uint32_t words, std::uint32_t n);

// The number of bicoloured cycles of colours a and b in a code's graph.
int BicolouredCycles(const TIntMatrix& graph, std::uint32_t a, std::uint32_t b);

// The number of connected components of the code's graph without colour c
// (c = -1: with every colour).
int ComponentsWithout(const TIntMatrix& graph, int c);

// A code of the connected sum of the manifolds of two codes: vertex 0 of the
// first graph and vertex 1 of the second are removed and, colour by colour,
// the edges they leave open are joined.
TIntMatrix ConnectedSum(const TIntMatrix& first, const TIntMatrix& second);
