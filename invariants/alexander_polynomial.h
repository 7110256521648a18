// The Alexander polynomial of a classical link diagram, by Fox calculus on the
// Wirtinger presentation read from the Gauss code.
//
// Every arc of the diagram (from one under-passage to the next) gives a
// generator x, and every crossing the relation x_b = x_o^e x_a x_o^-e, where o
// is the over arc, a and b the under arcs before and after it and e the sign.
// The Fox derivatives of the relations, with every generator of component i
// replaced by its variable t_i, form the Alexander matrix. For a diagram whose
// projection is connected any one relation follows from the others; deleting
// it and the column of one arc of component j leaves a square matrix whose
// determinant D is
//   - for a knot, the Alexander polynomial Delta(t);
//   - for a link of two components, (t_j - 1) Delta(u, v), u and v the
//     variables of the first and the second component (the multivariable
//     polynomial);
//   - for three or more components with one variable t for all, the
//     one-variable polynomial Delta_L(t) of the link;
// each up to a unit +-t^k (+-u^k v^l). A split diagram (disconnected
// projection, or a component that passes over everything it meets) gives 0.
//
// The value is normalised: exponents centred (the lowest exponent of each
// variable is -floor(span / 2), which makes a knot's polynomial symmetric),
// and the sign chosen so that Delta(1) = 1 for a knot, Delta(1, 1) > 0 for two
// components when it is not 0, and otherwise the last term is positive.
//
// D is computed exactly: it is a polynomial of degree at most m = n - 1 in each
// variable, so it is evaluated at m + 1 integers (per variable) by
// fraction-free elimination over GMP integers and interpolated. Cost
// O(m^4) big-integer steps for one variable and O(m^5) for two; the loops poll
// the stop flag.
#pragma once

#include <atomic>

#include "invariants/two_variable_polynomial.h"

class TLink;

// Writes the Alexander polynomial of a classical diagram into result: letter
// 't' for a knot and for three or more components, 'u' and 'v' for two.
// A diagram without crossings gives 1 for the unknot and 0 for a split link.
// Throws TComputationStopped, or Out_of_Range when a coefficient does not fit
// in 64 bits; result is unchanged then. stopFlag: a flag of the caller's,
// polled with the process-wide one.
void ComputeAlexanderPolynomial(TTwoVariablePolynomial& result, const TLink& link,
                                const std::atomic<int>* stopFlag = nullptr);
