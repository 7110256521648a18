#include "model/homology_diagonalisation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <random>
#include <vector>

#include "foundation/checked_int64.h"

namespace {

using Rows = std::vector<std::vector<std::int32_t>>;
using Summands = std::vector<std::int32_t>;

TIntMatrix MatrixOf(const Rows& rows, std::uint32_t columns) {
  TIntMatrix m(static_cast<std::uint32_t>(rows.size()), columns);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (std::uint32_t j = 0; j < columns; ++j) m.Row(static_cast<std::uint32_t>(i))[j] = rows[i][j];
  }
  return m;
}

Summands Diagonalise(const Rows& rows, std::uint32_t columns) {
  TIntMatrix m = MatrixOf(rows, columns);
  return DiagonaliseRelationBlock(m, static_cast<std::uint32_t>(rows.size()), columns);
}

TEST(HomologyDiagonalisation, KnownGroups) {
  struct TCase {
    const char* group;
    Rows rows;
    std::uint32_t columns;
    Summands summands;
  };
  const TCase cases[] = {
      {"Z_5", {{5}}, 1, {5}},
      {"Z+Z (torus relation)", {{0, 0}}, 2, {0, 0}},
      {"Z_2+Z_2", {{2, 0}, {0, 2}}, 2, {2, 2}},
      {"trivial", {{1, 0}, {0, 1}}, 2, {}},
      {"Z_2+Z from the row (4, 6)", {{4, 6}}, 2, {2, 0}},
      {"a pivot of -3 is 3", {{-3}}, 1, {3}},
      {"Z_2+Z_3 = Z_6", {{2, 0}, {0, 3}}, 2, {6}},
      {"Z_2+Z_6+Z_12 from a full matrix", {{2, 4, 4}, {-6, 6, 12}, {10, -4, -16}}, 3, {2, 6, 12}},
      {"no rows at all", {}, 3, {0, 0, 0}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.group);
    EXPECT_EQ(Diagonalise(c.rows, c.columns), c.summands);
  }
}

TEST(HomologyDiagonalisation, ReadsOnlyTheGivenBlock) {
  TIntMatrix m = MatrixOf({{3, 7}, {11, 13}}, 2);
  EXPECT_EQ(DiagonaliseRelationBlock(m, 1, 1), Summands{3});
  // A block larger than the matrix is clamped.
  TIntMatrix n = MatrixOf({{4}}, 1);
  EXPECT_EQ(DiagonaliseRelationBlock(n, 5, 5), Summands{4});
}

TEST(HomologyDiagonalisation, AFactorBeyondTheListsRangeIsReportedNeverWrapped) {
  // Z_{2^31}; and a determinant of -2^31 (2^32 - 1) with coprime entries, so
  // one factor of that size.
  EXPECT_THROW(Diagonalise({{INT32_MIN}}, 1), Out_of_Range);
  EXPECT_THROW(Diagonalise({{INT32_MIN, INT32_MIN}, {INT32_MIN, INT32_MAX}}, 2), Out_of_Range);
  // Large but representable entries are fine.
  EXPECT_EQ(Diagonalise({{INT32_MAX}}, 1), Summands{INT32_MAX});
  EXPECT_EQ(Diagonalise({{INT32_MAX, 0}, {0, 1}}, 2), Summands{INT32_MAX});
}

// The determinant of a small square matrix by cofactor expansion, exact in
// 64 bits for the entries used here.
std::int64_t Determinant(const std::vector<std::vector<std::int64_t>>& a) {
  std::size_t n = a.size();
  if (n == 1) return a[0][0];
  std::int64_t sum = 0;
  for (std::size_t k = 0; k < n; ++k) {
    std::vector<std::vector<std::int64_t>> minor;
    for (std::size_t i = 1; i < n; ++i) {
      std::vector<std::int64_t> row;
      for (std::size_t j = 0; j < n; ++j) {
        if (j != k) row.push_back(a[i][j]);
      }
      minor.push_back(row);
    }
    std::int64_t term = a[0][k] * Determinant(minor);
    sum += (k % 2 == 0) ? term : -term;
  }
  return sum;
}

