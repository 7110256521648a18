#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "foundation/comment_rules.h"
#include "foundation/text_reader.h"
#include "foundation/text_scanners.h"

namespace {

std::string Blanked(std::string text) {
  BlankOutComments(text.data());
  return text;
}

TEST(CommentRules, BlankingKeepsPositionsAndLineBreaks) {
  struct TCase {
    const char* text;
    const char* blanked;
  } cases[] = {
      {"a % b\r\nc", "a    \r\nc"},           // line comment up to the line end
      {"a % b\nc % d", "a    \nc    "},
      {"x %% y %% z", "x         z"},         // a block inside one line
      {"x %% y\r\n z %%w", "x            w"},  // a block across lines, breaks included
      {"keep %% unclosed\nrest", "keep                 "},
      {"%%%", "   "},                          // the close search starts at the third "%"
      {"%%%%after", "    after"},
      {"100%", "100 "},
      {"no comment", "no comment"},
      {"", ""},
  };
  for (const TCase& c : cases) {
    std::string out = Blanked(c.text);
    EXPECT_EQ(out, c.blanked) << c.text;
    EXPECT_EQ(out.size(), std::string(c.text).size());
  }
}

TEST(CommentRules, MarkersAndSkipping) {
  const char* text = "ab %x\n%% y %%  % z\n  q";
  EXPECT_EQ(IsCommentStart(text, 3, 0), 1);
  EXPECT_EQ(IsCommentStart(text, 3, 2), 0);
  EXPECT_EQ(IsCommentStart(text, 6, 2), 1);
  EXPECT_EQ(IsCommentStart(text, 0, 1), 0);

  std::size_t position = 3;
  EXPECT_EQ(SkipComment(text, position), 1);
  EXPECT_EQ(position, 5u);  // stops at the LF
  position = 0;
  EXPECT_EQ(SkipComment(text, position), 0);
  EXPECT_EQ(position, 0u);

  position = 5;  // LF, a block, blanks, a line comment, LF and blanks
  EXPECT_EQ(SkipBlanksAndCommentsAt(text, position), 16u);
  EXPECT_EQ(text[position], 'q');

  const char* cursor = text + 2;
  SkipBlanksAndComments(text, cursor);
  EXPECT_EQ(*cursor, 'q');
}

TEST(CommentRules, CollapseWhitespace) {
  struct TCase {
    const char* text;
    const char* collapsed;
  } cases[] = {
      {"  a \t b  ", "a b"},
      {"   \t\r\n ", ""},
      {"one\r\ntwo\v\vthree", "one two three"},
      {"x", "x"},
  };
  for (const TCase& c : cases) {
    std::string inPlace = c.text;
    CollapseWhitespace(inPlace.data(), nullptr);
    EXPECT_STREQ(inPlace.c_str(), c.collapsed) << c.text;
    std::string copy(std::string(c.text).size() + 1, '#');
    CollapseWhitespace(copy.data(), c.text);
    EXPECT_STREQ(copy.c_str(), c.collapsed) << c.text;
  }
}

TEST(TextScanners, ParseInteger) {
  struct TCase {
    const char* text;
    TIntegerScan status;
    int value;
    int endOffset;  // where end stands after the call (-1: untouched)
  } cases[] = {
      {"abc", TIntegerScan::NoNumber, 0, -1},
      {"-0", TIntegerScan::Ok, 0, 2},
      {"  +12x", TIntegerScan::Ok, 12, 5},
      {"\r\n\t7", TIntegerScan::Ok, 7, 4},
      {"+", TIntegerScan::NoNumber, 0, -1},
      {"- 5", TIntegerScan::NoNumber, 0, -1},
      {"2147483647", TIntegerScan::Ok, INT_MAX, 10},
      {"-2147483648", TIntegerScan::Ok, INT_MIN, 11},
      {"2147483648", TIntegerScan::OutOfRange, 0, 10},
      {"-2147483649 ", TIntegerScan::OutOfRange, 0, 11},
      {"99999999999999999999999999,", TIntegerScan::OutOfRange, 0, 26},
  };
  for (const TCase& c : cases) {
    int value = -77;
    const char* end = nullptr;
    EXPECT_EQ(ParseIntegerChecked(value, end, c.text), c.status) << c.text;
    if (c.status == TIntegerScan::Ok) EXPECT_EQ(value, c.value) << c.text;
    else EXPECT_EQ(value, -77) << c.text;
    if (c.endOffset < 0) EXPECT_EQ(end, nullptr) << c.text;
    else EXPECT_EQ(end, c.text + c.endOffset) << c.text;

    // The plain form: 1 only for a number in range, and nothing written otherwise.
    value = -77;
    end = nullptr;
    int ok = ParseInteger(value, end, c.text);
    EXPECT_EQ(ok, c.status == TIntegerScan::Ok ? 1 : 0) << c.text;
    if (ok == 0) {
      EXPECT_EQ(value, -77) << c.text;
      EXPECT_EQ(end, nullptr) << c.text;
    }
  }
}

TEST(TextScanners, ParseQuadruple) {
  struct TCase {
    const char* text;
    int ok;
    int values[4];
    char after;
  } cases[] = {
      {"(1, 0, 0, 1)", 1, {1, 0, 0, 1}, '\0'},
      {"(1 0 0 1)x", 1, {1, 0, 0, 1}, 'x'},
      {"  (1, 0), (0, 1) rest", 1, {1, 0, 0, 1}, ' '},
      {"(1,2)(3,4)", 1, {1, 2, 3, 4}, '\0'},
      {"(-3,+2,7,-1 )", 1, {-3, 2, 7, -1}, '\0'},
      {"(1,2,3)", 0, {}, 0},
      {"1,2,3,4)", 0, {}, 0},
      {"(1,2,3,4", 0, {}, 0},
      {"(1,2),(3,4", 0, {}, 0},
      {"(1,2,3,99999999999)", 0, {}, 0},
  };
  for (const TCase& c : cases) {
    int values[4] = {9, 9, 9, 9};
    const char* end = nullptr;
    ASSERT_EQ(ParseQuadruple(values, end, c.text), c.ok) << c.text;
    if (c.ok == 1) {
      for (int i = 0; i < 4; ++i) EXPECT_EQ(values[i], c.values[i]) << c.text;
      EXPECT_EQ(*end, c.after) << c.text;
    } else {
      for (int v : values) EXPECT_EQ(v, 9) << c.text;
      EXPECT_EQ(end, nullptr) << c.text;
    }
  }
}

TEST(TextScanners, KeywordsAndNamedIntegers) {
  const char* end = nullptr;
  const char* text = "Hee gaard \t(1)";
  EXPECT_EQ(MatchKeywordIgnoringBlanks("heegaard", text, end), 1);
  EXPECT_EQ(*end, '(');
  EXPECT_EQ(MatchKeywordIgnoringBlanks("heegaards", text, end), 0);
  EXPECT_EQ(MatchKeywordIgnoringBlanks("", text, end), 0);
  EXPECT_EQ(MatchKeywordIgnoringBlanks("x", "", end), 0);

  int value = -1;
  EXPECT_EQ(FindNamedInteger(value, "reduce", "prog reduce = 1 file", 0), 1);
  EXPECT_EQ(value, 1);
  EXPECT_EQ(FindNamedInteger(value, "reduce", "-reduce:\t2", 1), 1);
  EXPECT_EQ(value, 2);
  value = -1;
  EXPECT_EQ(FindNamedInteger(value, "reduce", "first line\r\nreduce 2", 0), 0);
  EXPECT_EQ(FindNamedInteger(value, "reduce", "first line\nreduce 2", 0), 0);
  EXPECT_EQ(FindNamedInteger(value, "reduce", "reduce\r\n2", 0), 0);  // the number must be on the line
  EXPECT_EQ(FindNamedInteger(value, "reduce", "first line\r\nreduce 3", 1), 1);
  EXPECT_EQ(value, 3);
  EXPECT_EQ(FindNamedInteger(value, "Reduce", "reduce 3", 1), 0);
}

std::vector<std::string> ReadAll(TTextReader& reader) {
  std::vector<std::string> lines;
  reader.Rewind();
  for (char* line = reader.CurrentLine(); line != nullptr; line = reader.NextLine())
    lines.emplace_back(line);
  return lines;
}

TEST(TextReader, LineEnds) {
  using Lines = std::vector<std::string>;
  struct TCase {
    const char* text;
    Lines lines;
  } cases[] = {
      {"one\r\ntwo\rthree\nfour", {"one", "two", "three", "four"}},
      {"last line has a break\r\n", {"last line has a break"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\n\nb\n", {"a", "", "b"}},
      {"\nfirst empty", {"", "first empty"}},
      {"", {}},
  };
  TTextReader reader;
  for (const TCase& c : cases) {
    reader.Attach(c.text);
    EXPECT_EQ(ReadAll(reader), c.lines) << c.text;
    EXPECT_EQ(reader.NextLine(), nullptr);
  }
}

TEST(TextReader, PreviousLine) {
  TTextReader reader;
  const char* texts[] = {"one\r\ntwo\r\n\r\nfour", "one\ntwo\n\nfour", "\ntwo"};
  for (const char* text : texts) {
    reader.Attach(text);
    std::vector<std::string> forward = ReadAll(reader);
    // Walk back from the last line to the first: the same lines, reversed.
    reader.Rewind();
    for (std::size_t i = 1; i < forward.size(); ++i) reader.NextLine();
    std::vector<std::string> backward{reader.Line()};
    while (char* line = reader.PreviousLine()) backward.emplace_back(line);
    std::vector<std::string> reversed(forward.rbegin(), forward.rend());
    EXPECT_EQ(backward, reversed) << text;
  }
  reader.Attach("first\r\nsecond");
  EXPECT_STREQ(reader.CurrentLine(), "first");
  EXPECT_EQ(reader.PreviousLine(), nullptr);
}

TEST(TextReader, LinesLongerThanTheInitialBufferAreReadWhole) {
  std::string longLine(100000, 'x');
  std::string text = "short\r\n" + longLine + "\r\nend";
  TTextReader reader;
  reader.Attach(text.c_str());
  EXPECT_EQ(ReadAll(reader), (std::vector<std::string>{"short", longLine, "end"}));
  EXPECT_EQ(reader.PreviousLine(), longLine);
}

TEST(TextReader, CursorRestoreAndStaleLengthStayInsideTheText) {
  const char* text = "a long first line\nb";
  TTextReader reader;
  reader.Attach(text);
  reader.CurrentLine();  // measures 17 characters
  const char* saved = reader.GetCursor();
  reader.SetCursor(text + 18);  // the short last line
  EXPECT_STREQ(reader.Line(), "b");
  EXPECT_EQ(reader.NextLine(), nullptr);
  EXPECT_EQ(*reader.GetCursor(), '\0');
  reader.SetCursor(saved);
  EXPECT_STREQ(reader.Line(), "a long first line");
  reader.Detach();
  EXPECT_EQ(reader.CurrentLine(), nullptr);
  EXPECT_EQ(reader.NextLine(), nullptr);
}

}  // namespace
