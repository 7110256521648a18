#include "invariants/cyclotomic_number.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "invariants/cyclotomic_basis.h"

TCyclotomicNumber::TCyclotomicNumber(const TCyclotomicNumber& x)
    : order_(x.order_),
      numerators_(x.numerators_),
      denominator_(x.denominator_),
      form_(x.form_ ? std::make_unique<TQuantumMonomial>(*x.form_) : nullptr) {}

TCyclotomicNumber& TCyclotomicNumber::operator=(const TCyclotomicNumber& x) {
  if (this == &x) return *this;
  order_ = x.order_;
  numerators_ = x.numerators_;
  denominator_ = x.denominator_;
  form_ = x.form_ ? std::make_unique<TQuantumMonomial>(*x.form_) : nullptr;
  return *this;
}

void TCyclotomicNumber::SetOrder(int r) {
  const int count = TCyclotomicBasis::OfOrder(r).Count();
  form_.reset();
  if (r != order_) {
    order_ = r;
    numerators_.assign(static_cast<std::size_t>(count), 0);
    denominator_ = 1;
  }
}

void TCyclotomicNumber::Clear() {
  order_ = 0;
  numerators_.clear();
  denominator_ = 1;
  form_.reset();
}

void TCyclotomicNumber::SetInt64(std::int64_t a) {
  form_.reset();
  for (mpz_class& n : numerators_) n = 0;
  denominator_ = 1;
  if (!numerators_.empty()) numerators_[0] = static_cast<long>(a);
}

void TCyclotomicNumber::SetCoefficient(int k, const mpq_class& q) {
  if (k < 0 || k >= CoefficientCount()) throw std::out_of_range("cyclotomic slot out of range");
  // Bring every coefficient to the common denominator den * q.den, then set.
  const mpz_class& qd = q.get_den();
  for (mpz_class& n : numerators_) n *= qd;
  numerators_[static_cast<std::size_t>(k)] = q.get_num() * denominator_;
  denominator_ *= qd;
  Normalise();
}

void TCyclotomicNumber::SetCoefficientFraction(int k, std::int64_t numerator,
                                               std::int64_t denominator) {
  if (denominator == 0) throw std::domain_error("zero denominator");
  mpq_class q(mpz_class(static_cast<long>(numerator)), mpz_class(static_cast<long>(denominator)));
  q.canonicalize();
  SetCoefficient(k, q);
}

mpq_class TCyclotomicNumber::Coefficient(int k) const {
  if (k < 0 || k >= CoefficientCount()) return mpq_class(0);
  mpq_class q(numerators_[static_cast<std::size_t>(k)], denominator_);
  q.canonicalize();
  return q;
}

mpz_class TCyclotomicNumber::MaxAbsNumerator() const {
  mpz_class best = 0;
  for (int k = 0; k < CoefficientCount(); ++k) {
    mpz_class n = abs(Coefficient(k).get_num());
    if (n > best) best = n;
  }
  return best;
}

void TCyclotomicNumber::CheckSameOrder(const TCyclotomicNumber& x) const {
  if (x.order_ != order_) throw std::invalid_argument("cyclotomic numbers of different orders");
}

void TCyclotomicNumber::Normalise() {
  if (order_ == 0) return;
  TCyclotomicBasis::OfOrder(order_).Reduce(numerators_);
  if (denominator_ < 0) {
    denominator_ = -denominator_;
    for (mpz_class& n : numerators_) n = -n;
  }
  mpz_class g = denominator_;
  for (const mpz_class& n : numerators_) {
    if (g == 1) break;
    if (n != 0) mpz_gcd(g.get_mpz_t(), g.get_mpz_t(), n.get_mpz_t());
  }
  bool zero = true;
  for (const mpz_class& n : numerators_) zero = zero && n == 0;
  if (zero) {
    denominator_ = 1;
    form_.reset();
    return;
  }
  if (g != 1) {
    for (mpz_class& n : numerators_) mpz_divexact(n.get_mpz_t(), n.get_mpz_t(), g.get_mpz_t());
    mpz_divexact(denominator_.get_mpz_t(), denominator_.get_mpz_t(), g.get_mpz_t());
  }
}

bool TCyclotomicNumber::IsZero() const {
  for (const mpz_class& n : numerators_) {
    if (n != 0) return false;
  }
  return true;
}

