#include "model/homology_diagonalisation.h"

#include <algorithm>
#include <limits>
#include <type_traits>
#include <utility>

#include "foundation/checked_int64.h"

namespace {

__extension__ typedef __int128 TInt128;

// Thrown inside the reduction when an entry leaves the range of the working
// type; the caller then retries in a wider type.
struct TWorkingRangeExceeded {};

template <typename T>
T CheckedSum(T a, T b) {
  T result;
  if (__builtin_add_overflow(a, b, &result)) throw TWorkingRangeExceeded();
  return result;
}

template <typename T>
T CheckedMultiplySubtract(T a, T q, T b) {  // a - q b
  T product;
  T result;
  if (__builtin_mul_overflow(q, b, &product) || __builtin_sub_overflow(a, product, &result)) {
    throw TWorkingRangeExceeded();
  }
  return result;
}

template <typename T>
T Magnitude(T value) {
  // The least value has no positive counterpart; it never serves as a pivot
  // because the reduction refuses to produce it.
  if (value == std::numeric_limits<T>::min()) throw TWorkingRangeExceeded();
  return value < 0 ? -value : value;
}

struct TPosition {
  std::uint32_t row = 0;
  std::uint32_t column = 0;
};

// The block, copied into the working type, and the steps on it. Rows and
// columns below the current pivot index k are finished and never touched again.
template <typename T>
class TDiagonalisation {
 public:
  TDiagonalisation(const TIntMatrix& matrix, std::uint32_t rows, std::uint32_t columns)
      : rows_(rows), columns_(columns), entries_(std::size_t(rows) * columns) {
    for (std::uint32_t i = 0; i < rows; ++i) {
      const std::int32_t* row = matrix.Row(i);
      for (std::uint32_t j = 0; j < columns; ++j) At(i, j) = row[j];
    }
  }

  // The signed pivots, in the order found; each divides the next.
  std::vector<T> Run();

 private:
  T& At(std::uint32_t i, std::uint32_t j) { return entries_[std::size_t(i) * columns_ + j]; }

  // b is divisible by p when b mod p = 0; p is never 0 here.
  static bool Divides(T p, T b) { return b % p == 0; }
  // b / p truncated toward zero; only the least value over -1 does not fit.
  static T Quotient(T b, T p) {
    if (p == -1 && b == std::numeric_limits<T>::min()) throw TWorkingRangeExceeded();
    return b / p;
  }
  // row target -= q x row source over columns k..C-1.
  void SubtractRowMultiple(std::uint32_t target, std::uint32_t source, T q, std::uint32_t k) {
    if (q == 0) return;
    for (std::uint32_t j = k; j < columns_; ++j) {
      At(target, j) = CheckedMultiplySubtract(At(target, j), q, At(source, j));
    }
  }
  // column target -= q x column source over rows k..R-1.
  void SubtractColumnMultiple(std::uint32_t target, std::uint32_t source, T q, std::uint32_t k) {
    if (q == 0) return;
    for (std::uint32_t i = k; i < rows_; ++i) {
      At(i, target) = CheckedMultiplySubtract(At(i, target), q, At(i, source));
    }
  }

  bool FindPivot(std::uint32_t k, TPosition& pivot);
  bool ReduceStep(std::uint32_t k, TPosition& pivot);

