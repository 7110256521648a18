#include "foundation/rational.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace {

TRational Q(std::int64_t numerator, std::int64_t denominator = 1) {
  return TRational(TInt64::FromLongLong(numerator), TInt64::FromLongLong(denominator));
}

TInt64 I(std::int64_t value) { return TInt64::FromLongLong(value); }

void ExpectParts(const TRational& q, std::int64_t numerator, std::int64_t denominator) {
  EXPECT_EQ(q.Numerator().ToLongLong(), numerator);
  EXPECT_EQ(q.Denominator().ToLongLong(), denominator);
}

TEST(TRational, NormalForm) {
  ExpectParts(Q(6, -4), -3, 2);
  ExpectParts(Q(0, 5), 0, 1);
  ExpectParts(Q(0, -5), 0, 1);
  ExpectParts(Q(-7, 0), 1, 0);
  ExpectParts(Q(-12, -18), 2, 3);
  ExpectParts(Q(INT64_MIN, 2), -(std::int64_t{1} << 62), 1);
  ExpectParts(Q(4, INT64_MIN), -1, std::int64_t{1} << 61);
  ExpectParts(TRational(), 0, 1);
  EXPECT_TRUE(Q(3, 0).IsInfinite());
  EXPECT_THROW(Q(1, INT64_MIN), Out_of_Range);  // 2^63 is no denominator
  TRational absolute = Q(-3, 4);
  absolute.MakeAbsolute();
  ExpectParts(absolute, 3, 4);
}

TEST(TRational, Arithmetic) {
  struct TCase {
    char op;
    TRational a, b;
    std::int64_t numerator, denominator;
  };
  const TCase cases[] = {
      {'+', Q(1, 2), Q(1, 3), 5, 6},       {'-', Q(1, 2), Q(1, 2), 0, 1},
      {'+', Q(0), Q(-4, 7), -4, 7},        {'+', Q(1, 6), Q(1, 6), 1, 3},
      {'+', Q(-1, 6), Q(1, 3), 1, 6},      {'-', Q(1, 4), Q(3, 4), -1, 2},
      {'*', Q(2, 3), Q(0), 0, 1},          {'*', Q(-2, 3), Q(9, 4), -3, 2},
      {'/', Q(2, 3), Q(4, 9), 3, 2},       {'/', Q(2, 3), Q(-4, 9), -3, 2},
      {'/', Q(5, 7), Q(0), 1, 0},          {'/', Q(5, 7), Q(1, 0), 0, 1},
      {'+', Q(1, 0), Q(1, 2), 1, 0},       {'+', Q(1, 2), Q(1, 0), 1, 0},
      {'*', Q(1, 0), Q(-3), 1, 0},
      // Cancellation before multiplication keeps these inside the range.
      {'*', Q(std::int64_t{1} << 62, 3), Q(3, std::int64_t{1} << 62), 1, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.op << " case " << (&c - cases));
    TRational result = c.a;
    switch (c.op) {
      case '+': result = TRationalSum(c.a, c.b); break;
      case '-': result = TRationalDifference(c.a, c.b); break;
      case '*': result = TRationalProduct(c.a, c.b); break;
      case '/': result = TRationalQuotient(c.a, c.b); break;
    }
    ExpectParts(result, c.numerator, c.denominator);
  }
  ExpectParts(TRationalTimesInt64(Q(5, 6), I(-4)), -10, 3);
  TRational q = Q(10, 3);
  q.DivideInt64(I(-4));
  ExpectParts(q, -5, 6);
  q.DivideInt64(I(0));
  ExpectParts(q, 1, 0);
}

TEST(TRational, OverflowLeavesTheValue) {
  TRational big = Q(INT64_MAX);
  EXPECT_THROW(big.Add(Q(1)), Out_of_Range);
  ExpectParts(big, INT64_MAX, 1);
  TRational tiny = Q(1, INT64_MAX);
  EXPECT_THROW(tiny.Multiply(Q(1, 2)), Out_of_Range);
  ExpectParts(tiny, 1, INT64_MAX);
  EXPECT_THROW(tiny.Subtract(Q(1, INT64_MAX - 1)), Out_of_Range);
  ExpectParts(tiny, 1, INT64_MAX);
}

