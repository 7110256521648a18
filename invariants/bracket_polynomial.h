// TBracketMonomial and TBracketPolynomial: the two-variable Kauffman bracket
// of a diagram on a torus or a Klein bottle.
//
// A monomial is c t^e times a product of powers of z, one factor per class of
// loops that bound no disc on the surface. Each factor is a row: its power,
// then its class as n integers (n = 2: the signed crossings of the two side
// pairs of the square). With homology flag 1 the classes are not kept (every
// row holds zeros, so all non-trivial loops are one factor z^k); with flag 0
// a class is kept up to sign, normalised so that its first non-zero entry is
// positive, and the rows are sorted by class.
//
// The polynomial keeps its terms in term order (fewer rows first, then the
// lower exponent of t, then the rows compared entry by entry) with no two
// terms alike (same flag, same exponent, same rows) and no zero term.
// Coefficients are 64-bit and checked (Out_of_Range on overflow).
#pragma once

#include <cstdint>
#include <vector>

class TOutput;

class TBracketMonomial {
 public:
  // n class entries per row; rowOrderFlag 0 normalises and sorts the rows, any
  // other value appends them as they come.
  explicit TBracketMonomial(int n = 2, int rowOrderFlag = 0)
      : classLength_(n), rowOrderFlag_(rowOrderFlag) {}

  void SetFlag(int homologyFlag) { homologyFlag_ = homologyFlag; }
  int Flag() const { return homologyFlag_; }
  int ClassLength() const { return classLength_; }
  void SetCoefficient(std::int64_t c) { coefficient_ = c; }
  std::int64_t GetCoefficient() const { return coefficient_; }
  void SetExponent(std::int32_t e) { exponent_ = e; }
  std::int32_t GetExponent() const { return exponent_; }
  bool IsZero() const { return coefficient_ == 0; }
  int ExponentRows() const { return static_cast<int>(rows_.size()); }

  // Adds a row with this power and class (zeros with flag 1); returns its index.
  int AddExponentRow(std::int32_t power, const std::int32_t* classVector);
  // The row of this class: with flag 0, the normalised class's row or -1;
  // with flag 1, 0 when there is a row and -1 when there is none.
  int FindRow(const std::int32_t* classVector) const;
  void SetRow(int i, std::int32_t power, const std::int32_t* classVector = nullptr);
  // The power of row i and, with a buffer, its class entries.
  std::int32_t GetExponents(int i, std::int32_t* classVector = nullptr) const;
  // Coefficient a, exponent 0, no rows.
  void SetCoefficientClear(std::int64_t a);

  // this += m when alike (or this zero); the coefficients add.
  void AddTo(const TBracketMonomial& m);
  void MultiplyByInt(std::int64_t a);
  // Coefficients multiplied, exponents added; m's rows are taken when this
  // has none, and the rows of both are merged (powers of equal classes add)
  // when both have some.
  void MultiplyMonomial(const TBracketMonomial& m);

  bool SameRows(const TBracketMonomial& m) const;
  bool SameMonomial(const TBracketMonomial& m) const {
    return homologyFlag_ == m.homologyFlag_ && exponent_ == m.exponent_ && SameRows(m);
  }
  bool EqualsFull(const TBracketMonomial& m) const {
    return SameMonomial(m) && coefficient_ == m.coefficient_;
  }
  // 1 when this comes before m in term order.
  bool TermLess(const TBracketMonomial& m) const;

  // type 1: the whole monomial; 2: without the rows; 3: the rows only.
  void Print(TOutput& output, int type, char first, char second) const;

 private:
  void NormaliseClass(std::vector<std::int32_t>& cls) const;

  int homologyFlag_ = 0;
  int classLength_;
  int rowOrderFlag_;
  std::int64_t coefficient_ = 0;
  std::int32_t exponent_ = 0;
  // Each row: the power, then the class entries.
  std::vector<std::vector<std::int32_t>> rows_;
};

class TBracketPolynomial {
 public:
  explicit TBracketPolynomial(int n = 2) : classLength_(n) {}

  void Clear() { terms_.clear(); }
  void SetHomologyMode(int flag) { homologyMode_ = flag; }
  int HomologyMode() const { return homologyMode_; }
  int ClassLength() const { return classLength_; }
  // which 0 or 1; other values are ignored.
  void SetVariableLetter(int which, char letter);
  char VariableLetter(int which) const;
  int TermCount() const { return static_cast<int>(terms_.size()); }
  const TBracketMonomial& TermAt(int i) const { return terms_[static_cast<std::size_t>(i)]; }
  bool IsZero() const { return terms_.empty(); }

  // A single term a t^0 without rows.
  void SetConstant(std::int64_t a);
  void Assign(const TBracketPolynomial& q) { *this = q; }
  // The index of the term alike m, or -1.
  int FindTerm(const TBracketMonomial& m) const;
  void AddMonomial(const TBracketMonomial& m);
  void AddPolynomial(const TBracketPolynomial& q);
  void MultiplyByInt(std::int64_t a);
  void MultiplyByMonomial(const TBracketMonomial& m);
  void Multiply(const TBracketPolynomial& q);
  bool Equals(const TBracketPolynomial& q) const;

  // The terms in order; the terms with the same (non-empty) rows are written
  // as one group at the place of the first, "(" its terms without rows ")" and then the rows, for example
  // (-t^{-2}+t^2)z(1,1)^2. "0" for the zero polynomial.
  void Print(TOutput& output) const;

 private:
  char letters_[2] = {'t', 'z'};
  int homologyMode_ = 0;
  int classLength_;
  std::vector<TBracketMonomial> terms_;
};

// p := q^k (q^0 = 1). Returns 1.
int BracketPower(TBracketPolynomial& p, const TBracketPolynomial& q, int k);
