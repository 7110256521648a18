#include "foundation/permutation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/checked_int64.h"
#include "foundation/output.h"

namespace {

TPermutation FromDigits(const std::string& digits) {
  TPermutation p(static_cast<std::uint32_t>(digits.size()));
  for (std::size_t i = 0; i < digits.size(); ++i) {
    p.SetAt(static_cast<std::uint32_t>(i), static_cast<std::uint16_t>(digits[i] - '0'));
  }
  return p;
}

std::string Digits(const TPermutation& p) {
  std::string text;
  for (std::uint16_t v : p.Values()) text += static_cast<char>('0' + v);
  return text;
}

std::vector<std::uint16_t> ToVector(const TPermutation& p) {
  return {p.Values().begin(), p.Values().end()};
}

TEST(TPermutation, NextStepsThroughAllPermutationsOfThree) {
  TPermutation p = TPermutation::Identity(3);
  std::vector<std::string> seen = {Digits(p)};
  while (p.Next(-1)) seen.push_back(Digits(p));
  EXPECT_EQ(seen, (std::vector<std::string>{"012", "021", "102", "120", "201", "210"}));
  EXPECT_EQ(Digits(p), "210") << "the last permutation stays";
}

TEST(TPermutation, NextVisitsAllStatesInLexicographicOrder) {
  for (std::uint32_t n = 1; n <= 7; ++n) {
    TPermutation p(n);
    std::vector<std::uint16_t> expected = ToVector(p);
    std::int64_t count = 1;
    ASSERT_EQ(p.RankOf(), 0);
    while (p.Next(static_cast<int>(n) - 1)) {  // n - 1 is the plain step too
      ASSERT_TRUE(std::next_permutation(expected.begin(), expected.end()));
      ASSERT_EQ(ToVector(p), expected);
      ASSERT_EQ(p.RankOf(), count);
      ++count;
    }
    EXPECT_FALSE(std::next_permutation(expected.begin(), expected.end()));
    std::int64_t factorial = 1;
    for (std::uint32_t k = 2; k <= n; ++k) factorial *= k;
    EXPECT_EQ(count, factorial) << n;
  }
}

TEST(TPermutation, NextSkipsEveryPermutationWithTheSamePrefix) {
  TPermutation p = FromDigits("012");
  ASSERT_TRUE(p.Next(0));
  EXPECT_EQ(Digits(p), "102");
  p = FromDigits("210");
  EXPECT_FALSE(p.Next(0));
  EXPECT_EQ(Digits(p), "210");

  // Against the list of all permutations of 5: Next (a) gives the first
  // later permutation whose first a + 1 values differ.
  std::vector<std::vector<std::uint16_t>> all;
  std::vector<std::uint16_t> v = {0, 1, 2, 3, 4};
  do all.push_back(v);
  while (std::next_permutation(v.begin(), v.end()));
  for (std::size_t i = 0; i < all.size(); ++i) {
    for (int a = 0; a <= 3; ++a) {
      TPermutation q(5);
      ASSERT_TRUE(q.SetValues(all[i]));
      std::size_t j = i + 1;
      while (j < all.size() && std::equal(all[j].begin(), all[j].begin() + a + 1, all[i].begin())) ++j;
      const bool moved = q.Next(a);
      ASSERT_EQ(moved, j < all.size()) << i << " " << a;
      ASSERT_EQ(ToVector(q), moved ? all[j] : all[i]) << i << " " << a;
    }
  }
}

TEST(TPermutation, NextNeedsNoScratchLimit) {
  TPermutation p(1000);
  ASSERT_TRUE(p.Next(0));
  EXPECT_EQ(p.At(0), 1);
  EXPECT_EQ(p.At(1), 0);
  EXPECT_EQ(p.At(2), 2);
  EXPECT_EQ(p.At(999), 999);
  ASSERT_TRUE(p.Next(-1));
  EXPECT_EQ(p.At(998), 999);
  EXPECT_EQ(p.At(999), 998);
}

TEST(TPermutation, SmallCounts) {
  TPermutation one(1);
  EXPECT_FALSE(one.Next(-1));
  TPermutation empty;
  EXPECT_FALSE(empty.Next(-1));
  EXPECT_FALSE(empty.Equals(TPermutation()));
  EXPECT_FALSE(empty.IsIdentity());
  EXPECT_EQ(empty.RankOf(), -1);
  EXPECT_TRUE(one.IsIdentity());
  EXPECT_THROW(TPermutation(TPermutation::kMaxCount + 1), std::length_error);
  // Values that repeat are no permutation, but a step on them stays inside
  // the array and ends.
  TPermutation repeated = FromDigits("1100");
  int steps = 0;
  while (repeated.Next(-1) && steps < 100) ++steps;
  EXPECT_LT(steps, 100);
}

TEST(TPermutation, InverseAndComposition) {
  TPermutation p = FromDigits("120");
  TPermutation inverse;
  ASSERT_TRUE(inverse.SetInverseOf(p));
  EXPECT_EQ(Digits(inverse), "201");
  TPermutation product;
  ASSERT_TRUE(product.Compose(p, inverse));
  EXPECT_TRUE(product.IsIdentity());
  ASSERT_TRUE(product.Compose(inverse, p));
  EXPECT_TRUE(product.IsIdentity());

  // this[i] = p[q[i]]: first q, then p.
  const TPermutation q = FromDigits("021");
  ASSERT_TRUE(product.Compose(p, q));
  EXPECT_EQ(Digits(product), "102");
  TPermutation in_place = p;
  ASSERT_TRUE(in_place.Compose(in_place, q));
  EXPECT_EQ(Digits(in_place), "102");
  EXPECT_FALSE(product.Compose(p, FromDigits("0123")));

  ASSERT_TRUE(p.Invert());
  EXPECT_EQ(Digits(p), "201");
  TPermutation invalid = FromDigits("113");
  EXPECT_FALSE(invalid.Invert());
  EXPECT_EQ(Digits(invalid), "113");
  EXPECT_FALSE(product.Compose(p, invalid)) << "a value of q beyond the count";
  EXPECT_FALSE(inverse.SetInverseOf(TPermutation()));
  EXPECT_EQ(Digits(inverse), "201");
}

TEST(TPermutation, Comparisons) {
  const TPermutation a = FromDigits("021");
  const TPermutation b = FromDigits("102");
  EXPECT_TRUE(a.LessThan(b));
  EXPECT_TRUE(b.GreaterThan(a));
  EXPECT_TRUE(a.LessOrEqual(a));
  EXPECT_TRUE(a.GreaterOrEqual(a));
  EXPECT_TRUE(a.NotEqual(b));
  EXPECT_TRUE(a.Equals(FromDigits("021")));
  const TPermutation longer = FromDigits("0123");
  EXPECT_FALSE(a.LessThan(longer));
  EXPECT_FALSE(longer.GreaterThan(a));
  EXPECT_FALSE(a.NotEqual(longer));
  EXPECT_FALSE(a.GreaterOrEqual(longer));
}

TEST(TPermutation, RankOfLargePermutations) {
  TPermutation reversed(20);
  for (std::uint32_t i = 0; i < 20; ++i) reversed.SetAt(i, static_cast<std::uint16_t>(19 - i));
  EXPECT_EQ(reversed.RankOf(), 2432902008176639999);  // 20! - 1
  TPermutation too_far(21);
  for (std::uint32_t i = 0; i < 21; ++i) too_far.SetAt(i, static_cast<std::uint16_t>(20 - i));
  EXPECT_THROW(too_far.RankOf(), Out_of_Range);
  TPermutation just_after(21);
  ASSERT_TRUE(just_after.Next(-1));
  EXPECT_EQ(just_after.RankOf(), 1);
}

}  // namespace

TEST(Permutation, PrintsEachValueWithABlankInBraces) {
  struct Case {
    TPermutation permutation;
    const char* text;
  };
  TPermutation big(12);
  big.Next(-1);
  const Case cases[] = {
      {TPermutation(), "{ }"},
      {TPermutation(1), "{ 0 }"},
      {FromDigits("201"), "{ 2 0 1 }"},
      {big, "{ 0 1 2 3 4 5 6 7 8 9 11 10 }"},  // numbers, not digits
  };
  for (const Case& c : cases) {
    TOutput output;
    output.AppendText("T=");
    c.permutation.Print(output);
    EXPECT_EQ(std::string(output.Text()), std::string("T=") + c.text);
  }
}
