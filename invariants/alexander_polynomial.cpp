#include "invariants/alexander_polynomial.h"

#include <gmpxx.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <vector>

#include "foundation/checked_int64.h"
#include "invariants/link_invariant_stop.h"
#include "presentations/links/link.h"

namespace {

// An entry of the Alexander matrix: constant + c[0] x + c[1] y, where x and y
// stand for the variables (y unused with one variable).
struct TLinearEntry {
  std::int64_t constant = 0;
  std::array<std::int64_t, 2> linear{0, 0};
};

using TMatrix = std::vector<std::vector<TLinearEntry>>;

// The Wirtinger arcs of a diagram and its Alexander matrix.
struct TWirtinger {
  int arcCount = 0;
  std::vector<int> arcComponent;
  TMatrix matrix;  // one row per crossing, one column per arc
  bool split = false;
};

int Find(std::vector<int>& parent, int i) {
  while (parent[static_cast<std::size_t>(i)] != i) {
    parent[static_cast<std::size_t>(i)] = parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(i)])];
    i = parent[static_cast<std::size_t>(i)];
  }
  return i;
}

// variableOf[i]: the variable (0 or 1) of component i.
TWirtinger BuildWirtinger(const TLink& link, const std::vector<int>& variableOf) {
  TWirtinger w;
  const int n = link.CrossingCount();
  const int components = link.ComponentCount();
  // Per crossing: the over arc, the under arcs before and after.
  std::vector<int> over(static_cast<std::size_t>(n), -1);
  std::vector<int> underIn(static_cast<std::size_t>(n), -1);
  std::vector<int> underOut(static_cast<std::size_t>(n), -1);
  std::vector<int> parent(static_cast<std::size_t>(components));
  std::iota(parent.begin(), parent.end(), 0);
  std::vector<int> componentOfOver(static_cast<std::size_t>(n), -1);
  std::vector<int> componentOfUnder(static_cast<std::size_t>(n), -1);
  for (int i = 0; i < components; ++i) {
    const int m = link.CodeLength(i, 1);
    std::vector<int> numbers(static_cast<std::size_t>(m));
    int firstUnder = -1;
    for (int k = 0; k < m; ++k) {
      numbers[static_cast<std::size_t>(k)] = link.CodeEntry(i, k, 1)->number;
      if (firstUnder < 0 && numbers[static_cast<std::size_t>(k)] < 0) firstUnder = k;
    }
    if (firstUnder < 0) {
      // No under-passage: the component can be lifted off the rest.
      w.split = true;
      w.arcComponent.push_back(i);
      ++w.arcCount;
      continue;
    }
    // arcAfter[k]: the arc that leaves position k; a new arc begins at every
    // under-passage.
    std::vector<int> arcAfter(static_cast<std::size_t>(m));
    int arc = -1;
    for (int step = 0; step < m; ++step) {
      const int k = (firstUnder + step) % m;
      if (numbers[static_cast<std::size_t>(k)] < 0) {
        arc = w.arcCount++;
        w.arcComponent.push_back(i);
      }
      arcAfter[static_cast<std::size_t>(k)] = arc;
    }
    for (int k = 0; k < m; ++k) {
      const int x = numbers[static_cast<std::size_t>(k)];
      const std::size_t c = static_cast<std::size_t>(std::abs(x) - 1);
      if (x > 0) {
        over[c] = arcAfter[static_cast<std::size_t>(k)];
        componentOfOver[c] = i;
      } else {
        underIn[c] = arcAfter[static_cast<std::size_t>((k + m - 1) % m)];
        underOut[c] = arcAfter[static_cast<std::size_t>(k)];
        componentOfUnder[c] = i;
      }
    }
  }
  for (int c = 0; c < n; ++c) {
    const std::size_t cc = static_cast<std::size_t>(c);
    const int a = Find(parent, componentOfOver[cc]);
    const int b = Find(parent, componentOfUnder[cc]);
    parent[static_cast<std::size_t>(a)] = b;
  }
  for (int i = 1; i < components; ++i) {
    if (Find(parent, i) != Find(parent, 0)) w.split = true;
  }
  if (w.split) return w;

  w.matrix.assign(static_cast<std::size_t>(n), std::vector<TLinearEntry>(static_cast<std::size_t>(w.arcCount)));
  for (int c = 0; c < n; ++c) {
    const std::size_t cc = static_cast<std::size_t>(c);
    std::vector<TLinearEntry>& row = w.matrix[cc];
    const std::size_t o = static_cast<std::size_t>(over[cc]);
    const std::size_t a = static_cast<std::size_t>(underIn[cc]);
    const std::size_t b = static_cast<std::size_t>(underOut[cc]);
    const std::size_t ta = static_cast<std::size_t>(variableOf[static_cast<std::size_t>(componentOfUnder[cc])]);
    const std::size_t to = static_cast<std::size_t>(variableOf[static_cast<std::size_t>(componentOfOver[cc])]);
    if (link.CrossingSign(c + 1) > 0) {
      // r = x_o x_a x_o^-1 x_b^-1: d/dx_o = 1 - t_a, d/dx_a = t_o, d/dx_b = -1.
      row[o].constant += 1;
      row[o].linear[ta] -= 1;
      row[a].linear[to] += 1;
      row[b].constant -= 1;
    } else {
      // r = x_o^-1 x_a x_o x_b^-1, its row multiplied by the unit t_o:
      // t_a - 1, 1 and -t_o.
      row[o].linear[ta] += 1;
      row[o].constant -= 1;
      row[a].constant += 1;
      row[b].linear[to] -= 1;
    }
  }
  return w;
}

