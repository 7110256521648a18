// The two-variable bracket polynomial: classes of rows, term order, grouping
// in the text form, and the reduction of loop classes on the surfaces.
#include <gtest/gtest.h>

#include <string>

#include "foundation/output.h"
#include "invariants/bracket_polynomial.h"
#include "invariants/kauffman_states.h"

namespace {

std::string Text(const TBracketPolynomial& p) {
  TOutput out;
  p.Print(out);
  return out.Text();
}

TBracketMonomial Term(int mode, std::int64_t c, std::int32_t e, std::int32_t power = 0,
                      std::int32_t x = 0, std::int32_t y = 0) {
  TBracketMonomial m(2);
  m.SetFlag(mode);
  m.SetCoefficient(c);
  m.SetExponent(e);
  if (power > 0) {
    const std::int32_t cls[2] = {x, y};
    m.AddExponentRow(power, cls);
  }
  return m;
}

TEST(BracketPolynomialTest, ClassesAreKeptUpToSign) {
  struct Case {
    std::int32_t in[2];
    std::int32_t stored[2];
  };
  const Case cases[] = {{{-1, 2}, {1, -2}}, {{0, -3}, {0, 3}}, {{2, -1}, {2, -1}}, {{0, 0}, {0, 0}}};
  for (const Case& c : cases) {
    TBracketMonomial m(2);
    m.AddExponentRow(1, c.in);
    std::int32_t out[2] = {9, 9};
    EXPECT_EQ(m.GetExponents(0, out), 1);
    EXPECT_EQ(out[0], c.stored[0]);
    EXPECT_EQ(out[1], c.stored[1]);
    EXPECT_EQ(m.FindRow(c.in), 0);  // found again by either sign
  }
  // Rows are sorted by class.
  TBracketMonomial m(2);
  const std::int32_t a[2] = {1, 1};
  const std::int32_t b[2] = {0, 1};
  m.AddExponentRow(1, a);
  EXPECT_EQ(m.AddExponentRow(2, b), 0);
}

TEST(BracketPolynomialTest, AddsAlikeTermsAndRemovesZeros) {
  TBracketPolynomial p(2);
  p.AddMonomial(Term(0, 1, 1, 1, 1, 0));
  p.AddMonomial(Term(0, -1, 1, 1, 1, 0));
  EXPECT_TRUE(p.IsZero());
  EXPECT_EQ(Text(p), "0");

  // Without classes, z(1,0) and z(0,1) are one factor z.
  TBracketPolynomial q(2);
  q.SetHomologyMode(1);
  q.AddMonomial(Term(1, 1, 0, 1, 1, 0));
  q.AddMonomial(Term(1, 1, 0, 1, 0, 1));
  EXPECT_EQ(Text(q), "2z");
  TBracketPolynomial r(2);
  r.AddMonomial(Term(0, 1, 0, 1, 1, 0));
  r.AddMonomial(Term(0, 1, 0, 1, 0, 1));
  EXPECT_EQ(Text(r), "z(0,1)+z(1,0)");
}

TEST(BracketPolynomialTest, PrintsTermsWithTheSameRowsAsOneGroup) {
  TBracketPolynomial p(2);
  p.AddMonomial(Term(0, 1, 2, 2, 1, 1));
  p.AddMonomial(Term(0, -1, -2, 2, 1, 1));
  p.AddMonomial(Term(0, 3, 0));
  p.AddMonomial(Term(0, -1, 4));
  EXPECT_EQ(Text(p), "3-t^4+(-t^{-2}+t^2)z(1,1)^2");
}

TEST(BracketPolynomialTest, MultipliesAndRaisesToPowers) {
  TBracketPolynomial d(2);
  d.AddMonomial(Term(0, -1, -2));
  d.AddMonomial(Term(0, -1, 2));
  TBracketPolynomial p(2);
  BracketPower(p, d, 0);
  EXPECT_EQ(Text(p), "1");
  BracketPower(p, d, 2);
  EXPECT_EQ(Text(p), "t^{-4}+2+t^4");
  p.MultiplyByMonomial(Term(0, 2, 1, 1, 0, -1));
  EXPECT_EQ(Text(p), "(2t^{-3}+4t+2t^5)z(0,1)");
  TBracketPolynomial zero(2);
  p.Multiply(zero);
  EXPECT_TRUE(p.IsZero());
}

TEST(BracketPolynomialTest, LoopClassesReduceOnTheKleinBottle) {
  struct Case {
    TLoopClass in;
    bool klein;
    bool trivial;
    TLoopClass out;
  };
  const Case cases[] = {
      {{0, 0}, false, true, {0, 0}},   {{2, 0}, false, false, {2, 0}},
      {{0, -2}, true, false, {0, 2}},  {{0, 2}, true, false, {0, 2}},
      {{2, 0}, true, true, {0, 0}},    {{0, 4}, true, true, {0, 0}},
      {{-3, 1}, true, false, {0, 1}},  {{-3, 2}, true, false, {1, 0}},
  };
  for (const Case& c : cases) {
    TLoopClass cls = c.in;
    EXPECT_EQ(IsTrivialSurfaceLoop(cls, c.klein), c.trivial) << c.in[0] << "," << c.in[1];
    EXPECT_EQ(cls, c.out) << c.in[0] << "," << c.in[1];
  }
}

}  // namespace
