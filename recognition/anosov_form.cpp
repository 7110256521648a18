#include "recognition/anosov_form.h"

#include <algorithm>
#include <numeric>

#include "foundation/checked_int64.h"
#include "foundation/stop_poll.h"
#include "recognition/molecule_tools.h"

namespace {

// Products of two 64-bit values compared exactly.
__extension__ typedef __int128 TWide;

[[noreturn]] void Overflow(std::int64_t a, std::int64_t b) {
  throw Out_of_Range(TInt64::FromLongLong(a), TInt64::FromLongLong(b), 77);
}

std::int64_t Add(std::int64_t a, std::int64_t b) {
  std::int64_t r = 0;
  if (__builtin_add_overflow(a, b, &r)) Overflow(a, b);
  return r;
}

std::int64_t Mul(std::int64_t a, std::int64_t b) {
  std::int64_t r = 0;
  if (__builtin_mul_overflow(a, b, &r)) Overflow(a, b);
  return r;
}

std::int64_t Sub(std::int64_t a, std::int64_t b) {
  std::int64_t r = 0;
  if (__builtin_sub_overflow(a, b, &r)) Overflow(a, b);
  return r;
}

bool Between(const TSlope& low, const TSlope& x, const TSlope& high) {
  return !SlopeLess(x, low) && !SlopeLess(high, x);
}

// The Farey split of the arc (P, Q) in direction e: the mediant, or, when the
// mediant lies on the other arc, the difference quotient.
TSlope Split(const TSlope& p, const TSlope& q, int e) {
  TSlope x = TSlope::Of(Add(p.num, q.num), Add(p.den, q.den));
  if (LiesOnArc(p, e, q, x) == 1 && !(x == q)) x = TSlope::Of(Sub(p.num, q.num), Sub(p.den, q.den));
  return x;
}

// Steps of a walk that never ends are impossible for a hyperbolic matrix, but
// a bound keeps a faulty input from spinning: the walk is O(trace) at worst.
constexpr long long kWalkLimit = 1LL << 40;

}  // namespace

TSlope TSlope::Of(std::int64_t x, std::int64_t y) {
  if (y == 0) return TSlope{1, 0};
  if (x == INT64_MIN || y == INT64_MIN) Overflow(x, y);
  if (y < 0) {
    x = -x;
    y = -y;
  }
  const std::int64_t g = std::gcd(x < 0 ? -x : x, y);
  return TSlope{x / g, y / g};
}

bool SlopeLess(const TSlope& a, const TSlope& b) {
  if (a.IsInfinite()) return false;
  if (b.IsInfinite()) return true;
  return static_cast<TWide>(a.num) * b.den < static_cast<TWide>(b.num) * a.den;
}

int ArcDirection(const TSlope& p, const TSlope& q, const TSlope& r, const TSlope& s) {
  if (!p.IsInfinite() && !q.IsInfinite()) {
    if (SlopeLess(p, q)) return Between(p, r, q) && Between(p, s, q) ? 1 : 0;
    return Between(q, r, p) && Between(q, s, p) ? 0 : 1;
  }
  if (!p.IsInfinite()) return !SlopeLess(r, p) && !SlopeLess(s, p) ? 1 : 0;
  return SlopeLess(r, q) || SlopeLess(s, q) ? 1 : 0;
}

int LiesOnArc(const TSlope& p, int e, const TSlope& q, const TSlope& r) {
  if (r == q) return 1;
  const bool up = e == 1;
  if (!p.IsInfinite() && !q.IsInfinite() && !r.IsInfinite()) {
    if (up) {
      if (!SlopeLess(q, p)) return SlopeLess(q, r) || SlopeLess(r, p) ? 1 : 0;
      return SlopeLess(q, r) && SlopeLess(r, p) ? 1 : 0;
    }
    if (!SlopeLess(p, q)) return SlopeLess(r, q) || SlopeLess(p, r) ? 1 : 0;
    return SlopeLess(p, r) && SlopeLess(r, q) ? 1 : 0;
  }
  if (p.IsInfinite()) {
    if (!q.IsInfinite() && !r.IsInfinite()) return SlopeLess(q, r) == up ? 1 : 0;
    return q.IsInfinite() ? 1 : 0;
  }
  if (q.IsInfinite()) return SlopeLess(r, p) == up ? 1 : 0;
  return !SlopeLess(q, p) == up ? 1 : 0;
}

void FindInvariantArc(const std::int32_t m[4], TSlope out[4]) {
  TSlope a = TSlope::Of(0, 1);
  TSlope b = TSlope::Of(1, 0);
  TSlope c = TSlope::Of(m[1], m[3]);
  TSlope d = TSlope::Of(m[0], m[2]);
  TStopPoll poll;
  for (long long step = 0;; ++step) {
    poll.Step();
    if (step > kWalkLimit) Overflow(step, 0);
    const int e = ArcDirection(a, b, c, d);
    if (LiesOnArc(a, e, c, d) == 1) break;
    const TSlope x = Split(a, b, e);
    const int e2 = ArcDirection(c, d, a, b);
    const TSlope y = Split(c, d, e2);
    if (LiesOnArc(a, e, c, x) == 1 && LiesOnArc(a, e, d, x) == 1) {
      b = x;
      d = y;
    } else {
      a = x;
      c = y;
    }
  }
  out[0] = a;
  out[1] = b;
  out[2] = c;
  out[3] = d;
}

