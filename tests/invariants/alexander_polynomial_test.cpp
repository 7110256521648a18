// The Alexander polynomial by Fox calculus: known values of knots and links,
// invariance under changes of the diagram, split links and the stop flag.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/output.h"
#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "invariants/alexander_polynomial.h"
#include "presentations/links/link.h"

namespace {

std::string Alexander(const std::string& text) {
  TLink link;
  EXPECT_EQ(link.Parse(text.c_str(), kLinkParseAnyPairs), 1) << text << ": " << link.ErrorText().CStr();
  TTwoVariablePolynomial p;
  ComputeAlexanderPolynomial(p, link);
  TOutput out;
  p.Print(out);
  return out.Text();
}

TEST(AlexanderPolynomialTest, KnownValuesOfKnots) {
  struct Case {
    const char* text;
    const char* value;
  };
  const Case cases[] = {
      {"link code 1 -2 3 -1 2 -3 end", "t^{-1}-1+t"},
      {"link signs -1 -1 -1 code -1 2 -3 1 -2 3 end", "t^{-1}-1+t"},  // the mirror image
      {"link dowkercode 4 6 8 2 end", "-t^{-1}+3-t"},
      {"link dowkercode 6 8 10 2 4 end", "t^{-2}-t^{-1}+1-t+t^2"},
      {"link dowkercode 4 8 10 2 6 end", "2t^{-1}-3+2t"},
      {"link code 1 -1 end", "1"},
      {"link code 1 -1 -2 2 end", "1"},
  };
  for (const Case& c : cases) EXPECT_EQ(Alexander(c.text), c.value) << c.text;
}

TEST(AlexanderPolynomialTest, LinksOfTwoComponentsTakeOneVariableEach) {
  struct Case {
    const char* text;
    const char* value;
  };
  const Case cases[] = {
      {"link code 1 -2 code 2 -1 end", "1"},                          // Hopf link
      {"link code 1 -2 3 -4 code -1 2 -3 4 end", "1+uv"},             // torus link T(2,4)
      {"link code 1 -2 3 -4 5 -5 code -1 2 -3 4 end", "1+uv"},        // with a kink
      {"link code 1 2 3 -3 code -1 -2 4 -4 end", "0"},                // one lies on top
  };
  for (const Case& c : cases) EXPECT_EQ(Alexander(c.text), c.value) << c.text;
}

TEST(AlexanderPolynomialTest, ThreeComponentsTakeOneVariable) {
  // A chain of three rings: the connected sum of two Hopf links, (t - 1)^2.
  EXPECT_EQ(Alexander("link code 1 -2 code -1 2 3 -4 code -3 4 end"), "t^{-1}-2+t");
}

TEST(AlexanderPolynomialTest, DiagramsOfOneKnotGiveOnePolynomial) {
  const char* figureEight[] = {
      "link dowkercode 4 6 8 2 end",
      "link code 1 -4 2 -1 3 -2 4 -3 end",
      "link code 1 -4 2 -1 5 -5 3 -2 4 -3 end",
      "link code 1 5 6 -4 2 -1 -5 -6 3 -2 4 -3 end",
  };
  for (const char* text : figureEight) EXPECT_EQ(Alexander(text), "-t^{-1}+3-t") << text;
  // 5_1 as the closed braid sigma^5.
  EXPECT_EQ(Alexander("link code 1 -2 3 -4 5 -1 2 -3 4 -5 end"),
            Alexander("link dowkercode 6 8 10 2 4 end"));
}

TEST(AlexanderPolynomialTest, AnEmptyDiagramIsZero) {
  const TLink empty;
  TTwoVariablePolynomial p;
  p.SetConstant(3);
  ComputeAlexanderPolynomial(p, empty);
  EXPECT_TRUE(p.IsZero());
}

TEST(AlexanderPolynomialTest, StopsOnTheStopFlag) {
  TLink link;
  ASSERT_EQ(link.Parse("link dowkercode 4 6 8 2 end", kLinkParseAnyPairs), 1);
  TTwoVariablePolynomial p;
  p.SetConstant(5);
  RequestStop();
  EXPECT_THROW(ComputeAlexanderPolynomial(p, link), TComputationStopped);
  StopFlags().stop.store(0);
  EXPECT_EQ(p.Coefficient(0, 0), 5);
}

}  // namespace

namespace {

TEST(AlexanderPolynomialTest, AKinkAnywhereChangesNothing) {
  // 5_2; the Alexander polynomial does not see the mirror image either.
  const std::vector<int> code = {1, -4, 2, -1, 3, -5, 4, -2, 5, -3};
  for (std::size_t p = 0; p <= code.size(); ++p) {
    for (int first : {6, -6}) {
      std::string text = "link code";
      for (std::size_t i = 0; i <= code.size(); ++i) {
        if (i == p) text += " " + std::to_string(first) + " " + std::to_string(-first);
        if (i < code.size()) text += " " + std::to_string(code[i]);
      }
      text += " end";
      EXPECT_EQ(Alexander(text), "2t^{-1}-3+2t") << text;
    }
  }
}

}  // namespace
