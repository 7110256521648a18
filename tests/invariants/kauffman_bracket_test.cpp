// The Kauffman bracket of knot and link diagrams: known values, invariance
// under the Reidemeister moves, diagrams on the torus and the stop flag.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/output.h"
#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "invariants/bracket_polynomial.h"
#include "invariants/kauffman_bracket.h"
#include "presentations/links/link.h"

namespace {

template <class TPolynomial>
std::string Text(const TPolynomial& p) {
  TOutput out;
  p.Print(out);
  return out.Text();
}

// The bracket normalised by the self-writhe, as the command's "Unoriented" line.
std::string Bracket(const std::string& text) {
  TLink link;
  EXPECT_EQ(link.Parse(text.c_str(), kLinkParseAnyPairs), 1) << text;
  TLaurentPolynomial p;
  ComputeKauffmanBracket(p, link);
  return Text(p);
}

// The bracket normalised by the whole writhe (the "Standard" line).
std::string Standard(const std::string& text) {
  TLink link;
  EXPECT_EQ(link.Parse(text.c_str(), kLinkParseAnyPairs), 1) << text;
  TLaurentPolynomial p;
  ComputeKauffmanBracket(p, link);
  p.MultiplyByTerm(WritheFactor(link.SignSum(3)));
  return Text(p);
}

TEST(KauffmanBracketTest, KnownValues) {
  struct Case {
    const char* text;
    const char* bracket;
  };
  const Case cases[] = {
      {"link signs 1 1 1 code 1 -2 3 -1 2 -3 end", "-t^{-16}+t^{-12}+t^{-4}"},
      {"link signs -1 -1 -1 code -1 2 -3 1 -2 3 end", "t^4+t^12-t^16"},
      {"link dowkercode 4 6 8 2 end", "t^{-8}-t^{-4}+1-t^4+t^8"},
      {"link code 1 -4 2 -1 3 -2 4 -3 end", "t^{-8}-t^{-4}+1-t^4+t^8"},
      // The unknot with one or two kinks.
      {"link code 1 -1 end", "1"},
      {"link code -1 1 end", "1"},
      {"link code 1 -1 2 -2 end", "1"},
      // Two unknots, one lying on the other: d.
      {"link code 1 2 3 -3 code -1 -2 4 -4 end", "-t^{-2}-t^2"},
  };
  for (const Case& c : cases) EXPECT_EQ(Bracket(c.text), c.bracket) << c.text;
}

TEST(KauffmanBracketTest, LinksCarryTheWritheBetweenComponentsUntilStandardised) {
  EXPECT_EQ(Bracket("link code 1 -2 code 2 -1 end"), "-t^{-4}-t^4");
  const std::string hopf = Standard("link code 1 -2 code 2 -1 end");
  EXPECT_TRUE(hopf == "-t^{-10}-t^{-2}" || hopf == "-t^2-t^10") << hopf;
  // A knot: the two normalisations agree.
  EXPECT_EQ(Standard("link dowkercode 4 6 2 end"), Bracket("link dowkercode 4 6 2 end"));
}

TEST(KauffmanBracketTest, DiagramsOfOneKnotGiveOnePolynomial) {
  // The figure-eight knot (its own mirror image) by its Dowker code, its
  // Gauss code, with a kink (first move, crossing 5), and with the two strands
  // leaving crossing 1 pushed across each other (second move, crossings 5, 6).
  const std::string figureEight = Bracket("link dowkercode 4 6 8 2 end");
  const char* diagrams[] = {
      "link code 1 -4 2 -1 3 -2 4 -3 end",
      "link code 1 -4 2 -1 5 -5 3 -2 4 -3 end",
      "link code 1 5 6 -4 2 -1 -5 -6 3 -2 4 -3 end",
  };
  for (const char* text : diagrams) EXPECT_EQ(Bracket(text), figureEight) << text;
  // The trefoil with a negative kink, and pushed across itself at crossing 1.
  const std::string trefoil = Bracket("link signs 1 1 1 code 1 -2 3 -1 2 -3 end");
  EXPECT_EQ(Bracket("link signs 1 1 1 -1 code 1 -2 3 -1 2 -3 4 -4 end"), trefoil);
  EXPECT_EQ(Bracket("link signs 1 1 1 1 -1 code 1 4 5 -2 3 -1 -4 -5 2 -3 end"), trefoil);
}

TEST(KauffmanBracketTest, ADiscOnTheTorusGivesNoRowsAndOneMoreFactorD) {
  const std::string plane = "link signs 1 1 1 code 1 -2 3 -1 2 -3 end";
  // The strand leaves the square through the left side and comes back at
  // once: the curve stays null-homotopic.
  const std::string torus = "link t^2 signs 1 1 1 code 1 -2 3 -1 2 -3 l2 r2 end";
  TLink link;
  ASSERT_EQ(link.Parse(torus.c_str(), kLinkParseAnyPairs), 1);
  ASSERT_EQ(link.IsOnTorus(), 1);
  TLink planeLink;
  ASSERT_EQ(planeLink.Parse(plane.c_str(), kLinkParseAnyPairs), 1);
  TLaurentPolynomial expected;
  ComputeKauffmanBracket(expected, planeLink);
  TLaurentPolynomial d;
  d.AddTerm({-1, -2});
  d.AddTerm({-1, 2});
  expected.Multiply(d);
  for (int mode : {1, 0}) {
    TBracketPolynomial b(2);
    b.SetHomologyMode(mode);
    ComputeBracketPolynomial(b, link);
    for (int i = 0; i < b.TermCount(); ++i) EXPECT_EQ(b.TermAt(i).ExponentRows(), 0);
    EXPECT_EQ(Text(b), Text(expected));
  }
}

TEST(KauffmanBracketTest, AKnotOnAnEssentialCurveGainsOneFactorZ) {
  // The trefoil tied in a curve that goes once around the torus.
  TLink link;
  ASSERT_EQ(link.Parse("link t^2 signs 1 1 1 code 1 -2 3 -1 2 -3 l1 r1 end", kLinkParseAnyPairs), 1);
  TBracketPolynomial plain(2);
  plain.SetHomologyMode(1);
  ComputeBracketPolynomial(plain, link);
  EXPECT_EQ(Text(plain), "(-t^{-16}+t^{-12}+t^{-4})z");
  TBracketPolynomial classes(2);
  ComputeBracketPolynomial(classes, link);
  EXPECT_EQ(Text(classes), "(-t^{-16}+t^{-12}+t^{-4})z(1,0)");
}

TEST(KauffmanBracketTest, EssentialLoopsOnTheTorusAreRecordedByClass) {
  // A kink on a curve that leaves the square through its left and top sides:
  // in either smoothing one loop is essential.
  TLink link;
  ASSERT_EQ(link.Parse("link t^2 signs 1 code 1 -1 l1 t1 end", kLinkParseAnyPairs), 1)
      << link.ErrorText().CStr();
  TBracketPolynomial plain(2);
  plain.SetHomologyMode(1);
  ComputeBracketPolynomial(plain, link);
  TBracketPolynomial classes(2);
  classes.SetHomologyMode(0);
  ComputeBracketPolynomial(classes, link);
  // Every state has an essential loop, so every term carries z.
  ASSERT_FALSE(plain.IsZero());
  for (int i = 0; i < plain.TermCount(); ++i) EXPECT_GT(plain.TermAt(i).ExponentRows(), 0);
  const std::string withClasses = Text(classes);
  EXPECT_NE(withClasses.find("z("), std::string::npos) << withClasses;
  EXPECT_EQ(Text(plain).find("z("), std::string::npos) << Text(plain);
}

TEST(KauffmanBracketTest, AnEmptyDiagramIsTheZeroPolynomial) {
  // The reader gives no diagram without crossings; an unread link has no
  // component and no loop, and the sum over its one state is empty.
  const TLink empty;
  TLaurentPolynomial p;
  ComputeKauffmanBracket(p, empty);
  EXPECT_EQ(Text(p), "0");
}

TEST(KauffmanBracketTest, TheStateSumStopsOnTheStopFlag) {
  TLink link;
  ASSERT_EQ(link.Parse("link dowkercode 4 6 8 2 end", kLinkParseAnyPairs), 1);
  TLaurentPolynomial p;
  p.SetConstant(7);
  RequestStop();
  EXPECT_THROW(ComputeKauffmanBracket(p, link), TComputationStopped);
  StopFlags().stop.store(0);
  EXPECT_EQ(Text(p), "7");
}

}  // namespace