TEST(TRational, Comparisons) {
  // The exact comparison: 5/2 lies above 2, though its truncated quotient
  // is 2.
  EXPECT_TRUE(Q(5, 2).GreaterThanInt64(I(2)));
  EXPECT_FALSE(Q(5, 2).GreaterThanInt64(I(3)));
  EXPECT_TRUE(Q(5, 2).GreaterThanInt64(I(0)));
  EXPECT_TRUE(Q(5, 2).LessThanInt64(I(3)));
  EXPECT_FALSE(Q(5, 2).LessThanInt64(I(2)));
  EXPECT_TRUE(Q(-5, 2).LessThanInt64(I(-2)));
  EXPECT_TRUE(Q(-5, 2).GreaterThanInt64(I(-3)));
  EXPECT_FALSE(Q(4, 2).GreaterThanInt64(I(2)));
  EXPECT_FALSE(Q(4, 2).LessThanInt64(I(2)));
  EXPECT_TRUE(Q(0).LessThanInt64(I(1)));
  EXPECT_TRUE(Q(1, 0).GreaterThanInt64(I(INT64_MAX)));
  EXPECT_FALSE(Q(1, 0).LessThanInt64(I(INT64_MAX)));
  EXPECT_TRUE(Q(INT64_MAX, 2).GreaterThanInt64(I(INT64_MAX / 2)));

  EXPECT_TRUE(Q(1, 0).GreaterOrEqual(Q(INT64_MAX)));
  EXPECT_TRUE(Q(1, 0).GreaterOrEqual(Q(1, 0)));
  EXPECT_FALSE(Q(1, 0).LessOrEqual(Q(2)));
  EXPECT_TRUE(Q(2).LessOrEqual(Q(1, 0)));
  EXPECT_TRUE(Q(1, 0).Greater(Q(2)));
  EXPECT_TRUE(Q(2).Less(Q(1, 0)));
  EXPECT_TRUE(Q(1, 3).Less(Q(1, 2)));
  EXPECT_TRUE(Q(-1, 2).Less(Q(-1, 3)));
  EXPECT_TRUE(Q(2, 4).GreaterOrEqual(Q(1, 2)));
  EXPECT_TRUE(Q(2, 4).LessOrEqual(Q(1, 2)));
  EXPECT_FALSE(Q(2, 4).Greater(Q(1, 2)));
  // Cross products beyond 64 bits are still compared exactly.
  EXPECT_TRUE(Q(INT64_MAX, INT64_MAX - 1).Less(Q(INT64_MAX - 1, INT64_MAX - 2)));
  EXPECT_TRUE(Q(INT64_MAX - 1, INT64_MAX).Greater(Q(INT64_MAX - 2, INT64_MAX - 1)));

  EXPECT_TRUE(Q(6, 3).EqualsInt64(I(2)));
  EXPECT_TRUE(Q(5, 2).NotEqualInt64(I(2)));
  EXPECT_TRUE(Q(-2, -4).Equals(Q(1, 2)));
  EXPECT_TRUE(Q(1, 2).NotEqual(Q(1, 3)));
}

TEST(TRational, ArraysStartAtZero) {
  std::vector<TRational> values = NewRationalArray(3);
  ASSERT_EQ(values.size(), 3u);
  for (const TRational& q : values) ExpectParts(q, 0, 1);
}

TEST(Gcd, GcdInt64) {
  EXPECT_EQ(GcdInt64(I(0), I(-9)).ToLongLong(), 9);
  EXPECT_EQ(GcdInt64(I(0), I(0)).ToLongLong(), 1);
  EXPECT_EQ(GcdInt64(I(-12), I(18)).ToLongLong(), 6);
  EXPECT_EQ(GcdInt64(I(INT64_MIN), I(6)).ToLongLong(), 2);
  EXPECT_THROW(GcdInt64(I(INT64_MIN), I(0)), Out_of_Range);
}

struct TBezoutCase {
  std::int32_t a, b, gcd, p, q;
};

