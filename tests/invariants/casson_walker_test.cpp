// The Casson-Walker invariant of surgeries on framed knots and two-component
// links: known values, the lens-space term, blowing down a +-1-framed
// meridian, and the refusals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/output.h"
#include "invariants/casson_walker.h"
#include "presentations/links/link.h"

namespace {

struct TResult {
  int computed = 0;
  std::string lambda;  // "num/den", or "" when refused
  std::string report;
};

TResult Lambda(const std::string& text) {
  TLink link;
  EXPECT_EQ(link.Parse(text.c_str(), kLinkParseOrdinary), 1) << text << ": " << link.ErrorText().CStr();
  TRational q;
  TOutput out;
  TResult r;
  r.computed = ComputeCassonWalker(link, q, &out);
  if (r.computed == 1) {
    r.lambda = std::to_string(q.Numerator().ToLongLong()) + "/" +
               std::to_string(q.Denominator().ToLongLong());
  }
  r.report = out.Text();
  return r;
}

TEST(CassonWalkerTest, KnownValues) {
  struct Case {
    const char* text;
    const char* lambda;
    const char* line;  // the report's value line, or null
  };
  const Case cases[] = {
      // The Poincare sphere in its two orientations.
      {"link code 1 -2 3 -1 2 -3 framing 1 end", "1/1", "lambda=1/1=1"},
      {"link code 1 -2 3 -1 2 -3 framing -1 end", "-1/1", "lambda=1/-1=-1"},
      {"link dowkercode 4 6 8 2 framing 1 end", "-1/1", "lambda=-1/1=-1"},
      {"link dowkercode 4 6 8 2 framing -1 end", "1/1", "lambda=-1/-1=1"},
      // Lens spaces: L(3,2) and L(3,1) by the Hopf link and by an unknot.
      {"link code 1 -2 framing 2 code 2 -1 framing 2 end", "1/36", "lambda=1/36"},
      {"link code 1 -1 framing 3 end", "-1/36", "lambda=(-1/12)/3=-1/36"},
      // A split +1-framed unknot (lying on the other one) changes nothing.
      {"link code 1 2 3 -3 framing 3 code -1 -2 4 -4 framing 1 end", "-1/36", "lambda=-1/36"},
      {"link code -1 -2 4 -4 framing 1 code 1 2 3 -3 framing 3 end", "-1/36", "lambda=-1/36"},
      // S^3 as the Hopf link framed (0, 0).
      {"link code 1 -2 framing 0 code 2 -1 framing 0 end", "0/1", "lambda=0"},
      // The unknot framed 1 and -1 is S^3; framed 2, the lens term vanishes.
      {"link code 1 -1 framing 1 end", "0/1", "lambda=0/1=0"},
      {"link code 1 -1 framing -2 end", "0/1", "lambda=0/-2=0"},
  };
  for (const Case& c : cases) {
    const TResult r = Lambda(c.text);
    EXPECT_EQ(r.computed, 1) << c.text << "\n" << r.report;
    EXPECT_EQ(r.lambda, c.lambda) << c.text << "\n" << r.report;
    EXPECT_NE(r.report.find(std::string(c.line) + "\r\n"), std::string::npos) << c.text << "\n" << r.report;
    EXPECT_EQ(r.report.rfind("Casson-Walker\r\n", 0), 0u) << r.report;
  }
}

TEST(CassonWalkerTest, AnUnknotFramedPIsTheLensSpaceOfOrderP) {
  // lambda(L(p,1)) = -(p - 1)(p - 2) / 24p for p > 0; the two-component
  // formula with a split +1-framed unknot gives the same value.
  for (int p = -7; p <= 9; ++p) {
    if (p == 0) continue;
    const std::string framing = std::to_string(p);
    const TResult knot = Lambda("link code 1 -1 framing " + framing + " end");
    const TResult split =
        Lambda("link code 1 2 3 -3 framing " + framing + " code -1 -2 4 -4 framing 1 end");
    EXPECT_EQ(knot.lambda, split.lambda) << p;
    if (p > 0) {
      const long long num = -static_cast<long long>(p - 1) * (p - 2);
      TRational expected(TInt64::FromLongLong(num), TInt64::FromLongLong(24LL * p));
      EXPECT_EQ(knot.lambda, std::to_string(expected.Numerator().ToLongLong()) + "/" +
                                 std::to_string(expected.Denominator().ToLongLong()))
          << p;
    }
  }
}

TEST(CassonWalkerTest, BlowingDownAMeridianChangesTheFraming) {
  // A +-1-framed meridian of a knot framed p blows down to the knot framed
  // p -+ 1. The meridian clasps the strand between the trefoil's crossings
  // 1 and 2 (crossings 4 and 5); it stands first or second in the text.
  for (int p : {-3, -1, 2, 4}) {
    for (int e : {1, -1}) {
      const std::string knot = "link code 1 -2 3 -1 2 -3 framing " + std::to_string(p - e) + " end";
      const std::string fp = " framing " + std::to_string(p);
      const std::string fe = " framing " + std::to_string(e);
      const std::string second = "link code 1 -4 5 -2 3 -1 2 -3" + fp + " code 4 -5" + fe + " end";
      const std::string first = "link code 4 -5" + fe + " code 1 -4 5 -2 3 -1 2 -3" + fp + " end";
      if (p - e == 0) continue;
      const TResult expected = Lambda(knot);
      EXPECT_EQ(Lambda(second).lambda, expected.lambda) << second;
      EXPECT_EQ(Lambda(first).lambda, expected.lambda) << first;
    }
  }
}

TEST(CassonWalkerTest, BlowingDownAComponentOfTheTorusLinkTwistsTheOther) {
  // In the torus link T(2,4) each component is a closed 2-braid sigma around
  // the other (linking number 2). Blowing down the first component framed e
  // adds the full twist sigma^(-2e) and changes the framing p of the second
  // by -4e: e = 1 leaves an unknot framed p - 4, e = -1 a trefoil framed p + 4.
  for (int p : {-3, 2, 7, 9}) {
    const std::string fp = " framing " + std::to_string(p);
    const TResult plus = Lambda("link code 1 -2 3 -4 framing 1 code -1 2 -3 4" + fp + " end");
    const TResult minus = Lambda("link code 1 -2 3 -4 framing -1 code -1 2 -3 4" + fp + " end");
    if (p != 4) {
      EXPECT_EQ(plus.lambda, Lambda("link code 1 -1 framing " + std::to_string(p - 4) + " end").lambda) << p;
    }
    EXPECT_EQ(minus.lambda,
              Lambda("link code 1 -2 3 -1 2 -3 framing " + std::to_string(p + 4) + " end").lambda)
        << p;
  }
}

TEST(CassonWalkerTest, RefusalsNameTheirReason) {
  struct Case {
    const char* text;
    const char* message;
    bool heading;
  };
  const Case cases[] = {
      {"link code 1 -2 3 -1 2 -3 framing 0 end", "is undefined because the H_1 group is infinite", true},
      {"link code 1 -2 framing 1 code 2 -1 framing 1 end", "is undefined because the H_1 group is infinite", true},
      {"link code 1 -2 3 -1 2 -3 end",
       "Computation of Casson-Walker is only realized for knots and 2-component links with integer framings",
       false},
      {"link code 1 -2 framing 2/3 code 2 -1 framing 1 end",
       "Computation of Casson-Walker is only realized for knots and 2-component links with integer framings",
       false},
      {"link code 1 -2 framing 1 code 2 -1 3 -4 framing 1 code 4 -3 framing 1 end",
       "Computation of Casson-Walker is only realized for knots and 2-component links", false},
  };
  for (const Case& c : cases) {
    const TResult r = Lambda(c.text);
    EXPECT_EQ(r.computed, 0) << c.text;
    EXPECT_NE(r.report.find(std::string(c.message) + "\r\n\r\n"), std::string::npos) << r.report;
    EXPECT_EQ(r.report.find("Casson-Walker\r\n") == 0, c.heading) << r.report;
  }
}

}  // namespace

namespace {

TEST(CassonWalkerTest, AKinkAnywhereChangesNothing) {
  // a_2 is read from the code from its first entry on; the sum must not
  // depend on where the code starts or on kinks.
  const std::vector<int> code = {1, -4, 2, -1, 3, -2, 4, -3};  // figure-eight
  for (std::size_t p = 0; p <= code.size(); ++p) {
    for (int first : {5, -5}) {
      std::string text = "link code";
      for (std::size_t i = 0; i <= code.size(); ++i) {
        if (i == p) text += " " + std::to_string(first) + " " + std::to_string(-first);
        if (i < code.size()) text += " " + std::to_string(code[(i + p) % code.size()]);
      }
      text += " framing 1 end";
      EXPECT_EQ(Lambda(text).lambda, "-1/1") << text;
    }
  }
}

}  // namespace
