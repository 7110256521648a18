// Extended Heegaard diagrams: reader, twists, tests, normal form and the
// meridian move.
#include <gtest/gtest.h>

#include <string>

#include "foundation/output.h"
#include "presentations/heegaard/ext_heegaard_diagram.h"
#include "presentations/heegaard/heegaard_text_support.h"

namespace {

std::string Numbers(const TExtHeegaardDiagram& x) {
  TOutput output;
  PrintExtHeegaardParameters(output, x);
  return output.Text();
}

TExtHeegaardDiagram Ext(long long a0, long long a1, long long a2, long long b0, long long b1,
                        long long b2) {
  TExtHeegaardDiagram x;
  x.Set(a0, a1, a2, b0, b1, b2);
  return x;
}

struct TExtReadCase {
  const char* text;
  int ok;
  const char* numbers;  // on success
  int messageId;        // on failure
  const char* token;
};

TEST(ExtHeegaardReader, TableOfTexts) {
  const TExtReadCase cases[] = {
      {"extheegaard 3 3 3 2 2 2", 1, "3 3 3 2 2 2", 0, ""},
      {"ExtHeegaard\t5 3 1\r\n 2 4 0 % twists", 1, "5 3 1 2 4 0", 0, ""},
      {"extheegaard 3 3 3 +2 2 2", 1, "3 3 3 2 2 2", 0, ""},
      {"extheegaard 007 1 1 0 0 0", 1, "7 1 1 0 0 0", 0, ""},
      // 16 characters are refused; 17 pass the length test.
      {"extheegaard 1 2 ", 0, "", kExtHeegaardTextTooShort, "extheegaard"},
      {"extheegaard 1 2 3", 0, "", kExtHeegaardNumberExpected, "end of text"},
      // A signed zero is no number; a letter ends a number and fails the next.
      {"extheegaard 3 3 3 -0 2 2", 0, "", kExtHeegaardNumberExpected, "-0"},
      {"extheegaard 3 3 3x 2 2 2", 0, "", kExtHeegaardNumberExpected, "x"},
      // A run of digits and signs is one number: "3-1" reads 3.
      {"extheegaard 3-1 3 3 2 2 2", 1, "3 3 3 2 2 2", 0, ""},
      // Numbers beyond what a diagram can sensibly hold are refused.
      {"extheegaard 70000 3 3 2 2 2", 0, "", kExtHeegaardNumberOutOfRange, "70000"},
      {"extheegaard 3 3 3 2 2 99999999999", 0, "", kExtHeegaardNumberOutOfRange, "99999999999"},
      // Negative counts are kept for the builder to judge.
      {"extheegaard -1 3 3 2 2 2", 1, "-1 3 3 2 2 2", 0, ""},
  };
  for (const TExtReadCase& c : cases) {
    TExtHeegaardDiagram x = Ext(9, 9, 9, 1, 1, 1);
    THeegaardReadError error;
    const char* end = nullptr;
    ASSERT_EQ(x.Parse(c.text, end, &error), c.ok) << c.text;
    if (c.ok == 1) {
      EXPECT_EQ(Numbers(x), c.numbers) << c.text;
    } else {
      EXPECT_EQ(error.messageId, c.messageId) << c.text;
      EXPECT_EQ(error.token, c.token) << c.text;
      EXPECT_EQ(Numbers(x), "9 9 9 1 1 1") << "a failed read keeps the record: " << c.text;
    }
  }
}

TEST(ExtHeegaardReader, RecognisesItsKeywordOnly) {
  EXPECT_EQ(IsExtHeegaardText("extheegaard 1 1 1 0 0 0"), 1);
  EXPECT_EQ(IsExtHeegaardText(" %% block %% EXTHEEGAARD"), 1);
  EXPECT_EQ(IsExtHeegaardText("heegaard 0 1 1 0 0 0"), 0);
  const char* text = "extheegaard 3 3 3 2 2 2 trailing";
  TExtHeegaardDiagram x;
  const char* end = nullptr;
  ASSERT_EQ(x.Parse(text, end), 1);
  EXPECT_STREQ(end, " trailing");
}

TEST(ExtHeegaardDiagram, NegativeTwistsWrap) {
  // S(0) = A(1) + A(2) = 5.
  TExtHeegaardDiagram x = Ext(1, 2, 3, -2, 0, 0);
  EXPECT_EQ(x.B(0), 3);
  x.SetB(0, -5);
  EXPECT_EQ(x.B(0), 0);
  x.SetB(0, 7);  // non-negative values are stored unreduced
  EXPECT_EQ(x.B(0), 7);
  EXPECT_EQ(x.A(3), -1);
  EXPECT_EQ(x.B(3), 0);
  EXPECT_EQ(x.Complexity(), 6);
}

TEST(ExtHeegaardDiagram, RegularReducibleThirdSmall) {
  EXPECT_EQ(Ext(3, 3, 3, 2, 2, 2).IsRegular(), 1);
  EXPECT_EQ(Ext(3, 3, 3, 2, 1, 2).IsRegular(), 0);  // a twist of the counts' parity
  EXPECT_EQ(Ext(3, 3, 3, 6, 2, 2).IsRegular(), 0);  // a twist not below S(0)
  EXPECT_EQ(Ext(3, 3, 0, 2, 2, 2).IsRegular(), 0);  // a family without arcs
  EXPECT_EQ(Ext(4, 1, 3, 0, 0, 0).IsReducible(), 1);
  EXPECT_EQ(Ext(4, 2, 2, 0, 1, 0).IsReducible(), 1);
  EXPECT_EQ(Ext(5, 5, 3, 2, 2, 2).IsReducible(), 0);
  EXPECT_EQ(Ext(7, 5, 3, 0, 0, 4).IsThirdSmall(), 1);
  EXPECT_EQ(Ext(7, 5, 3, 0, 0, 2).IsThirdSmall(), 0);
}

TEST(ExtHeegaardDiagram, NormalForm) {
  struct TCase {
    TExtHeegaardDiagram source;
    const char* normal;
  };
  const TCase cases[] = {
      // Sorted by arc count, each twist carried with its family.
      {Ext(1, 2, 3, 1, 2, 1), "3 2 1 1 2 1"},
      // Equal families order their twists increasingly.
      {Ext(3, 3, 3, 2, 1, 0), "3 3 3 0 1 2"},
      // Twists are reduced.
      {Ext(3, 3, 3, 8, 7, 1), "3 3 3 1 1 2"},
      // Two twists above half their modulus mirror every non-zero twist.
      {Ext(3, 3, 3, 5, 4, 0), "3 3 3 0 1 2"},
  };
  for (const TCase& c : cases) {
    TExtHeegaardDiagram x = c.source;
    x.Normalize();
    EXPECT_EQ(Numbers(x), c.normal) << Numbers(c.source);
    TExtHeegaardDiagram again = x;
    again.Normalize();
    EXPECT_EQ(again.Equals(x), 1) << "idempotent: " << Numbers(x);
  }
}

TEST(ExtHeegaardDiagram, OrderAndEquality) {
  const TExtHeegaardDiagram x = Ext(3, 3, 3, 0, 1, 2);
  const TExtHeegaardDiagram y = Ext(3, 3, 3, 0, 2, 2);
  EXPECT_EQ(x.Equals(x), 1);
  EXPECT_EQ(x.NotEqual(y), 1);
  EXPECT_EQ(TExtHeegaardDiagram::LessOrEqual(x, y), 1);
  EXPECT_EQ(TExtHeegaardDiagram::LessOrEqual(y, x), 0);
  EXPECT_EQ(TExtHeegaardDiagram::GreaterOrEqual(y, x), 1);
  EXPECT_EQ(TExtHeegaardDiagram::GreaterOrEqual(x, x), 1);
}

TEST(ExtHeegaardMeridianMove, NeedsATwistAndGivesANormalForm) {
  const TExtHeegaardDiagram x = Ext(5, 3, 1, 2, 2, 0);
  EXPECT_FALSE(ExtMeridianMove(x, 2).has_value());  // B(2) = 0
  EXPECT_FALSE(ExtMeridianMove(x, 3).has_value());
  for (int i = 0; i < 2; ++i) {
    const auto moved = ExtMeridianMove(x, i);
    ASSERT_TRUE(moved.has_value());
    TExtHeegaardDiagram again = *moved;
    again.Normalize();
    EXPECT_EQ(again.Equals(*moved), 1);
  }
}

}  // namespace
