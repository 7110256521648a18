// The Casson-Walker invariant of the 3-manifold given by integral surgery on
// a framed knot or a framed two-component link, from Gauss diagram sums.
//
// Normalisation: Casson's, lambda(S^3_{1/n}(K)) = n a_2(K), where a_2 is the
// second coefficient of the Conway polynomial; the Poincare sphere (+1
// surgery on the right-handed trefoil) has lambda = 1.
//
// a_2 of a component is the Gauss diagram sum of Polyak and Viro: the products
// of the signs of the pairs of its self-crossings j, k met in the order
// j over, k under, j under, k over from the start of its code.
//
// Knot with framing p (p != 0), the surgery formula for S^3_p(K):
//   lambda = (a_2 + A/24) / p,  A = -(p + 1)(p + 2) + 6p [p > 0],
// where A/24p is the invariant of the lens space S^3_p(unknot) (for |p| <= 2
// it vanishes). It agrees with the two-component formula below for K beside a
// split +1-framed unknot, which does not change the manifold.
//
// Two components with framings p_0, p_1 and linking number g: D = p_0 p_1 -
// g^2 is the order of H_1 (D = 0: H_1 is infinite, lambda is not defined),
//   lambda = (A/24 + B) / D,
//   A = 2g(g^2 - 1) + (p_0 + p_1)(2g^2 - p_0 p_1 - 2) + 3 s D,
//   B = p_0 a_2(K_1) + p_1 a_2(K_0) - T_1 - T_2 - T_3 - T_4,
// with s the signature of the linking matrix (0 when D < 0, else 2 sgn(p_0 +
// p_1), counting p_0 + p_1 = 0 as positive) and T_1..T_4 sums over triples of
// crossings (casson_walker.cpp). Cost O(n^3); the triple sums poll the stop
// flag.
#pragma once

#include <atomic>

#include "foundation/rational.h"

class TLink;
class TOutput;

// Computes lambda of the surgery on a parsed classical diagram and, with an
// output, writes the report: the heading "Casson-Walker" and the line
// "lambda=..." (for a knot "lambda=a/p=value", the numerator a_2 + A/24 in
// parentheses when it is not an integer), or the refusal:
//   - a diagram on a surface, or more than two components, or a framing that
//     is missing or not integral (refused before the heading);
//   - D = 0 ("is undefined because the H_1 group is infinite");
//   - an exact step that overflows ("OVERFLOW").
// Returns 1 with lambda in result, 0 when refused (result unchanged). Throws
// TComputationStopped when stopped (stopFlag: a flag of the caller's, polled
// with the process-wide one).
int ComputeCassonWalker(const TLink& link, TRational& result, TOutput* output,
                        const std::atomic<int>* stopFlag = nullptr);
