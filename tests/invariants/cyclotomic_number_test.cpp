// Exact arithmetic in the real cyclotomic fields Q(cos(pi/r)).
#include "invariants/cyclotomic_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "invariants/cyclotomic_basis.h"
#include "invariants/turaev_viro_order_tables.h"

namespace {

TCyclotomicNumber Slot(int r, int k, long numerator = 1, long denominator = 1) {
  TCyclotomicNumber x(r);
  x.SetCoefficientFraction(k, numerator, denominator);
  return x;
}

double S(int r, int k) { return 2.0 * std::cos(k * std::numbers::pi / r); }

TEST(CyclotomicNumber, ReductionsAndProductsOfSmallOrders) {
  // Order 3: s_1 = 1, so 1 + s_1 is the integer 2.
  TCyclotomicNumber two(3, 1);
  two.Add(Slot(3, 1));
  EXPECT_TRUE(two.EqualsInt64(2));
  EXPECT_EQ(two.ToText(), "2");

  // Order 5: s_1^2 = s_2 + 2 = 1 + s_1.
  TCyclotomicNumber square = Slot(5, 1);
  square.Multiply(Slot(5, 1));
  EXPECT_EQ(square.Coefficient(0), 1);
  EXPECT_EQ(square.Coefficient(1), 1);
  EXPECT_EQ(square.ToText(), "s_1 +1");

  // Order 8 has no rewrite; s_1 s_3 = s_4 + s_2 and s_4 = 0.
  TCyclotomicNumber product = Slot(8, 1);
  product.Multiply(Slot(8, 3));
  EXPECT_TRUE(product.Equals(Slot(8, 2)));

  // Order 15: s_7 is rewritten as s_2 - s_3 and keeps its value.
  TCyclotomicNumber seventh = Slot(15, 7);
  EXPECT_EQ(seventh.Coefficient(7), 0);
  EXPECT_EQ(seventh.ToText(), "-s_3 +s_2 ");
  EXPECT_NEAR(seventh.ToDouble(), S(15, 7), 1e-14);

  // 3/4 at order 4.
  TCyclotomicNumber threeQuarters = Slot(4, 0, 3, 4);
  EXPECT_EQ(threeQuarters.Coefficient(0), mpq_class(3, 4));
  EXPECT_EQ(threeQuarters.ToText(), "3/4");
}

TEST(CyclotomicNumber, ZeroAndTextForms) {
  TCyclotomicNumber zero(7);
  TCyclotomicNumber x = Slot(7, 2, -5, 3);
  x.Add(Slot(7, 1));
  TCyclotomicNumber left = zero;
  left.Multiply(x);
  TCyclotomicNumber right = x;
  right.Multiply(zero);
  EXPECT_TRUE(left.EqualsInt64(0));
  EXPECT_TRUE(right.EqualsInt64(0));
  EXPECT_EQ(right.ToText(), "0");
  EXPECT_EQ(x.ToText(), "-5/3s_2 +s_1 ");
  EXPECT_EQ(TCyclotomicNumber().ToText(), "Empty object");
  EXPECT_EQ(x.ToText(true), "-5/3\\sigma_{2} +\\sigma_{1} ");
}

// Every product agrees with the product of the floating values, at every
// order the invariants use; every nonzero number times its inverse is 1.
TEST(CyclotomicNumber, ArithmeticAgreesWithFloatingValues) {
  for (int r = 3; r <= 16; ++r) {
    const int count = TCyclotomicBasis::OfOrder(r).Count();
    for (int i = 0; i < count; ++i) {
      for (int j = 0; j < count; ++j) {
        TCyclotomicNumber a = Slot(r, i, 2, 3);
        a.Add(TCyclotomicNumber(r, -1));
        TCyclotomicNumber b = Slot(r, j, -7, 5);
        b.Add(Slot(r, count - 1));
        const double expected = a.ToDouble() * b.ToDouble();
        TCyclotomicNumber p = a;
        p.Multiply(b);
        EXPECT_NEAR(p.ToDouble(), expected, 1e-9) << "r=" << r << " i=" << i << " j=" << j;
        if (!p.IsZero()) {
          TCyclotomicNumber one = p;
          one.Multiply(p.Inverted());
          EXPECT_TRUE(one.EqualsInt64(1)) << "r=" << r << " i=" << i << " j=" << j;
        }
      }
    }
  }
}

TEST(CyclotomicNumber, EqualValuesHaveEqualCoefficients) {
  // Two routes to one number of order 12: s_4 = 1 and s_5 = s_1 - s_3.
  TCyclotomicNumber a = Slot(12, 5);
  a.Add(Slot(12, 4));
  TCyclotomicNumber b = Slot(12, 1);
  b.Subtract(Slot(12, 3));
  b.Add(TCyclotomicNumber(12, 1));
  EXPECT_TRUE(a.Equals(b));
  EXPECT_EQ(a.ToText(), b.ToText());
}

TEST(CyclotomicNumber, BasisTermMultiplicationAndScaling) {
  TCyclotomicNumber x = Slot(9, 1, 1, 2);
  x.MultiplyByBasisTerm(2, mpq_class(3));
  EXPECT_NEAR(x.ToDouble(), 0.5 * S(9, 1) * 3 * S(9, 2), 1e-12);
  x.MultiplyByInt64(0);
  EXPECT_TRUE(x.IsZero());
  TCyclotomicNumber y = Slot(9, 2);
  y.MultiplyByRational(mpq_class(-4, 6));
  EXPECT_EQ(y.ToText(), "-2/3s_2 ");
}

TEST(CyclotomicNumber, MismatchedOrdersAndZeroInverseAreRefused) {
  TCyclotomicNumber a(5, 1);
  EXPECT_THROW(a.Add(TCyclotomicNumber(7, 1)), std::invalid_argument);
  EXPECT_THROW(a.Multiply(TCyclotomicNumber(7, 1)), std::invalid_argument);
  EXPECT_THROW(TCyclotomicNumber(5).Inverted(), std::domain_error);
  EXPECT_THROW(TCyclotomicNumber(TCyclotomicBasis::kMaxOrder + 1), std::out_of_range);
}

// Exact arithmetic does not overflow where 64-bit coefficients would.
TEST(CyclotomicNumber, LargeCoefficientsStayExact) {
  TCyclotomicNumber x(13, 1);
  x.Add(Slot(13, 1));  // 1 + s_1
  TCyclotomicNumber power = x;
  for (int i = 0; i < 80; ++i) power.Multiply(x);
  EXPECT_GT(mpz_sizeinbase(power.MaxAbsNumerator().get_mpz_t(), 2), 64u);
  TCyclotomicNumber back = power;
  back.Multiply(power.Inverted());
  EXPECT_TRUE(back.EqualsInt64(1));
  EXPECT_NEAR(std::log(power.ToDouble()), 81 * std::log(1 + S(13, 1)), 1e-9);
}

// Forms: whole powers of quantum integers move into the field.
TEST(CyclotomicNumber, MonomialFormsAbsorbWholePowers) {
  const TTuraevViroOrderTables tables(7);
  TQuantumMonomial m(7);
  m.SetConstant(1);
  m.SetExponent(1, 3);  // [2]^(3/2) = [2]^2 [2]^(-1/2)
  TCyclotomicNumber x(7, 1);
  x.SetMonomialForm(&m, tables);
  TCyclotomicNumber squared = tables.QuantumIntegerAt(2);
  squared.Multiply(tables.QuantumIntegerAt(2));
  ASSERT_NE(x.MonomialForm(), nullptr);
  EXPECT_EQ(x.MonomialForm()->Exponent(1), -1);
  TCyclotomicNumber fieldPart = x;
  fieldPart.SetMonomialForm(nullptr, tables);
  EXPECT_TRUE(fieldPart.Equals(squared));

  m.SetExponent(1, -2);  // [2]^(-1): no square root remains
  TCyclotomicNumber y(7, 1);
  y.SetMonomialForm(&m, tables);
  EXPECT_EQ(y.MonomialForm(), nullptr);
  EXPECT_TRUE(y.Equals(tables.InverseQuantumIntegerAt(2)));
}

TEST(CyclotomicNumber, SumsOfUnlikeFormsAreLogicErrorsNotOverflows) {
  const TTuraevViroOrderTables tables(7);
  TQuantumMonomial m(7);
  m.SetConstant(1);
  m.SetExponent(2, 1);
  TCyclotomicNumber rooted(7, 2);
  rooted.SetMonomialForm(&m, tables);
  TCyclotomicNumber plain(7, 1);
  EXPECT_THROW(plain.Add(rooted), std::logic_error);
  EXPECT_THROW(rooted.Add(plain), std::logic_error);
  // Like forms add.
  TCyclotomicNumber twice = rooted;
  twice.Add(rooted);
  ASSERT_NE(twice.MonomialForm(), nullptr);
  EXPECT_EQ(twice.ToText(), "4");
}

}  // namespace
