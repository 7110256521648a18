// Helpers of the Heegaard diagram tests: the abelian group that curve
// relations in two generators present, independent of the code under test.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <vector>

struct TTwoGeneratorGroup {
  std::vector<std::int64_t> torsion;  // invariant factors above 1, each dividing the next
  int freeRank = 0;
  friend bool operator==(const TTwoGeneratorGroup&, const TTwoGeneratorGroup&) = default;
};

// Z^2 divided by the rows: the invariant factors are d1 = gcd of the entries
// and d2 = (gcd of the 2x2 minors) / d1 (determinantal divisors).
inline TTwoGeneratorGroup GroupOfRelations(const std::vector<std::array<std::int64_t, 2>>& rows) {
  std::int64_t entries = 0;
  std::int64_t minors = 0;
  for (const auto& r : rows) entries = std::gcd(entries, std::gcd(r[0], r[1]));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (std::size_t j = i + 1; j < rows.size(); ++j) {
      minors = std::gcd(minors, rows[i][0] * rows[j][1] - rows[i][1] * rows[j][0]);
    }
  }
  TTwoGeneratorGroup group;
  if (entries == 0) {
    group.freeRank = 2;
  } else if (minors == 0) {
    group.freeRank = 1;
    if (entries > 1) group.torsion.push_back(entries);
  } else {
    if (entries > 1) group.torsion.push_back(entries);
    if (minors / entries > 1) group.torsion.push_back(minors / entries);
  }
  return group;
}

inline TTwoGeneratorGroup CyclicGroup(std::int64_t n) {
  TTwoGeneratorGroup group;
  if (n == 0) {
    group.freeRank = 1;
  } else if (n > 1) {
    group.torsion.push_back(n);
  }
  return group;
}

// ---- Any number of generators ----

#include <algorithm>
#include <utility>

struct TAbelianGroup {
  std::vector<std::int64_t> torsion;  // invariant factors above 1, in divisibility order
  int freeRank = 0;
  friend bool operator==(const TAbelianGroup&, const TAbelianGroup&) = default;
};

// Z^columns divided by the rows, by the Smith normal form (test sizes only;
// no overflow guard).
inline TAbelianGroup GroupOfMatrix(std::vector<std::vector<std::int64_t>> m, int columns) {
  const int rows = static_cast<int>(m.size());
  int rank = 0;
  std::vector<std::int64_t> pivots;
  for (int t = 0; t < std::min(rows, columns); ++t) {
    // Bring an entry of least absolute value of the block to (t, t); clear its
    // row and column; repeat while a remainder or an undivided entry is left.
    while (true) {
      int bi = -1, bj = -1;
      for (int i = t; i < rows; ++i)
        for (int j = t; j < columns; ++j)
          if (m[i][j] != 0 && (bi < 0 || std::llabs(m[i][j]) < std::llabs(m[bi][bj]))) {
            bi = i;
            bj = j;
          }
      if (bi < 0) break;
      std::swap(m[t], m[bi]);
      for (auto& row : m) std::swap(row[t], row[bj]);
      bool clean = true;
      for (int i = t + 1; i < rows; ++i) {
        const std::int64_t q = m[i][t] / m[t][t];
        for (int j = t; j < columns; ++j) m[i][j] -= q * m[t][j];
        clean = clean && m[i][t] == 0;
      }
      for (int j = t + 1; j < columns; ++j) {
        const std::int64_t q = m[t][j] / m[t][t];
        for (int i = t; i < rows; ++i) m[i][j] -= q * m[i][t];
        clean = clean && m[t][j] == 0;
      }
      if (!clean) continue;
      int ui = -1;
      for (int i = t + 1; i < rows && ui < 0; ++i)
        for (int j = t + 1; j < columns; ++j)
          if (m[i][j] % m[t][t] != 0) {
            ui = i;
            break;
          }
      if (ui < 0) break;
      for (int j = t; j < columns; ++j) m[t][j] += m[ui][j];
    }
    bool found = false;
    for (int i = t; i < rows && !found; ++i)
      for (int j = t; j < columns; ++j) found = found || m[i][j] != 0;
    if (!found) break;
    pivots.push_back(std::llabs(m[t][t]));
    ++rank;
  }
  TAbelianGroup group;
  for (std::int64_t p : pivots)
    if (p > 1) group.torsion.push_back(p);
  group.freeRank = columns - rank;
  return group;
}

inline TAbelianGroup AsGroup(const TTwoGeneratorGroup& g) { return {g.torsion, g.freeRank}; }
