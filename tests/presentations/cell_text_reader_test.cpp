#include "presentations/cells/cell_text_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TReadResult {
  int cells = 0;
  std::vector<std::vector<int>> words;
  std::vector<std::string> names;
  int namesUsed = 0;
  TCellTextFailure failure;
};

TReadResult Read(std::string_view text, bool suppressNames = false, bool keepNames = true) {
  TCellTextReader reader;
  TReadResult result;
  result.cells = reader.Read(text, suppressNames, keepNames);
  for (const TCellTextWord& word : reader.Words()) {
    result.words.push_back(word.passages);
    result.names.push_back(word.name);
  }
  result.namesUsed = reader.NamesUsed();
  result.failure = reader.Failure();
  return result;
}

using Words = std::vector<std::vector<int>>;

TEST(CellTextReader, ThreeStylesReadTheSameWord) {
  for (const char* text : {"a = { 1, -2, 3 }", "a: 1 -2 3", "{1 -2 3}"}) {
    SCOPED_TRACE(text);
    TReadResult r = Read(text);
    ASSERT_EQ(r.cells, 1);
    EXPECT_EQ(r.words, (Words{{1, -2, 3}}));
  }
  EXPECT_EQ(Read("a = { 1, -2, 3 }").names[0], "a");
  EXPECT_EQ(Read("a: 1 -2 3").names[0], "a");
  EXPECT_EQ(Read("{1 -2 3}").names[0], "");
  EXPECT_EQ(Read("{1 -2 3}").namesUsed, 0);
  EXPECT_EQ(Read("a: 1 -2 3").namesUsed, 1);
}

TEST(CellTextReader, EntriesOfEachStyle) {
  struct TCase {
    const char* text;
    Words words;
    std::vector<std::string> names;
  };
  const TCase cases[] = {
      {"1 2 3\n-1 -2 -3", {{1, 2, 3}, {-1, -2, -3}}, {"", ""}},
      {"1 2 3\r\n-1 -2 -3\r\n", {{1, 2, 3}, {-1, -2, -3}}, {"", ""}},
      {"{1 2} {-2 -1}", {{1, 2}, {-2, -1}}, {"", ""}},
      {"a = {1 2} b = {3}", {{1, 2}, {3}}, {"a", "b"}},
      {"{1 2} b = {3}", {{1, 2}, {3}}, {"", "b"}},
      {"a = {1,\n 2,\n -3}\nb = {3}", {{1, 2, -3}, {3}}, {"a", "b"}},
      {"a =\n{1 2}", {{1, 2}}, {"a"}},
      {"cell one : 1 2", {{1, 2}}, {"cell one"}},
      {"x = {1 -2}  \t", {{1, -2}}, {"x"}},
      {"{1 2 3", {{1, 2, 3}}, {""}},
      {"--1 +-2", {{-1, 2}}, {""}},  // the sign is the first character's
      {"  \n\n 7 \n", {{7}}, {""}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text);
    TReadResult r = Read(c.text);
    ASSERT_EQ(r.cells, static_cast<int>(c.words.size())) << r.failure.messageId;
    EXPECT_EQ(r.words, c.words);
    EXPECT_EQ(r.names, c.names);
  }
}

// An unbraced line ends at its line end even when a brace follows on a later
// line: no line may vanish into another entry or its name.
TEST(CellTextReader, UnbracedLineBeforeBracedEntryStaysItsOwnCell) {
  TReadResult r = Read("1 2 3\nx = {4 5}\n");
  ASSERT_EQ(r.cells, 2);
  EXPECT_EQ(r.words, (Words{{1, 2, 3}, {4, 5}}));
  EXPECT_EQ(r.names, (std::vector<std::string>{"", "x"}));

  r = Read("a: 1 2\nb = {3}");
  ASSERT_EQ(r.cells, 2);
  EXPECT_EQ(r.names, (std::vector<std::string>{"a", "b"}));
}