bool TCyclotomicNumber::EqualsInt64(std::int64_t a) const {
  if (a == 0) return IsZero();
  if (form_ || numerators_.empty() || denominator_ != 1) return false;
  if (numerators_[0] != static_cast<long>(a)) return false;
  for (std::size_t k = 1; k < numerators_.size(); ++k) {
    if (numerators_[k] != 0) return false;
  }
  return true;
}

bool TCyclotomicNumber::Equals(const TCyclotomicNumber& x) const {
  if (order_ != x.order_ || denominator_ != x.denominator_ || numerators_ != x.numerators_) {
    return false;
  }
  if (!form_ || !x.form_) return !form_ && !x.form_;
  return form_->Equals(*x.form_);
}

void TCyclotomicNumber::Add(const TCyclotomicNumber& x) {
  CheckSameOrder(x);
  if (x.IsZero()) return;
  if (IsZero()) {
    *this = x;
    return;
  }
  const bool sameForm = (!form_ && !x.form_) || (form_ && x.form_ && form_->Equals(*x.form_));
  if (!sameForm) {
    throw std::logic_error("sum of cyclotomic numbers with unlike square-root forms");
  }
  if (denominator_ == x.denominator_) {
    for (std::size_t k = 0; k < numerators_.size(); ++k) numerators_[k] += x.numerators_[k];
  } else {
    for (std::size_t k = 0; k < numerators_.size(); ++k) {
      numerators_[k] = numerators_[k] * x.denominator_ + x.numerators_[k] * denominator_;
    }
    denominator_ *= x.denominator_;
  }
  Normalise();
}

void TCyclotomicNumber::Subtract(const TCyclotomicNumber& x) { Add(x.Negated()); }

TCyclotomicNumber TCyclotomicNumber::Negated() const {
  TCyclotomicNumber y(*this);
  for (mpz_class& n : y.numerators_) n = -n;
  return y;
}

void TCyclotomicNumber::Multiply(const TCyclotomicNumber& x) {
  CheckSameOrder(x);
  if (IsZero()) return;
  if (x.IsZero()) {
    SetInt64(0);
    return;
  }
  if (x.form_) {
    // Whole powers of the combined form are absorbed by the caller's
    // SetMonomialForm; here the exponents simply add.
    if (form_) {
      form_->Multiply(*x.form_);
    } else {
      form_ = std::make_unique<TQuantumMonomial>(*x.form_);
    }
  }
  const TCyclotomicBasis& basis = TCyclotomicBasis::OfOrder(order_);
  const int count = basis.Count();
  std::vector<mpz_class> product(static_cast<std::size_t>(count));
  mpz_class term;
  for (int i = 0; i < count; ++i) {
    const mpz_class& a = numerators_[static_cast<std::size_t>(i)];
    if (a == 0) continue;
    for (int j = 0; j < count; ++j) {
      const mpz_class& b = x.numerators_[static_cast<std::size_t>(j)];
      if (b == 0) continue;
      mpz_mul(term.get_mpz_t(), a.get_mpz_t(), b.get_mpz_t());
      const std::vector<std::int64_t>& p = basis.Product(i, j);
      for (int k = 0; k < count; ++k) {
        const std::int64_t c = p[static_cast<std::size_t>(k)];
        if (c == 0) continue;
        mpz_class& target = product[static_cast<std::size_t>(k)];
        if (c > 0) {
          mpz_addmul_ui(target.get_mpz_t(), term.get_mpz_t(), static_cast<unsigned long>(c));
        } else {
          mpz_submul_ui(target.get_mpz_t(), term.get_mpz_t(), static_cast<unsigned long>(-c));
        }
      }
    }
  }
  numerators_ = std::move(product);
  denominator_ *= x.denominator_;
  Normalise();
}

void TCyclotomicNumber::MultiplyByInt64(std::int64_t a) {
  if (a == 0) {
    SetInt64(0);
    return;
  }
  const mpz_class factor = static_cast<long>(a);
  for (mpz_class& n : numerators_) n *= factor;
  Normalise();
}

void TCyclotomicNumber::MultiplyByRational(const mpq_class& q) {
  if (q == 0) {
    SetInt64(0);
    return;
  }
  for (mpz_class& n : numerators_) n *= q.get_num();
  denominator_ *= q.get_den();
  Normalise();
}

void TCyclotomicNumber::MultiplyByBasisTerm(int k, const mpq_class& c) {
  if (k < 0 || k >= CoefficientCount()) throw std::out_of_range("cyclotomic slot out of range");
  TCyclotomicNumber term(order_);
  term.SetCoefficient(k, c);
  Multiply(term);
}

