// TLaurentPolynomial: a Laurent polynomial in one variable with integer
// coefficients, the value of the one-variable Kauffman bracket.
//
// Dense: one coefficient for every exponent from Lowest() to Highest(). The
// range is never trimmed, so zero coefficients may stand at either end; an
// empty range (Highest() < Lowest()) and a range of zeros are both the zero
// polynomial. Coefficients are 64-bit and checked: a sum or product that would
// not fit throws Out_of_Range and leaves the polynomial as it was.
#pragma once

#include <cstdint>
#include <vector>

class TOutput;

// One term c * x^e. A term with coefficient 0 is zero whatever its exponent.
struct TLaurentTerm {
  std::int64_t coefficient = 0;
  std::int32_t exponent = 0;
};

class TLaurentPolynomial {
 public:
  TLaurentPolynomial() = default;  // letter 't', empty range

  void Clear();
  TLaurentPolynomial& SetVariable(char letter) {
    letter_ = letter;
    return *this;
  }
  char VariableLetter() const { return letter_; }
  int Lowest() const { return lowest_; }
  int Highest() const { return highest_; }

  // highest < lowest clears; otherwise the range becomes lowest..highest with
  // every coefficient 0 (the old coefficients are discarded).
  void SetRange(int lowest, int highest);
  // Grows the range to hold exponent e, keeping every coefficient.
  void ExtendRange(int e);
  // The coefficient of x^e; 0 outside the range.
  std::int64_t Coefficient(int e) const;

  void SetConstant(std::int64_t a);
  void Assign(const TLaurentPolynomial& p) { *this = p; }

  void AddTerm(const TLaurentTerm& u);
  void SubtractTerm(const TLaurentTerm& u);
  void Add(const TLaurentPolynomial& p);
  void Subtract(const TLaurentPolynomial& p);
  // Every coefficient times a; the range stays (also for a = 0).
  void MultiplyByInt(std::int64_t a);
  // Every term times u; the range moves by u's exponent.
  TLaurentPolynomial& MultiplyByTerm(const TLaurentTerm& u);
  // this := this * p. The range of the product is the sum of the ranges.
  void Multiply(const TLaurentPolynomial& p);

  // Sum of the absolute values of the coefficients.
  std::int64_t CoefficientWeight() const;
  bool IsZero() const;
  // Equal as polynomials: missing exponents count as 0.
  bool Equals(const TLaurentPolynomial& p) const;
  bool NotEqual(const TLaurentPolynomial& p) const { return !Equals(p); }

  // The text form: terms from the lowest exponent up, "x^{-2}" for negative
  // exponents, "x^3" from 2 up; "0" when every coefficient is 0, "EmptyObject"
  // for an empty range. Example: -t^{-2}-t^2.
  void Print(TOutput& output) const;

 private:
  char letter_ = 't';
  int lowest_ = 0;
  int highest_ = -1;
  std::vector<std::int64_t> coefficients_;
};

// result := base^n. Returns 0 and leaves result unchanged for n < 0 or an
// empty base, else 1 (base^0 is the constant 1).
int LaurentPower(TLaurentPolynomial& result, const TLaurentPolynomial& base, int n);

// Checked 64-bit steps of the polynomial classes: the exact value, or
// Out_of_Range when it does not fit.
std::int64_t CheckedCoefficientSum(std::int64_t a, std::int64_t b);
std::int64_t CheckedCoefficientProduct(std::int64_t a, std::int64_t b);
