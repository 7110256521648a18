// The normal form of a finitely generated abelian group given as a homology
// list, and the comparison of two groups by it.
//
// A homology list names a group as a sum of cyclic summands: an entry 0 is a
// free summand Z, an entry n > 1 a summand Z_n, and the single entry 1 the
// trivial group. The same group has many such lists: a chain of spines lists
// the summands of each component in turn, and Z_2 + Z_3 is Z_6. Comparing two
// groups therefore compares normal forms: the free rank and the elementary
// divisors, the prime powers p^e of the primary decomposition, got by
// splitting each Z_n into its parts Z_{p^e} (Chinese remainder theorem). They
// determine the group, and unlike the invariant factors they need no product
// that could leave the integer range.
//
// Cost: trial division of every entry, O(sqrt(n)) each.
#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

struct THomologyNormalForm {
  int freeRank = 0;
  // Elementary divisors as (prime, exponent), sorted.
  std::vector<std::pair<std::int64_t, int>> primePowers;

  friend bool operator==(const THomologyNormalForm&, const THomologyNormalForm&) = default;
};

// The normal form of the group that a homology list names (entries 1 and
// below add nothing except that 0 adds a free summand; a negative entry counts
// as its absolute value).
THomologyNormalForm HomologyNormalForm(std::span<const std::int32_t> list);

// 1 when the two lists name isomorphic groups. A list without entries (a
// homology that was never computed) equals only another such list.
int HomologyGroupsEqual(std::span<const std::int32_t> a, std::span<const std::int32_t> b);
