// TQuantumMonomial: a rational number times half powers of quantum integers.
//
// At order r the quantum integer [k] = sin(k pi/r) / sin(pi/r) is positive for
// 0 < k < r, with [k] = [r - k], [1] = 1 and [0] = [r] = 0. The Turaev-Viro
// weights need square roots of products of quantum factorials, which are not
// in the cyclotomic field; a monomial books them as exponents without ever
// evaluating a quantum integer:
//
//   value = factor * prod_{i = 1 .. r/2 - 1} [i + 1]^(e[i] / 2).
//
// e[0], the exponent of [1] = 1, is kept and added like the others but never
// affects the value, the comparison or the text. The carried integer is a
// counter that Multiply adds, Divide subtracts and nothing reads.
//
// TCyclotomicNumber::SetMonomialForm moves the whole powers of such a
// monomial into the field and keeps at most one half power per quantum
// integer. The factor is an exact GMP rational; exponent arithmetic is
// checked and throws Out_of_Range on overflow, leaving the monomial partly
// updated.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <gmpxx.h>

class TQuantumMonomial {
 public:
  // Order -1: the empty monomial, zero, without exponents.
  TQuantumMonomial() = default;
  // Zero of order r (r/2 exponents, all 0) until SetConstant.
  explicit TQuantumMonomial(int r) { Reset(r); }

  // Order r, factor 0, carried integer 0; r/2 zero exponents (none for -1).
  void Reset(int r);
  // Order -1, no exponents.
  void Clear();
  void Assign(const TQuantumMonomial& m) { *this = m; }
  // Factor v, carried integer 0, every exponent 0.
  void SetConstant(std::int64_t v);
  // Stores e at index i when i < r/2; otherwise nothing.
  void SetExponent(int i, std::int64_t e);
  // For the binary table reader: the factor and the carried integer as stored.
  void SetFactor(const mpq_class& factor) { factor_ = factor; }
  void SetCarriedInteger(std::int32_t carried) { carried_ = carried; }

  int Order() const { return order_; }
  const mpq_class& Factor() const { return factor_; }
  int ExponentCount() const { return static_cast<int>(exponents_.size()); }
  // e[i] for i < r/2, else 0.
  std::int64_t Exponent(int i) const;
  std::int32_t CarriedInteger() const { return carried_; }
  bool IsZero() const { return factor_ == 0; }

  // In place. Multiply by a zero monomial makes this zero; a zero monomial
  // stays zero. Divide by a zero monomial is not allowed (std::domain_error).
  void Multiply(const TQuantumMonomial& m);
  void Divide(const TQuantumMonomial& m);
  void MultiplyByInt64(std::int64_t a);
  // Sum of like monomials: 1 and this = this + m when the exponents agree (or
  // either is zero); 0 and unchanged when they are unlike.
  int Add(const TQuantumMonomial& m);
  // At the first differing exponent from e[0] on: 1 this smaller, 3 greater;
  // 2 all equal.
  int CompareExponents(const TQuantumMonomial& m) const;
  // Same order and factor, e[i] equal for i >= 1.
  bool Equals(const TQuantumMonomial& m) const;

  // Steps by one quantum integer [a] (a folded to r - a when that is smaller,
  // so [r] acts as [0]): multiplying by [0] makes the monomial zero, dividing
  // by it or by [1] changes nothing.
  void MultiplyByQuantumInteger(unsigned a) { Step(a, 2, true); }
  void DivideByQuantumInteger(unsigned a) { Step(a, -2, false); }
  void MultiplyBySqrtQuantumInteger(unsigned a) { Step(a, 1, true); }
  void DivideBySqrtQuantumInteger(unsigned a) { Step(a, -1, false); }
  // The same steps for b = 2 .. n: [n]!, its inverse and their square roots.
  void MultiplyByQuantumFactorial(unsigned n) { FactorialSteps(n, 2, true); }
  void DivideByQuantumFactorial(unsigned n) { FactorialSteps(n, -2, false); }
  void MultiplyBySqrtQuantumFactorial(unsigned n) { FactorialSteps(n, 1, true); }
  void DivideBySqrtQuantumFactorial(unsigned n) { FactorialSteps(n, -1, false); }

  // The factor ("-" for -1, nothing for 1; "*" after any other), then
  // "{e[1],..,e[r/2-1]}"; a zero monomial is its factor alone.
  std::string ToText() const;

 private:
  void Step(unsigned a, std::int64_t delta, bool multiplying);
  void FactorialSteps(unsigned n, std::int64_t delta, bool multiplying);
  void MakeZero();

  int order_ = -1;
  mpq_class factor_ = 0;
  std::int32_t carried_ = 0;
  std::vector<std::int64_t> exponents_;
};