TEST(CellTextReader, EdgeNumbering) {
  TReadResult r = Read("x = {e, -f}\ny = {f, -e}");
  ASSERT_EQ(r.cells, 2);
  EXPECT_EQ(r.words, (Words{{1, -2}, {2, -1}}));
  EXPECT_EQ(r.namesUsed, 1);

  r = Read("5 7\n-7 -5");
  EXPECT_EQ(r.words, (Words{{5, 7}, {-7, -5}}));
  EXPECT_EQ(r.namesUsed, 0);

  // "0" is a name: it takes the first free number, and the plain 1 that
  // follows finds its number held.
  r = Read("0 1");
  EXPECT_EQ(r.words, (Words{{1, 2}}));
  EXPECT_EQ(r.namesUsed, 1);

  // A number already held by a named edge moves to the next free number.
  TCellTextReader reader;
  ASSERT_EQ(reader.Read("x 1 2", false, true), 1);
  EXPECT_EQ(reader.Words()[0].passages, (std::vector<int>{1, 2, 3}));
  ASSERT_NE(reader.Edges().NameOf(2), nullptr);
  EXPECT_EQ(*reader.Edges().NameOf(2), "1");
  EXPECT_EQ(*reader.Edges().NameOf(3), "2");

  // "#3" is a name when names are read, and the number 3 when they are not.
  r = Read("#3 -#4");
  EXPECT_EQ(r.words, (Words{{1, -2}}));
  r = Read("#3 -#4", true);
  EXPECT_EQ(r.words, (Words{{3, -4}}));
}

TEST(CellTextReader, SuppressedNames) {
  TReadResult r = Read("a b", true);
  EXPECT_EQ(r.cells, 0);
  EXPECT_EQ(r.failure.messageId, 0);  // silent
  r = Read("c = {1 2}", true);
  ASSERT_EQ(r.cells, 1);
  EXPECT_EQ(r.names[0], "");
  EXPECT_EQ(r.namesUsed, 0);
  // Quiet runs drop cell names but still read named edges.
  r = Read("c = {e 2}", false, false);
  ASSERT_EQ(r.cells, 1);
  EXPECT_EQ(r.names[0], "");
  EXPECT_EQ(r.namesUsed, 1);
}

TEST(CellTextReader, Failures) {
  const std::string name63(63, 'n');
  const std::string name64(64, 'n');
  struct TCase {
    std::string text;
    int messageId;
    std::string quoted;
  };
  const TCase cases[] = {
      {name64 + " = {1 2}", 354, name63},
      {name63 + " = {1 2}", -1, ""},
      {"{1 , : 2}", 355, ": 2}"},
      {"{, 1}", 355, ", 1}"},
      {"{}", 355, "}"},
      {"a:", 355, "a:"},
      {"1 2\nb = ", 355, "b = "},
      {"1 " + std::string(64, 'e'), 356, std::string(63, 'e')},
      {"1 " + std::string(63, 'e'), -1, ""},
      {"1 1000000000", 91401, "1000000000"},
      {"1 99999999999999999999999999", 91401, "99999999999999999999999999"},
      {"1 999999999", -1, ""},
      {"", 0, ""},
      {" \r\n\t", 0, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text);
    TReadResult r = Read(c.text);
    if (c.messageId < 0) {
      EXPECT_GT(r.cells, 0);
      continue;
    }
    EXPECT_EQ(r.cells, 0);
    EXPECT_TRUE(r.words.empty());
    EXPECT_EQ(r.failure.messageId, c.messageId);
    EXPECT_EQ(r.failure.text, c.quoted);
  }
}

TEST(CellTextReader, ArbitraryBytesNeverCrash) {
  // Every byte value, and runs of separators, in every position.
  std::string junk;
  for (int i = 1; i < 256; ++i) junk += static_cast<char>(i);
  for (std::size_t cut = 0; cut < junk.size(); cut += 7) {
    TReadResult r = Read(junk.substr(cut) + junk.substr(0, cut));
    (void)r;
  }
  unsigned seed = 12345;
  const std::string alphabet = "{}=:,-+# \t\r\n0123456789ab";
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    for (int i = 0; i < 40; ++i) {
      seed = seed * 1103515245u + 12345u;
      text += alphabet[(seed >> 16) % alphabet.size()];
    }
    TReadResult r = Read(text);
    for (const auto& word : r.words) {
      EXPECT_FALSE(word.empty());
      for (int n : word) EXPECT_NE(n, 0);
    }
  }
}

}  // namespace
