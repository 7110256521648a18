#include "foundation/checked_int64.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

enum class TOp { kAdd, kSubtract, kMultiply, kDivide };

struct TCheckedCase {
  TOp op;
  std::int64_t a;
  std::int64_t b;
  std::optional<std::int64_t> value;  // the result, or nothing when it throws
  std::int32_t code = 0;               // the code of the exception
};

constexpr std::int64_t kMax = INT64_MAX;
constexpr std::int64_t kMin = INT64_MIN;
constexpr std::int64_t k2to62 = std::int64_t{1} << 62;

const TCheckedCase kCheckedCases[] = {
    {TOp::kAdd, kMax, 1, std::nullopt, 54},
    {TOp::kAdd, 1, kMax, std::nullopt, 54},
    {TOp::kAdd, kMin, -1, std::nullopt, 59},
    {TOp::kAdd, kMin, kMin, std::nullopt, 59},
    {TOp::kAdd, kMax, kMin, -1},
    {TOp::kAdd, kMax, 0, kMax},
    {TOp::kAdd, -k2to62, -k2to62, kMin},
    {TOp::kSubtract, 0, kMin, std::nullopt, 77},
    {TOp::kSubtract, kMax, -1, std::nullopt, 77},
    {TOp::kSubtract, kMin, 1, std::nullopt, 72},
    {TOp::kSubtract, -2, kMax, std::nullopt, 72},
    {TOp::kSubtract, -1, kMax, kMin},
    {TOp::kSubtract, -5, 3, -8},
    {TOp::kSubtract, 5, -3, 8},
    {TOp::kSubtract, kMax, kMax, 0},
    {TOp::kMultiply, k2to62, 2, std::nullopt, 88},
    {TOp::kMultiply, -k2to62, 2, std::nullopt, 88},  // INT64_MIN is refused as a product
    {TOp::kMultiply, kMin, 1, std::nullopt, 88},
    {TOp::kMultiply, kMin, -1, std::nullopt, 88},
    {TOp::kMultiply, std::int64_t{1} << 31, std::int64_t{1} << 31, k2to62},
    {TOp::kMultiply, 3037000499, 3037000499, 9223372030926249001},
    {TOp::kMultiply, 3037000500, 3037000500, std::nullopt, 88},
    {TOp::kMultiply, -3037000500, 3037000500, std::nullopt, 88},
    {TOp::kMultiply, -3037000500, 3037000499, -9223372033963249500},
    {TOp::kMultiply, kMax, -1, -kMax},
    {TOp::kMultiply, kMax, 0, 0},
    {TOp::kMultiply, 0, kMin, 0},
    {TOp::kDivide, -7, 2, -3},
    {TOp::kDivide, kMin, 2, kMin / 2},
    {TOp::kDivide, 7, 0, std::nullopt, kOverflowDivide},
    {TOp::kDivide, kMin, -1, std::nullopt, kOverflowDivide},
};

TEST(TInt64, CheckedArithmeticAtTheLimits) {
  for (const TCheckedCase& c : kCheckedCases) {
    SCOPED_TRACE(testing::Message() << "op " << static_cast<int>(c.op) << " a " << c.a << " b " << c.b);
    TInt64 left = TInt64::FromLongLong(c.a);
    const TInt64 right = TInt64::FromLongLong(c.b);
    auto run = [&] {
      switch (c.op) {
        case TOp::kAdd: left.Add(right); break;
        case TOp::kSubtract: left.Subtract(right); break;
        case TOp::kMultiply: left.Multiply(right); break;
        case TOp::kDivide: left.Divide(right); break;
      }
    };
    if (c.value) {
      ASSERT_NO_THROW(run());
      EXPECT_EQ(left.ToLongLong(), *c.value);
      continue;
    }
    try {
      run();
      ADD_FAILURE() << "no Out_of_Range";
    } catch (const Out_of_Range& e) {
      EXPECT_EQ(e.code, c.code);
      EXPECT_EQ(e.left.ToLongLong(), c.a);
      EXPECT_EQ(e.right.ToLongLong(), c.b);
    }
    EXPECT_EQ(left.ToLongLong(), c.a) << "the left operand must survive the overflow";
  }
}

