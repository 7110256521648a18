#include "foundation/rational.h"

#include <utility>

namespace {

__extension__ typedef __int128 TWideInt;

std::uint64_t Magnitude(std::int64_t x) {
  return x < 0 ? 0 - static_cast<std::uint64_t>(x) : static_cast<std::uint64_t>(x);
}

// gcd of two magnitudes, larger first, with gcd(0, 0) = 1.
std::uint64_t MagnitudeGcd(std::uint64_t a, std::uint64_t b) {
  if (a < b) std::swap(a, b);
  if (a == 0) return 1;
  while (b != 0) {
    std::uint64_t r = a % b;
    a = b;
    b = r;
  }
  return a;
}

// The signed value of a magnitude with a sign, or Out_of_Range when it does
// not fit; `left` and `right` only label the exception.
std::int64_t SignedValue(std::uint64_t magnitude, bool negative, TInt64 left, TInt64 right) {
  if (negative) {
    if (magnitude > static_cast<std::uint64_t>(INT64_MAX) + 1) {
      throw Out_of_Range(left, right, kOverflowSubtractNonPositive);
    }
    return magnitude == 0 ? 0 : static_cast<std::int64_t>(0 - magnitude);
  }
  if (magnitude > static_cast<std::uint64_t>(INT64_MAX)) {
    throw Out_of_Range(left, right, kOverflowSubtractNonPositive);
  }
  return static_cast<std::int64_t>(magnitude);
}

TInt64 Negated(const TInt64& x) {
  TInt64 result;
  x.Negate(result);
  return result;
}

// The two in-place steps that the arithmetic is built from, on a bare pair.
// They cancel the gcd of the factor with the opposite part before they
// multiply, and leave sign and infinity to the caller.
struct TFraction {
  TInt64 numerator;
  TInt64 denominator;

  void MultiplyBy(TInt64 x) {
    std::int64_t v = x.ToLongLong();
    if (v == 1) return;
    if (v == 0) {
      numerator = TInt64();
      denominator = TInt64::FromInt(1);
      return;
    }
    if (v == -1) {
      numerator = Negated(numerator);
      return;
    }
    TInt64 g = GcdInt64(x, denominator);
    if (g.GreaterThanInt(1)) {
      x.Divide(g);
      denominator.Divide(g);
    }
    numerator.Multiply(x);
  }

  void DivideBy(TInt64 x) {
    std::int64_t v = x.ToLongLong();
    if (v == 1) return;
    if (v == -1) {
      numerator = Negated(numerator);
      return;
    }
    TInt64 g = GcdInt64(x, numerator);
    if (g.GreaterThanInt(1)) {
      x.Divide(g);
      numerator.Divide(g);
    }
    denominator.Multiply(x);
  }

  // Positive denominator, and 1/0 for every zero denominator. The parts are
  // already coprime after the steps above.
  void FixSign() {
    if (denominator.ToLongLong() == 0) {
      numerator = TInt64::FromInt(1);
    } else if (denominator.ToLongLong() < 0) {
      numerator = Negated(numerator);
      denominator = Negated(denominator);
    }
  }
};

}  // namespace

void TRational::Set(TInt64 numerator, TInt64 denominator) {
  std::int64_t n = numerator.ToLongLong();
  std::int64_t d = denominator.ToLongLong();
  if (d == 0) {
    numerator_ = TInt64::FromInt(1);
    denominator_ = TInt64();
    return;
  }
  std::uint64_t mn = Magnitude(n);
  std::uint64_t md = Magnitude(d);
  std::uint64_t g = MagnitudeGcd(md, mn);
  mn /= g;
  md /= g;
  bool negative = (n < 0) != (d < 0);
  std::int64_t new_numerator = SignedValue(mn, negative && mn != 0, numerator, denominator);
  std::int64_t new_denominator = SignedValue(md, false, numerator, denominator);
  numerator_ = TInt64::FromLongLong(new_numerator);
  denominator_ = TInt64::FromLongLong(new_denominator);
}

void TRational::SetInt64(TInt64 value) {
  numerator_ = value;
  denominator_ = TInt64::FromInt(1);
}

