#include "foundation/checked_int64.h"

#include <cmath>

namespace {

// The overflow of a sum can only happen for addends of one sign, and the sign
// of the left addend then names the failed test.
std::int32_t SumCode(std::int64_t left) {
  return left >= 0 ? kOverflowAddNonNegative : kOverflowAddNonPositive;
}

// A difference overflows only when the operands have opposite signs; the
// sign of the subtrahend names the failed test.
std::int32_t DifferenceCode(std::int64_t right) {
  return right < 0 ? kOverflowSubtractNonPositive : kOverflowSubtractNonNegative;
}

}  // namespace

void TInt64::Negate(TInt64& result) const {
  result = TInt64Difference(TInt64(), *this);
}

void TInt64::Add(const TInt64& other) {
  std::int64_t sum;
  if (__builtin_add_overflow(value_, other.value_, &sum)) {
    throw Out_of_Range(*this, other, SumCode(value_));
  }
  value_ = sum;
}

void TInt64::Subtract(const TInt64& other) {
  std::int64_t difference;
  if (__builtin_sub_overflow(value_, other.value_, &difference)) {
    throw Out_of_Range(*this, other, DifferenceCode(other.value_));
  }
  value_ = difference;
}

void TInt64::Multiply(const TInt64& other) {
  std::int64_t product;
  // INT64_MIN is refused as a product: its absolute value exceeds INT64_MAX.
  if (__builtin_mul_overflow(value_, other.value_, &product) || product == INT64_MIN) {
    throw Out_of_Range(*this, other, kOverflowMultiply);
  }
  value_ = product;
}

TInt64 TInt64::Divide(const TInt64& other) {
  if (other.value_ == 0 || (value_ == INT64_MIN && other.value_ == -1)) {
    throw Out_of_Range(*this, other, kOverflowDivide);
  }
  value_ /= other.value_;
  return *this;
}

TInt64 TInt64::SubtractInt(std::int32_t value) const {
  return TInt64Difference(*this, FromInt(value));
}

TInt64 TInt64Sum(TInt64 a, const TInt64& b) {
  a.Add(b);
  return a;
}

TInt64 TInt64Difference(TInt64 a, const TInt64& b) {
  a.Subtract(b);
  return a;
}

TInt64 TInt64Product(TInt64 a, const TInt64& b) {
  a.Multiply(b);
  return a;
}

TInt64 TInt64Quotient(TInt64 a, const TInt64& b) {
  return a.Divide(b);
}

TInt64 TInt64AbsValue(const TInt64& a) {
  if (a.ToLongLong() >= 0) return a;
  TInt64 result;
  a.Negate(result);
  return result;
}

std::int64_t TInt64Abs(std::int64_t a) {
  return TInt64AbsValue(TInt64::FromLongLong(a)).ToLongLong();
}

std::int32_t AbsInt(std::int32_t x) {
  return x < 0 ? CheckedIntDifference(0, x) : x;
}

std::int32_t AbsShort(std::int32_t x) {
  std::int32_t value = static_cast<std::int16_t>(static_cast<std::uint16_t>(x));
  return value < 0 ? -value : value;
}

double AbsDouble(double x) {
  return std::fabs(x);
}

std::int32_t CheckedIntSum(std::int32_t a, std::int32_t b) {
  std::int32_t sum;
  if (__builtin_add_overflow(a, b, &sum)) {
    throw Out_of_Range(TInt64::FromInt(a), TInt64::FromInt(b), SumCode(a));
  }
  return sum;
}

std::int32_t CheckedIntDifference(std::int32_t a, std::int32_t b) {
  std::int32_t difference;
  if (__builtin_sub_overflow(a, b, &difference)) {
    throw Out_of_Range(TInt64::FromInt(a), TInt64::FromInt(b), DifferenceCode(b));
  }
  return difference;
}

std::int32_t CheckedIntProduct(std::int32_t a, std::int32_t b) {
  std::int32_t product;
  if (__builtin_mul_overflow(a, b, &product)) {
    throw Out_of_Range(TInt64::FromInt(a), TInt64::FromInt(b), kOverflowMultiply);
  }
  return product;
}
