// Numbers a + b eps of the ring Z[eps], where eps is the golden ratio, the
// root of eps^2 = eps + 1.
//
// The epsilon invariant of a special spine sums signed powers of eps over
// its simple subpolyhedra, so its values live in Z[eps]. Powers of eps are
// Fibonacci numbers in disguise: eps^k = F(k-1) + F(k) eps for every integer
// k, with F(-k) = (-1)^(k+1) F(k) extending the sequence to negative indices
// (check: eps^-1 = eps - 1, since eps (eps - 1) = eps + 1 - eps = 1).
// Products follow from eps^2 = eps + 1:
//   (a + b eps)(c + d eps) = (ac + bd) + (ad + bc + bd) eps.
//
// The coefficients are signed 64-bit values and every operation is checked:
// an overflow throws `Out_of_Range` and leaves the number as it was.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/checked_int64.h"

// F(k) with F(0) = 0, F(1) = 1 and F(-k) = (-1)^(k+1) F(k). F(92) is the
// largest Fibonacci number in the signed 64-bit range; |k| > 92 throws
// Out_of_Range.
std::int64_t Fibonacci64(std::int32_t k);

class TEpsilonNumber {
 public:
  TEpsilonNumber() = default;
  TEpsilonNumber(std::int64_t a, std::int64_t b) : a_(a), b_(b) {}

  void SetZero() { a_ = b_ = 0; }
  void Set(std::int64_t a, std::int64_t b) {
    a_ = a;
    b_ = b;
  }
  void Get(std::int64_t& a, std::int64_t& b) const {
    a = a_;
    b = b_;
  }
  // Index 0 is the integer part, 1 the coefficient of eps; other indices
  // read as 0 and are not written.
  std::int64_t Part(int index) const;
  void SetPart(int index, std::int64_t value);

  // eps^k = F(k-1) + F(k) eps; throws Out_of_Range outside -91 <= k <= 92,
  // where a coefficient leaves the 64-bit range.
  void SetPowerOfEps(std::int32_t k);

  bool EqualsInteger(std::int64_t x) const { return b_ == 0 && a_ == x; }
  bool Equals(const TEpsilonNumber& other) const { return a_ == other.a_ && b_ == other.b_; }
  bool EqualsParts(std::int64_t a, std::int64_t b) const { return a_ == a && b_ == b; }

  void Add(const TEpsilonNumber& other);
  void AddInteger(std::int64_t x);
  void Scale(std::int64_t k);
  void Multiply(const TEpsilonNumber& other);

  // The text form: "0" for zero; otherwise the eps term (coefficient left
  // out for 1, "-" for -1) followed by the integer part, with "+" between
  // them when the integer part is positive: 3eps+2, eps-1, -eps, 5, -2eps.
  std::string ToText() const;

  friend bool operator==(const TEpsilonNumber&, const TEpsilonNumber&) = default;

 private:
  std::int64_t a_ = 0;
  std::int64_t b_ = 0;
};
