// The Kauffman bracket of a link diagram, by the state sum over all
// smoothings of its crossings.
//
// With A = t, every state contributes t^(k - (n - k)) d^(L - 1), where n is
// the number of crossings, k the number of A-smoothings, L the number of loops
// of the smoothed diagram and d = -t^-2 - t^2 (kauffman_states.h describes
// the smoothings). The sum is multiplied by (-t^3)^-w with w the writhe of the
// crossings of each component with itself, which makes it invariant under all
// three Reidemeister moves for a knot; for a link the crossings between
// different components still carry their sign (the "unoriented" value), and
// the command multiplies those out too (the "standard" value, the Jones
// polynomial at t^-4 up to orientation of the components).
//
// Cost: 2^n states, each walked in O(n); the loop polls the stop flag and
// throws TComputationStopped. The result is written only when the sum is
// complete. A diagram without crossings has one state: d^(c - 1) for c
// components (1 for the unknot).
#pragma once

#include <atomic>

#include "invariants/laurent_polynomial.h"

class TLink;

// The bracket of a parsed diagram, normalised by the self-writhe, as a
// Laurent polynomial in t. On a torus or Klein bottle diagram every loop counts
// as if it bounded a disc. Throws TComputationStopped, or Out_of_Range when a
// coefficient does not fit in 64 bits; result is unchanged then. stopFlag: a
// flag of the caller's, polled with the process-wide one.
void ComputeKauffmanBracket(TLaurentPolynomial& result, const TLink& link,
                            const std::atomic<int>* stopFlag = nullptr);

// The monomial (-1)^w t^(-3w).
TLaurentTerm WritheFactor(int w);

class TBracketPolynomial;

// The two-variable bracket of a diagram on a torus or a Klein bottle: the
// same state sum, but a loop that bounds no disc on the surface is not a
// factor d: it is recorded in a power of z (by its class when the result's
// homology mode is 0). There is no division by d: a state whose L loops all
// bound discs contributes d^L. A loop is trivial on the torus when its class
// is (0, 0); on the Klein bottle the class is first reduced modulo 2 (the
// second entry odd makes the first 0), except that (0, +-2) stays (0, 2).
// result must be built by the caller with two class entries, its homology
// mode and its letters; it is overwritten. Throws as ComputeKauffmanBracket.
void ComputeBracketPolynomial(TBracketPolynomial& result, const TLink& link,
                              const std::atomic<int>* stopFlag = nullptr);