  std::uint32_t rows_;
  std::uint32_t columns_;
  std::vector<T> entries_;
};

// A non-zero entry of least absolute value in the block from (k, k); among
// those, one whose row and column hold the fewest non-zero entries, since
// clearing them then changes the fewest other entries.
template <typename T>
bool TDiagonalisation<T>::FindPivot(std::uint32_t k, TPosition& pivot) {
  std::vector<std::uint32_t> rowCount(rows_, 0);
  std::vector<std::uint32_t> columnCount(columns_, 0);
  for (std::uint32_t i = k; i < rows_; ++i) {
    for (std::uint32_t j = k; j < columns_; ++j) {
      if (At(i, j) != 0) {
        ++rowCount[i];
        ++columnCount[j];
      }
    }
  }
  bool found = false;
  T least = 0;
  std::uint64_t leastFill = 0;
  for (std::uint32_t i = k; i < rows_; ++i) {
    if (rowCount[i] == 0) continue;
    for (std::uint32_t j = k; j < columns_; ++j) {
      if (At(i, j) == 0) continue;
      T value = Magnitude(At(i, j));
      std::uint64_t fill = std::uint64_t(rowCount[i] - 1) * (columnCount[j] - 1);
      if (!found || value < least || (value == least && fill < leastFill)) {
        found = true;
        least = value;
        leastFill = fill;
        pivot = {i, j};
      }
    }
  }
  return found;
}

// One reduction of the pivot at (r, c). Returns true when it produced a new,
// smaller pivot (at the returned position), false when the pivot's row and
// column are clear and the pivot divides the whole rest of the block.
template <typename T>
bool TDiagonalisation<T>::ReduceStep(std::uint32_t k, TPosition& pivot) {
  const std::uint32_t r = pivot.row;
  const std::uint32_t c = pivot.column;
  const T p = At(r, c);

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
        At(row, j) = CheckedSum(At(row, j), At(row, c));
      }
      SubtractRowMultiple(i, r, Quotient(At(i, j), p), k);
      pivot = {i, j};
      return true;
    }
  }
  return false;
}

template <typename T>
std::vector<T> TDiagonalisation<T>::Run() {
  std::vector<T> pivots;
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
  return pivots;
}

// The pivots as 32-bit values; an invariant factor beyond that range is an
// overflow of the homology list, never a wrapped number.
template <typename T>
std::vector<std::int32_t> NarrowPivots(const std::vector<T>& pivots) {
  std::vector<std::int32_t> narrow;
  narrow.reserve(pivots.size());
  for (T p : pivots) {
    if (p < T(-INT32_MAX) || p > T(INT32_MAX)) {
      throw Out_of_Range(TInt64::FromInt(0), TInt64::FromInt(0), kOverflowMultiply);
    }
    narrow.push_back(static_cast<std::int32_t>(p));
  }
  return narrow;
}

std::vector<std::int32_t> DiagonalPivots(const TIntMatrix& matrix, std::uint32_t rows,
                                         std::uint32_t columns) {
  try {
    return NarrowPivots(TDiagonalisation<std::int64_t>(matrix, rows, columns).Run());
  } catch (const TWorkingRangeExceeded&) {
  }
  try {
    return NarrowPivots(TDiagonalisation<TInt128>(matrix, rows, columns).Run());
  } catch (const TWorkingRangeExceeded&) {
    throw Out_of_Range(TInt64::FromInt(0), TInt64::FromInt(0), kOverflowMultiply);
  }
}

}  // namespace

std::vector<std::int32_t> DiagonaliseRelationBlock(TIntMatrix& matrix, std::uint32_t rows,
                                                   std::uint32_t columns) {
  rows = std::min(rows, matrix.Rows());
  columns = std::min(columns, matrix.Columns());
  for (std::uint32_t i = 0; i < rows; ++i) columns = std::min(columns, matrix.RowLength(i));

  const std::vector<std::int32_t> pivots = DiagonalPivots(matrix, rows, columns);

  for (std::uint32_t i = 0; i < rows; ++i) {
    std::int32_t* row = matrix.Row(i);
    for (std::uint32_t j = 0; j < columns; ++j) row[j] = 0;
  }
  for (std::size_t k = 0; k < pivots.size(); ++k) {
    matrix.Row(static_cast<std::uint32_t>(k))[k] = pivots[k];
  }

  std::vector<std::int32_t> summands;
  for (std::int32_t p : pivots) {
    std::int32_t order = p < 0 ? -p : p;
    if (order > 1) summands.push_back(order);
  }
  summands.insert(summands.end(), columns - pivots.size(), 0);
  return summands;
}
