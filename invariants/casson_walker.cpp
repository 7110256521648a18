// The triple sums T_1..T_4 of the two-component formula, in the positions of
// the code: for component i the passages are numbered 0 .. len_i - 1 from its
// first entry; a self-crossing l of component i is met at l1 < l2, a crossing
// m between the components at m0 on K_0 and m' on K_1. An entry is positive
// when the component passes over there.
//   T_1: l on K_0 with l1 positive, m0 negative, x0 positive, l1 < m0 < l2 < x0.
//   T_2: l on K_0 with l1 negative, m0 positive, x0 negative, m0 < l1 < x0 < l2.
//   T_3: l on K_1, m0 and x0 positive with m0 < x0; on K_1 measured from m',
//        x' lies strictly between l1 and l2, and l is passed over first.
//   T_4: m0 < b0 < x0 with m0 and x0 positive, b0 negative, and m', b', x' in
//        cyclic order along K_1.
// Each counts the product of the signs of its three crossings.
#include "invariants/casson_walker.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/checked_int64.h"
#include "foundation/output.h"
#include "invariants/link_invariant_stop.h"
#include "presentations/links/link.h"
#include "shell/string_text.h"
#include "shell/value_printers.h"

namespace {

constexpr int kNoSurgeryText = 5139;
constexpr int kTooManyComponentsText = 5140;
constexpr int kNotIntegralText = 5141;
constexpr int kHeadingText = 5142;
constexpr int kUndefinedText = 5143;

struct TSelfCrossing {
  int first = 0;   // position of the first passage
  int second = 0;  // position of the second passage
  bool firstOver = false;
  int sign = 0;
};

struct TMixedCrossing {
  int position0 = 0;  // on K_0
  int position1 = 0;  // on K_1
  bool over0 = false;
  int sign = 0;
};

struct TComponentCode {
  int length = 0;
  std::vector<TSelfCrossing> self;
  std::vector<bool> overAt;  // per position: the component passes over
};

void Line(TOutput* output, const std::string& text, int lineEnds) {
  if (output == nullptr) return;
  output->AppendText(text.c_str());
  output->NewLines(lineEnds);
}

// a_2 of one component (see casson_walker.h).
std::int64_t ConwaySecondCoefficient(const TComponentCode& code, TLinkInvariantStop& poll) {
  std::int64_t sum = 0;
  for (const TSelfCrossing& j : code.self) {
    if (!j.firstOver) continue;
    for (const TSelfCrossing& k : code.self) {
      poll.Step();
      if (k.firstOver) continue;
      if (j.first < k.first && k.first < j.second && j.second < k.second) sum += j.sign * k.sign;
    }
  }
  return sum;
}

std::int64_t TripleSums(const TComponentCode& k0, const TComponentCode& k1,
                        const std::vector<TMixedCrossing>& mixed, TLinkInvariantStop& poll) {
  std::int64_t t = 0;
  for (const TSelfCrossing& l : k0.self) {
    for (const TMixedCrossing& m : mixed) {
      for (const TMixedCrossing& x : mixed) {
        poll.Step();
        if (&m == &x) continue;
        const int e = l.sign * m.sign * x.sign;
        if (l.firstOver && !m.over0 && x.over0 && l.first < m.position0 &&
            m.position0 < l.second && l.second < x.position0) {
          t += e;  // T_1
        }
        if (!l.firstOver && m.over0 && !x.over0 && m.position0 < l.first &&
            l.first < x.position0 && x.position0 < l.second) {
          t += e;  // T_2
        }
      }
    }
  }
  const int len1 = k1.length;
  for (const TSelfCrossing& l : k1.self) {
    for (const TMixedCrossing& m : mixed) {
      if (!m.over0) continue;
      auto r = [&](int y) { return (y + len1 - m.position1) % len1; };
      const int lo = std::min(r(l.first), r(l.second));
      const int hi = std::max(r(l.first), r(l.second));
      const bool overFirst = k1.overAt[static_cast<std::size_t>((lo + m.position1) % len1)];
      if (!overFirst) continue;
      for (const TMixedCrossing& x : mixed) {
        poll.Step();
        if (&m == &x || !x.over0 || m.position0 >= x.position0) continue;
        const int rx = r(x.position1);
        if (lo < rx && rx < hi) t += l.sign * m.sign * x.sign;  // T_3
      }
    }
  }
  for (const TMixedCrossing& a : mixed) {
    if (!a.over0) continue;
    for (const TMixedCrossing& b : mixed) {
      if (b.over0 || a.position0 >= b.position0) continue;
      for (const TMixedCrossing& x : mixed) {
        poll.Step();
        if (!x.over0 || b.position0 >= x.position0) continue;
        const int p = a.position1, q = b.position1, s = x.position1;
        if ((p < q && q < s) || (s < p && p < q) || (q < s && s < p)) {
          t += a.sign * b.sign * x.sign;  // T_4
        }
      }
    }
  }
  return t;
}

TRational Rational(std::int64_t numerator, std::int64_t denominator) {
  return TRational(TInt64::FromLongLong(numerator), TInt64::FromLongLong(denominator));
}

std::string RationalText(const TRational& q) {
  TOutput text;
  PrintRational(text, q);
  return text.Text();
}

}  // namespace

