#include "presentations/crystallizations/crystallization_code.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::vector<int>> Rows(const TIntMatrix& m) {
  std::vector<std::vector<int>> rows;
  for (std::uint32_t r = 0; r < m.Rows(); ++r) rows.emplace_back(m.Row(r), m.Row(r) + m.RowLength(r));
  return rows;
}

TEST(CrystallizationCode, RecognisesThreePermutationWords) {
  struct TCase {
    std::string text;
    int accepted;
  } cases[] = {
      {"abc*bca*cab", 1},
      {"a*a*a", 1},
      {"abc*bca", 0},          // length 7 is not 2 mod 3
      {"abc*bcd*cab", 0},      // d lies beyond the first three letters
      {"aab*bca*cab", 0},      // a repeated letter
      {"ab c * b c a * c a b", 1},
      {"\tab\tc*bca*cab\t", 1},
      {"ABC*BCA*CAB", 0},      // lower case only
      {"abc*bca*cab*", 0},
      {"abc**bca*ca", 0},      // the separators must stand at n and 2n + 1
      {"ab*cbca*cab", 0},
      {"*a*", 0},              // length 3 is not over 4
      {"abc-bca-cab", 0},
      {"", 0},
      {"   \r\n\t ", 0},
      {"% only a comment\r\n", 0},
      {"% the code follows\r\n\r\n  badc*cdab*dcba\r\nthe rest is not read", 1},
      {"%% a block\r\n comment %% a*a*a", 1},
      {"a*a*a % comment after the code", 1},
      {"a*a*a\r\nabc", 1},     // later lines do not matter
      {"abc\r\na*a*a", 0},     // only the first non-blank line is read
      {"abcdefghijklmnopqrstuvwxyz*zyxwvutsrqponmlkjihgfedcba*abcdefghijklmnopqrstuvwxyz", 1},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(IsCrystallizationText(c.text.c_str()), c.accepted) << '"' << c.text << '"';
  }
  EXPECT_EQ(IsCrystallizationText(nullptr), 0);
}

TEST(CrystallizationCode, ReadsTheGraphAndLeavesItAloneOnFailure) {
  TIntMatrix graph;
  ASSERT_EQ(IsCrystallizationText("ba dc * cdab*dcba", &graph), 1);
  EXPECT_EQ(Rows(graph), (std::vector<std::vector<int>>{{1, 0, 3, 2}, {2, 3, 0, 1}, {3, 2, 1, 0}}));
  EXPECT_EQ(CrystallizationCodeText(graph), "badc*cdab*dcba");

  TIntMatrix untouched(1, 1);
  untouched.Row(0)[0] = 7;
  EXPECT_EQ(IsCrystallizationText("aab*bca*cab", &untouched), 0);
  EXPECT_EQ(untouched.Row(0)[0], 7);
}

TEST(CrystallizationCode, OverlongLinesAreNoCode) {
  const std::string code = "abc*bca*cab";
  const std::string fits = code + std::string(kMaxCodeLineLength - code.size(), ' ');
  EXPECT_EQ(IsCrystallizationText(fits.c_str()), 1);
  // Blanks that push the line over the limit do not make a cut-off code.
  EXPECT_EQ(IsCrystallizationText((fits + " junk").c_str()), 0);
  EXPECT_EQ(ReadGraphCodeLine((std::string("ab*ba") + std::string(2000, ' ')).c_str()), 0);
}

TEST(GraphCode, RecognisesTwoPermutationWords) {
  struct TCase {
    const char* text;
    int accepted;
  } cases[] = {
      {"ab*ba", 1}, {"a*a", 1},    {"b a c * c a b", 1}, {"*", 0},   {"ab*b", 0},
      {"ab*bb", 0}, {"ab*bc", 0},  {"ab*ba*ab", 0},      {"ab+ba", 0}, {"", 0},
      {"%x\nab*ba", 1},
  };
  for (const TCase& c : cases) EXPECT_EQ(ReadGraphCodeLine(c.text), c.accepted) << c.text;
}

TEST(GraphCode, HandsBackTheGraphAndTheEndOfItsLine) {
  const char* text = "\r\n  cab * bca  \r\nab*ba\n";
  TIntMatrix graph;
  const char* next = nullptr;
  ASSERT_EQ(ReadGraphCodeLine(text, &graph, &next), 1);
  EXPECT_EQ(Rows(graph), (std::vector<std::vector<int>>{{2, 0, 1}, {1, 2, 0}}));
  EXPECT_EQ(next, text + 15);
  ASSERT_EQ(ReadGraphCodeLine(next, &graph, &next), 1);
  EXPECT_EQ(CrystallizationCodeText(graph), "ab*ba");
  EXPECT_EQ(*next, '\n');
  EXPECT_EQ(ReadGraphCodeLine(next, &graph, &next), 0);
}

TEST(CrystallizationCode, AdjacencyJoinsEvenToOddVerticesAndConvertsBack) {
  TIntMatrix graph;
  ASSERT_EQ(IsCrystallizationText("acdb*badc*dbac", &graph), 1);
  const TIntMatrix adjacency = CodeAdjacency(graph);
  ASSERT_EQ(adjacency.Rows(), 4u);
  ASSERT_EQ(adjacency.Columns(), 8u);
  for (std::uint32_t c = 0; c < 4; ++c) {
    for (std::int32_t v = 0; v < 8; ++v) {
      const std::int32_t w = adjacency.Row(c)[v];
      EXPECT_EQ(adjacency.Row(c)[w], v) << "colour " << c << " is an involution";
      EXPECT_NE(v % 2, w % 2) << "colour " << c << " joins the two classes";
    }
  }
  EXPECT_EQ(adjacency.Row(0)[4], 5);
  EXPECT_EQ(adjacency.Row(1)[2], 5);  // word 0, letter 1 is "c": 2 -> 2*2+1
  EXPECT_EQ(adjacency.Row(3)[6], 5);  // word 2, letter 3 is "c"
  EXPECT_EQ(AdjacencyCode(adjacency), graph);
}

TEST(CrystallizationCode, FindCodeLineCountsLines) {
  TCodeLine line;
  ASSERT_TRUE(FindCodeLine("% first\r\n\r\n%% block\r\nstill %%\n\r  a * a*a  \r\n", line));
  EXPECT_EQ(line.code, "a*a*a");
  EXPECT_EQ(line.lineNumber, 6u);
  EXPECT_FALSE(FindCodeLine("%% never closed\r\na*a*a", line));
}

}  // namespace