void TRational::Normalise() {
  Set(numerator_, denominator_);
}

void TRational::MakeAbsolute() {
  TInt64 n = TInt64AbsValue(numerator_);
  denominator_ = TInt64AbsValue(denominator_);
  numerator_ = n;
}

void TRational::Add(const TRational& other) {
  if (other.numerator_.EqualsInt(0)) return;
  if (numerator_.EqualsInt(0)) {
    *this = other;
    return;
  }
  TInt64 n = TInt64Product(numerator_, other.denominator_);
  n.Add(TInt64Product(other.numerator_, denominator_));
  TFraction f{n, TInt64::FromInt(1)};
  f.DivideBy(denominator_);
  f.DivideBy(other.denominator_);
  f.FixSign();
  numerator_ = f.numerator;
  denominator_ = f.denominator;
}

void TRational::Subtract(const TRational& other) {
  TRational negated;
  negated.numerator_ = Negated(other.numerator_);
  negated.denominator_ = other.denominator_;
  Add(negated);
}

void TRational::Multiply(const TRational& other) {
  if (numerator_.EqualsInt(0)) return;
  if (other.numerator_.EqualsInt(0)) {
    *this = TRational();
    return;
  }
  TFraction f{numerator_, denominator_};
  f.MultiplyBy(other.numerator_);
  f.DivideBy(other.denominator_);
  f.FixSign();
  numerator_ = f.numerator;
  denominator_ = f.denominator;
}

void TRational::Divide(const TRational& other) {
  Multiply(TRational(other.denominator_, other.numerator_));
}

void TRational::MultiplyInt64(const TInt64& x) {
  TFraction f{numerator_, denominator_};
  f.MultiplyBy(x);
  f.FixSign();
  numerator_ = f.numerator;
  denominator_ = f.denominator;
}

void TRational::DivideInt64(const TInt64& x) {
  TFraction f{numerator_, denominator_};
  f.DivideBy(x);
  f.FixSign();
  numerator_ = f.numerator;
  denominator_ = f.denominator;
}

bool TRational::Equals(const TRational& other) const {
  return numerator_ == other.numerator_ && denominator_ == other.denominator_;
}

bool TRational::EqualsInt64(const TInt64& x) const {
  return denominator_.EqualsInt(1) && numerator_ == x;
}

bool TRational::GreaterThanInt64(const TInt64& x) const {
  if (IsInfinite()) return true;
  return TWideInt(numerator_.ToLongLong()) >
         TWideInt(x.ToLongLong()) * TWideInt(denominator_.ToLongLong());
}

bool TRational::LessThanInt64(const TInt64& x) const {
  if (IsInfinite()) return false;
  return TWideInt(numerator_.ToLongLong()) <
         TWideInt(x.ToLongLong()) * TWideInt(denominator_.ToLongLong());
}

bool TRational::GreaterOrEqual(const TRational& other) const {
  if (Equals(other) || IsInfinite()) return true;
  if (other.IsInfinite()) return false;
  return TWideInt(numerator_.ToLongLong()) * TWideInt(other.denominator_.ToLongLong()) >
         TWideInt(other.numerator_.ToLongLong()) * TWideInt(denominator_.ToLongLong());
}

bool TRational::LessOrEqual(const TRational& other) const {
  if (Equals(other) || other.IsInfinite()) return true;
  if (IsInfinite()) return false;
  return TWideInt(numerator_.ToLongLong()) * TWideInt(other.denominator_.ToLongLong()) <
         TWideInt(other.numerator_.ToLongLong()) * TWideInt(denominator_.ToLongLong());
}

TRational TRationalSum(TRational a, const TRational& b) {
  a.Add(b);
  return a;
}

TRational TRationalDifference(TRational a, const TRational& b) {
  a.Subtract(b);
  return a;
}

TRational TRationalProduct(TRational a, const TRational& b) {
  a.Multiply(b);
  return a;
}

TRational TRationalQuotient(TRational a, const TRational& b) {
  a.Divide(b);
  return a;
}

