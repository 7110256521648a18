#include "invariants/hyperbolic/symmetric_indefinite_solve.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "foundation/stop_poll.h"

namespace {

// The pivot threshold that bounds the growth of the entries: (1 + sqrt 17) / 8.
const double kAlpha = (1.0 + std::sqrt(17.0)) / 8.0;

// The entry (i, j) of the upper triangle.
double& Upper(TDenseMatrix& m, int i, int j) { return i <= j ? m(i, j) : m(j, i); }

// Interchanges rows and columns a < b of the leading k + 1 by k + 1 block.
void Interchange(TDenseMatrix& m, int a, int b, int k) {
  for (int i = 0; i < a; ++i) std::swap(m(i, a), m(i, b));
  for (int i = a + 1; i < b; ++i) std::swap(m(a, i), m(i, b));
  std::swap(m(a, a), m(b, b));
  for (int j = b + 1; j <= k; ++j) std::swap(m(a, j), m(b, j));
}

}  // namespace

bool FactorSymmetric(TDenseMatrix& m, std::vector<int>& pivots) {
  const int n = m.n;
  pivots.assign(static_cast<std::size_t>(n), 0);
  int k = n - 1;
  TStopPoll poll(64);
  while (k >= 0) {
    poll.Step();
    int step = 1;
    const double d = std::fabs(m(k, k));
    int r = -1;
    double e = 0;
    for (int i = 0; i < k; ++i) {
      if (std::fabs(m(i, k)) > e) {
        e = std::fabs(m(i, k));
        r = i;
      }
    }
    if (std::max(d, e) == 0.0) return false;
    int pivot = k;
    if (!(d >= kAlpha * e)) {
      // g: the largest off-diagonal magnitude in row and column r.
      double g = 0;
      for (int j = 0; j <= k; ++j) {
        if (j != r) g = std::max(g, std::fabs(Upper(m, r, j)));
      }
      if (d * g >= kAlpha * e * e) {
        pivot = k;
      } else if (std::fabs(m(r, r)) >= kAlpha * g) {
        pivot = r;
      } else {
        pivot = r;
        step = 2;
      }
    }
    const int kk = k - step + 1;
    if (pivot != kk) Interchange(m, pivot, kk, k);
    if (step == 1) {
      const double inverse = 1.0 / m(k, k);
      for (int j = 0; j < k; ++j) {
        if (m(j, k) == 0.0) continue;  // a zero multiplier changes nothing
        const double t = inverse * m(j, k);
        for (int i = 0; i <= j; ++i) m(i, j) -= m(i, k) * t;
      }
      for (int i = 0; i < k; ++i) m(i, k) *= inverse;
      pivots[static_cast<std::size_t>(k)] = pivot;
    } else {
      // The 2 x 2 block of rows k - 1 and k, eliminated from the rows above.
      double d12 = m(k - 1, k);
      const double d22 = m(k - 1, k - 1) / d12, d11 = m(k, k) / d12;
      const double t = 1.0 / (d11 * d22 - 1.0);
      d12 = t / d12;
      for (int j = k - 2; j >= 0; --j) {
        const double wkm1 = d12 * (d11 * m(j, k - 1) - m(j, k));
        const double wk = d12 * (d22 * m(j, k) - m(j, k - 1));
        if (wk != 0.0 || wkm1 != 0.0) {
          for (int i = j; i >= 0; --i) m(i, j) -= m(i, k) * wk + m(i, k - 1) * wkm1;
        }
        m(j, k) = wk;
        m(j, k - 1) = wkm1;
      }
      pivots[static_cast<std::size_t>(k)] = pivots[static_cast<std::size_t>(k - 1)] = -(pivot + 1);
    }
    k -= step;
  }
  return true;
}

void SolveFactored(const TDenseMatrix& m, const std::vector<int>& pivots, std::vector<double>& b) {
  const int n = m.n;
  // U D y = b, from the last row up.
  for (int k = n - 1; k >= 0;) {
    const int p = pivots[static_cast<std::size_t>(k)];
    if (p >= 0) {
      std::swap(b[static_cast<std::size_t>(k)], b[static_cast<std::size_t>(p)]);
      for (int i = 0; i < k; ++i) b[static_cast<std::size_t>(i)] -= m(i, k) * b[static_cast<std::size_t>(k)];
      b[static_cast<std::size_t>(k)] /= m(k, k);
      k -= 1;
    } else {
      std::swap(b[static_cast<std::size_t>(k - 1)], b[static_cast<std::size_t>(-p - 1)]);
      for (int i = 0; i < k - 1; ++i) {
        b[static_cast<std::size_t>(i)] -= m(i, k) * b[static_cast<std::size_t>(k)] + m(i, k - 1) * b[static_cast<std::size_t>(k - 1)];
      }
      const double akm1k = m(k - 1, k);
      const double akm1 = m(k - 1, k - 1) / akm1k, ak = m(k, k) / akm1k;
      const double denominator = akm1 * ak - 1.0;
      const double bkm1 = b[static_cast<std::size_t>(k - 1)] / akm1k, bk = b[static_cast<std::size_t>(k)] / akm1k;
      b[static_cast<std::size_t>(k - 1)] = (ak * bkm1 - bk) / denominator;
      b[static_cast<std::size_t>(k)] = (akm1 * bk - bkm1) / denominator;
      k -= 2;
    }
  }
  // U^T z = y, from the first row down.
  for (int k = 0; k < n;) {
    const int p = pivots[static_cast<std::size_t>(k)];
    if (p >= 0) {
      for (int i = 0; i < k; ++i) b[static_cast<std::size_t>(k)] -= m(i, k) * b[static_cast<std::size_t>(i)];
      std::swap(b[static_cast<std::size_t>(k)], b[static_cast<std::size_t>(p)]);
      k += 1;
    } else {
      for (int i = 0; i < k; ++i) {
        b[static_cast<std::size_t>(k)] -= m(i, k) * b[static_cast<std::size_t>(i)];
        b[static_cast<std::size_t>(k + 1)] -= m(i, k + 1) * b[static_cast<std::size_t>(i)];
      }
      std::swap(b[static_cast<std::size_t>(k)], b[static_cast<std::size_t>(-p - 1)]);
      k += 2;
    }
  }
}

int NegativeIndex(const TDenseMatrix& m, const std::vector<int>& pivots) {
  int sum = 0;
  for (int k = 0; k < m.n; ++k) {
    if (pivots[static_cast<std::size_t>(k)] >= 0) sum += m(k, k) > 0 ? 1 : (m(k, k) < 0 ? -1 : 0);
  }
  return (m.n - sum) / 2;
}
