// The normal form of the monodromy of a torus bundle.
//
// A torus bundle over the circle is determined by the conjugacy class of its
// monodromy in GL(2, Z), up to inversion. For |trace| <= 2 the classes are
// few and have fixed representatives (periodic: trace 0, 1, -1; parabolic:
// (1 k; 0 1) and its negative). For trace > 2 (Anosov) the matrix is
// conjugate to a product R^b0 L^b1 ... R^b(n-2) L^b(n-1) with positive b_i,
// R = (1 1; 0 1), L = (1 0; 1 1), and the cyclic word (b_i), up to rotation
// and reversal, is a complete invariant. It is read off the Farey
// tessellation: the two fixed slopes of M bound an arc of the projective
// line that M maps into itself (FindInvariantArc narrows (0, inf) onto it by
// Farey splits), and the Farey walk from an arc to its image records the
// turns left and right as runs (FareyWalkRuns). Trace < -2 is -M.
//
// Slopes are exact rationals over checked 64-bit integers; a matrix whose
// walk leaves that range throws Out_of_Range. Cost: the walk takes about
// sum(b_i) steps, which is O(log trace) for balanced words and O(trace) for
// (1 k; ...) shapes.
#pragma once

#include <cstdint>
#include <vector>

// The four entries of a 2x2 integer matrix, rows first.
using TMonodromy = std::int32_t[4];

// A slope x / y of the projective line, normalised: lowest terms, y >= 0,
// every x / 0 stored as 1 / 0 (infinity, greater than every finite slope).
struct TSlope {
  std::int64_t num = 0;
  std::int64_t den = 1;
  static TSlope Of(std::int64_t x, std::int64_t y);
  bool IsInfinite() const { return den == 0; }
  friend bool operator==(const TSlope&, const TSlope&) = default;
};
bool SlopeLess(const TSlope& a, const TSlope& b);

// 1 when the closed arc (P, Q) taken upwards holds R and S (see the Farey
// walk); with P >= Q, 0 when [Q, P] holds both.
int ArcDirection(const TSlope& p, const TSlope& q, const TSlope& r, const TSlope& s);
// 1 when R lies on the arc that starts at Q (included) and runs to P
// (excluded) upwards (e = 1) or downwards (e = 0), through infinity where
// needed.
int LiesOnArc(const TSlope& p, int e, const TSlope& q, const TSlope& r);

// Anosov case only (trace > 2). The arc ends (A, B) and their images (C, D).
void FindInvariantArc(const std::int32_t m[4], TSlope out[4]);
std::vector<std::int64_t> FareyWalkRuns(const TSlope arc[4]);
// Folds an odd run list, takes the least rotation of it or its reverse, and
// sets m to the product R^b0 L^b1 ...; returns the word.
std::vector<std::int32_t> CanonicalMonodromyWord(std::int32_t m[4], const std::vector<std::int64_t>& runs);

// Replaces m by the normal form of its conjugacy class (see above); for
// |trace| > 2 the canonical word is written to word (empty otherwise). Throws
// Out_of_Range when an intermediate value leaves the checked range; m is then
// unchanged.
void NormalizeMonodromyMatrix(std::int32_t m[4], std::vector<std::int32_t>& word);
