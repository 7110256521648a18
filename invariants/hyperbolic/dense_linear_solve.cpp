#include "invariants/hyperbolic/dense_linear_solve.h"

#include <cmath>
#include <utility>

#include "foundation/stop_poll.h"

bool SolveDense(TDenseMatrix& m, std::vector<double>& rhs) {
  const int n = m.n;
  TStopPoll poll(64);
  for (int k = 0; k < n; ++k) {
    poll.Step();
    int pivot = k;
    for (int i = k + 1; i < n; ++i) {
      if (std::fabs(m(i, k)) > std::fabs(m(pivot, k))) pivot = i;
    }
    if (m(pivot, k) == 0.0) return false;
    if (pivot != k) {
      for (int j = 0; j < n; ++j) std::swap(m(k, j), m(pivot, j));
      std::swap(rhs[static_cast<std::size_t>(k)], rhs[static_cast<std::size_t>(pivot)]);
    }
    for (int i = k + 1; i < n; ++i) {
      const double f = m(i, k) / m(k, k);
      if (f == 0.0) continue;
      for (int j = k; j < n; ++j) m(i, j) -= f * m(k, j);
      rhs[static_cast<std::size_t>(i)] -= f * rhs[static_cast<std::size_t>(k)];
    }
  }
  for (int k = n - 1; k >= 0; --k) {
    double s = rhs[static_cast<std::size_t>(k)];
    for (int j = k + 1; j < n; ++j) s -= m(k, j) * rhs[static_cast<std::size_t>(j)];
    rhs[static_cast<std::size_t>(k)] = s / m(k, k);
  }
  return true;
}

bool SolveSymmetricPositive(TDenseMatrix& m, std::vector<double>& rhs) {
  const int n = m.n;
  TStopPoll poll(64);
  for (int j = 0; j < n; ++j) {
    poll.Step();
    double d = m(j, j);
    for (int k = 0; k < j; ++k) d -= m(j, k) * m(j, k);
    if (!(d > 0)) return false;
    d = std::sqrt(d);
    m(j, j) = d;
    for (int i = j + 1; i < n; ++i) {
      double s = m(i, j);
      for (int k = 0; k < j; ++k) s -= m(i, k) * m(j, k);
      m(i, j) = s / d;
    }
  }
  for (int i = 0; i < n; ++i) {
    double s = rhs[static_cast<std::size_t>(i)];
    for (int k = 0; k < i; ++k) s -= m(i, k) * rhs[static_cast<std::size_t>(k)];
    rhs[static_cast<std::size_t>(i)] = s / m(i, i);
  }
  for (int i = n - 1; i >= 0; --i) {
    double s = rhs[static_cast<std::size_t>(i)];
    for (int k = i + 1; k < n; ++k) s -= m(k, i) * rhs[static_cast<std::size_t>(k)];
    rhs[static_cast<std::size_t>(i)] = s / m(i, i);
  }
  return true;
}
