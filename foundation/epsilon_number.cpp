#include "foundation/epsilon_number.h"

namespace {

std::int64_t Sum(std::int64_t a, std::int64_t b) {
  return TInt64Sum(TInt64::FromLongLong(a), TInt64::FromLongLong(b)).ToLongLong();
}

std::int64_t Product(std::int64_t a, std::int64_t b) {
  return TInt64Product(TInt64::FromLongLong(a), TInt64::FromLongLong(b)).ToLongLong();
}

}  // namespace

std::int64_t Fibonacci64(std::int32_t k) {
  const std::int64_t n = k < 0 ? -std::int64_t{k} : k;
  std::int64_t previous = 0;  // F(i)
  std::int64_t current = 1;   // F(i + 1)
  for (std::int64_t i = 0; i < n; ++i) {
    // Stop at F(n) without forming F(n + 1), which may not fit.
    if (i + 1 == n) {
      previous = current;
      break;
    }
    const std::int64_t next = Sum(previous, current);
    previous = current;
    current = next;
  }
  const bool negate = k < 0 && n % 2 == 0;
  return negate ? -previous : previous;
}

std::int64_t TEpsilonNumber::Part(int index) const {
  return index == 0 ? a_ : index == 1 ? b_ : 0;
}

void TEpsilonNumber::SetPart(int index, std::int64_t value) {
  if (index == 0) a_ = value;
  if (index == 1) b_ = value;
}

void TEpsilonNumber::SetPowerOfEps(std::int32_t k) {
  // F(k) first: it throws for k = INT32_MIN, so k - 1 below cannot overflow.
  const std::int64_t b = Fibonacci64(k);
  const std::int64_t a = Fibonacci64(k - 1);
  Set(a, b);
}

void TEpsilonNumber::Add(const TEpsilonNumber& other) {
  const std::int64_t a = Sum(a_, other.a_);
  const std::int64_t b = Sum(b_, other.b_);
  Set(a, b);
}

void TEpsilonNumber::AddInteger(std::int64_t x) {
  a_ = Sum(a_, x);
}

void TEpsilonNumber::Scale(std::int64_t k) {
  const std::int64_t a = Product(a_, k);
  const std::int64_t b = Product(b_, k);
  Set(a, b);
}

void TEpsilonNumber::Multiply(const TEpsilonNumber& other) {
  const std::int64_t bd = Product(b_, other.b_);
  const std::int64_t a = Sum(Product(a_, other.a_), bd);
  const std::int64_t b = Sum(Sum(Product(a_, other.b_), Product(b_, other.a_)), bd);
  Set(a, b);
}

std::string TEpsilonNumber::ToText() const {
  if (a_ == 0 && b_ == 0) return "0";
  std::string text;
  if (b_ != 0) {
    if (b_ == -1) {
      text += '-';
    } else if (b_ != 1) {
      text += std::to_string(b_);
    }
    text += "eps";
  }
  if (a_ != 0) {
    if (a_ > 0 && b_ != 0) text += '+';
    text += std::to_string(a_);
  }
  return text;
}
