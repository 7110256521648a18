// Checked signed 64-bit integers.
//
// Exact invariants (quantum and cyclotomic values, polynomials, rationals,
// slopes and gluing matrices) are computed on signed 64-bit integers whose
// sums, differences and products must never wrap: a wrapped value would be a
// wrong invariant reported as a right one. Every checked operation therefore
// throws `Out_of_Range` instead of producing a result outside the range, and
// it throws before the left operand changes, so a caught overflow leaves the
// caller's value intact. The computation that catches it reports "OVERFLOW".
//
// A product is accepted only when its absolute value is at most INT64_MAX,
// so INT64_MIN is never produced by a multiplication; a sum or difference may
// produce it. Negation, absolute value and division of INT64_MIN (whose
// magnitude is not representable) and division by zero also throw, so no
// operation here has undefined behaviour on any input.
//
// The same checks are offered for 32-bit ints (`CheckedIntSum` and friends)
// for the integer matrices of the object model.
#pragma once

#include <compare>
#include <cstdint>
#include <exception>

// Which test failed. The first five numbers are those of the checked
// operations of this file; other exact types throw their own codes.
enum : std::int32_t {
  kOverflowAddNonNegative = 54,       // two non-negative addends
  kOverflowAddNonPositive = 59,       // two non-positive addends
  kOverflowSubtractNonNegative = 72,  // non-positive minus non-negative
  kOverflowSubtractNonPositive = 77,  // non-negative minus non-positive (also negation)
  kOverflowMultiply = 88,
  kOverflowDivide = 100,  // division by zero or INT64_MIN / -1
};

// A signed 64-bit value, addressable as its two 32-bit words (low unsigned,
// high signed, two's complement of the whole value).
class TInt64 {
 public:
  constexpr TInt64() = default;  // zero

  static constexpr TInt64 Construct(std::uint32_t low, std::int32_t high) {
    TInt64 v;
    v.SetWords(low, high);
    return v;
  }
  static constexpr TInt64 FromInt(std::int32_t value) { return FromLongLong(value); }
  static constexpr TInt64 FromLongLong(std::int64_t value) {
    TInt64 v;
    v.value_ = value;
    return v;
  }
  static constexpr TInt64 Max() { return FromLongLong(INT64_MAX); }
  static constexpr TInt64 Min() { return FromLongLong(INT64_MIN); }

  constexpr void SetWords(std::uint32_t low, std::int32_t high) {
    value_ = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(static_cast<std::uint32_t>(high)) << 32) | low);
  }
  constexpr void SetZero() { value_ = 0; }
  constexpr void Assign(const TInt64& other) { value_ = other.value_; }
  constexpr void Copy(const TInt64& other) { value_ = other.value_; }

  constexpr std::int64_t ToLongLong() const { return value_; }
  constexpr std::uint32_t Low() const { return static_cast<std::uint32_t>(value_); }
  constexpr std::int32_t High() const {
    return static_cast<std::int32_t>(static_cast<std::uint64_t>(value_) >> 32);
  }

  // result = -value. Throws Out_of_Range (0, value, 77) for INT64_MIN.
  void Negate(TInt64& result) const;

  // In place: this = this op other. Throw Out_of_Range with the codes above;
  // the value is unchanged when they throw.
  void Add(const TInt64& other);
  void Subtract(const TInt64& other);
  void Multiply(const TInt64& other);
  // Truncating division; returns the quotient (and stores it). Throws
  // Out_of_Range (kOverflowDivide) for a zero divisor or INT64_MIN / -1.
  TInt64 Divide(const TInt64& other);

  // this - value (sign-extended), checked; the operand stays unchanged.
  TInt64 SubtractInt(std::int32_t value) const;

  bool Equals(const TInt64& other) const { return value_ == other.value_; }
  bool NotEqual(const TInt64& other) const { return value_ != other.value_; }
  bool LessThan(const TInt64& other) const { return value_ < other.value_; }
  bool GreaterThan(const TInt64& other) const { return value_ > other.value_; }
  bool EqualsInt(std::int32_t x) const { return value_ == x; }
  bool NotEqualInt(std::int32_t x) const { return value_ != x; }
  bool LessThanInt(std::int32_t x) const { return value_ < x; }
  bool GreaterThanInt(std::int32_t x) const { return value_ > x; }

  friend constexpr bool operator==(const TInt64&, const TInt64&) = default;
  friend constexpr auto operator<=>(const TInt64&, const TInt64&) = default;

 private:
  std::int64_t value_ = 0;
};

// The exception of checked arithmetic: the two operands (left is the one
// being changed) and the code of the failed test.
class Out_of_Range : public std::exception {
 public:
  TInt64 left;
  TInt64 right;
  std::int32_t code = 0;

  Out_of_Range() = default;
  Out_of_Range(TInt64 left_operand, TInt64 right_operand, std::int32_t failed_test)
      : left(left_operand), right(right_operand), code(failed_test) {}

  static Out_of_Range Construct(TInt64 left_operand, TInt64 right_operand,
                                std::int32_t failed_test) {
    return Out_of_Range(left_operand, right_operand, failed_test);
  }
  void Copy(const Out_of_Range& other) { *this = other; }

  const char* what() const noexcept override { return "OVERFLOW"; }
};

// By-value forms; the operands stay unchanged.
TInt64 TInt64Sum(TInt64 a, const TInt64& b);
TInt64 TInt64Difference(TInt64 a, const TInt64& b);
TInt64 TInt64Product(TInt64 a, const TInt64& b);
TInt64 TInt64Quotient(TInt64 a, const TInt64& b);
// |a|; throws Out_of_Range for INT64_MIN.
TInt64 TInt64AbsValue(const TInt64& a);
std::int64_t TInt64Abs(std::int64_t a);

// Absolute values of small integers. AbsInt throws Out_of_Range for INT_MIN;
// AbsShort reads the low 16 bits of its argument as a signed 16-bit value.
std::int32_t AbsInt(std::int32_t x);
std::int32_t AbsShort(std::int32_t x);
double AbsDouble(double x);

// Checked 32-bit arithmetic: the exact result, or Out_of_Range with the
// operands sign-extended and the code of the matching 64-bit test.
std::int32_t CheckedIntSum(std::int32_t a, std::int32_t b);
std::int32_t CheckedIntDifference(std::int32_t a, std::int32_t b);
std::int32_t CheckedIntProduct(std::int32_t a, std::int32_t b);
