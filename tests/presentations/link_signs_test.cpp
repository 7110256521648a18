// Crossing signs computed from Gauss codes, checked against known writhes and
// linking numbers (which do not depend on the mirror image chosen) and
// against the planarity of the diagram they describe.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/message_box.h"
#include "foundation/status_reporter.h"
#include "presentations/links/link.h"
#include "presentations/links/link_cell_words.h"
#include "presentations/links/link_crossing.h"

namespace {

int Writhe(const TLink& link) { return link.SignSum(1); }

TEST(LinkSignsTest, KnotsHaveTheirKnownWrithes) {
  struct Case {
    const char* text;
    int absoluteWrithe;
  };
  const Case cases[] = {
      {"link code 1 -1 end", 1},                        // one kink
      {"link code 1 -2 3 -1 2 -3 end", 3},              // trefoil
      {"link dowkercode 4 6 2 end", 3},                 // trefoil
      {"link dowkercode 4 6 8 2 end", 0},               // figure eight (amphichiral)
      {"link code 1 -4 2 -1 3 -2 4 -3 end", 0},         // figure eight
      {"link dowkercode 6 8 10 2 4 end", 5},            // 5_1
      {"link dowkercode 4 8 10 2 12 6 end", 0},         // 6_3 (amphichiral)
      {"link dowkercode 8 10 12 14 2 4 6 end", 7},      // 7_1
  };
  for (const Case& c : cases) {
    TLink link;
    ASSERT_EQ(link.Parse(c.text, kLinkParseOrdinary), 1) << c.text;
    EXPECT_EQ(link.CrossingSign(1), 1) << c.text;  // the mirror image is fixed so
    EXPECT_EQ(std::abs(Writhe(link)), c.absoluteWrithe) << c.text;
    EXPECT_EQ(link.SignSum(2), Writhe(link)) << c.text;  // a knot crosses only itself
    EXPECT_EQ(link.SignSum(3), 0) << c.text;
    EXPECT_EQ(link.ComponentWrithe(0), Writhe(link)) << c.text;
    EXPECT_EQ(link.SignsAreAmbiguous(), 0) << c.text;
  }
  // The torus knots' diagrams have all crossings of one sign.
  TLink trefoil;
  ASSERT_EQ(trefoil.Parse("link code 1 -2 3 -1 2 -3 end", kLinkParseOrdinary), 1);
  EXPECT_EQ(trefoil.CrossingSign(2), trefoil.CrossingSign(1));
  EXPECT_EQ(trefoil.CrossingSign(3), trefoil.CrossingSign(1));
  EXPECT_EQ(trefoil.CrossingSign(0), 0);
  EXPECT_EQ(trefoil.CrossingSign(4), 0);
}

TEST(LinkSignsTest, LinksHaveTheirKnownLinkingNumbers) {
  struct Case {
    const char* text;
    std::vector<int> absoluteLinking;  // per pair of components (0,1), (0,2), (1,2)
  };
  const Case cases[] = {
      {"link code 1 -2 code 2 -1 end", {1}},                                         // Hopf link
      {"link code 1 -2 3 -4 code -1 2 -3 4 end", {2}},                               // T(2,4)
      {"link code 1 -5 2 -6 code -1 3 -2 4 code -3 5 -4 6 end", {0, 0, 0}},          // Borromean rings
      {"link code 1 -2 3 -4 code -3 5 -1 2 -5 4 end", {0}},                          // Whitehead link
  };
  for (const Case& c : cases) {
    TLink link;
    ASSERT_EQ(link.Parse(c.text, kLinkParseOrdinary), 1) << c.text;
    std::size_t pair = 0;
    for (int i = 0; i < link.ComponentCount(); ++i) {
      for (int j = i + 1; j < link.ComponentCount(); ++j) {
        int sum = 0;
        for (int x = 1; x <= link.CrossingCount(); ++x) {
          int a = 0;
          int b = 0;
          int first = 0;
          int second = 0;
          a = link.FindPassages(i, x, first, second, 0);
          b = link.FindPassages(j, x, first, second, 0);
          if (a == 1 && b == 1) sum += link.CrossingSign(x);
        }
        ASSERT_LT(pair, c.absoluteLinking.size());
        EXPECT_EQ(std::abs(sum) / 2, c.absoluteLinking[pair]) << c.text;
        EXPECT_EQ(sum % 2, 0) << c.text;
        ++pair;
      }
    }
    // Mixed crossings are those of type 3; the writhe splits into the two kinds.
    EXPECT_EQ(link.SignSum(2) + link.SignSum(3), link.SignSum(1)) << c.text;
  }
}

TEST(LinkSignsTest, CompositeDiagramsWarnThatTheirSignsAreAChoice) {
  ClearMessageBoxLog();
  // Granny or square knot: the code does not say which.
  TLink composite;
  ASSERT_EQ(composite.Parse("link code 1 -2 3 -1 2 -3 4 -5 6 -4 5 -6 end", kLinkParseOrdinary), 1);
  EXPECT_EQ(composite.SignsAreAmbiguous(), 1);
  TString status;
  GetLastStatusText(status);
  EXPECT_NE(std::string(status.CStr()).find("composite"), std::string::npos);
  EXPECT_TRUE(MessageBoxLog().empty());  // a warning, not an error box

  // Given signs settle it.
  TLink square;
  ASSERT_EQ(square.Parse("link code 1 -2 3 -1 2 -3 4 -5 6 -4 5 -6 signs 1 1 1 -1 -1 -1 end",
                         kLinkParseOrdinary),
            1);
  EXPECT_EQ(square.SignsAreAmbiguous(), 0);
  EXPECT_EQ(square.SignSum(1), 0);

  // A kink next to a prime knot is no choice: flipping it keeps the knot.
  TLink kinked;
  ASSERT_EQ(kinked.Parse("link code 1 -2 3 -1 2 -3 4 -4 end", kLinkParseOrdinary), 1);
  EXPECT_EQ(kinked.SignsAreAmbiguous(), 0);
}

TEST(LinkSignsTest, CodesThatCannotBeDrawnInThePlaneAreRefused) {
  struct Case {
    const char* text;
    unsigned status;
  };
  const Case cases[] = {
      {"link code 1 -1 code 2 -2 end", 24},        // two separate kinks
      {"link code 1 -2 -1 2 end", 25},             // Gauss's parity condition fails
      {"link code 1 -3 -2 -1 2 3 end", 25},
      {"link code -3 -2 2 code -1 1 3 end", 26},   // two curves crossing once
  };
  for (const Case& c : cases) {
    TLink link;
    EXPECT_EQ(link.Parse(c.text, kLinkParseOrdinary), 0) << c.text;
    EXPECT_EQ(link.Status(), c.status) << c.text;
  }
}

// Every code the sign computation accepts describes a planar diagram: its
// regions, traced from the signs, number n + 2, and every edge of the
// exterior spine lies on exactly three cells.
TEST(LinkSignsTest, AcceptedCodesTraceAPlaneDiagram) {
  auto check = [](const std::string& text, int& accepted) {
    TLink link;
    if (link.Parse(text.c_str(), kLinkParseOrdinary) == 0) {
      unsigned s = link.Status();
      EXPECT_TRUE(s == 19 || s == 20 || s == 24 || s == 25 || s == 26) << text << " " << s;
      return;
    }
    ++accepted;
    std::vector<TCrossing> records;
    BuildLinkRecords(link, records);
    std::vector<TLinkWord> cells;
    LinkOverCellWords(link, cells);
    LinkUnderCellWords(link, cells);
    LinkCrossingCellWords(link, cells);
    std::vector<TLinkWord> regions;
    ASSERT_EQ(TraceLinkRegions(link, records, regions), 1) << text;
    EXPECT_EQ(static_cast<int>(regions.size()), link.CrossingCount() + 2) << text;
    std::vector<int> valency(static_cast<std::size_t>(link.EdgeCount()) + 1, 0);
    for (const auto* family : {&cells, &regions}) {
      for (const TLinkWord& word : *family) {
        for (const TLinkPassage& p : word) ++valency[static_cast<std::size_t>(p.edge)];
      }
    }
    for (int e = 1; e <= link.EdgeCount(); ++e) EXPECT_EQ(valency[static_cast<std::size_t>(e)], 3) << text;
  };
  ClearMessageBoxLog();
  SuppressStatus();
  int accepted = 0;
  for (int n = 1; n <= 4; ++n) {
    std::vector<int> values;
    for (int x = 1; x <= n; ++x) {
      values.push_back(-x);
      values.push_back(x);
    }
    std::sort(values.begin(), values.end());
    do {
      if (values[0] != 1) continue;
      std::string code;
      for (int v : values) code += " " + std::to_string(v);
      check("link code" + code + " end", accepted);
      if (n <= 3) {
        for (std::size_t split = 2; split + 2 <= values.size(); ++split) {
          std::string a;
          std::string b;
          for (std::size_t i = 0; i < values.size(); ++i) (i < split ? a : b) += " " + std::to_string(values[i]);
          check("link code" + a + " code" + b + " end", accepted);
        }
      }
    } while (std::next_permutation(values.begin(), values.end()));
  }
  UnsuppressStatus();
  ClearMessageBoxLog();
  EXPECT_GT(accepted, 20);
}

}  // namespace
