// The rows of a Heegaard arc table by point: for each point index, the rows
// that end there in table order. Tracing and the dual diagram look up "the
// first row at this point" once per step; the index answers in constant time
// what a scan of the table answers in time proportional to its length.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/int_matrix.h"

class THeegaardArcIndex {
 public:
  explicit THeegaardArcIndex(const TIntMatrix& table);

  // The rows with the point at column 0 or 1, ascending; a row that has the
  // point at both ends is listed once. Empty for a point outside the table.
  const std::int32_t* Begin(int point) const;
  const std::int32_t* End(int point) const;
  // The first row at the point, or -1.
  int FirstRow(int point) const;
  // The end (0 or 1) of the row that lies at the point, column 0 first; -1
  // when the row does not end there.
  static int EndAt(const TIntMatrix& table, int row, int point);

 private:
  std::vector<std::int32_t> offsets_;
  std::vector<std::int32_t> rows_;
};