std::vector<std::int64_t> FareyWalkRuns(const TSlope arc[4]) {
  TSlope u = arc[0];
  TSlope v = arc[1];
  const TSlope& c = arc[2];
  const TSlope& d = arc[3];
  std::vector<std::int64_t> runs;
  int lastKind = 0;
  TStopPoll poll;
  for (long long step = 0; !(u == c) || !(v == d); ++step) {
    poll.Step();
    if (step > kWalkLimit) Overflow(step, 0);
    const int e = ArcDirection(u, v, c, d);
    const TSlope x = Split(u, v, e);
    int kind = 2;
    if (LiesOnArc(u, e, c, x) == 1 && LiesOnArc(u, e, d, x) == 1) {
      v = x;
      kind = 1;
    } else {
      u = x;
    }
    if (kind != lastKind)
      runs.push_back(1);
    else
      runs.back() = Add(runs.back(), 1);
    lastKind = kind;
  }
  return runs;
}

std::vector<std::int32_t> CanonicalMonodromyWord(std::int32_t m[4], const std::vector<std::int64_t>& given) {
  std::vector<std::int64_t> runs = given;
  if (runs.size() % 2 == 1 && runs.size() > 1) {
    runs.front() = Add(runs.front(), runs.back());
    runs.pop_back();
  }
  std::vector<std::int32_t> list;
  for (std::int64_t r : runs) list.push_back(Checked32(r));
  std::vector<std::int32_t> best = list;
  std::vector<std::int32_t> reversed(list.rbegin(), list.rend());
  for (const auto* source : {&list, &reversed}) {
    std::vector<std::int32_t> rotation = *source;
    for (std::size_t k = 0; k < rotation.size(); ++k) {
      if (rotation < best) best = rotation;
      std::rotate(rotation.begin(), rotation.begin() + 1, rotation.end());
    }
  }
  // The product R^b0 L^b1 R^b2 ...: R^b adds b times column 1 to column 2,
  // L^b adds b times column 2 to column 1.
  std::int64_t p[4] = {1, 0, 0, 1};
  for (std::size_t i = 0; i < best.size(); ++i) {
    const std::int64_t b = best[i];
    if (i % 2 == 0) {
      p[1] = Add(p[1], Mul(b, p[0]));
      p[3] = Add(p[3], Mul(b, p[2]));
    } else {
      p[0] = Add(p[0], Mul(b, p[1]));
      p[2] = Add(p[2], Mul(b, p[3]));
    }
  }
  std::int32_t r[4];
  for (int i = 0; i < 4; ++i) r[i] = Checked32(p[i]);
  std::copy(r, r + 4, m);
  return best;
}

namespace {

// Trace 2: (1 k; 0 1) with k >= 0 the index of the fixed lattice line.
std::int32_t ParabolicTwist(const std::int32_t m[4]) {
  std::int64_t k = 0;
  if (m[1] != 0 && m[2] != 0) {
    const std::int64_t g = std::gcd(static_cast<std::int64_t>(m[0]) - 1, static_cast<std::int64_t>(m[2]));
    k = g * g / (m[2] < 0 ? -static_cast<std::int64_t>(m[2]) : m[2]);
  } else {
    k = m[1] != 0 ? m[1] : m[2];
  }
  return Checked32(k < 0 ? -k : k);
}

}  // namespace

void NormalizeMonodromyMatrix(std::int32_t m[4], std::vector<std::int32_t>& word) {
  word.clear();
  const std::int64_t trace = static_cast<std::int64_t>(m[0]) + m[3];
  std::int32_t r[4] = {m[0], m[1], m[2], m[3]};
  if (trace == 0) {
    r[0] = 0, r[1] = 1, r[2] = -1, r[3] = 0;
  } else if (trace == 1) {
    r[0] = 1, r[1] = -1, r[2] = 1, r[3] = 0;
  } else if (trace == -1) {
    r[0] = -1, r[1] = 1, r[2] = -1, r[3] = 0;
  } else if (trace == 2 || trace == -2) {
    std::int32_t n[4] = {m[0], m[1], m[2], m[3]};
    if (trace == -2)
      for (std::int32_t& x : n) x = Checked32(-static_cast<std::int64_t>(x));
    const std::int32_t k = ParabolicTwist(n);
    const std::int32_t s = trace == 2 ? 1 : -1;
    r[0] = s, r[1] = k, r[2] = 0, r[3] = s;
  } else {
    std::int32_t n[4] = {m[0], m[1], m[2], m[3]};
    if (trace < 0)
      for (std::int32_t& x : n) x = Checked32(-static_cast<std::int64_t>(x));
    TSlope arc[4];
    FindInvariantArc(n, arc);
    word = CanonicalMonodromyWord(n, FareyWalkRuns(arc));
    for (int i = 0; i < 4; ++i) r[i] = trace < 0 ? Checked32(-static_cast<std::int64_t>(n[i])) : n[i];
  }
  std::copy(r, r + 4, m);
}
