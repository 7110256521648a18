// TTwoVariablePolynomial: a sparse Laurent polynomial in two variables with
// integer coefficients, the value of the Alexander polynomial.
//
// Only non-zero terms are kept, each exponent pair once, in ascending order of
// the first exponent and then the second; a term whose coefficient becomes 0
// is removed. Coefficients are 64-bit and checked: an overflow throws
// Out_of_Range and leaves the polynomial as it was.
#pragma once

#include <cstdint>
#include <vector>

class TOutput;

struct TTwoVariableTerm {
  std::int64_t coefficient = 0;
  std::int32_t exponent1 = 0;
  std::int32_t exponent2 = 0;

  bool IsZero() const { return coefficient == 0; }
  // which 1: the first exponent, 2: the second, otherwise 0.
  std::int32_t Exponent(int which) const;
  bool SameExponents(const TTwoVariableTerm& u) const {
    return exponent1 == u.exponent1 && exponent2 == u.exponent2;
  }
  bool Equals(const TTwoVariableTerm& u) const;
  // The term alone: coefficient, then the letters with their exponents
  // ("%c", "%c^%d", "%c^{%d}"); the coefficient 1 or -1 is written as "" or
  // "-" unless both exponents are 0. Example: 2u^{-1}v.
  void Print(TOutput& output, char first, char second) const;
};

class TTwoVariablePolynomial {
 public:
  TTwoVariablePolynomial() = default;  // letters 'u' and 'v', no terms

  void Clear() { terms_.clear(); }
  // which 1 or 2; other values are ignored (VariableLetter gives 0).
  void SetVariableLetter(int which, char letter);
  char VariableLetter(int which) const;

  int TermCount() const { return static_cast<int>(terms_.size()); }
  const TTwoVariableTerm& TermAt(int i) const { return terms_[static_cast<std::size_t>(i)]; }
  // The index of the term with these exponents, or -1.
  int FindTerm(std::int32_t e1, std::int32_t e2) const;
  // The coefficient of u^e1 v^e2 (0 when there is no such term).
  std::int64_t Coefficient(std::int32_t e1, std::int32_t e2) const;

  void SetConstant(std::int64_t a);
  void SetTerm(const TTwoVariableTerm& u);
  void Assign(const TTwoVariablePolynomial& p) { *this = p; }
  void AddConstant(std::int64_t a) { AddTerm({a, 0, 0}); }
  void SubtractConstant(std::int64_t a);

  void AddTerm(const TTwoVariableTerm& u);
  void SubtractTerm(const TTwoVariableTerm& u);
  void Add(const TTwoVariablePolynomial& p);
  void Subtract(const TTwoVariablePolynomial& p);
  void MultiplyByInt(std::int64_t a);
  void MultiplyByTerm(const TTwoVariableTerm& u);
  void Multiply(const TTwoVariablePolynomial& p);

  bool IsZero() const { return terms_.empty(); }
  bool Equals(const TTwoVariablePolynomial& p) const;

  // The terms in their order joined by "+" before a positive coefficient,
  // each written by TTwoVariableTerm::Print with the polynomial's letters;
  // "0" for the zero polynomial. Example: u^{-1}-1+u.
  void Print(TOutput& output) const;

 private:
  char letters_[2] = {'u', 'v'};
  std::vector<TTwoVariableTerm> terms_;
};

// result := base^n for n >= 0 (base^0 = 1); a negative n gives 1 as well.
void TwoVariablePower(TTwoVariablePolynomial& result, const TTwoVariablePolynomial& base, int n);