TEST(TInt64, ByValueFormsLeaveTheirOperands) {
  const TInt64 a = TInt64::FromInt(-6);
  const TInt64 b = TInt64::FromInt(4);
  EXPECT_EQ(TInt64Sum(a, b).ToLongLong(), -2);
  EXPECT_EQ(TInt64Difference(a, b).ToLongLong(), -10);
  EXPECT_EQ(TInt64Product(a, b).ToLongLong(), -24);
  EXPECT_EQ(TInt64Quotient(a, b).ToLongLong(), -1);
  EXPECT_EQ(a.SubtractInt(-2147483647 - 1).ToLongLong(), 2147483642);
  EXPECT_EQ(TInt64AbsValue(a).ToLongLong(), 6);
  EXPECT_EQ(a.ToLongLong(), -6);
  EXPECT_THROW(TInt64AbsValue(TInt64::Min()), Out_of_Range);
  EXPECT_THROW(TInt64Abs(INT64_MIN), Out_of_Range);
  TInt64 negated;
  TInt64::Max().Negate(negated);
  EXPECT_EQ(negated.ToLongLong(), -INT64_MAX);
  EXPECT_THROW(TInt64::Min().Negate(negated), Out_of_Range);
  EXPECT_THROW(TInt64::Min().SubtractInt(1), Out_of_Range);
}

TEST(TInt64, WordsAndOrder) {
  const TInt64 two_to_32 = TInt64::Construct(0, 1);
  const TInt64 below = TInt64::Construct(0xFFFFFFFFu, 0);
  EXPECT_EQ(two_to_32.ToLongLong(), std::int64_t{1} << 32);
  EXPECT_TRUE(below.LessThan(two_to_32));
  EXPECT_TRUE(two_to_32.GreaterThan(below));
  EXPECT_TRUE(TInt64::FromInt(-1).LessThan(TInt64()));
  EXPECT_TRUE(TInt64::FromInt(-1).LessThanInt(0));
  EXPECT_TRUE(TInt64::Construct(0, INT32_MIN).Equals(TInt64::Min()));
  EXPECT_EQ(TInt64::Max().High(), 0x7FFFFFFF);
  EXPECT_EQ(TInt64::Max().Low(), 0xFFFFFFFFu);
  EXPECT_EQ(TInt64::FromInt(-2).High(), -1);
  EXPECT_EQ(TInt64::FromInt(-2).Low(), 0xFFFFFFFEu);
  EXPECT_TRUE(TInt64::FromInt(-2).EqualsInt(-2));
  EXPECT_TRUE(TInt64::FromInt(5).GreaterThanInt(4));
  EXPECT_TRUE(two_to_32.NotEqualInt(0));
}

TEST(CheckedInt, SmallHelpers) {
  EXPECT_EQ(AbsInt(-7), 7);
  EXPECT_EQ(AbsInt(INT32_MAX), INT32_MAX);
  EXPECT_THROW(AbsInt(INT32_MIN), Out_of_Range);
  EXPECT_EQ(AbsShort(0x18000), 32768);  // the low 16 bits read as -32768
  EXPECT_EQ(AbsShort(0xFFFF), 1);
  EXPECT_EQ(AbsShort(0x10005), 5);
  EXPECT_EQ(AbsDouble(-2.5), 2.5);

  EXPECT_EQ(CheckedIntProduct(-65536, 32768), INT32_MIN);
  EXPECT_THROW(CheckedIntProduct(65536, 32768), Out_of_Range);
  EXPECT_EQ(CheckedIntSum(INT32_MAX, INT32_MIN), -1);
  try {
    CheckedIntSum(INT32_MIN, -1);
    ADD_FAILURE();
  } catch (const Out_of_Range& e) {
    EXPECT_EQ(e.code, 59);
  }
  try {
    CheckedIntDifference(0, INT32_MIN);
    ADD_FAILURE();
  } catch (const Out_of_Range& e) {
    EXPECT_EQ(e.code, 77);
  }
}

}  // namespace
