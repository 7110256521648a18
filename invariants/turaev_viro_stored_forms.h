// The stored forms of the Turaev-Viro values in binary table files.
//
// A result table keeps, with each entry, cyclotomic numbers, quantum
// monomials and cell tables as fixed little-endian records, so that files
// written by any build read back in any other:
//  - a monomial: order (int32), 4 bytes padding, factor numerator and
//    denominator (int64 each), carried integer (int32), a flag (int32,
//    non-zero when r/2 int64 exponents follow), then the exponents;
//  - a number: a flag (int32, non-zero when a monomial record follows), 4
//    bytes padding, factor numerator and denominator (int64), a flag (int32,
//    non-zero when the coefficients follow), count, order (int32 each), 4
//    bytes padding; then the monomial; then count coefficients as int64
//    numerator and int64 denominator. The value is factor x sum c_k s_k;
//  - a cell table: the count (int32), then per record its colour, boundary
//    length, number and an unused word (int32 each), then the signed edge
//    numbers (int32 each).
// The writers throw std::overflow_error when an exact value does not fit the
// 64-bit fields (nothing is appended then). The readers check every length,
// order and denominator, throw std::runtime_error on a malformed record and
// leave their target unchanged; on success they advance the cursor past it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class TCyclotomicNumber;
class TQuantumMonomial;
class TSpineCellTable;

// A cursor over the bytes of a file being read.
struct TStoredBytes {
  std::string_view bytes;
  std::size_t at = 0;
};

void AppendStoredForm(std::string& out, const TQuantumMonomial& monomial);
void AppendStoredForm(std::string& out, const TCyclotomicNumber& number);
void AppendStoredForm(std::string& out, const TSpineCellTable& table);

void ReadStoredForm(TStoredBytes& in, TQuantumMonomial& monomial);
void ReadStoredForm(TStoredBytes& in, TCyclotomicNumber& number);
void ReadStoredForm(TStoredBytes& in, TSpineCellTable& table);