// Every way of choosing k of n indices.
void Choose(std::size_t n, std::size_t k, std::size_t from, std::vector<std::size_t>& chosen,
            std::vector<std::vector<std::size_t>>& all) {
  if (chosen.size() == k) {
    all.push_back(chosen);
    return;
  }
  for (std::size_t i = from; i < n; ++i) {
    chosen.push_back(i);
    Choose(n, k, i + 1, chosen, all);
    chosen.pop_back();
  }
}

// The Smith normal form straight from its definition: the k-th determinantal
// divisor D_k is the gcd of all k x k minors, and the invariant factors are
// D_k / D_(k-1). Written the way a textbook states it, independent of the
// elimination under test.
Summands ReferenceSummands(const Rows& rows, std::size_t columns) {
  std::size_t r = rows.size();
  std::vector<std::int64_t> divisors{1};
  for (std::size_t k = 1; k <= std::min(r, columns); ++k) {
    std::vector<std::vector<std::size_t>> rowSets, columnSets;
    std::vector<std::size_t> chosen;
    Choose(r, k, 0, chosen, rowSets);
    Choose(columns, k, 0, chosen, columnSets);
    std::int64_t g = 0;
    for (const auto& rs : rowSets) {
      for (const auto& cs : columnSets) {
        std::vector<std::vector<std::int64_t>> minor;
        for (std::size_t i : rs) {
          std::vector<std::int64_t> row;
          for (std::size_t j : cs) row.push_back(rows[i][j]);
          minor.push_back(row);
        }
        g = std::gcd(g, Determinant(minor));
      }
    }
    if (g == 0) break;
    divisors.push_back(g);
  }
  Summands summands;
  for (std::size_t k = 1; k < divisors.size(); ++k) {
    std::int64_t factor = divisors[k] / divisors[k - 1];
    if (factor > 1) summands.push_back(static_cast<std::int32_t>(factor));
  }
  std::size_t rank = divisors.size() - 1;
  summands.insert(summands.end(), columns - rank, 0);
  return summands;
}

TEST(HomologyDiagonalisation, AgreesWithTheSmithNormalFormOnRandomMatrices) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 3000; ++round) {
    std::size_t rows = 1 + random() % 4;
    std::size_t columns = 1 + random() % 4;
    int spread = 1 + static_cast<int>(random() % 9);
    bool sparse = random() % 2 == 0;
    Rows m(rows, std::vector<std::int32_t>(columns));
    for (auto& row : m) {
      for (auto& x : row) {
        x = static_cast<std::int32_t>(random() % (2 * spread + 1)) - spread;
        if (sparse && random() % 3 != 0) x = 0;
      }
    }
    SCOPED_TRACE(::testing::Message() << "round " << round);
    EXPECT_EQ(Diagonalise(m, static_cast<std::uint32_t>(columns)), ReferenceSummands(m, columns));
  }
}

// U D V with U and V random unimodular matrices presents the same group as
// the diagonal D, while its entries (and the entries met on the way to the
// diagonal) are far larger than D's. A reduction confined to 32 bits reports
// an overflow on such matrices; the answer must be D's group all the same.
TEST(HomologyDiagonalisation, LargeDisguisedDiagonalGivesItsGroup) {
  std::mt19937 random(7);
  const std::uint32_t n = 7;
  std::vector<std::vector<std::int64_t>> m(n, std::vector<std::int64_t>(n, 0));
  const std::int64_t diagonal[] = {2, 6, 30};
  // Units on the diagonal, then the factors 2, 6, 30 and two zeros (free summands).
  for (std::uint32_t i = 0; i < n; ++i) m[i][i] = i + 5 < n ? 1 : 0;
  for (std::uint32_t k = 0; k < 3; ++k) m[n - 5 + k][n - 5 + k] = diagonal[k];
  const std::int64_t bound = std::int64_t(1) << 6;
  auto fits = [&](std::uint32_t target, std::uint32_t source, std::int64_t q, bool rowwise) {
    for (std::uint32_t t = 0; t < n; ++t) {
      std::int64_t value = rowwise ? m[target][t] + q * m[source][t] : m[t][target] + q * m[t][source];
      if (value > bound || value < -bound) return false;
    }
    return true;
  };
  for (int step = 0; step < 4000; ++step) {
    std::uint32_t target = random() % n;
    std::uint32_t source = random() % n;
    std::int64_t q = static_cast<std::int64_t>(random() % 5) - 2;
    bool rowwise = random() % 2 == 0;
    if (target == source || q == 0 || !fits(target, source, q, rowwise)) continue;
    for (std::uint32_t t = 0; t < n; ++t) {
      if (rowwise) {
        m[target][t] += q * m[source][t];
      } else {
        m[t][target] += q * m[t][source];
      }
    }
  }
  Rows rows(n, std::vector<std::int32_t>(n));
  for (std::uint32_t i = 0; i < n; ++i) {
    for (std::uint32_t j = 0; j < n; ++j) rows[i][j] = static_cast<std::int32_t>(m[i][j]);
  }
  EXPECT_EQ(Diagonalise(rows, n), (Summands{2, 6, 30, 0, 0}));
}

