#include "model/sparse_smith_form.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<TSparseRow>;

std::vector<std::string> TorsionText(const TSmithForm& form) {
  std::vector<std::string> text;
  for (const mpz_class& d : form.torsion) text.push_back(d.get_str());
  return text;
}

// Cases whose entries or factors leave the 64-bit range: the elimination
// must finish them on big integers with the exact answer.
TEST(SparseSmithForm, FactorsAndEntriesBeyondSixtyFourBits) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  const std::int64_t twoTo40 = std::int64_t(1) << 40;
  const std::int64_t threeTo25 = 847288609443;
  struct TCase {
    const char* name;
    Rows rows;
    std::uint32_t columns;
    std::vector<std::string> torsion;
    std::uint32_t rank;
  };
  const TCase cases[] = {
      // Z_{2^40} + Z_{3^25} is cyclic of order 2^40 3^25 > 2^79.
      {"coprime factors whose product leaves 64 bits",
       {{{0, twoTo40}}, {{1, threeTo25}}},
       2,
       {"931603678164736454688768"},
       2},
      {"the least 64-bit entry", {{{0, kMin}}}, 1, {"9223372036854775808"}, 1},
      // Determinant max (max - 2) - (max - 1)^2 = -1: the trivial group.
      {"a unimodular matrix at the 64-bit limit",
       {{{0, kMax}, {1, kMax - 1}}, {{0, kMax - 1}, {1, kMax - 2}}},
       2,
       {},
       2},
      {"no rows: a free group", {}, 3, {}, 0},
      {"a repeated relation counts once", {{{0, 4}, {1, 6}}, {{0, 4}, {1, 6}}}, 2, {"2"}, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TSmithForm form = SparseSmithForm(c.rows, c.columns);
    EXPECT_EQ(TorsionText(form), c.torsion);
    EXPECT_EQ(form.rank, c.rank);
  }
}

TEST(SparseSmithForm, SortingARowAddsUpItsColumnsAndDropsZeros) {
  TSparseRow row{{3, 1}, {1, 2}, {3, -1}, {0, 5}, {1, 1}};
  SortSparseRow(row);
  ASSERT_EQ(row.size(), 2u);
  EXPECT_EQ(row[0].column, 0u);
  EXPECT_EQ(row[0].value, 5);
  EXPECT_EQ(row[1].column, 1u);
  EXPECT_EQ(row[1].value, 3);
}

using Dense = std::vector<std::vector<std::int64_t>>;

// The Smith form of m before and after `steps` random row and column
// operations (adding q times one line to another, |q| <= spread) is the same.
void ExpectOperationsKeepTheForm(Dense& m, std::uint32_t columns, std::mt19937& random, int steps,
                                 std::int64_t spread) {
  const auto rows = static_cast<std::uint32_t>(m.size());
  auto sparse = [&]() {
    Rows result(rows);
    for (std::uint32_t i = 0; i < rows; ++i) {
      for (std::uint32_t j = 0; j < columns; ++j) {
        if (m[i][j] != 0) result[i].push_back({j, m[i][j]});
      }
    }
    return result;
  };
  const TSmithForm before = SparseSmithForm(sparse(), columns);
  for (int step = 0; step < steps; ++step) {
    const bool rowwise = random() % 2 == 0;
    const std::uint32_t size = rowwise ? rows : columns;
    const std::uint32_t target = random() % size;
    const std::uint32_t source = random() % size;
    if (target == source) continue;
    const std::int64_t q = static_cast<std::int64_t>(random() % static_cast<unsigned>(2 * spread + 1)) - spread;
    for (std::uint32_t t = 0; t < (rowwise ? columns : rows); ++t) {
      if (rowwise) {
        m[target][t] += q * m[source][t];
      } else {
        m[t][target] += q * m[t][source];
      }
    }
  }
  const TSmithForm after = SparseSmithForm(sparse(), columns);
  EXPECT_EQ(TorsionText(after), TorsionText(before));
  EXPECT_EQ(after.rank, before.rank);
}