// The determinant of a square integer matrix by Bareiss's fraction-free
// elimination (every division is exact). The matrix is consumed.
mpz_class Determinant(std::vector<std::vector<mpz_class>>& a, TLinkInvariantStop& poll) {
  const std::size_t m = a.size();
  if (m == 0) return 1;
  mpz_class previous = 1;
  int sign = 1;
  for (std::size_t k = 0; k + 1 < m; ++k) {
    if (a[k][k] == 0) {
      std::size_t pivot = k + 1;
      while (pivot < m && a[pivot][k] == 0) ++pivot;
      if (pivot == m) return 0;
      std::swap(a[k], a[pivot]);
      sign = -sign;
    }
    for (std::size_t i = k + 1; i < m; ++i) {
      for (std::size_t j = k + 1; j < m; ++j) {
        poll.Step();
        a[i][j] = a[i][j] * a[k][k] - a[i][k] * a[k][j];
        mpz_divexact(a[i][j].get_mpz_t(), a[i][j].get_mpz_t(), previous.get_mpz_t());
      }
    }
    previous = a[k][k];
  }
  return sign * a[m - 1][m - 1];
}

// The coefficients (degree 0 up) of the polynomial of degree < xs.size() that
// takes the values ys at the distinct points xs (Newton's divided differences).
std::vector<mpq_class> Interpolate(const std::vector<mpz_class>& xs, std::vector<mpq_class> ys) {
  const std::size_t count = xs.size();
  for (std::size_t level = 1; level < count; ++level) {
    for (std::size_t i = count - 1; i >= level; --i) {
      ys[i] = (ys[i] - ys[i - 1]) / mpq_class(xs[i] - xs[i - level]);
    }
  }
  std::vector<mpq_class> poly(count, mpq_class(0));
  for (std::size_t i = count; i-- > 0;) {
    // poly = poly * (x - xs[i]) + ys[i]
    for (std::size_t j = count - 1; j > 0; --j) poly[j] = poly[j - 1] - poly[j] * xs[i];
    poly[0] = ys[i] - poly[0] * xs[i];
  }
  return poly;
}

mpz_class Integral(const mpq_class& q) {
  // The determinant is a polynomial with integer coefficients, so its
  // interpolation has integral coefficients.
  return q.get_num();
}

// D(x, y) as a dense grid of coefficients: grid[i][j] of x^i y^j.
std::vector<std::vector<mpz_class>> MinorPolynomial(const TMatrix& matrix, int arcCount,
                                                    int variables, TLinkInvariantStop& poll) {
  const std::size_t m = static_cast<std::size_t>(arcCount) - 1;
  std::vector<mpz_class> points;
  for (std::size_t i = 0; points.size() <= m; ++i) {
    const long value = static_cast<long>((i + 1) / 2);
    points.push_back(i % 2 == 1 ? mpz_class(value) : mpz_class(-value));
  }
  const std::size_t yCount = variables == 2 ? m + 1 : 1;
  // values[b][a]: D at (points[a], points[b]).
  std::vector<std::vector<mpq_class>> values(yCount, std::vector<mpq_class>(m + 1));
  std::vector<std::vector<mpz_class>> work(m, std::vector<mpz_class>(m));
  for (std::size_t b = 0; b < yCount; ++b) {
    for (std::size_t a = 0; a <= m; ++a) {
      poll.Check();
      // Rows 1.. (relation 0 is dropped), columns 1.. (arc 0 is dropped).
      for (std::size_t r = 0; r < m; ++r) {
        for (std::size_t c = 0; c < m; ++c) {
          const TLinearEntry& e = matrix[r + 1][c + 1];
          work[r][c] = mpz_class(static_cast<long>(e.constant)) +
                       mpz_class(static_cast<long>(e.linear[0])) * points[a] +
                       mpz_class(static_cast<long>(e.linear[1])) * points[b];
        }
      }
      values[b][a] = Determinant(work, poll);
      work.assign(m, std::vector<mpz_class>(m));
    }
  }
  std::vector<mpz_class> xPoints(points.begin(), points.begin() + static_cast<std::ptrdiff_t>(m + 1));
  std::vector<std::vector<mpz_class>> grid(m + 1, std::vector<mpz_class>(yCount));
  // In x for every y, then every x-coefficient in y.
  std::vector<std::vector<mpq_class>> byY(yCount);
  for (std::size_t b = 0; b < yCount; ++b) byY[b] = Interpolate(xPoints, values[b]);
  for (std::size_t i = 0; i <= m; ++i) {
    if (yCount == 1) {
      grid[i][0] = Integral(byY[0][i]);
      continue;
    }
    std::vector<mpq_class> column(yCount);
    for (std::size_t b = 0; b < yCount; ++b) column[b] = byY[b][i];
    std::vector<mpq_class> inY = Interpolate(xPoints, column);
    for (std::size_t j = 0; j < yCount; ++j) grid[i][j] = Integral(inY[j]);
  }
  return grid;
}