TCyclotomicNumber TCyclotomicNumber::Inverted() const {
  if (IsZero()) throw std::domain_error("inverse of a cyclotomic zero");
  if (form_) throw std::logic_error("inverse of a cyclotomic number with a form");
  const TCyclotomicBasis& basis = TCyclotomicBasis::OfOrder(order_);
  const std::vector<int>& slots = basis.IndependentSlots();
  const std::size_t d = slots.size();
  // Column i of the matrix holds this number times basis slot slots[i]; the
  // inverse y solves M y = e_0 (the number 1).
  std::vector<std::vector<mpq_class>> m(d, std::vector<mpq_class>(d + 1));
  for (std::size_t i = 0; i < d; ++i) {
    TCyclotomicNumber column(*this);
    TCyclotomicNumber slot(order_);
    slot.SetCoefficientInt64(slots[i], 1);
    column.Multiply(slot);
    for (std::size_t row = 0; row < d; ++row) m[row][i] = column.Coefficient(slots[row]);
  }
  m[0][d] = 1;
  for (std::size_t col = 0; col < d; ++col) {
    std::size_t pivot = col;
    while (pivot < d && m[pivot][col] == 0) ++pivot;
    if (pivot == d) throw std::logic_error("singular multiplication matrix");
    std::swap(m[pivot], m[col]);
    const mpq_class p = m[col][col];
    for (mpq_class& v : m[col]) v /= p;
    for (std::size_t row = 0; row < d; ++row) {
      if (row == col || m[row][col] == 0) continue;
      const mpq_class f = m[row][col];
      for (std::size_t c = col; c <= d; ++c) m[row][c] -= f * m[col][c];
    }
  }
  TCyclotomicNumber y(order_);
  for (std::size_t i = 0; i < d; ++i) {
    if (m[i][d] != 0) y.SetCoefficient(slots[i], m[i][d]);
  }
  return y;
}

void TCyclotomicNumber::SetMonomialForm(const TQuantumMonomial* m,
                                        const TQuantumIntegerSource& source) {
  if (m == nullptr) {
    form_.reset();
    return;
  }
  if (IsZero()) return;
  if (m->IsZero()) {
    SetInt64(0);
    return;
  }
  TQuantumMonomial form(*m);
  const mpq_class factor = form.Factor();
  form.SetConstant(1);
  for (int i = 0; i < form.ExponentCount(); ++i) form.SetExponent(i, m->Exponent(i));
  form_.reset();
  MultiplyByRational(factor);
  bool remains = false;
  for (int i = 1; i < form.ExponentCount(); ++i) {
    // A power beyond a half one is worked off two halves at a time, so an odd
    // exponent ends at the half power of the other sign: [k]^(3/2) = [k]^2
    // [k]^(-1/2).
    std::int64_t e = form.Exponent(i);
    if (e > 1) {
      for (; e > 0; e -= 2) Multiply(source.QuantumInteger(order_, i + 1));
    } else if (e < -1) {
      for (; e < 0; e += 2) Multiply(source.InverseQuantumInteger(order_, i + 1));
    }
    form.SetExponent(i, e);
    remains = remains || e != 0;
  }
  if (remains && !IsZero()) form_ = std::make_unique<TQuantumMonomial>(form);
}

void TCyclotomicNumber::AttachStoredForm(const TQuantumMonomial& m) {
  if (IsZero()) return;
  form_ = std::make_unique<TQuantumMonomial>(m);
}

double TCyclotomicNumber::ToDouble() const {
  double value = 0.0;
  for (int k = 0; k < CoefficientCount(); ++k) {
    if (numerators_[static_cast<std::size_t>(k)] == 0) continue;
    const double c = Coefficient(k).get_d();
    value += k == 0 ? c : c * 2.0 * std::cos(k * std::numbers::pi / order_);
  }
  return value;
}

std::string TCyclotomicNumber::ToText(bool latex) const {
  if (numerators_.empty()) return "Empty object";
  std::string text;
  for (int k = CoefficientCount() - 1; k >= 0; --k) {
    const mpq_class c = Coefficient(k);
    if (c == 0) continue;
    if (c < 0) {
      text += "-";
    } else if (!text.empty()) {
      text += "+";
    }
    const mpq_class magnitude = abs(c);
    if (magnitude != 1 || k == 0) text += magnitude.get_str();
    if (k > 0) text += (latex ? "\\sigma_{" : "s_") + std::to_string(k) + (latex ? "} " : " ");
  }
  return text.empty() ? "0" : text;
}
