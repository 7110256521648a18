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