std::int64_t ToInt64(const mpz_class& value) {
  if (!value.fits_slong_p() || sizeof(long) < sizeof(std::int64_t)) {
    throw Out_of_Range(TInt64::Max(), TInt64::Max(), kOverflowAddNonNegative);
  }
  return static_cast<std::int64_t>(value.get_si());
}

}  // namespace

void ComputeAlexanderPolynomial(TTwoVariablePolynomial& result, const TLink& link,
                                const std::atomic<int>* stopFlag) {
  const int components = link.ComponentCount();
  const int variables = components == 2 ? 2 : 1;
  std::vector<int> variableOf(static_cast<std::size_t>(components), 0);
  if (variables == 2) variableOf[1] = 1;

  TTwoVariablePolynomial value;
  value.SetVariableLetter(1, variables == 2 ? 'u' : 't');
  value.SetVariableLetter(2, variables == 2 ? 'v' : 't');
  const TWirtinger w = BuildWirtinger(link, variableOf);
  if (w.split || link.CrossingCount() == 0) {
    value.SetConstant(components == 1 ? 1 : 0);
    result = std::move(value);
    return;
  }
  TLinkInvariantStop poll(stopFlag, 1024);
  std::vector<std::vector<mpz_class>> grid = MinorPolynomial(w.matrix, w.arcCount, variables, poll);
  if (variables == 2) {
    // D = (u - 1) Delta: the column of an arc of the first component was
    // dropped. Divide row by row in u: q_i = -(c_0 + ... + c_i).
    for (std::size_t j = 0; j < grid[0].size(); ++j) {
      mpz_class partial = 0;
      for (std::size_t i = 0; i < grid.size(); ++i) {
        partial += grid[i][j];
        grid[i][j] = -partial;
      }
    }
  }

  // Normalise the unit: centre the exponents, then fix the sign.
  int low[2] = {0, 0};
  int high[2] = {-1, -1};
  mpz_class atOne = 0;
  for (std::size_t i = 0; i < grid.size(); ++i) {
    for (std::size_t j = 0; j < grid[i].size(); ++j) {
      if (grid[i][j] == 0) continue;
      const int e[2] = {static_cast<int>(i), static_cast<int>(j)};
      for (int v = 0; v < 2; ++v) {
        if (high[v] < low[v]) {
          low[v] = high[v] = e[v];
        } else {
          low[v] = std::min(low[v], e[v]);
          high[v] = std::max(high[v], e[v]);
        }
      }
      atOne += grid[i][j];
    }
  }
  if (high[0] < low[0]) {
    value.SetConstant(0);
    result = std::move(value);
    return;
  }
  int shift[2];
  for (int v = 0; v < 2; ++v) shift[v] = low[v] + (high[v] - low[v]) / 2;
  for (std::size_t i = 0; i < grid.size(); ++i) {
    for (std::size_t j = 0; j < grid[i].size(); ++j) {
      if (grid[i][j] == 0) continue;
      value.AddTerm({ToInt64(grid[i][j]), static_cast<std::int32_t>(static_cast<int>(i) - shift[0]),
                     static_cast<std::int32_t>(static_cast<int>(j) - shift[1])});
    }
  }
  const bool negate = components <= 2 && atOne != 0
                          ? atOne < 0
                          : value.TermAt(value.TermCount() - 1).coefficient < 0;
  if (negate) value.MultiplyByInt(-1);
  result = std::move(value);
}