// The same disguise with entries up to 2^30 and multipliers up to 1000: the
// entries met on the way grow beyond 128 bits, where a reduction in fixed
// width reported "OVERFLOW". Exact arithmetic gives D's group.
TEST(HomologyDiagonalisation, HugeDisguisedDiagonalsGiveTheirGroups) {
  struct TCase {
    std::uint32_t n;
    int bits;
    unsigned seed;
  };
  for (const TCase c : {TCase{8, 20, 1}, TCase{12, 30, 1}, TCase{12, 30, 2}, TCase{12, 30, 3}}) {
    SCOPED_TRACE(::testing::Message() << c.n << " x " << c.n << ", seed " << c.seed);
    const std::uint32_t n = c.n;
    std::mt19937_64 random(c.seed);
    std::vector<std::vector<std::int64_t>> m(n, std::vector<std::int64_t>(n, 0));
    for (std::uint32_t i = 0; i < n; ++i) m[i][i] = 1;
    m[n - 5][n - 5] = 2;
    m[n - 4][n - 4] = 6;
    m[n - 3][n - 3] = 30;
    m[n - 2][n - 2] = 0;
    m[n - 1][n - 1] = 0;
    const std::int64_t bound = std::int64_t(1) << c.bits;
    for (int step = 0; step < 20000; ++step) {
      std::uint32_t target = random() % n;
      std::uint32_t source = random() % n;
      if (target == source) continue;
      std::int64_t q = static_cast<std::int64_t>(random() % 2001) - 1000;
      bool rowwise = random() % 2 == 0;
      bool fits = true;
      for (std::uint32_t k = 0; k < n && fits; ++k) {
        std::int64_t v = rowwise ? m[target][k] + q * m[source][k] : m[k][target] + q * m[k][source];
        fits = v <= bound && v >= -bound;
      }
      if (!fits) continue;
      for (std::uint32_t k = 0; k < n; ++k) {
        if (rowwise) {
          m[target][k] += q * m[source][k];
        } else {
          m[k][target] += q * m[k][source];
        }
      }
    }
    Rows rows(n, std::vector<std::int32_t>(n));
    for (std::uint32_t i = 0; i < n; ++i) {
      for (std::uint32_t j = 0; j < n; ++j) rows[i][j] = static_cast<std::int32_t>(m[i][j]);
    }
    EXPECT_EQ(Diagonalise(rows, n), (Summands{2, 6, 30, 0, 0}));
  }
}

// The block is left in diagonal form, the pivots in divisibility order.
TEST(HomologyDiagonalisation, LeavesTheDiagonalFormInTheBlock) {
  TIntMatrix m = MatrixOf({{4, 6}, {6, 4}}, 2);
  EXPECT_EQ(DiagonaliseRelationBlock(m, 2, 2), (Summands{2, 10}));
  EXPECT_EQ(m.Row(0)[1], 0);
  EXPECT_EQ(m.Row(1)[0], 0);
  EXPECT_EQ(std::abs(m.Row(0)[0]), 2);
  EXPECT_EQ(std::abs(m.Row(1)[1]), 10);
  // A factor beyond 32 bits leaves the matrix as it was.
  TIntMatrix big = MatrixOf({{INT32_MIN}}, 1);
  EXPECT_THROW(DiagonaliseRelationBlock(big, 1, 1), Out_of_Range);
  EXPECT_EQ(big.Row(0)[0], INT32_MIN);
}

}  // namespace