// Random row and column operations keep the group: a larger sparse matrix and
// a disguise of it have one Smith form. This drives the bookkeeping of the
// elimination (fill-in, cancellations, pivots that move) far beyond the small
// matrices checked against the definition.
TEST(SparseSmithForm, RowAndColumnOperationsKeepTheForm) {
  std::mt19937 random(11);
  for (int round = 0; round < 40; ++round) {
    const std::uint32_t rows = 10 + random() % 30;
    const std::uint32_t columns = 10 + random() % 30;
    std::vector<std::vector<std::int64_t>> m(rows, std::vector<std::int64_t>(columns, 0));
    for (auto& row : m) {
      for (auto& x : row) {
        if (random() % 6 == 0) x = static_cast<std::int64_t>(random() % 7) - 3;
      }
    }
    SCOPED_TRACE(::testing::Message() << "round " << round);
    ExpectOperationsKeepTheForm(m, columns, random, 60, 2);
  }
}

// Long relations over many generators beside short ones that identify the
// generators one by one: each short pivot changes the long rows again, so the
// in-place updates of long rows and their deferred pivot keys carry the
// whole run. Generators are numbered in a scrambled order so that the short
// rows land all over the long ones.
TEST(SparseSmithForm, LongRelationsReducedByManyShortOnes) {
  struct TCase {
    const char* name;
    std::uint32_t n;
    std::int64_t step;  // short rows: x_{i+1} = step x_i
    // The long rows: coefficient of x_i in each, or 0.
    std::vector<std::int64_t (*)(std::uint32_t)> longRows;
    std::vector<std::string> torsion;
    std::uint32_t rank;
  };
  const TCase cases[] = {
      {"one long sum: Z_n", 300, 1, {[](std::uint32_t) -> std::int64_t { return 1; }}, {"300"}, 300},
      {"two long sums: Z_gcd",
       300,
       1,
       {[](std::uint32_t) -> std::int64_t { return 1; },
        [](std::uint32_t i) -> std::int64_t { return i % 3 == 0 ? 1 : 0; }},
       {"100"},
       300},
      {"an alternating sum cancels: Z free",
       300,
       1,
       {[](std::uint32_t i) -> std::int64_t { return i % 2 == 0 ? 1 : -1; }},
       {},
       299},
      // x_i = 2^i x_0, so the sum is (2^100 - 1) x_0: beyond 64 bits.
      {"doubling steps: Z_{2^100 - 1}",
       100,
       2,
       {[](std::uint32_t) -> std::int64_t { return 1; }},
       {"1267650600228229401496703205375"},
       100},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint32_t> column(c.n);
    for (std::uint32_t i = 0; i < c.n; ++i) column[i] = (i * 7919u) % c.n;  // 7919 is prime to n
    Rows rows;
    for (auto coefficient : c.longRows) {
      TSparseRow row;
      for (std::uint32_t i = 0; i < c.n; ++i) {
        if (coefficient(i) != 0) row.push_back({column[i], coefficient(i)});
      }
      SortSparseRow(row);
      rows.push_back(row);
    }
    for (std::uint32_t i = 0; i + 1 < c.n; ++i) {
      TSparseRow row{{column[i], c.step}, {column[i + 1], -1}};
      SortSparseRow(row);
      rows.push_back(row);
    }
    TSmithForm form = SparseSmithForm(rows, c.n);
    EXPECT_EQ(TorsionText(form), c.torsion);
    EXPECT_EQ(form.rank, c.rank);
  }
}

}  // namespace

// Long rows among many short ones, before and after random row and column
// operations: entries of the long rows cancel, are kept in place as zeros,
// come back through later pivots and are compacted away, and the group must
// come out the same every time.
TEST(SparseSmithForm, LongRowsWhoseEntriesCancelAndReturnKeepTheForm) {
  std::mt19937 random(5);
  for (int round = 0; round < 12; ++round) {
    const std::uint32_t columns = 150 + random() % 100;
    const std::uint32_t longRows = 1 + random() % 4;
    const std::uint32_t shortRows = columns - 3 + random() % 6;
    std::vector<std::vector<std::int64_t>> m(longRows + shortRows,
                                             std::vector<std::int64_t>(columns, 0));
    for (std::uint32_t i = 0; i < longRows; ++i) {
      for (auto& x : m[i]) x = static_cast<std::int64_t>(random() % 3) - 1;
    }
    for (std::uint32_t i = longRows; i < m.size(); ++i) {
      for (int k = 0; k < 2 + static_cast<int>(random() % 2); ++k)
        m[i][random() % columns] = static_cast<std::int64_t>(random() % 5) - 2;
    }
    SCOPED_TRACE(::testing::Message() << "round " << round);
    ExpectOperationsKeepTheForm(m, columns, random, 30, 1);
  }
}