TRational TRationalTimesInt64(TRational a, const TInt64& x) {
  a.MultiplyInt64(x);
  return a;
}

std::vector<TRational> NewRationalArray(std::size_t n) {
  return std::vector<TRational>(n);
}

TInt64 GcdInt64(const TInt64& a, const TInt64& b) {
  std::uint64_t g = MagnitudeGcd(Magnitude(a.ToLongLong()), Magnitude(b.ToLongLong()));
  if (g > static_cast<std::uint64_t>(INT64_MAX)) {
    throw Out_of_Range(a, b, kOverflowSubtractNonPositive);
  }
  return TInt64::FromLongLong(static_cast<std::int64_t>(g));
}

std::int32_t ExtendedGcd(std::int32_t a, std::int32_t b, std::int32_t* p, std::int32_t* q) {
  const std::int64_t abs_a = a < 0 ? -std::int64_t{a} : a;
  const std::int64_t abs_b = b < 0 ? -std::int64_t{b} : b;
  const bool swapped = abs_a < abs_b;
  const std::int64_t big = swapped ? abs_b : abs_a;
  const std::int64_t small = swapped ? abs_a : abs_b;
  const std::int64_t sign_a = a > 0 ? 1 : -1;
  const std::int64_t sign_b = b > 0 ? 1 : -1;

  std::int64_t gcd;
  std::int64_t coefficient_a;
  std::int64_t coefficient_b;
  if (big == 0) {
    gcd = 1;
    coefficient_a = coefficient_b = 0;
  } else if (small == 0 || big == small || big % small == 0) {
    // One operand divides the other: the gcd is the smaller absolute value
    // (the non-zero one when the other is 0), reached by that operand alone.
    // For equal absolute values a is the one chosen.
    const bool use_a = small == 0 ? abs_a != 0 : (big == small || abs_a < abs_b);
    gcd = small == 0 ? big : small;
    coefficient_a = use_a ? sign_a : 0;
    coefficient_b = use_a ? 0 : sign_b;
  } else {
    // Classical extended Euclid on (big, small): the invariants
    // r = s * big + t * small hold for both rows.
    std::int64_t old_r = big, r = small;
    std::int64_t old_s = 1, s = 0;
    std::int64_t old_t = 0, t = 1;
    while (r != 0) {
      const std::int64_t quotient = old_r / r;
      old_r = std::exchange(r, old_r - quotient * r);
      old_s = std::exchange(s, old_s - quotient * s);
      old_t = std::exchange(t, old_t - quotient * t);
    }
    gcd = old_r;
    const std::int64_t coefficient_big = old_s;
    const std::int64_t coefficient_small = old_t;
    coefficient_a = (swapped ? coefficient_small : coefficient_big) * (a < 0 ? -1 : 1);
    coefficient_b = (swapped ? coefficient_big : coefficient_small) * (b < 0 ? -1 : 1);
  }
  if (gcd > INT32_MAX) {
    throw Out_of_Range(TInt64::FromInt(a), TInt64::FromInt(b), kOverflowSubtractNonPositive);
  }
  // The coefficients of the remainder algorithm are bounded by the operands
  // divided by twice the gcd, so they fit in 32 bits.
  if (p != nullptr) *p = static_cast<std::int32_t>(coefficient_a);
  if (q != nullptr) *q = static_cast<std::int32_t>(coefficient_b);
  return static_cast<std::int32_t>(gcd);
}

std::int64_t SubtractiveEuclidSteps(std::int64_t a, std::int64_t b) {
  std::uint64_t x = Magnitude(a);
  std::uint64_t y = Magnitude(b);
  if (x < y) std::swap(x, y);
  std::uint64_t steps = 0;
  // Each remainder step x = k y + r stands for k subtractions.
  while (y != 0) {
    steps += x / y;
    std::uint64_t r = x % y;
    x = y;
    y = r;
  }
  if (steps > static_cast<std::uint64_t>(INT64_MAX)) {
    throw Out_of_Range(TInt64::FromLongLong(a), TInt64::FromLongLong(b), kOverflowAddNonNegative);
  }
  return static_cast<std::int64_t>(steps);
}
