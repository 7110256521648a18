// Integer matrices, and the 2x2 integer matrices of slopes and gluings.
//
// `TIntMatrix` is the general two-dimensional container of 32-bit signed
// integers: relation matrices of homology, gluing matrices of labeled
// molecules, tables of Heegaard diagrams and codes. Rows are separate, so a
// matrix can grow one row at a time, and rows appended or inserted later may
// differ in length from the column count that `Resize` set.
//
// Slopes on tori and the gluings between pieces of a manifold are 2x2
// unimodular matrices; they are multiplied and inverted all the time, either
// as a 2x2 `TIntMatrix` or as a `TIntQuad` (a, b; c, d) held in place. For a
// matrix of determinant D the "unimodular inverse" is D times the adjugate:
// the inverse when D = +-1, and D adj(M) otherwise.
//
// Arithmetic is checked: every product, determinant, scaling and inverse is
// formed in wider integers and throws `Out_of_Range` (code 88) when the
// result does not fit in 32 bits, before anything is written. Determinants
// of order up to 4 are expanded by cofactors; larger ones use fraction-free
// Gaussian elimination (Bareiss), exact and O(n^3) instead of the O(n!) of a
// full cofactor expansion.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

struct TIntQuad {
  std::int32_t a = 0;
  std::int32_t b = 0;
  std::int32_t c = 0;
  std::int32_t d = 0;

  friend bool operator==(const TIntQuad&, const TIntQuad&) = default;
};

class TIntMatrix {
 public:
  TIntMatrix() = default;
  // A rows x columns matrix of zeros (empty when the memory is exhausted).
  TIntMatrix(std::uint32_t rows, std::uint32_t columns) { Resize(rows, columns); }

  // One row of n zeros, used as a vector (empty when n is 0 or the memory is
  // exhausted).
  static TIntMatrix ConstructVector(std::uint32_t n) { return TIntMatrix(1, n); }
  // Makes this a vector of n zeros; false (left empty) as Resize.
  bool ResizeVector(std::uint32_t n) { return Resize(1, n); }
  // Element i of row 0. Throws std::out_of_range when there is no row 0 or
  // it is shorter than i + 1.
  std::int32_t& At(std::uint32_t i) { return rows_.at(0).at(i); }
  std::int32_t At(std::uint32_t i) const { return rows_.at(0).at(i); }

  std::uint32_t Rows() const { return static_cast<std::uint32_t>(rows_.size()); }
  // The length of the rows made by Resize; later rows keep their own length.
  std::uint32_t Columns() const { return columns_; }
  std::uint32_t RowLength(std::uint32_t i) const {
    return static_cast<std::uint32_t>(rows_[i].size());
  }

  void Free();
  // Replaces the matrix by rows x columns zeros. When memory is exhausted the
  // matrix is left empty and the result is false; callers test IsAllocated.
  bool Resize(std::uint32_t rows, std::uint32_t columns);
  bool IsAllocated() const { return !rows_.empty() && columns_ != 0; }

  // The integers of row i. Precondition: i < Rows(); row i holds
  // RowLength(i) integers.
  std::int32_t* Row(std::uint32_t i) { return rows_[i].data(); }
  const std::int32_t* Row(std::uint32_t i) const { return rows_[i].data(); }

  // Appends a row of `length` integers, copied from `source` when given and
  // zero otherwise. On an empty matrix this sizes it to 1 x length;
  // otherwise the column count stays.
  void AppendRow(const std::int32_t* source, std::uint32_t length);
  // Inserts such a row before row `index` (index == Rows() appends). Returns
  // false and changes nothing when index > Rows().
  bool InsertRow(std::uint32_t index, const std::int32_t* source, std::uint32_t length);

  // Makes this an exact copy of source. Returns 0 and changes nothing when
  // the source has no rows; returns the row count and changes nothing when
  // it has rows but 0 columns; otherwise returns the row count.
  std::uint32_t Assign(const TIntMatrix& source);
  // Copies Rows() x Columns() integers row by row; false (nothing written)
  // when `values` is shorter or a row is shorter than Columns().
  bool FillFrom(std::span<const std::int32_t> values);
  void Fill(std::int32_t value);
  // Every entry times factor; throws Out_of_Range (matrix unchanged) when an
  // entry overflows.
  void Scale(std::int32_t factor);
  static bool Equals(const TIntMatrix& a, const TIntMatrix& b);

  // Makes the matrix 2 x 2 (a, b; c, d).
  void SetQuad(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d);
  bool EqualsQuad(const TIntQuad& q) const;
  // Determinants. Det2, Det3 and Det4 read the leading 2x2, 3x3 and 4x4
  // block and return 0 when the matrix is smaller. Det uses the column count
  // n as the order and returns 0 when n = 0 or when the matrix has fewer than
  // n rows or a row shorter than n. All throw Out_of_Range when the
  // determinant, or an intermediate minor, leaves the checked range.
  std::int32_t Det2() const;
  std::int32_t Det3() const;
  std::int32_t Det4() const;
  std::int32_t Det() const;
  // result := det(B) adj(B) for a 2 x 2 B (result may be B). Returns false
  // and changes nothing when B is not 2 x 2.
  static bool InvertUnimodular2(TIntMatrix& result, const TIntMatrix& b);

  friend bool operator==(const TIntMatrix& a, const TIntMatrix& b) { return Equals(a, b); }

 private:
  bool HasBlock(std::uint32_t n) const;

  std::vector<std::vector<std::int32_t>> rows_;
  std::uint32_t columns_ = 0;
};

// result := A x B (result may be A or B). Returns false and changes nothing
// when A's column count differs from B's row count or a row is shorter than
// its matrix's column count. Throws Out_of_Range (result unchanged) when an
// entry leaves the 32-bit range.
bool IntArrayProduct(TIntMatrix& result, const TIntMatrix& a, const TIntMatrix& b);

// The determinant of (a b c; d e f; g h i), given row by row.
std::int32_t Det3OfArray(std::span<const std::int32_t, 9> values);

TIntQuad& QuadSet(TIntQuad& q, std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d);
std::int32_t QuadDet(const TIntQuad& q);
// destination := x y; destination may be x or y.
void QuadProduct(TIntQuad& destination, const TIntQuad& x, const TIntQuad& y);
// destination := det(source) adj(source); destination may be source.
// Returns true.
bool QuadInvertUnimodular(TIntQuad& destination, const TIntQuad& source);

// Reads "(a b c d)" as ParseQuadruple does and makes the matrix 2 x 2 with
// rows (a, b) and (c, d). Returns 1 with end past the ")" on success;
// otherwise 0, and the matrix is left as it was.
int ParseMatrix2x2(TIntMatrix& matrix, const char*& end, const char* text);
