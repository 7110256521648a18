#include "foundation/int_matrix.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <utility>

#include "foundation/checked_int64.h"
#include "foundation/text_scanners.h"

namespace {

__extension__ typedef __int128 TWideInt;

// The value as a 32-bit int, or Out_of_Range (code 88) when it does not fit.
std::int32_t Narrow(TWideInt value) {
  if (value > INT32_MAX || value < INT32_MIN) {
    const std::int64_t shown = value > INT64_MAX   ? INT64_MAX
                               : value < INT64_MIN ? INT64_MIN
                                                   : static_cast<std::int64_t>(value);
    throw Out_of_Range(TInt64::FromLongLong(shown), TInt64::FromInt(INT32_MAX), kOverflowMultiply);
  }
  return static_cast<std::int32_t>(value);
}

// The same check at 64 bits, for the intermediate minors of elimination.
std::int64_t NarrowTo64(TWideInt value) {
  if (value > INT64_MAX || value < INT64_MIN) {
    throw Out_of_Range(TInt64::FromLongLong(value > 0 ? INT64_MAX : INT64_MIN),
                       TInt64::FromLongLong(INT64_MAX), kOverflowMultiply);
  }
  return static_cast<std::int64_t>(value);
}

TWideInt Det2Wide(TWideInt a, TWideInt b, TWideInt c, TWideInt d) {
  return a * d - b * c;
}

// a(ei - fh) - d(bi - ch) + g(bf - ce), expanded along the first column.
// Every 2x2 minor of 32-bit entries fits in 64 bits, and each term in 96.
TWideInt Det3Wide(const std::int32_t* m) {
  return TWideInt(m[0]) * Det2Wide(m[4], m[5], m[7], m[8]) -
         TWideInt(m[3]) * Det2Wide(m[1], m[2], m[7], m[8]) +
         TWideInt(m[6]) * Det2Wide(m[1], m[2], m[4], m[5]);
}

// Fraction-free elimination: after step k every entry below and right of
// the pivot is a (k+1)x(k+1) minor of the original matrix, so the division
// by the previous pivot is exact and the last pivot is the determinant.
std::int32_t BareissDeterminant(std::vector<std::vector<std::int64_t>> a) {
  const std::size_t n = a.size();
  std::int64_t previous_pivot = 1;
  bool negate = false;
  for (std::size_t k = 0; k + 1 < n; ++k) {
    if (a[k][k] == 0) {
      std::size_t swap_row = k + 1;
      while (swap_row < n && a[swap_row][k] == 0) ++swap_row;
      if (swap_row == n) return 0;
      std::swap(a[k], a[swap_row]);
      negate = !negate;
    }
    for (std::size_t i = k + 1; i < n; ++i) {
      for (std::size_t j = k + 1; j < n; ++j) {
        const TWideInt numerator =
            TWideInt(a[i][j]) * a[k][k] - TWideInt(a[i][k]) * a[k][j];
        a[i][j] = NarrowTo64(numerator / previous_pivot);
      }
    }
    previous_pivot = a[k][k];
  }
  const TWideInt det = a[n - 1][n - 1];
  return Narrow(negate ? -det : det);
}

}  // namespace

void TIntMatrix::Free() {
  rows_.clear();
  rows_.shrink_to_fit();
  columns_ = 0;
}

