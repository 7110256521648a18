#include "invariants/quantum_monomial.h"

#include <sstream>
#include <stdexcept>

#include "foundation/checked_int64.h"

namespace {

// a + b, or Out_of_Range when the sum leaves the signed 64-bit range.
std::int64_t CheckedSum(std::int64_t a, std::int64_t b) {
  std::int64_t sum = 0;
  if (__builtin_add_overflow(a, b, &sum)) throw Out_of_Range(TInt64::FromLongLong(a), TInt64::FromLongLong(b), kOverflowAddNonNegative);
  return sum;
}

}  // namespace

void TQuantumMonomial::Reset(int r) {
  order_ = r;
  factor_ = 0;
  carried_ = 0;
  exponents_.assign(r < 0 ? 0 : static_cast<std::size_t>(r / 2), 0);
}

void TQuantumMonomial::Clear() {
  order_ = -1;
  factor_ = 0;
  carried_ = 0;
  exponents_.clear();
}

void TQuantumMonomial::SetConstant(std::int64_t v) {
  factor_ = mpq_class(mpz_class(static_cast<long>(v)));
  carried_ = 0;
  for (std::int64_t& e : exponents_) e = 0;
}

void TQuantumMonomial::SetExponent(int i, std::int64_t e) {
  if (i >= 0 && i < ExponentCount()) exponents_[static_cast<std::size_t>(i)] = e;
}

std::int64_t TQuantumMonomial::Exponent(int i) const {
  return i >= 0 && i < ExponentCount() ? exponents_[static_cast<std::size_t>(i)] : 0;
}

void TQuantumMonomial::MakeZero() { SetConstant(0); }

void TQuantumMonomial::Multiply(const TQuantumMonomial& m) {
  if (IsZero()) return;
  if (m.IsZero()) {
    MakeZero();
    return;
  }
  factor_ *= m.factor_;
  carried_ += m.carried_;
  for (int i = 0; i < ExponentCount(); ++i) {
    exponents_[static_cast<std::size_t>(i)] =
        CheckedSum(exponents_[static_cast<std::size_t>(i)], m.Exponent(i));
  }
}

void TQuantumMonomial::Divide(const TQuantumMonomial& m) {
  if (IsZero()) return;
  if (m.IsZero()) throw std::domain_error("division by a zero quantum monomial");
  factor_ /= m.factor_;
  carried_ -= m.carried_;
  for (int i = 0; i < ExponentCount(); ++i) {
    const std::int64_t e = m.Exponent(i);
    if (e == INT64_MIN) throw Out_of_Range(TInt64::FromLongLong(exponents_[static_cast<std::size_t>(i)]), TInt64::FromLongLong(e), kOverflowAddNonNegative);
    exponents_[static_cast<std::size_t>(i)] = CheckedSum(exponents_[static_cast<std::size_t>(i)], -e);
  }
}

void TQuantumMonomial::MultiplyByInt64(std::int64_t a) {
  if (IsZero()) return;
  if (a == 0) {
    MakeZero();
    return;
  }
  factor_ *= mpq_class(mpz_class(static_cast<long>(a)));
}

int TQuantumMonomial::CompareExponents(const TQuantumMonomial& m) const {
  const int n = ExponentCount() > m.ExponentCount() ? ExponentCount() : m.ExponentCount();
  for (int i = 0; i < n; ++i) {
    if (Exponent(i) != m.Exponent(i)) return Exponent(i) < m.Exponent(i) ? 1 : 3;
  }
  return 2;
}

int TQuantumMonomial::Add(const TQuantumMonomial& m) {
  if (m.IsZero()) return 1;
  if (IsZero()) {
    *this = m;
    return 1;
  }
  if (CompareExponents(m) != 2) return 0;
  factor_ += m.factor_;
  if (factor_ == 0) MakeZero();
  return 1;
}

bool TQuantumMonomial::Equals(const TQuantumMonomial& m) const {
  if (order_ != m.order_ || factor_ != m.factor_) return false;
  for (int i = 1; i < ExponentCount(); ++i) {
    if (Exponent(i) != m.Exponent(i)) return false;
  }
  return true;
}

void TQuantumMonomial::Step(unsigned a, std::int64_t delta, bool multiplying) {
  const unsigned r = order_ < 0 ? 0u : static_cast<unsigned>(order_);
  if (a <= r && r - a < a) a = r - a;
  if (a == 0) {
    if (multiplying) MakeZero();
    return;
  }
  if (a == 1 || IsZero()) return;
  const int i = static_cast<int>(a) - 1;
  if (i >= ExponentCount()) return;
  exponents_[static_cast<std::size_t>(i)] = CheckedSum(exponents_[static_cast<std::size_t>(i)], delta);
}

void TQuantumMonomial::FactorialSteps(unsigned n, std::int64_t delta, bool multiplying) {
  if (IsZero() || n < 2) return;
  for (unsigned b = 2; b <= n && !IsZero(); ++b) Step(b, delta, multiplying);
}

std::string TQuantumMonomial::ToText() const {
  std::ostringstream text;
  const bool one = factor_ == 1;
  const bool minusOne = factor_ == -1;
  if (minusOne) {
    text << '-';
  } else if (!one) {
    text << factor_.get_str();
  }
  if (IsZero()) return text.str();
  if (!one && !minusOne) text << '*';
  text << '{';
  for (int i = 1; i < ExponentCount(); ++i) {
    if (i > 1) text << ',';
    text << Exponent(i);
  }
  text << '}';
  return text.str();
}
