#include "invariants/two_variable_polynomial.h"

#include <algorithm>
#include <string>

#include "foundation/checked_int64.h"
#include "foundation/output.h"
#include "invariants/laurent_polynomial.h"

namespace {

bool ExponentsLess(const TTwoVariableTerm& a, const TTwoVariableTerm& b) {
  if (a.exponent1 != b.exponent1) return a.exponent1 < b.exponent1;
  return a.exponent2 < b.exponent2;
}

std::int64_t Negated(std::int64_t a) {
  TInt64 result;
  TInt64::FromLongLong(a).Negate(result);
  return result.ToLongLong();
}

void AppendPower(std::string& text, char letter, std::int32_t e) {
  if (e == 0) return;
  text += letter;
  if (e < 0) {
    text += "^{" + std::to_string(e) + "}";
  } else if (e >= 2) {
    text += "^" + std::to_string(e);
  }
}

}  // namespace

std::int32_t TTwoVariableTerm::Exponent(int which) const {
  if (which == 1) return exponent1;
  if (which == 2) return exponent2;
  return 0;
}

bool TTwoVariableTerm::Equals(const TTwoVariableTerm& u) const {
  if (IsZero() || u.IsZero()) return IsZero() && u.IsZero();
  return coefficient == u.coefficient && SameExponents(u);
}

void TTwoVariableTerm::Print(TOutput& output, char first, char second) const {
  if (IsZero()) {
    output.AppendText("0");
    return;
  }
  const bool constant = exponent1 == 0 && exponent2 == 0;
  std::string text;
  if (coefficient == 1) {
    if (constant) text = "1";
  } else if (coefficient == -1) {
    text = constant ? "-1" : "-";
  } else {
    text = std::to_string(coefficient);
  }
  AppendPower(text, first, exponent1);
  AppendPower(text, second, exponent2);
  output.AppendText(text.c_str());
}

void TTwoVariablePolynomial::SetVariableLetter(int which, char letter) {
  if (which == 1 || which == 2) letters_[which - 1] = letter;
}

char TTwoVariablePolynomial::VariableLetter(int which) const {
  return which == 1 || which == 2 ? letters_[which - 1] : '\0';
}

int TTwoVariablePolynomial::FindTerm(std::int32_t e1, std::int32_t e2) const {
  const TTwoVariableTerm key{1, e1, e2};
  auto it = std::lower_bound(terms_.begin(), terms_.end(), key, ExponentsLess);
  if (it == terms_.end() || !it->SameExponents(key)) return -1;
  return static_cast<int>(it - terms_.begin());
}

std::int64_t TTwoVariablePolynomial::Coefficient(std::int32_t e1, std::int32_t e2) const {
  const int i = FindTerm(e1, e2);
  return i < 0 ? 0 : TermAt(i).coefficient;
}

void TTwoVariablePolynomial::SetConstant(std::int64_t a) {
  terms_.clear();
  if (a != 0) terms_.push_back({a, 0, 0});
}

void TTwoVariablePolynomial::SetTerm(const TTwoVariableTerm& u) {
  terms_.clear();
  if (!u.IsZero()) terms_.push_back(u);
}

void TTwoVariablePolynomial::SubtractConstant(std::int64_t a) {
  if (a != 0) AddTerm({Negated(a), 0, 0});
}

void TTwoVariablePolynomial::AddTerm(const TTwoVariableTerm& u) {
  if (u.IsZero()) return;
  auto it = std::lower_bound(terms_.begin(), terms_.end(), u, ExponentsLess);
  if (it != terms_.end() && it->SameExponents(u)) {
    const std::int64_t sum = CheckedCoefficientSum(it->coefficient, u.coefficient);
    if (sum == 0) {
      terms_.erase(it);
    } else {
      it->coefficient = sum;
    }
    return;
  }
  terms_.insert(it, u);
}

void TTwoVariablePolynomial::SubtractTerm(const TTwoVariableTerm& u) {
  if (u.IsZero()) return;
  AddTerm({Negated(u.coefficient), u.exponent1, u.exponent2});
}

void TTwoVariablePolynomial::Add(const TTwoVariablePolynomial& p) {
  TTwoVariablePolynomial sum = *this;  // an overflow leaves this unchanged
  for (const TTwoVariableTerm& u : p.terms_) sum.AddTerm(u);
  *this = std::move(sum);
}

void TTwoVariablePolynomial::Subtract(const TTwoVariablePolynomial& p) {
  TTwoVariablePolynomial difference = *this;
  for (const TTwoVariableTerm& u : p.terms_) difference.SubtractTerm(u);
  *this = std::move(difference);
}

void TTwoVariablePolynomial::MultiplyByInt(std::int64_t a) {
  if (a == 0) {
    Clear();
    return;
  }
  std::vector<TTwoVariableTerm> product = terms_;
  for (TTwoVariableTerm& u : product) u.coefficient = CheckedCoefficientProduct(u.coefficient, a);
  terms_ = std::move(product);
}

void TTwoVariablePolynomial::MultiplyByTerm(const TTwoVariableTerm& u) {
  if (IsZero()) return;
  if (u.IsZero()) {
    Clear();
    return;
  }
  std::vector<TTwoVariableTerm> product = terms_;
  for (TTwoVariableTerm& term : product) {
    term.coefficient = CheckedCoefficientProduct(term.coefficient, u.coefficient);
    term.exponent1 += u.exponent1;
    term.exponent2 += u.exponent2;
  }
  terms_ = std::move(product);  // a common shift keeps the order
}

void TTwoVariablePolynomial::Multiply(const TTwoVariablePolynomial& p) {
  if (IsZero()) return;
  TTwoVariablePolynomial product;
  product.letters_[0] = letters_[0];
  product.letters_[1] = letters_[1];
  for (const TTwoVariableTerm& u : p.terms_) {
    TTwoVariablePolynomial part = *this;
    part.MultiplyByTerm(u);
    product.Add(part);
  }
  *this = std::move(product);
}

bool TTwoVariablePolynomial::Equals(const TTwoVariablePolynomial& p) const {
  if (terms_.size() != p.terms_.size()) return false;
  for (std::size_t i = 0; i < terms_.size(); ++i) {
    if (!terms_[i].Equals(p.terms_[i])) return false;
  }
  return true;
}

void TTwoVariablePolynomial::Print(TOutput& output) const {
  if (IsZero()) {
    output.AppendText("0");
    return;
  }
  bool first = true;
  for (const TTwoVariableTerm& u : terms_) {
    if (!first && u.coefficient > 0) output.AppendText("+");
    u.Print(output, letters_[0], letters_[1]);
    first = false;
  }
}

void TwoVariablePower(TTwoVariablePolynomial& result, const TTwoVariablePolynomial& base, int n) {
  TTwoVariablePolynomial power;
  power.SetVariableLetter(1, base.VariableLetter(1));
  power.SetVariableLetter(2, base.VariableLetter(2));
  power.SetConstant(1);
  for (int i = 0; i < n; ++i) power.Multiply(base);
  result = std::move(power);
}