bool TIntMatrix::Resize(std::uint32_t rows, std::uint32_t columns) {
  Free();
  try {
    std::vector<std::vector<std::int32_t>> fresh(rows, std::vector<std::int32_t>(columns, 0));
    rows_ = std::move(fresh);
    columns_ = columns;
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
  return true;
}

void TIntMatrix::AppendRow(const std::int32_t* source, std::uint32_t length) {
  InsertRow(Rows(), source, length);
}

bool TIntMatrix::InsertRow(std::uint32_t index, const std::int32_t* source,
                           std::uint32_t length) {
  if (index > Rows()) return false;
  std::vector<std::int32_t> row(length, 0);
  if (source != nullptr) std::copy(source, source + length, row.begin());
  const bool was_empty = rows_.empty();
  rows_.insert(rows_.begin() + index, std::move(row));
  if (was_empty) columns_ = length;
  return true;
}

std::uint32_t TIntMatrix::Assign(const TIntMatrix& source) {
  if (source.rows_.empty()) return 0;
  if (source.columns_ == 0) return source.Rows();
  if (this != &source) {
    rows_ = source.rows_;
    columns_ = source.columns_;
  }
  return Rows();
}

bool TIntMatrix::FillFrom(std::span<const std::int32_t> values) {
  if (values.size() < static_cast<std::size_t>(Rows()) * columns_) return false;
  for (std::uint32_t j = 0; j < Rows(); ++j) {
    if (rows_[j].size() < columns_) return false;
  }
  std::size_t next = 0;
  for (auto& row : rows_) {
    std::copy_n(values.begin() + next, columns_, row.begin());
    next += columns_;
  }
  return true;
}

void TIntMatrix::Fill(std::int32_t value) {
  for (auto& row : rows_) std::fill(row.begin(), row.end(), value);
}

void TIntMatrix::Scale(std::int32_t factor) {
  std::vector<std::vector<std::int32_t>> scaled = rows_;
  for (auto& row : scaled) {
    for (auto& entry : row) entry = Narrow(TWideInt(entry) * factor);
  }
  rows_ = std::move(scaled);
}

bool TIntMatrix::Equals(const TIntMatrix& a, const TIntMatrix& b) {
  return a.columns_ == b.columns_ && a.rows_ == b.rows_;
}

void TIntMatrix::SetQuad(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) {
  rows_ = {{a, b}, {c, d}};
  columns_ = 2;
}

bool TIntMatrix::EqualsQuad(const TIntQuad& q) const {
  return Rows() == 2 && columns_ == 2 && rows_[0] == std::vector<std::int32_t>{q.a, q.b} &&
         rows_[1] == std::vector<std::int32_t>{q.c, q.d};
}

bool TIntMatrix::HasBlock(std::uint32_t n) const {
  if (Rows() < n) return false;
  for (std::uint32_t i = 0; i < n; ++i) {
    if (rows_[i].size() < n) return false;
  }
  return true;
}

std::int32_t TIntMatrix::Det2() const {
  if (!HasBlock(2)) return 0;
  return Narrow(Det2Wide(rows_[0][0], rows_[0][1], rows_[1][0], rows_[1][1]));
}

std::int32_t TIntMatrix::Det3() const {
  if (!HasBlock(3)) return 0;
  const std::int32_t m[9] = {rows_[0][0], rows_[0][1], rows_[0][2], rows_[1][0], rows_[1][1],
                             rows_[1][2], rows_[2][0], rows_[2][1], rows_[2][2]};
  return Narrow(Det3Wide(m));
}

std::int32_t TIntMatrix::Det4() const {
  if (!HasBlock(4)) return 0;
  // Expansion along row 0; each 3x3 minor is brought back to 32 bits first,
  // so the sum of four 64-bit terms cannot leave the 128-bit range.
  TWideInt sum = 0;
  for (std::uint32_t k = 0; k < 4; ++k) {
    std::int32_t minor[9];
    std::size_t next = 0;
    for (std::uint32_t i = 1; i < 4; ++i) {
      for (std::uint32_t j = 0; j < 4; ++j) {
        if (j != k) minor[next++] = rows_[i][j];
      }
    }
    const TWideInt term = TWideInt(rows_[0][k]) * Narrow(Det3Wide(minor));
    sum += k % 2 == 0 ? term : -term;
  }
  return Narrow(sum);
}

std::int32_t TIntMatrix::Det() const {
  const std::uint32_t n = columns_;
  if (n == 0 || !HasBlock(n)) return 0;
  switch (n) {
    case 1: return rows_[0][0];
    case 2: return Det2();
    case 3: return Det3();
    case 4: return Det4();
    default: break;
  }
  std::vector<std::vector<std::int64_t>> work(n);
  for (std::uint32_t i = 0; i < n; ++i) work[i].assign(rows_[i].begin(), rows_[i].begin() + n);
  return BareissDeterminant(std::move(work));
}

bool TIntMatrix::InvertUnimodular2(TIntMatrix& result, const TIntMatrix& b) {
  if (b.Rows() != 2 || b.columns_ != 2 || !b.HasBlock(2)) return false;
  TIntQuad q{b.rows_[0][0], b.rows_[0][1], b.rows_[1][0], b.rows_[1][1]};
  QuadInvertUnimodular(q, q);
  result.SetQuad(q.a, q.b, q.c, q.d);
  return true;
}

bool IntArrayProduct(TIntMatrix& result, const TIntMatrix& a, const TIntMatrix& b) {
  const std::uint32_t inner = a.Columns();
  if (inner != b.Rows()) return false;
  for (std::uint32_t i = 0; i < a.Rows(); ++i) {
    if (a.RowLength(i) < inner) return false;
  }
  for (std::uint32_t k = 0; k < b.Rows(); ++k) {
    if (b.RowLength(k) < b.Columns()) return false;
  }
  TIntMatrix product(a.Rows(), b.Columns());
  if (a.Rows() != 0 && b.Columns() != 0 && !product.IsAllocated()) throw std::bad_alloc();
  for (std::uint32_t i = 0; i < a.Rows(); ++i) {
    for (std::uint32_t j = 0; j < b.Columns(); ++j) {
      // Each product fits in 63 bits, so a 128-bit sum of up to 2^32 of them
      // cannot overflow before it is narrowed.
      TWideInt sum = 0;
      for (std::uint32_t k = 0; k < inner; ++k) sum += TWideInt(a.Row(i)[k]) * b.Row(k)[j];
      product.Row(i)[j] = Narrow(sum);
    }
  }
  result = std::move(product);
  return true;
}

std::int32_t Det3OfArray(std::span<const std::int32_t, 9> values) {
  return Narrow(Det3Wide(values.data()));
}

TIntQuad& QuadSet(TIntQuad& q, std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) {
  q = TIntQuad{a, b, c, d};
  return q;
}

std::int32_t QuadDet(const TIntQuad& q) {
  return Narrow(Det2Wide(q.a, q.b, q.c, q.d));
}

void QuadProduct(TIntQuad& destination, const TIntQuad& x, const TIntQuad& y) {
  const TIntQuad product{Narrow(TWideInt(x.a) * y.a + TWideInt(x.b) * y.c),
                         Narrow(TWideInt(x.a) * y.b + TWideInt(x.b) * y.d),
                         Narrow(TWideInt(x.c) * y.a + TWideInt(x.d) * y.c),
                         Narrow(TWideInt(x.c) * y.b + TWideInt(x.d) * y.d)};
  destination = product;
}

bool QuadInvertUnimodular(TIntQuad& destination, const TIntQuad& source) {
  const TWideInt det = QuadDet(source);
  const TIntQuad inverse{Narrow(det * source.d), Narrow(-(det * source.b)),
                         Narrow(-(det * source.c)), Narrow(det * source.a)};
  destination = inverse;
  return true;
}

int ParseMatrix2x2(TIntMatrix& matrix, const char*& end, const char* text) {
  int values[4];
  if (!ParseQuadruple(values, end, text)) return 0;
  matrix.SetQuad(values[0], values[1], values[2], values[3]);
  return 1;
}