namespace {

// The code with a kink (crossing k passed over and then under, or under and
// then over) inserted before position p.
std::string WithKink(const std::vector<int>& code, std::size_t p, bool overFirst) {
  const int k = static_cast<int>(code.size() / 2) + 1;
  std::string text = "link code";
  for (std::size_t i = 0; i <= code.size(); ++i) {
    if (i == p) text += overFirst ? " " + std::to_string(k) + " -" + std::to_string(k)
                                  : " -" + std::to_string(k) + " " + std::to_string(k);
    if (i < code.size()) text += " " + std::to_string(code[i]);
  }
  return text + " end";
}

TEST(KauffmanBracketTest, AKinkAnywhereChangesNothing) {
  // The figure-eight knot is its own mirror image, so the bracket is the same
  // whichever signs the reader gives the rest of the diagram.
  const std::vector<int> figureEight = {1, -4, 2, -1, 3, -2, 4, -3};
  const std::string expected = "t^{-8}-t^{-4}+1-t^4+t^8";
  for (std::size_t p = 0; p <= figureEight.size(); ++p) {
    for (bool overFirst : {true, false}) {
      const std::string text = WithKink(figureEight, p, overFirst);
      EXPECT_EQ(Bracket(text), expected) << text;
    }
  }
}

}  // namespace