int ComputeCassonWalker(const TLink& link, TRational& result, TOutput* output,
                        const std::atomic<int>* stopFlag) {
  const int c = link.ComponentCount();
  if (link.IsClassical() == 0) {
    Line(output, StringText(kNoSurgeryText), 2);
    return 0;
  }
  if (c > 2 || c < 1) {
    Line(output, StringText(kTooManyComponentsText), 2);
    return 0;
  }
  std::int64_t p[2] = {0, 0};
  for (int i = 0; i < c; ++i) {
    std::int16_t fp = 0, fq = 0;
    link.Framing(i, fp, fq);
    if (fq != 1) {
      Line(output, StringText(kNotIntegralText), 2);
      return 0;
    }
    p[i] = fp;
  }
  Line(output, StringText(kHeadingText), 1);

  TLinkInvariantStop poll(stopFlag, 1024);
  poll.Check();
  std::vector<TComponentCode> codes(static_cast<std::size_t>(c));
  std::vector<TMixedCrossing> mixed;
  for (int i = 0; i < c; ++i) {
    TComponentCode& code = codes[static_cast<std::size_t>(i)];
    code.length = link.CodeLength(i, 0);
    code.overAt.assign(static_cast<std::size_t>(code.length), false);
    for (int k = 0; k < code.length; ++k) {
      code.overAt[static_cast<std::size_t>(k)] = link.CodeEntry(i, k, 0)->number > 0;
    }
  }
  std::int64_t mixedSignSum = 0;
  for (int x = 1; x <= link.CrossingCount(); ++x) {
    poll.Step();
    int at[2][2] = {{-1, -1}, {-1, -1}};
    int passages[2] = {0, 0};
    for (int i = 0; i < c; ++i) passages[i] = link.FindPassages(i, x, at[i][0], at[i][1], 0);
    const int sign = link.CrossingSign(x);
    for (int i = 0; i < c; ++i) {
      if (passages[i] != 2) continue;
      TComponentCode& code = codes[static_cast<std::size_t>(i)];
      code.self.push_back({at[i][0], at[i][1], code.overAt[static_cast<std::size_t>(at[i][0])], sign});
    }
    if (c == 2 && passages[0] == 1 && passages[1] == 1) {
      mixed.push_back({at[0][0], at[1][0], codes[0].overAt[static_cast<std::size_t>(at[0][0])], sign});
      mixedSignSum += sign;
    }
  }
  const std::int64_t g = mixedSignSum / 2;
  const std::int64_t d = c == 1 ? p[0] : p[0] * p[1] - g * g;
  if (d == 0) {
    Line(output, StringText(kUndefinedText), 2);
    return 0;
  }
  std::int64_t a2[2] = {0, 0};
  for (int i = 0; i < c; ++i) a2[i] = ConwaySecondCoefficient(codes[static_cast<std::size_t>(i)], poll);

  try {
    if (c == 1) {
      const std::int64_t lens = -(p[0] + 1) * (p[0] + 2) + (p[0] > 0 ? 6 * p[0] : 0);
      TRational numerator = Rational(a2[0], 1);
      numerator.Add(Rational(lens, 24));
      TRational lambda = numerator;
      lambda.Divide(Rational(p[0], 1));
      const bool integral = numerator.Denominator().ToLongLong() == 1;
      const std::string top = integral ? RationalText(numerator) : "(" + RationalText(numerator) + ")";
      Line(output, "\r\nlambda=" + top + "/" + std::to_string(p[0]) + "=" + RationalText(lambda), 1);
      result = lambda;
      return 1;
    }
    const std::int64_t sum = p[0] + p[1];
    const std::int64_t s = d < 0 ? 0 : (sum < 0 ? -2 : 2);
    const std::int64_t a = 2 * g * (g * g - 1) + sum * (2 * g * g - p[0] * p[1] - 2) + 3 * s * d;
    const std::int64_t b =
        p[0] * a2[1] + p[1] * a2[0] - TripleSums(codes[0], codes[1], mixed, poll);
    TRational lambda = Rational(a, 24);
    lambda.Add(Rational(b, 1));
    lambda.Divide(Rational(d, 1));
    Line(output, "\r\nlambda=" + RationalText(lambda), 2);
    result = lambda;
    return 1;
  } catch (const Out_of_Range&) {
    Line(output, "\r\nlambda=OVERFLOW", 2);
    return 0;
  }
}
