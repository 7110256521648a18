#include "invariants/laurent_polynomial.h"

#include <algorithm>

#include "foundation/checked_int64.h"
#include "foundation/output.h"
#include "shell/value_printers.h"

std::int64_t CheckedCoefficientSum(std::int64_t a, std::int64_t b) {
  TInt64 x = TInt64::FromLongLong(a);
  x.Add(TInt64::FromLongLong(b));
  return x.ToLongLong();
}

std::int64_t CheckedCoefficientProduct(std::int64_t a, std::int64_t b) {
  TInt64 x = TInt64::FromLongLong(a);
  x.Multiply(TInt64::FromLongLong(b));
  return x.ToLongLong();
}

void TLaurentPolynomial::Clear() {
  lowest_ = 0;
  highest_ = -1;
  coefficients_.clear();
}

void TLaurentPolynomial::SetRange(int lowest, int highest) {
  if (highest < lowest) {
    Clear();
    return;
  }
  lowest_ = lowest;
  highest_ = highest;
  coefficients_.assign(static_cast<std::size_t>(highest - lowest) + 1, 0);
}

void TLaurentPolynomial::ExtendRange(int e) {
  if (highest_ < lowest_) {
    SetRange(e, e);
  } else if (e < lowest_) {
    coefficients_.insert(coefficients_.begin(), static_cast<std::size_t>(lowest_ - e), 0);
    lowest_ = e;
  } else if (e > highest_) {
    coefficients_.resize(static_cast<std::size_t>(e - lowest_) + 1, 0);
    highest_ = e;
  }
}

std::int64_t TLaurentPolynomial::Coefficient(int e) const {
  if (highest_ < lowest_ || e < lowest_ || e > highest_) return 0;
  return coefficients_[static_cast<std::size_t>(e - lowest_)];
}

void TLaurentPolynomial::SetConstant(std::int64_t a) {
  SetRange(0, 0);
  coefficients_[0] = a;
}

void TLaurentPolynomial::AddTerm(const TLaurentTerm& u) {
  if (u.coefficient == 0) return;
  const std::int64_t sum = CheckedCoefficientSum(Coefficient(u.exponent), u.coefficient);
  ExtendRange(u.exponent);
  coefficients_[static_cast<std::size_t>(u.exponent - lowest_)] = sum;
}

void TLaurentPolynomial::SubtractTerm(const TLaurentTerm& u) {
  if (u.coefficient == 0) return;
  TInt64 negated;
  TInt64::FromLongLong(u.coefficient).Negate(negated);
  AddTerm({negated.ToLongLong(), u.exponent});
}

void TLaurentPolynomial::Add(const TLaurentPolynomial& p) {
  if (p.highest_ < p.lowest_) return;
  TLaurentPolynomial sum = *this;  // an overflow leaves this unchanged
  sum.ExtendRange(p.lowest_);
  sum.ExtendRange(p.highest_);
  for (int e = p.lowest_; e <= p.highest_; ++e) {
    std::int64_t& c = sum.coefficients_[static_cast<std::size_t>(e - sum.lowest_)];
    c = CheckedCoefficientSum(c, p.Coefficient(e));
  }
  *this = std::move(sum);
}

void TLaurentPolynomial::Subtract(const TLaurentPolynomial& p) {
  TLaurentPolynomial negated = p;
  negated.MultiplyByInt(-1);
  Add(negated);
}

void TLaurentPolynomial::MultiplyByInt(std::int64_t a) {
  std::vector<std::int64_t> product = coefficients_;
  for (std::int64_t& c : product) c = CheckedCoefficientProduct(c, a);
  coefficients_ = std::move(product);
}

TLaurentPolynomial& TLaurentPolynomial::MultiplyByTerm(const TLaurentTerm& u) {
  if (highest_ < lowest_) return *this;
  MultiplyByInt(u.coefficient);
  lowest_ += u.exponent;
  highest_ += u.exponent;
  return *this;
}

void TLaurentPolynomial::Multiply(const TLaurentPolynomial& p) {
  if (highest_ < lowest_ || p.highest_ < p.lowest_) {
    // A product with the empty polynomial is zero; keep the letter.
    SetConstant(0);
    return;
  }
  TLaurentPolynomial product;
  product.letter_ = letter_;
  product.SetRange(lowest_ + p.lowest_, highest_ + p.highest_);
  for (std::size_t i = 0; i < coefficients_.size(); ++i) {
    if (coefficients_[i] == 0) continue;
    for (std::size_t j = 0; j < p.coefficients_.size(); ++j) {
      if (p.coefficients_[j] == 0) continue;
      std::int64_t& c = product.coefficients_[i + j];
      c = CheckedCoefficientSum(c, CheckedCoefficientProduct(coefficients_[i], p.coefficients_[j]));
    }
  }
  *this = std::move(product);
}

std::int64_t TLaurentPolynomial::CoefficientWeight() const {
  std::int64_t weight = 0;
  for (std::int64_t c : coefficients_) {
    weight = CheckedCoefficientSum(weight, TInt64AbsValue(TInt64::FromLongLong(c)).ToLongLong());
  }
  return weight;
}

bool TLaurentPolynomial::IsZero() const {
  for (std::int64_t c : coefficients_) {
    if (c != 0) return false;
  }
  return true;
}

bool TLaurentPolynomial::Equals(const TLaurentPolynomial& p) const {
  if (IsZero() || p.IsZero()) return IsZero() && p.IsZero();
  const int low = std::min(lowest_, p.lowest_);
  const int high = std::max(highest_, p.highest_);
  for (int e = low; e <= high; ++e) {
    if (Coefficient(e) != p.Coefficient(e)) return false;
  }
  return true;
}

void TLaurentPolynomial::Print(TOutput& output) const {
  PrintLaurentPolynomial(output, lowest_, highest_, coefficients_, letter_);
}

int LaurentPower(TLaurentPolynomial& result, const TLaurentPolynomial& base, int n) {
  if (n < 0 || base.Highest() < base.Lowest()) return 0;
  TLaurentPolynomial power;
  power.SetVariable(base.VariableLetter());
  power.SetConstant(1);
  for (int i = 0; i < n; ++i) power.Multiply(base);
  result = std::move(power);
  return 1;
}