TEST(Gcd, ExtendedGcdCases) {
  const TBezoutCase cases[] = {
      {12, 5, 1, -2, 5},   {5, 12, 1, 5, -2},  {-12, 5, 1, 2, 5},   {6, 3, 3, 0, 1},
      {3, 6, 3, 1, 0},     {0, 0, 1, 0, 0},    {0, -7, 7, 0, -1},   {-4, 0, 4, -1, 0},
      {-5, 5, 5, -1, 0},   {3, -9, 3, 1, 0},   {240, 46, 2, -9, 47}, {-240, 46, 2, 9, 47},
      {240, -46, 2, -9, -47},
  };
  for (const TBezoutCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.a << ", " << c.b);
    std::int32_t p = 99, q = 99;
    EXPECT_EQ(ExtendedGcd(c.a, c.b, &p, &q), c.gcd);
    EXPECT_EQ(p, c.p);
    EXPECT_EQ(q, c.q);
    EXPECT_EQ(ExtendedGcd(c.a, c.b), c.gcd);
    std::int32_t only_q = 99;
    ExtendedGcd(c.a, c.b, nullptr, &only_q);
    EXPECT_EQ(only_q, c.q);
  }
  std::int32_t p, q;
  EXPECT_EQ(ExtendedGcd(INT32_MIN, 6, &p, &q), 2);
  EXPECT_EQ(std::int64_t{INT32_MIN} * p + std::int64_t{6} * q, 2);
  EXPECT_EQ(ExtendedGcd(INT32_MAX, INT32_MAX - 1, &p, &q), 1);
  EXPECT_EQ(std::int64_t{INT32_MAX} * p + std::int64_t{INT32_MAX - 1} * q, 1);
  EXPECT_THROW(ExtendedGcd(INT32_MIN, 0), Out_of_Range);
}

// The Bezout pair read off the alternating sum 1/(r0 r1) - 1/(r1 r2) + ...
// over the Euclidean remainders r0 = big, r1 = small, ..., rn = gcd: u = x r0 rn
// is the coefficient of the smaller operand, v = (gcd - small u) / big that
// of the larger. It coincides with the classical extended algorithm.
void BezoutBySeries(std::int64_t big, std::int64_t small, std::int64_t& u, std::int64_t& v) {
  std::vector<std::int64_t> r = {big, small};
  while (r.back() != 0) r.push_back(r[r.size() - 2] % r.back());
  r.pop_back();
  const std::int64_t gcd = r.back();
  TRational x;
  for (std::size_t i = 0; i + 1 < r.size(); ++i) {
    TRational term = Q(i % 2 == 0 ? 1 : -1, r[i] * r[i + 1]);
    x.Add(term);
  }
  x.MultiplyInt64(I(big * gcd));
  ASSERT_TRUE(x.Denominator().EqualsInt(1));
  u = x.Numerator().ToLongLong();
  v = (gcd - small * u) / big;
}

TEST(Gcd, ExtendedGcdSweepSatisfiesBezout) {
  for (std::int32_t a = -40; a <= 40; ++a) {
    for (std::int32_t b = -40; b <= 40; ++b) {
      std::int32_t p, q;
      const std::int32_t g = ExtendedGcd(a, b, &p, &q);
      const std::int32_t expected = (a == 0 && b == 0) ? 1 : std::gcd(a, b);
      ASSERT_EQ(g, expected) << a << ", " << b;
      if (a == 0 && b == 0) continue;
      ASSERT_EQ(a * p + b * q, g) << a << ", " << b;
      const std::int32_t big = std::max(std::abs(a), std::abs(b));
      const std::int32_t small = std::min(std::abs(a), std::abs(b));
      if (small == 0 || big % small == 0) continue;
      std::int64_t u = 0, v = 0;
      BezoutBySeries(big, small, u, v);
      const bool a_is_big = std::abs(a) >= std::abs(b);
      EXPECT_EQ(p, (a_is_big ? v : u) * (a < 0 ? -1 : 1)) << a << ", " << b;
      EXPECT_EQ(q, (a_is_big ? u : v) * (b < 0 ? -1 : 1)) << a << ", " << b;
    }
  }
}

TEST(Gcd, SubtractiveEuclidSteps) {
  EXPECT_EQ(SubtractiveEuclidSteps(5, 3), 4);  // 5,3 2,3 2,1 1,1 1,0
  EXPECT_EQ(SubtractiveEuclidSteps(-5, 3), 4);
  EXPECT_EQ(SubtractiveEuclidSteps(3, 3), 1);
  EXPECT_EQ(SubtractiveEuclidSteps(6, 3), 2);
  EXPECT_EQ(SubtractiveEuclidSteps(0, 5), 0);
  EXPECT_EQ(SubtractiveEuclidSteps(1000000000000, 1), 1000000000000);
  for (std::int64_t a = 0; a <= 30; ++a) {
    for (std::int64_t b = 0; b <= 30; ++b) {
      std::int64_t x = a, y = b, steps = 0;
      while (x != 0 && y != 0) {
        if (x == y) {
          y = 0;
        } else if (x > y) {
          x -= y;
        } else {
          y -= x;
        }
        ++steps;
      }
      ASSERT_EQ(SubtractiveEuclidSteps(a, b), steps) << a << ", " << b;
    }
  }
}

}  // namespace
