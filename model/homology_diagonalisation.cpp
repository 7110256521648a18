#include "model/homology_diagonalisation.h"

#include <algorithm>
#include <utility>

#include "foundation/checked_int64.h"

namespace {

struct TPosition {
  std::uint32_t row = 0;
  std::uint32_t column = 0;
};

// The block being diagonalised and the steps on it. Rows and columns below
// the current pivot index k are finished and never touched again.
class TDiagonalisation {
 public:
  TDiagonalisation(TIntMatrix& matrix, std::uint32_t rows, std::uint32_t columns)
      : m_(matrix), rows_(rows), columns_(columns) {}

  std::vector<std::int32_t> Run();

 private:
  std::int32_t& At(std::uint32_t i, std::uint32_t j) { return m_.Row(i)[j]; }

  // b is divisible by p when |b| mod |p| = 0; p is never 0 here.
  static bool Divides(std::int32_t p, std::int32_t b) {
    return static_cast<std::int64_t>(b) % static_cast<std::int64_t>(p) == 0;
  }
  // b / p truncated toward zero, checked (INT32_MIN / -1 does not fit).
  static std::int32_t Quotient(std::int32_t b, std::int32_t p) {
    std::int64_t q = static_cast<std::int64_t>(b) / p;
    if (q > INT32_MAX) {
      throw Out_of_Range(TInt64::FromInt(b), TInt64::FromInt(p), kOverflowDivide);
    }
    return static_cast<std::int32_t>(q);
  }
  // row target -= q x row source over columns k..C-1.
  void SubtractRowMultiple(std::uint32_t target, std::uint32_t source, std::int32_t q,
                           std::uint32_t k);
  // column target -= q x column source over rows k..R-1.
  void SubtractColumnMultiple(std::uint32_t target, std::uint32_t source, std::int32_t q,
                              std::uint32_t k);

  bool FindPivot(std::uint32_t k, TPosition& pivot);
  bool ReduceStep(std::uint32_t k, TPosition& pivot);

  TIntMatrix& m_;
  std::uint32_t rows_;
  std::uint32_t columns_;
};

void TDiagonalisation::SubtractRowMultiple(std::uint32_t target, std::uint32_t source,
                                           std::int32_t q, std::uint32_t k) {
  if (q == 0) return;
  for (std::uint32_t j = k; j < columns_; ++j) {
    At(target, j) = CheckedIntDifference(At(target, j), CheckedIntProduct(q, At(source, j)));
  }
}

void TDiagonalisation::SubtractColumnMultiple(std::uint32_t target, std::uint32_t source,
                                              std::int32_t q, std::uint32_t k) {
  if (q == 0) return;
  for (std::uint32_t i = k; i < rows_; ++i) {
    At(i, target) = CheckedIntDifference(At(i, target), CheckedIntProduct(q, At(i, source)));
  }
}

// The non-zero entry of least absolute value in the block from (k, k), in
// row-by-row order; ties go to (k, k) and then to the first one met.
bool TDiagonalisation::FindPivot(std::uint32_t k, TPosition& pivot) {
  bool found = false;
  std::int64_t least = 0;
  for (std::uint32_t i = k; i < rows_; ++i) {
    for (std::uint32_t j = k; j < columns_; ++j) {
      std::int64_t value = At(i, j);
      if (value == 0) continue;
      if (value < 0) value = -value;
      if (!found || value < least) {
        found = true;
        least = value;
        pivot = {i, j};
      }
    }
  }
  return found;
}

// One reduction of the pivot at (r, c). Returns true when it produced a new,
// smaller pivot (at the returned position), false when the pivot's row and
// column are clear and the pivot divides the whole rest of the block.
bool TDiagonalisation::ReduceStep(std::uint32_t k, TPosition& pivot) {
  const std::uint32_t r = pivot.row;
  const std::uint32_t c = pivot.column;
  const std::int32_t p = At(r, c);

  // An entry of the pivot's column, then of its row, that p does not divide:
  // subtracting the quotient's multiple leaves the remainder there.
  for (std::uint32_t i = k; i < rows_; ++i) {
    if (i == r || Divides(p, At(i, c))) continue;
    SubtractRowMultiple(i, r, Quotient(At(i, c), p), k);
    pivot = {i, c};
    return true;
  }
  for (std::uint32_t j = k; j < columns_; ++j) {
    if (j == c || Divides(p, At(r, j))) continue;
    SubtractColumnMultiple(j, c, Quotient(At(r, j), p), k);
    pivot = {r, j};
    return true;
  }

  // Everything in the pivot's row and column is a multiple of p: clear them.
  for (std::uint32_t i = k; i < rows_; ++i) {
    if (i != r) SubtractRowMultiple(i, r, Quotient(At(i, c), p), k);
  }
  for (std::uint32_t j = k; j < columns_; ++j) {
    if (j != c) At(r, j) = 0;
  }

  // p must divide the rest of the block too; an entry b that it does not is
  // brought into the pivot's row (column c' += column c puts p at (r, c')),
  // and the row operation leaves the remainder of b at (r', c').
  for (std::uint32_t i = k; i < rows_; ++i) {
    if (i == r) continue;
    for (std::uint32_t j = k; j < columns_; ++j) {
      if (j == c || Divides(p, At(i, j))) continue;
      for (std::uint32_t row = k; row < rows_; ++row) {
        At(row, j) = CheckedIntSum(At(row, j), At(row, c));
      }
      SubtractRowMultiple(i, r, Quotient(At(i, j), p), k);
      pivot = {i, j};
      return true;
    }
  }
  return false;
}

std::vector<std::int32_t> TDiagonalisation::Run() {
  std::vector<std::int32_t> pivots;
  for (std::uint32_t k = 0; k < rows_ && k < columns_; ++k) {
    TPosition pivot;
    if (!FindPivot(k, pivot)) break;
    while (ReduceStep(k, pivot)) {
    }
    if (pivot.row != k) {
      for (std::uint32_t j = 0; j < columns_; ++j) std::swap(At(k, j), At(pivot.row, j));
    }
    if (pivot.column != k) {
      for (std::uint32_t i = 0; i < rows_; ++i) std::swap(At(i, k), At(i, pivot.column));
    }
    pivots.push_back(At(k, k));
  }

  std::vector<std::int32_t> summands;
  for (std::int32_t p : pivots) {
    std::int32_t order = AbsInt(p);
    if (order > 1) summands.push_back(order);
  }
  summands.insert(summands.end(), columns_ - pivots.size(), 0);
  return summands;
}

}  // namespace

std::vector<std::int32_t> DiagonaliseRelationBlock(TIntMatrix& matrix, std::uint32_t rows,
                                                   std::uint32_t columns) {
  rows = std::min(rows, matrix.Rows());
  columns = std::min(columns, matrix.Columns());
  for (std::uint32_t i = 0; i < rows; ++i) columns = std::min(columns, matrix.RowLength(i));
  return TDiagonalisation(matrix, rows, columns).Run();
}
