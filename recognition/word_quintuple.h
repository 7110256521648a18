// The key of a record of the internal table of atoms: record index (1-based),
// sub-index (0 for the record itself, s for its s-th alternative
// presentation) and three census words (components, crossings and census
// index of a link presentation; 1, 0, 0 for a knot; otherwise 0).
#pragma once

#include <cstdint>

struct TWordQuintuple {
  std::int32_t index = 0;
  std::int32_t subIndex = 0;
  std::int32_t keyA = 0;
  std::int32_t keyB = 0;
  std::int32_t keyC = 0;

  friend bool operator==(const TWordQuintuple&, const TWordQuintuple&) = default;
};
