// Symmetric indefinite systems by the Bunch-Kaufman factorization
// M = U D U^T (U unit upper triangular up to symmetric interchanges, D block
// diagonal with 1 x 1 and 2 x 2 blocks), eliminating from the last row and
// column towards the first. Besides solving, the factorization counts the
// negative eigenvalues of M (Sylvester's law of inertia: D has the same
// inertia), which the solver's progress lines show.
#pragma once

#include <vector>

#include "invariants/hyperbolic/dense_linear_solve.h"

// Factors the symmetric matrix m in place (its upper triangle is read and
// overwritten); pivots receives the interchanges (k, or -(r + 1) on both
// rows of a 2 x 2 block with row r). False when some pivot column is
// entirely zero (m is singular); the factorization then stops there.
bool FactorSymmetric(TDenseMatrix& m, std::vector<int>& pivots);
// Solves M z = rhs in place of rhs from a factorization that succeeded.
void SolveFactored(const TDenseMatrix& m, const std::vector<int>& pivots, std::vector<double>& rhs);
// The number of negative eigenvalues of M from its factorization: a 2 x 2
// block has one of each sign.
int NegativeIndex(const TDenseMatrix& m, const std::vector<int>& pivots);
