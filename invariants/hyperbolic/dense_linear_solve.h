// Small dense linear solves for the hyperbolic structure solver. The systems
// have one row per edge of a simplified triangulation (tens to a few
// hundred), so dense elimination is cheap beside assembling them.
#pragma once

#include <vector>

// A square matrix of order n, row by row.
struct TDenseMatrix {
  int n = 0;
  std::vector<double> a;
  explicit TDenseMatrix(int order) : n(order), a(static_cast<std::size_t>(order) * order, 0.0) {}
  double& operator()(int i, int j) { return a[static_cast<std::size_t>(i) * n + j]; }
  double operator()(int i, int j) const { return a[static_cast<std::size_t>(i) * n + j]; }
};

// Solves m z = rhs in place of rhs by Gaussian elimination with partial
// pivoting (m is overwritten). False when a pivot column is zero; rhs is
// then unspecified.
bool SolveDense(TDenseMatrix& m, std::vector<double>& rhs);
// Solves m z = rhs for a symmetric positive definite m by Cholesky
// factorization (m overwritten). False when m is not positive definite.
bool SolveSymmetricPositive(TDenseMatrix& m, std::vector<double>& rhs);
