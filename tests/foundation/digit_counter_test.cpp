#include "foundation/digit_counter.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "foundation/arrangement_counter.h"

namespace {

template <typename TCounter>
std::string Digits(const TCounter& c) {
  std::string text;
  for (std::uint8_t d : c.Digits()) text += static_cast<char>('0' + d);
  return text;
}

TEST(TDigitCounter, BinaryCounterOfLengthThree) {
  std::optional<TDigitCounter> c = TDigitCounter::Create(2, 3);
  ASSERT_TRUE(c);
  std::vector<std::string> seen = {Digits(*c)};
  int changed = 0;
  while (c->Next(2, &changed)) seen.push_back(Digits(*c));
  EXPECT_EQ(seen, (std::vector<std::string>{"000", "001", "010", "011", "100", "101", "110",
                                            "111"}));
  EXPECT_EQ(changed, -1);
  EXPECT_EQ(Digits(*c), "111");
}

TEST(TDigitCounter, VisitsAllStatesInOrder) {
  for (int radix = 1; radix <= 4; ++radix) {
    for (int length = 1; length <= 4; ++length) {
      std::uint64_t total = 0;
      std::optional<TDigitCounter> c = TDigitCounter::Create(radix, length, &total);
      ASSERT_TRUE(c);
      std::uint64_t count = 1;
      std::string previous = Digits(*c);
      int changed = 0;
      while (c->Next(length - 1, &changed)) {
        ASSERT_LT(previous, Digits(*c));
        // Everything right of the raised digit was reset.
        for (int i = changed + 1; i < length; ++i) ASSERT_EQ(c->Digit(i), 0);
        previous = Digits(*c);
        ++count;
      }
      std::uint64_t expected = 1;
      for (int i = 0; i < length; ++i) expected *= static_cast<std::uint64_t>(radix);
      EXPECT_EQ(count, expected) << radix << "^" << length;
      EXPECT_EQ(total, expected);
    }
  }
}

TEST(TDigitCounter, NextFromAPositionSkipsThePrefix) {
  std::optional<TDigitCounter> c = TDigitCounter::Create(2, 3);
  c->SetDigit(1, 1);  // 010
  int changed = 0;
  ASSERT_TRUE(c->Next(0, &changed));
  EXPECT_EQ(Digits(*c), "100");
  EXPECT_EQ(changed, 0);
  c->SetDigit(2, 1);  // 101
  ASSERT_TRUE(c->Next(1, &changed));
  EXPECT_EQ(Digits(*c), "110");
  EXPECT_EQ(changed, 1);
  c->Fill(1);
  EXPECT_FALSE(c->Next(0, &changed));
  EXPECT_EQ(changed, -1);
  c->Fill(0);
  EXPECT_TRUE(c->Next(99, &changed)) << "a position past the end is the last";
  EXPECT_EQ(changed, 2);
  EXPECT_FALSE(c->Next(-1, &changed));
}

TEST(TDigitCounter, CreateAndAccessors) {
  EXPECT_FALSE(TDigitCounter::Create(256, 2));
  EXPECT_FALSE(TDigitCounter::Create(0, 2));
  EXPECT_FALSE(TDigitCounter::Create(3, 0));
  std::uint64_t total = 0;
  ASSERT_TRUE(TDigitCounter::Create(255, 9, &total));
  EXPECT_EQ(total, UINT64_MAX) << "255^9 does not fit and is saturated";
  ASSERT_TRUE(TDigitCounter::Create(255, 8, &total));
  EXPECT_EQ(total, 17878103347812890625u);

  std::optional<TDigitCounter> c = TDigitCounter::Create(5, 4);
  c->SetDigit(1, 3);
  c->SetDigit(3, 2);
  c->SetDigit(4, 9);  // beyond the length: ignored
  EXPECT_EQ(Digits(*c), "0302");
  EXPECT_EQ(c->Digit(4), 0xFF);
  EXPECT_EQ(c->Digit(-1), 0xFF);
  EXPECT_EQ(c->CountNonZero(), 2);
  EXPECT_EQ(c->MaxDigit(), 3);

  TDigitCounter copy = c->Clone();
  EXPECT_EQ(c->Compare(copy), 2);
  copy.SetDigit(2, 1);
  EXPECT_EQ(c->Compare(copy), 1);
  EXPECT_EQ(copy.Compare(*c), 3);
  std::optional<TDigitCounter> other_length = TDigitCounter::Create(5, 3);
  EXPECT_EQ(c->Compare(*other_length), 0);
  EXPECT_FALSE(c->CopyInto(*other_length));
  EXPECT_TRUE(c->CopyInto(copy));
  EXPECT_EQ(c->Compare(copy), 2);
}

TEST(TArrangementCounter, VisitsAllArrangementsInOrder) {
  EXPECT_FALSE(TArrangementCounter::Create(1, 0));
  EXPECT_FALSE(TArrangementCounter::Create(3, 3));
  EXPECT_FALSE(TArrangementCounter::Create(256, 2));
  for (int radix = 2; radix <= 6; ++radix) {
    for (int length = 1; length < radix; ++length) {
      std::optional<TArrangementCounter> c = TArrangementCounter::Create(radix, length);
      ASSERT_TRUE(c);
      std::set<std::string> seen = {Digits(*c)};
      std::string previous = Digits(*c);
      while (c->Next(length - 1)) {
        const std::string now = Digits(*c);
        ASSERT_LT(previous, now);
        ASSERT_EQ(std::set<char>(now.begin(), now.end()).size(), now.size()) << now;
        seen.insert(now);
        previous = now;
      }
      std::size_t expected = 1;  // radix! / (radix - length)!
      for (int k = radix - length + 1; k <= radix; ++k) expected *= static_cast<std::size_t>(k);
      EXPECT_EQ(seen.size(), expected) << radix << " " << length;
    }
  }
}

TEST(TArrangementCounter, NextFromAPositionSkipsThePrefix) {
  std::optional<TArrangementCounter> c = TArrangementCounter::Create(4, 3);  // 012
  int changed = 0;
  ASSERT_TRUE(c->Next(0, &changed));
  EXPECT_EQ(Digits(*c), "102");
  EXPECT_EQ(changed, 0);
  ASSERT_TRUE(c->Next(1, &changed));
  EXPECT_EQ(Digits(*c), "120");
  ASSERT_TRUE(c->Next(2, &changed));
  EXPECT_EQ(Digits(*c), "123");
  ASSERT_TRUE(c->Next(2, &changed));
  EXPECT_EQ(Digits(*c), "130");
  EXPECT_EQ(changed, 1);
}

}  // namespace
