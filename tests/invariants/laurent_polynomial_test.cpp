// The one- and two-variable Laurent polynomials: ranges, arithmetic, the text
// forms and the checked coefficients.
#include <gtest/gtest.h>

#include <string>

#include "foundation/checked_int64.h"
#include "foundation/output.h"
#include "invariants/laurent_polynomial.h"
#include "invariants/two_variable_polynomial.h"

namespace {

template <class TPolynomial>
std::string Text(const TPolynomial& p) {
  TOutput out;
  p.Print(out);
  return out.Text();
}

TLaurentPolynomial D() {
  TLaurentPolynomial d;
  d.AddTerm({-1, -2});
  d.AddTerm({-1, 2});
  return d;
}

TEST(LaurentPolynomialTest, PrintsTermsFromTheLowestExponent) {
  EXPECT_EQ(Text(D()), "-t^{-2}-t^2");
  TLaurentPolynomial p;
  EXPECT_EQ(Text(p), "EmptyObject");
  p.SetConstant(0);
  EXPECT_EQ(Text(p), "0");
  p.AddTerm({-1, 0});
  p.AddTerm({2, 1});
  p.AddTerm({1, -1});
  EXPECT_EQ(Text(p), "t^{-1}-1+2t");
  p.SetVariable('x');
  EXPECT_EQ(Text(p), "x^{-1}-1+2x");
}

TEST(LaurentPolynomialTest, ExtendingTheRangeKeepsTheCoefficients) {
  TLaurentPolynomial p;
  p.AddTerm({3, 2});
  p.AddTerm({5, -4});  // below the range: the old terms move up
  EXPECT_EQ(p.Lowest(), -4);
  EXPECT_EQ(p.Highest(), 2);
  EXPECT_EQ(p.Coefficient(2), 3);
  EXPECT_EQ(p.Coefficient(-4), 5);
  EXPECT_EQ(p.Coefficient(0), 0);
  EXPECT_EQ(p.Coefficient(7), 0);
}

TEST(LaurentPolynomialTest, MultipliesAndRaisesToPowers) {
  TLaurentPolynomial square;
  ASSERT_EQ(LaurentPower(square, D(), 2), 1);
  EXPECT_EQ(Text(square), "t^{-4}+2+t^4");
  TLaurentPolynomial one;
  ASSERT_EQ(LaurentPower(one, D(), 0), 1);
  EXPECT_EQ(Text(one), "1");
  TLaurentPolynomial untouched = D();
  EXPECT_EQ(LaurentPower(untouched, D(), -1), 0);
  EXPECT_EQ(LaurentPower(untouched, TLaurentPolynomial(), 2), 0);
  EXPECT_EQ(Text(untouched), "-t^{-2}-t^2");

  // A product with the constant 0 spans the product's range and is zero.
  TLaurentPolynomial zero;
  zero.SetConstant(0);
  TLaurentPolynomial p = D();
  p.Multiply(zero);
  EXPECT_TRUE(p.IsZero());
  EXPECT_EQ(p.Lowest(), -2);
  EXPECT_EQ(p.Highest(), 2);
  EXPECT_EQ(Text(p), "0");

  p = D();
  p.MultiplyByTerm({-1, -3});
  EXPECT_EQ(Text(p), "t^{-5}+t^{-1}");
  EXPECT_EQ(p.CoefficientWeight(), 2);
}

TEST(LaurentPolynomialTest, ComparesAsPolynomials) {
  TLaurentPolynomial a;
  a.AddTerm({1, 1});
  a.AddTerm({1, 5});
  TLaurentPolynomial b;
  b.AddTerm({1, 1});
  EXPECT_FALSE(a.Equals(b));
  EXPECT_FALSE(b.Equals(a));
  TLaurentPolynomial zero;
  zero.SetConstant(0);
  EXPECT_TRUE(TLaurentPolynomial().Equals(zero));
  // Zeros at the ends of a range do not matter.
  b.ExtendRange(-3);
  b.AddTerm({1, 5});
  EXPECT_TRUE(a.Equals(b));
}

TEST(LaurentPolynomialTest, AnOverflowThrowsAndKeepsTheValue) {
  TLaurentPolynomial p;
  p.AddTerm({INT64_MAX, 0});
  p.AddTerm({1, 3});
  TLaurentPolynomial q;
  q.AddTerm({1, 0});
  EXPECT_THROW(p.Add(q), Out_of_Range);
  EXPECT_THROW(p.MultiplyByInt(2), Out_of_Range);
  TLaurentPolynomial r;  // 1 + t^-3: the constant term overflows
  r.AddTerm({1, 0});
  r.AddTerm({1, -3});
  EXPECT_THROW(p.Multiply(r), Out_of_Range);
  EXPECT_EQ(p.Coefficient(0), INT64_MAX);
  EXPECT_EQ(p.Coefficient(3), 1);
}

TEST(TwoVariablePolynomialTest, KeepsTermsSortedWithoutZeros) {
  TTwoVariablePolynomial p;
  p.AddTerm({3, 1, 1});
  p.AddTerm({-3, 1, 1});
  EXPECT_TRUE(p.IsZero());
  EXPECT_EQ(Text(p), "0");

  const TTwoVariableTerm terms[] = {{1, 2, 0}, {1, 0, 5}, {1, 0, -1}};
  const int orders[][3] = {{0, 1, 2}, {2, 1, 0}, {1, 0, 2}};
  TTwoVariablePolynomial first;
  for (const auto& order : orders) {
    TTwoVariablePolynomial q;
    for (int i : order) q.AddTerm(terms[i]);
    ASSERT_EQ(q.TermCount(), 3);
    EXPECT_EQ(q.TermAt(0).exponent2, -1);
    EXPECT_EQ(q.TermAt(1).exponent2, 5);
    EXPECT_EQ(q.TermAt(2).exponent1, 2);
    if (first.IsZero()) first = q;
    EXPECT_TRUE(q.Equals(first));
  }
  EXPECT_EQ(Text(first), "v^{-1}+v^5+u^2");
}

TEST(TwoVariablePolynomialTest, PrintsCoefficientsAndLetters) {
  struct Case {
    TTwoVariableTerm term;
    const char* text;
  };
  const Case cases[] = {
      {{1, 0, 0}, "1"},          {{-1, 0, 0}, "-1"},      {{-1, -1, -1}, "-u^{-1}v^{-1}"},
      {{2, -1, 1}, "2u^{-1}v"},  {{-7, 2, 0}, "-7u^2"},   {{1, 0, 3}, "v^3"},
  };
  for (const Case& c : cases) {
    TTwoVariablePolynomial p;
    p.SetTerm(c.term);
    EXPECT_EQ(Text(p), c.text);
  }
  TTwoVariablePolynomial p;
  p.SetVariableLetter(1, 't');
  p.AddTerm({1, 1, 0});
  p.AddTerm({-1, 0, 0});
  p.AddTerm({1, -1, 0});
  EXPECT_EQ(Text(p), "t^{-1}-1+t");
}

TEST(TwoVariablePolynomialTest, MultipliesTermByTerm) {
  TTwoVariablePolynomial d;  // -u^-1 v^-1 - u v
  d.AddTerm({-1, -1, -1});
  d.AddTerm({-1, 1, 1});
  TTwoVariablePolynomial square;
  TwoVariablePower(square, d, 2);
  EXPECT_EQ(Text(square), "u^{-2}v^{-2}+2+u^2v^2");
  TwoVariablePower(square, d, 0);
  EXPECT_EQ(Text(square), "1");

  TTwoVariablePolynomial zero;
  TTwoVariablePolynomial p = d;
  p.Multiply(zero);
  EXPECT_TRUE(p.IsZero());
  zero.Multiply(d);
  EXPECT_TRUE(zero.IsZero());

  TTwoVariablePolynomial big;
  big.SetConstant(INT64_MAX);
  TTwoVariablePolynomial three;
  three.SetConstant(3);
  EXPECT_THROW(big.Multiply(three), Out_of_Range);
  EXPECT_THROW(big.MultiplyByInt(2), Out_of_Range);
  EXPECT_EQ(big.Coefficient(0, 0), INT64_MAX);
}

}  // namespace
