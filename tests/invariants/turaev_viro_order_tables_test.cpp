// The per-order constants of the Turaev-Viro state sum.
#include "invariants/turaev_viro_order_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace {

double QuantumInteger(int r, int n) {
  return std::sin(n * std::numbers::pi / r) / std::sin(std::numbers::pi / r);
}

TEST(TuraevViroOrderTables, OrderThreeAndFour) {
  TTuraevViroOrderTables three(3);
  const char* integers[] = {"0", "1", "1", "0"};
  for (int n = 0; n <= 3; ++n) EXPECT_EQ(three.QuantumIntegerAt(n).ToText(), integers[n]);
  const char* factorials[] = {"1", "1", "1", "0"};
  for (int n = 0; n <= 3; ++n) EXPECT_EQ(three.QuantumFactorial(n).ToText(), factorials[n]);
  EXPECT_EQ(three.InverseQuantumFactorial(0).ToText(), "1");
  EXPECT_EQ(three.InverseQuantumFactorial(1).ToText(), "1");
  EXPECT_TRUE(three.IsAdmissibleTriple(0, 0, 0));
  EXPECT_TRUE(three.IsAdmissibleTriple(1, 0, 1));
  EXPECT_FALSE(three.IsAdmissibleTriple(1, 1, 1)) << "odd sum";
  EXPECT_FALSE(three.IsAdmissibleTriple(1, 0, 0));
  EXPECT_TRUE(three.RacahSum(0, 0, 0, 0, 0, 0).EqualsInt64(1));

  TTuraevViroOrderTables four(4);
  EXPECT_EQ(four.QuantumIntegerAt(2).ToText(), "s_1 ");
  EXPECT_EQ(four.QuantumFactorial(2).ToText(), "s_1 ");
  EXPECT_EQ(four.QuantumFactorial(4).ToText(), "0");
  EXPECT_EQ(four.InverseQuantumFactorial(1).ToText(), "1/2s_1 ");
  EXPECT_EQ(four.InverseQuantumFactorial(2).ToText(), "1/2s_1 ");
  EXPECT_FALSE(four.IsAdmissibleTriple(2, 2, 2)) << "sum above 2r - 4";
}

TEST(TuraevViroOrderTables, IntegersFactorialsAndInversesAtEveryOrder) {
  for (int r = 3; r <= 16; ++r) {
    TTuraevViroOrderTables tables(r);
    for (int n = 0; n <= r; ++n) {
      EXPECT_NEAR(tables.QuantumIntegerAt(n).ToDouble(), QuantumInteger(r, n), 1e-9)
          << "r=" << r << " n=" << n;
    }
    for (int k = 0; k <= r - 2; ++k) {
      TCyclotomicNumber one = tables.QuantumFactorial(k + 1);
      one.Multiply(tables.InverseQuantumFactorial(k));
      EXPECT_TRUE(one.EqualsInt64(1)) << "r=" << r << " k=" << k;
    }
    for (int i = 1; i <= r - 1; ++i) {
      TCyclotomicNumber one = tables.QuantumIntegerAt(i);
      one.Multiply(tables.InverseQuantumIntegerAt(i));
      EXPECT_TRUE(one.EqualsInt64(1)) << "r=" << r << " i=" << i;
    }
  }
}

// The symmetric tetrahedral symbol with its square roots as a form: it is
// unchanged by the symmetries of the tetrahedron, and its square lies in the
// field.
TEST(TuraevViroOrderTables, TetrahedralSymbolsAreSymmetric) {
  TTuraevViroOrderTables tables(7);
  // Wings AB AC AD CD BD BC; relabelling A<->B gives AB BC BD CD AD AC.
  const int tuples[][6] = {{1, 1, 2, 1, 1, 2}, {2, 2, 2, 2, 2, 2}, {1, 2, 3, 2, 3, 2},
                           {0, 2, 2, 4, 2, 2}, {3, 3, 2, 3, 3, 2}};
  for (const auto& t : tuples) {
    const TCyclotomicNumber a = tables.TetrahedralSymbol(t[0], t[1], t[2], t[3], t[4], t[5]);
    const TCyclotomicNumber b = tables.TetrahedralSymbol(t[0], t[5], t[4], t[3], t[2], t[1]);
    // The rotation A->B->C->A: the new wing AB is the old CA, and so on.
    const TCyclotomicNumber c = tables.TetrahedralSymbol(t[1], t[5], t[3], t[4], t[2], t[0]);
    EXPECT_TRUE(a.Equals(b)) << a.ToText() << " vs " << b.ToText();
    EXPECT_TRUE(a.Equals(c)) << a.ToText() << " vs " << c.ToText();
  }
  EXPECT_TRUE(tables.TetrahedralSymbol(0, 0, 0, 0, 0, 0).EqualsInt64(1));
}

TEST(TuraevViroOrderTables, RacahSumsAreMadeOnceAndOnlyWhenAsked) {
  TTuraevViroOrderTables tables(16);
  EXPECT_EQ(tables.CachedRacahSums(), 0u);
  const TCyclotomicNumber& first = tables.RacahSum(2, 2, 2, 2, 2, 2);
  const TCyclotomicNumber& again = tables.RacahSum(2, 2, 2, 2, 2, 2);
  EXPECT_EQ(&first, &again);
  EXPECT_EQ(tables.CachedRacahSums(), 1u);
}

TEST(TuraevViroOrderTables, OrdersOutsideThreeToSixteenAreRefused) {
  EXPECT_THROW(TTuraevViroOrderTables(2), std::out_of_range);
  EXPECT_THROW(TTuraevViroOrderTables(17), std::out_of_range);
  TTuraevViroOrderTables tables(5);
  EXPECT_THROW(tables.QuantumInteger(6, 2), std::out_of_range);
}

}  // namespace
