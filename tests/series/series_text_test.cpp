// The series text: header lines, the kind of series, list lines and the
// items of a listed file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "series/series_text.h"

namespace {

TEST(SeriesHeader, ReadsTheThreeLinesInOrderAndPointsAtTheSeries) {
  const std::string text = "\r\n BinaryTableLoad=a.bin\r\nBinaryTableSave b.bin  \nBinaryTableAutoSave=60\r\nlist.txt 1\r\n";
  const TSeriesHeader h = ReadSeriesHeader(text);
  EXPECT_TRUE(h.error.empty()) << h.error;
  EXPECT_EQ(h.loadName, "a.bin");
  EXPECT_EQ(h.saveName, "b.bin");  // trailing blanks are no part of a name
  EXPECT_EQ(h.autoSaveSeconds, 60);
  EXPECT_EQ(text.substr(h.cursor), "list.txt 1\r\n");
}

TEST(SeriesHeader, KeywordsAreCaseSensitiveAndOrdered) {
  // Out of order: the save line ends the header, the load line is series text.
  const TSeriesHeader h = ReadSeriesHeader("BinaryTableSave=b\nBinaryTableLoad=a\n");
  EXPECT_TRUE(h.hasSave);
  EXPECT_FALSE(h.hasLoad);
  EXPECT_EQ(ReadSeriesHeader("binarytableload=a\n").hasLoad, false);
  EXPECT_EQ(ReadSeriesHeader("list.txt\n").autoSaveSeconds, -1);
}

TEST(SeriesHeader, RefusesNamesWithBlanksEmptyNamesAndBadSeconds) {
  struct Case {
    const char* text;
    const char* inError;
  };
  const std::vector<Case> cases = {
      {"BinaryTableSave=my table.bin\n", "'my table.bin'"},
      {"BinaryTableLoad=\n", "BinaryTableLoad names no file"},
      {"BinaryTableAutoSave=soon\n", "'soon'"},
      {"BinaryTableAutoSave=99999999999\n", "'99999999999' is too large"},
  };
  for (const Case& c : cases) {
    const TSeriesHeader h = ReadSeriesHeader(c.text);
    EXPECT_NE(h.error.find(c.inError), std::string::npos) << c.text << " -> " << h.error;
  }
}

TEST(SeriesKind, DetectsEachKindInTheGivenOrder) {
  struct Case {
    const char* text;
    int kind;
  };
  const std::vector<Case> cases = {
      {"extheegaard 3 3 1 2 2 2\n", kSeriesExtHeegaard},
      {"heegaard 0 5 1 0 2 0\n", kSeriesHeegaard},
      {"abc*bca*cab\nbca*cab*abc\n", kSeriesCrystallization},
      {"ab*ba\n", kSeriesGraphCode},
      {"LinkTable\n", kSeriesLinkTable},
      {"linktable\n", kSeriesFileList},  // the prefixes are case-sensitive
      {"link code 1 -2 3 -1 2 -3 end\n", kSeriesFraming},
      {"baaaabn\n", kSeriesDehydrated},
      {"\r\n  cPcbbbiht\ncPcbbbdxm\n", kSeriesIsoSignature},
      {"KnotTable 3\n", kSeriesKnotTable},
      {"Graphs\n", kSeriesGraphs},
      {"spines.txt 1 - 5\n", kSeriesFileList},
      {"", kSeriesFileList},
  };
  for (const Case& c : cases) EXPECT_EQ(DetectSeriesKind(c.text), c.kind) << c.text;
}

TEST(SeriesListLine, ReadsFirstLastAndRest) {
  struct Case {
    const char* line;
    long first;
    long last;
    const char* rest;
  };
  const std::vector<Case> cases = {
      {"a.txt", 0, 0, ""},
      {"a.txt 5", 5, 5, ""},
      {"a.txt 5 - 9", 5, 9, ""},
      {"a.txt 5-9", 5, 9, ""},
      {"a.txt 5 >", 5, 0, ""},
      {"a.txt 5 - 0", 5, 0, ""},
      {"a.txt 5 - 3", 5, 0, ""},  // a last below the first: to the end
      {"a.txt 3 7 2", 3, 3, "7 2"},
      {"  a.txt\t 2  >  6 % the rest is a comment", 2, 0, "6"},
  };
  for (const Case& c : cases) {
    const TSeriesListLine l = ParseSeriesListLine(c.line);
    EXPECT_FALSE(l.empty) << c.line;
    EXPECT_TRUE(l.error.empty()) << c.line << ": " << l.error;
    EXPECT_EQ(l.name, "a.txt") << c.line;
    EXPECT_EQ(l.first, c.first) << c.line;
    EXPECT_EQ(l.last, c.last) << c.line;
    EXPECT_EQ(l.rest, c.rest) << c.line;
  }
}

TEST(SeriesListLine, CommentLinesAreEmptyAndBadLinesSayWhy) {
  EXPECT_TRUE(ParseSeriesListLine("   % only a comment").empty);
  EXPECT_TRUE(ParseSeriesListLine("").empty);
  const TSeriesListLine blank = ParseSeriesListLine("my spines.txt 3");
  EXPECT_NE(blank.error.find("'my spines.txt 3'"), std::string::npos) << blank.error;
  EXPECT_NE(blank.error.find("blanks"), std::string::npos);
  const TSeriesListLine huge = ParseSeriesListLine("a.txt 1 - 3000000000");
  EXPECT_NE(huge.error.find("'3000000000'"), std::string::npos) << huge.error;
}

// A number with a minus sign is no item number: refused, naming the word
// and the line, wherever it stands (never read as a range or the whole file).
TEST(SeriesListLine, NegativeItemNumbersAreRefused) {
  struct Case {
    const char* line;
    const char* word;
  };
  for (const Case& c : {Case{"f 1 -5", "-5"}, Case{"f -3", "-3"}, Case{"f 3 7 -2", "-2"}, Case{"f 5 - -9", "-9"},
                        Case{"f 2 >  -10 % a comment", "-10"}}) {
    const TSeriesListLine l = ParseSeriesListLine(c.line);
    EXPECT_FALSE(l.empty) << c.line;
    EXPECT_NE(l.error.find("'" + std::string(c.word) + "'"), std::string::npos) << c.line << ": " << l.error;
    EXPECT_NE(l.error.find("'f "), std::string::npos) << c.line << ": " << l.error;
  }
  // The dash of a range, with or without blanks, is no sign.
  for (const char* line : {"f 1 - 5", "f 1-5", "f 1 --5"}) {
    const TSeriesListLine l = ParseSeriesListLine(line);
    EXPECT_TRUE(l.error.empty()) << line << ": " << l.error;
    EXPECT_EQ(l.first, 1) << line;
    EXPECT_EQ(l.last, 5) << line;
  }
}

TEST(SeriesListLine, TakesTheRestNumberByNumber) {
  std::string rest = "7 2";
  long n = 0;
  ASSERT_TRUE(TakeRestNumber(rest, n));
  EXPECT_EQ(n, 7);
  ASSERT_TRUE(TakeRestNumber(rest, n));
  EXPECT_EQ(n, 2);
  EXPECT_FALSE(TakeRestNumber(rest, n));
}

TEST(SeriesItems, NumberedRunsAreItemsAndOtherLinesSeparateThem) {
  const std::string text =
      "Spine one\r\n1 2 -1 -2\r\n1\r\n2\r\n\r\n%%\r\n5 5 5\r\n%%\r\n"
      "Spine two\n1 1\n-1\nend of file\n";
  TSeriesItemReader reader(text);
  std::string item;
  ASSERT_TRUE(reader.ReadItem(&item));
  // The heading before the item is kept as a comment of it.
  EXPECT_EQ(item, "% Spine one\r\n1 2 -1 -2\r\n1\r\n2\r\n");
  item.clear();
  ASSERT_TRUE(reader.ReadItem(&item));
  // The blank line and the "%%" block are left out; the block's line is no item.
  EXPECT_EQ(item, "% \r\n% Spine two\r\n1 1\r\n-1\r\n");
  item.clear();
  EXPECT_FALSE(reader.ReadItem(&item));
  reader.Rewind();
  EXPECT_TRUE(reader.ReadItem(nullptr));
}

TEST(SeriesItems, ATriangulationBlockIsOneItemAndTheRestIsBounded) {
  const std::string text = "% a census\r\n\r\nTriangulation\r\n1: 2 3\r\nend\r\n7 7\r\n";
  TSeriesItemReader reader(text);
  std::string item;
  ASSERT_TRUE(reader.ReadItem(&item));
  EXPECT_EQ(item, "Triangulation\r\n1: 2 3\r\nend\r\n");
  item.clear();
  ASSERT_TRUE(reader.ReadItem(&item));
  EXPECT_EQ(item, "7 7\r\n");
  // A last line without a line end, and a block without "end", stay inside
  // the text.
  TSeriesItemReader open("triangulation 1: 2 3");
  item.clear();
  EXPECT_FALSE(open.ReadItem(&item));
  EXPECT_EQ(item, "% triangulation 1: 2 3\r\n");
  TSeriesItemReader whole("  \r\n");
  EXPECT_FALSE(whole.ReadRest(nullptr));
}

}  // namespace
