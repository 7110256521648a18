#include "foundation/epsilon_number.h"

#include <gtest/gtest.h>

namespace {

TEST(Fibonacci64, KnownValuesAndTheLimit) {
  EXPECT_EQ(Fibonacci64(0), 0);
  EXPECT_EQ(Fibonacci64(1), 1);
  EXPECT_EQ(Fibonacci64(2), 1);
  EXPECT_EQ(Fibonacci64(10), 55);
  EXPECT_EQ(Fibonacci64(-4), -3);
  EXPECT_EQ(Fibonacci64(-5), 5);
  EXPECT_EQ(Fibonacci64(92), 7540113804746346429);
  EXPECT_EQ(Fibonacci64(-92), -7540113804746346429);
  EXPECT_THROW(Fibonacci64(93), Out_of_Range);
  EXPECT_THROW(Fibonacci64(-93), Out_of_Range);
  EXPECT_THROW(Fibonacci64(INT32_MIN), Out_of_Range);
}

TEST(TEpsilonNumber, PowersOfEps) {
  struct TCase {
    int k;
    std::int64_t a, b;
  };
  const TCase cases[] = {{0, 1, 0}, {1, 0, 1}, {2, 1, 1}, {3, 1, 2}, {-1, -1, 1}, {-2, 2, -1}};
  for (const TCase& c : cases) {
    TEpsilonNumber x;
    x.SetPowerOfEps(c.k);
    EXPECT_TRUE(x.EqualsParts(c.a, c.b)) << "eps^" << c.k << " = " << x.ToText();
  }
  // eps^k = F(k-1) + F(k) eps, checked against repeated multiplication by
  // eps and by eps^-1 = eps - 1.
  const TEpsilonNumber eps(0, 1);
  const TEpsilonNumber inverse(-1, 1);
  TEpsilonNumber up(1, 0);
  TEpsilonNumber down(1, 0);
  for (int k = 1; k <= 91; ++k) {
    up.Multiply(eps);
    down.Multiply(inverse);
    TEpsilonNumber expected;
    expected.SetPowerOfEps(k);
    ASSERT_EQ(up, expected) << k;
    ASSERT_TRUE(up.EqualsParts(Fibonacci64(k - 1), Fibonacci64(k))) << k;
    expected.SetPowerOfEps(-k);
    ASSERT_EQ(down, expected) << -k;
  }
  TEpsilonNumber edge;
  EXPECT_NO_THROW(edge.SetPowerOfEps(92));
  EXPECT_NO_THROW(edge.SetPowerOfEps(-91));
  EXPECT_THROW(edge.SetPowerOfEps(93), Out_of_Range);
  EXPECT_THROW(edge.SetPowerOfEps(-92), Out_of_Range);
  EXPECT_TRUE(edge.EqualsParts(Fibonacci64(-92), Fibonacci64(-91))) << "unchanged after a throw";
}

TEST(TEpsilonNumber, ArithmeticIsChecked) {
  TEpsilonNumber x(2, 3);
  x.Add(TEpsilonNumber(-2, -3));
  EXPECT_TRUE(x.EqualsInteger(0));
  x.Set(4, -1);
  x.Scale(-3);
  EXPECT_TRUE(x.EqualsParts(-12, 3));
  x.AddInteger(12);
  EXPECT_EQ(x.Part(0), 0);
  EXPECT_EQ(x.Part(1), 3);
  EXPECT_EQ(x.Part(2), 0);
  x.SetPart(0, 7);
  x.SetPart(5, 9);
  EXPECT_TRUE(x.EqualsParts(7, 3));
  std::int64_t a = 0, b = 0;
  x.Get(a, b);
  EXPECT_EQ(a, 7);
  EXPECT_EQ(b, 3);

  TEpsilonNumber big(INT64_MAX, 1);
  EXPECT_THROW(big.Add(TEpsilonNumber(1, 0)), Out_of_Range);
  EXPECT_THROW(big.Scale(2), Out_of_Range);
  EXPECT_TRUE(big.EqualsParts(INT64_MAX, 1));
}

TEST(TEpsilonNumber, Text) {
  struct TCase {
    std::int64_t a, b;
    const char* text;
  };
  const TCase cases[] = {{0, 0, "0"},      {2, 3, "3eps+2"}, {-1, 1, "eps-1"}, {0, -1, "-eps"},
                         {5, 0, "5"},      {0, -2, "-2eps"}, {-7, 0, "-7"},    {3, -1, "-eps+3"},
                         {-4, -5, "-5eps-4"}};
  for (const TCase& c : cases) EXPECT_EQ(TEpsilonNumber(c.a, c.b).ToText(), c.text);
}

}  // namespace
