// Reader of genus-2 Heegaard diagram texts: accepted forms, refusals with
// their messages, and the state a failed read leaves.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>

#include "foundation/output.h"
#include "foundation/status_reporter.h"
#include "presentations/heegaard/heegaard_diagram.h"
#include "presentations/heegaard/heegaard_text_support.h"

namespace {

struct TReadCase {
  const char* text;
  int ok;
  // Expected numbers a, b1, b2, c1, c2, d, shift1, shift2 and kind on success.
  int numbers[8];
  int kind;
  // Expected message id and token on failure.
  int messageId;
  const char* token;
  int line;
};

// Test names show the text, control characters replaced.
void PrintTo(const TReadCase& c, std::ostream* os) {
  for (const char* at = c.text; *at != '\0'; ++at) *os << (*at < ' ' ? '~' : *at);
}

class HeegaardReaderTable : public ::testing::TestWithParam<TReadCase> {};

TEST_P(HeegaardReaderTable, ReadsOrRefuses) {
  const TReadCase& c = GetParam();
  THeegaardDiagram diagram;
  THeegaardReadError error;
  const char* end = nullptr;
  ASSERT_EQ(diagram.ParseText(c.text, end, &error), c.ok) << c.text;
  if (c.ok == 1) {
    const int got[8] = {diagram.A(),  diagram.B1(), diagram.B2(),     diagram.C1(),
                        diagram.C2(), diagram.D(),  diagram.Shift1(), diagram.Shift2()};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(got[i], c.numbers[i]) << c.text << " number " << i;
    EXPECT_EQ(diagram.Kind(), c.kind) << c.text;
    ASSERT_NE(end, nullptr);
    EXPECT_GE(end, c.text);
    EXPECT_LE(end, c.text + std::strlen(c.text));
  } else {
    EXPECT_EQ(error.messageId, c.messageId) << c.text;
    EXPECT_EQ(error.token, c.token) << c.text;
    EXPECT_EQ(error.line, c.line) << c.text;
    EXPECT_EQ(diagram.Kind(), 0) << "a failed read keeps the kind";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HeegaardReaderTable,
    ::testing::Values(
        // The length rule: 19 characters are refused, 20 are read.
        TReadCase{"heegaard1 0 0 1 0 0", 0, {}, 0, kHeegaardTextTooShort, "heegaard1", 1},
        TReadCase{"heegaard 1 0 0 1 0 0", 1, {1, 0, 0, 0, 0, 1, 0, 0}, 1, 0, "", 0},
        // Star form, directly behind the keyword or after a blank.
        TReadCase{"heegaard*1 2 2 1 0 0", 1, {1, 2, 0, 2, 0, 1, 0, 0}, 4, 0, "", 0},
        TReadCase{"heegaard * 1 2 2 1 0 0", 1, {1, 2, 0, 2, 0, 1, 0, 0}, 4, 0, "", 0},
        TReadCase{"heegaard 1 2 2 1 0 0", 1, {1, 2, 0, 2, 0, 1, 0, 0}, 1, 0, "", 0},
        // Pairs: a bare number, both members, comma and parenthesis optional.
        TReadCase{"heegaard 1 3 0 0 0 0", 1, {1, 3, 0, 0, 0, 0, 0, 0}, 1, 0, "", 0},
        TReadCase{"heegaard 1 (3,4) 0 0 0 0", 1, {1, 3, 4, 0, 0, 0, 0, 0}, 1, 0, "", 0},
        TReadCase{"heegaard 1 (3 4 0 0 0 0", 1, {1, 3, 4, 0, 0, 0, 0, 0}, 1, 0, "", 0},
        TReadCase{"heegaard 1 (3) 0 0 0 0", 0, {}, 0, kHeegaardNumberExpected, ")", 1},
        // Keyword case is free; comments are blanks.
        TReadCase{"HEEGAARD 0 1 1 0 0 0", 1, {0, 1, 0, 1, 0, 0, 0, 0}, 1, 0, "", 0},
        TReadCase{"Heegaard 0 1 % one\r\n 1 0 0 0", 1, {0, 1, 0, 1, 0, 0, 0, 0}, 1, 0, "", 0},
        // Shifts are reduced modulo the ends per disc: N1 = 5, -1 is 4.
        TReadCase{"heegaard 1 4 0 0 -1 0", 1, {1, 4, 0, 0, 0, 0, 4, 0}, 1, 0, "", 0},
        TReadCase{"heegaard 1 4 0 0 12 7", 1, {1, 4, 0, 0, 0, 0, 2, 0}, 1, 0, "", 0},
        // The reader does not apply the star form's parity rules.
        TReadCase{"heegaard * 2 2 2 1 0 0", 1, {2, 2, 0, 2, 0, 1, 0, 0}, 4, 0, "", 0},
        // Missing and malformed numbers name the token and its line.
        TReadCase{"heegaard 1 2 x 0 0 0", 0, {}, 0, kHeegaardNumberExpected, "x", 1},
        TReadCase{"% a diagram\r\nheegaard 0 1 1 0 y 0", 0, {}, 0, kHeegaardNumberExpected, "y",
                  2},
        TReadCase{"heegaard 0 1 1 0 0      ", 0, {}, 0, kHeegaardNumberExpected, "end of text", 1},
        TReadCase{"heegaard 5                ", 0, {}, 0, kHeegaardNumberExpected,
                  "end of text", 1},
        // Numbers a diagram cannot hold are refused, never wrapped to 16 bits.
        TReadCase{"heegaard 70000 0 0 0 0 0", 0, {}, 0, kHeegaardNumberOutOfRange, "70000", 1},
        TReadCase{"heegaard 65536 0 0 0 0 0", 0, {}, 0, kHeegaardNumberOutOfRange, "65536", 1},
        TReadCase{"heegaard -1 0 0 1 0 0", 0, {}, 0, kHeegaardNumberOutOfRange, "-1", 1},
        TReadCase{"heegaard 1 (2,-3) 0 0 0 0", 0, {}, 0, kHeegaardNumberOutOfRange, "-3", 1},
        TReadCase{"heegaard 1 2 99999999999 0 0 0", 0, {}, 0, kHeegaardNumberOutOfRange,
                  "99999999999", 1},
        TReadCase{"heegaard 40000 30000 0 0 0 0", 0, {}, 0, kHeegaardTooManyEnds, "40000", 1},
        TReadCase{"heegaard 0 0 1 0 70000 0", 0, {}, 0, kHeegaardNumberOutOfRange, "70000", 1},
        TReadCase{"heegaard 65535 0 0 0 0 0", 1, {65535, 0, 0, 0, 0, 0, 0, 0}, 1, 0, "", 0},
        // Invalid combinations of inner arcs.
        TReadCase{"heegaard 0 (1,1) 1 0 0 0", 0, {}, 0, kHeegaardInvalid, "0", 1}));

TEST(HeegaardReader, RecognisesTheKeywordOnly) {
  EXPECT_EQ(IsHeegaardText("heegaard 0 1 1 0 0 0"), 1);
  EXPECT_EQ(IsHeegaardText("  % note\r\n\tHeEgAaRd"), 1);
  EXPECT_EQ(IsHeegaardText("heegaardX"), 1);  // a prefix test
  EXPECT_EQ(IsHeegaardText("extheegaard 1 2 3 0 0 0"), 0);
  EXPECT_EQ(IsHeegaardText("heega"), 0);
  EXPECT_EQ(IsHeegaardText(""), 0);
  EXPECT_EQ(IsHeegaardText(nullptr), 0);
}

TEST(HeegaardReader, EndPointsBehindTheLastNumberAndTheRestIsIgnored) {
  const char* text = "heegaard 0 3 1 0 2 0 and more";
  THeegaardDiagram diagram;
  const char* end = nullptr;
  ASSERT_EQ(diagram.ParseText(text, end), 1);
  EXPECT_STREQ(end, " and more");
  const char* cursor = text;
  ASSERT_EQ(diagram.ParseParameters(cursor), 1);
  EXPECT_EQ(cursor, end);
}

TEST(HeegaardReader, InvalidDiagramKeepsTheNumbersReadButNotTheKind) {
  THeegaardDiagram diagram;
  const char* end = nullptr;
  ASSERT_EQ(diagram.ParseText("heegaard 0 (1,1) 1 0 0 0", end), 0);
  EXPECT_EQ(diagram.B1(), 1);
  EXPECT_EQ(diagram.B2(), 1);
  EXPECT_EQ(diagram.C1(), 1);
  EXPECT_EQ(diagram.Kind(), 0);
}

TEST(HeegaardReader, RangeRefusalLeavesTheDiagramAsItWas) {
  THeegaardDiagram diagram;
  ASSERT_TRUE(diagram.SetFromFour(1, 2, 3, 0, 1, 2));
  diagram.BuildArcTable(1);
  const char* end = nullptr;
  ASSERT_EQ(diagram.ParseText("heegaard 1 2 3 70000 0 0", end), 0);
  EXPECT_EQ(diagram.D(), 0);
  EXPECT_EQ(diagram.Shift2(), 2);
  EXPECT_NE(diagram.CurveArray(), nullptr);
}

TEST(HeegaardReader, ErrorReportNamesLineAndToken) {
  THeegaardReadError error;
  THeegaardDiagram diagram;
  const char* end = nullptr;
  ASSERT_EQ(diagram.ParseText("%\nheegaard 0 1 1 0 q 0", end, &error), 0);
  ReportHeegaardReadError(error);
  TString last;
  GetLastStatusText(last);
  EXPECT_STREQ(last.CStr(), "Heegaard diagram, line 2: a number is expected at \"q\"");
}

TEST(HeegaardPrinter, WritesPairsInParenthesesOnlyWithInnerArcs) {
  THeegaardDiagram diagram;
  ASSERT_TRUE(diagram.SetFromSix(3, 2, 1, 0, 0, 1, 4, 2));
  TOutput output;
  PrintHeegaardParameters(output, diagram);
  EXPECT_STREQ(output.Text(), "3 (2,1) 0 1 4 2");
  ASSERT_TRUE(diagram.SetFromFour(0, 5, 1, 0, 2, 0));
  TOutput plain;
  PrintHeegaardParameters(plain, diagram);
  EXPECT_STREQ(plain.Text(), "0 5 1 0 2 0");
}

}  // namespace
