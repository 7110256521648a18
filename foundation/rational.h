// Exact rational numbers over checked 64-bit integers, and the integer gcd
// routines used with slopes and gluing matrices.
//
// A `TRational` is always in normal form: numerator and denominator coprime,
// denominator positive, zero written 0/1. One extra value, 1/0, stands for
// infinity (the slope of a curve parallel to the meridian); every value with
// a zero denominator is stored as 1/0 whatever the sign of its numerator, and
// infinity compares greater than every finite value.
//
// Arithmetic cancels common factors before it multiplies (a/b + c/d forms
// ad + cb and then divides by b and d with cancellation), so intermediate
// values stay as small as the result allows. Every checked step may throw
// `Out_of_Range`; an operation that throws leaves its value as it was.
// Comparisons are exact and never throw: they compare cross products in
// 128-bit integers.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/checked_int64.h"

class TRational {
 public:
  TRational() = default;  // 0/1
  TRational(TInt64 numerator, TInt64 denominator) { Set(numerator, denominator); }

  static TRational Construct(TInt64 numerator, TInt64 denominator) {
    return TRational(numerator, denominator);
  }
  // Stores both parts and brings them to normal form. Throws Out_of_Range
  // only when the normal form is not representable (a part equal to INT64_MIN
  // that does not cancel).
  void Set(TInt64 numerator, TInt64 denominator);
  void SetInt64(TInt64 value);
  void Copy(const TRational& other) { *this = other; }

  TInt64 Numerator() const { return numerator_; }
  TInt64 Denominator() const { return denominator_; }
  bool IsInfinite() const { return denominator_.ToLongLong() == 0; }

  void Normalise();
  void MakeAbsolute();

  // this = this op other. Division by zero gives infinity; infinity plus a
  // finite value is infinity; zero times anything is 0/1.
  void Add(const TRational& other);
  void Subtract(const TRational& other);
  void Multiply(const TRational& other);
  void Divide(const TRational& other);
  void MultiplyInt64(const TInt64& x);
  void DivideInt64(const TInt64& x);

  bool Equals(const TRational& other) const;
  bool NotEqual(const TRational& other) const { return !Equals(other); }
  bool EqualsInt64(const TInt64& x) const;
  bool NotEqualInt64(const TInt64& x) const { return !EqualsInt64(x); }
  // The exact comparison of the value with the integer x; infinity is
  // greater than every integer.
  bool GreaterThanInt64(const TInt64& x) const;
  bool LessThanInt64(const TInt64& x) const;
  bool GreaterOrEqual(const TRational& other) const;
  bool LessOrEqual(const TRational& other) const;
  bool Greater(const TRational& other) const { return !LessOrEqual(other); }
  bool Less(const TRational& other) const { return !GreaterOrEqual(other); }

  friend bool operator==(const TRational& a, const TRational& b) { return a.Equals(b); }

 private:
  TInt64 numerator_;
  TInt64 denominator_ = TInt64::FromInt(1);
};

TRational TRationalSum(TRational a, const TRational& b);
TRational TRationalDifference(TRational a, const TRational& b);
TRational TRationalProduct(TRational a, const TRational& b);
TRational TRationalQuotient(TRational a, const TRational& b);
TRational TRationalTimesInt64(TRational a, const TInt64& x);

// n values 0/1.
std::vector<TRational> NewRationalArray(std::size_t n);

// gcd(|a|, |b|) by Euclid's remainder algorithm; gcd(x, 0) = |x| and
// gcd(0, 0) = 1. Throws Out_of_Range when the gcd is 2^63 (both operands
// INT64_MIN or 0).
TInt64 GcdInt64(const TInt64& a, const TInt64& b);

// gcd(|a|, |b|) (1 for two zeros) and, for each destination given, Bezout
// coefficients with a * p + b * q = gcd: those of the classical extended
// Euclidean algorithm run on the larger and the smaller absolute value, each
// negated when its operand is negative. When one operand divides the other,
// the one of smaller absolute value gets coefficient +-1 and the other 0 (for
// equal absolute values, p = +-1 and q = 0). Two zeros give p = q = 0. Throws
// Out_of_Range when the gcd is 2^31 (operands INT_MIN and 0 or INT_MIN).
std::int32_t ExtendedGcd(std::int32_t a, std::int32_t b, std::int32_t* p = nullptr,
                         std::int32_t* q = nullptr);

// The number of steps of the subtractive Euclid algorithm on |a| and |b|
// (each step subtracts the smaller from the larger; equal values take one
// step that makes the second 0) until one of them is 0; 0 when either is 0.
// Counted as the sum of the quotients of the remainder algorithm, so it costs
// O(log) even for steps in the billions.
std::int64_t SubtractiveEuclidSteps(std::int64_t a, std::int64_t b);
