// Products of half powers of quantum integers, booked as exponents.
#include "invariants/quantum_monomial.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "foundation/checked_int64.h"

namespace {

TEST(QuantumMonomial, ConstantsAndZero) {
  TQuantumMonomial m(7);
  EXPECT_TRUE(m.IsZero());
  m.SetConstant(1);
  EXPECT_FALSE(m.IsZero());
  EXPECT_EQ(m.ExponentCount(), 3);
  EXPECT_EQ(m.ToText(), "{0,0}");
  EXPECT_EQ(m.Exponent(3), 0);
  m.SetExponent(3, 5);  // past r/2: ignored
  EXPECT_EQ(m.Exponent(3), 0);
}

TEST(QuantumMonomial, QuantumIntegerStepsFoldAboutHalfTheOrder) {
  TQuantumMonomial m(7);
  m.SetConstant(1);
  m.MultiplyByQuantumInteger(5);  // [5] = [2]
  EXPECT_EQ(m.Exponent(1), 2);
  m.DivideByQuantumInteger(7);  // [7] = [0]: dividing changes nothing
  EXPECT_EQ(m.Exponent(1), 2);
  EXPECT_FALSE(m.IsZero());
  m.MultiplyByQuantumInteger(1);
  EXPECT_EQ(m.ToText(), "{2,0}");
  m.MultiplyByQuantumInteger(7);
  EXPECT_TRUE(m.IsZero());
}

TEST(QuantumMonomial, SquareRootFactorialsRoundTrip) {
  TQuantumMonomial m(8);
  m.SetConstant(1);
  m.MultiplyBySqrtQuantumFactorial(3);
  EXPECT_EQ(m.Exponent(1), 1);
  EXPECT_EQ(m.Exponent(2), 1);
  m.DivideBySqrtQuantumFactorial(3);
  EXPECT_EQ(m.Exponent(1), 0);
  EXPECT_EQ(m.Exponent(2), 0);
  // [7]! at order 8 folds 5, 6, 7 back to 3, 2, 1.
  m.MultiplyByQuantumFactorial(7);
  EXPECT_EQ(m.ToText(), "{4,4,2}");
  m.MultiplyByQuantumFactorial(8);  // reaches [8] = 0
  EXPECT_TRUE(m.IsZero());
}

TEST(QuantumMonomial, ProductsQuotientsAndComparison) {
  TQuantumMonomial a(9);
  a.SetConstant(3);
  a.SetExponent(0, 4);
  a.SetExponent(2, -1);
  TQuantumMonomial b(9);
  b.SetConstant(3);
  b.SetExponent(2, -1);
  EXPECT_TRUE(a.Equals(b)) << "e[0] is not compared";
  EXPECT_EQ(a.CompareExponents(b), 3) << "but it is ordered";
  EXPECT_EQ(a.ToText(), "3*{0,-1,0}");

  TQuantumMonomial zero(9);
  TQuantumMonomial c = b;
  c.Multiply(zero);
  EXPECT_TRUE(c.IsZero());
  zero.Multiply(b);
  EXPECT_TRUE(zero.IsZero());

  TQuantumMonomial d = b;
  d.Multiply(b);
  EXPECT_EQ(d.ToText(), "9*{0,-2,0}");
  d.Divide(b);
  EXPECT_TRUE(d.Equals(b));
  EXPECT_EQ(d.Add(b), 1);
  EXPECT_EQ(d.ToText(), "6*{0,-1,0}");
  TQuantumMonomial unlike(9);
  unlike.SetConstant(1);
  EXPECT_EQ(d.Add(unlike), 0);
  d.MultiplyByInt64(-1);
  EXPECT_EQ(d.ToText(), "-6*{0,-1,0}");
}

TEST(QuantumMonomial, ExponentOverflowIsReported) {
  TQuantumMonomial m(6);
  m.SetConstant(1);
  m.SetExponent(1, INT64_MAX - 1);
  EXPECT_THROW(m.MultiplyByQuantumInteger(2), Out_of_Range);
}

}  // namespace
