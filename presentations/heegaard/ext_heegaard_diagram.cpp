// TExtHeegaardDiagram: numbers, tests, normal form, reader and meridian move.
//
// Normal form. A twist is a rotation by B(k) of S(k) positions, so only its
// residue matters; and turning both pairs of pants over replaces every twist
// by S(k) - B(k) (the mirror). The normal form reduces the twists, mirrors
// when that makes more of them small (at most half their modulus, with a tie
// rule for one large twist against one small one), and then sorts the three
// arc families by size, each carrying its twist, ordering the twists of equal
// families increasingly.
//
// Meridian move. Cut curve i is replaced by a band sum of it with the cut
// curve p of the larger of the two other families; the arcs are cut anew
// along the new curve, which gives the closed formulas of ExtMeridianMove for
// the new counts and twists (two cases, by whether the twist Bi is below Aq).
// When Ap < Bi the diagram is first mirrored (every twist taken from the
// other side), which brings it into the range where the formulas hold. The
// manifold does not change; the tests check this on the homology of the
// built spines.
#include "presentations/heegaard/ext_heegaard_diagram.h"

#include <array>
#include <climits>
#include <cstring>
#include <string>
#include <utility>

#include "foundation/comment_rules.h"
#include "foundation/output.h"
#include "foundation/text_scanners.h"
#include "presentations/heegaard/heegaard_text_support.h"

namespace {

constexpr const char kExtKeyword[] = "extheegaard";
constexpr std::size_t kExtKeywordLength = sizeof(kExtKeyword) - 1;

int Index3(int k) { return ((k % 3) + 3) % 3; }

const char* SkipAny(const char* text, const char* characters) {
  while (*text != '\0' && std::strchr(characters, *text) != nullptr) ++text;
  return text;
}

std::int32_t Clamp32(long long value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<std::int32_t>(value);
}

}  // namespace

int TExtHeegaardDiagram::A(int i) const {
  switch (i) {
    case 0: return a0_;
    case 1: return a1_;
    case 2: return a2_;
    default: return -1;
  }
}

void TExtHeegaardDiagram::SetA(int i, int value) {
  switch (i) {
    case 0: a0_ = value; break;
    case 1: a1_ = value; break;
    case 2: a2_ = value; break;
    default: break;
  }
}

int TExtHeegaardDiagram::B(int i) const {
  switch (i) {
    case 0: return b0_;
    case 1: return b1_;
    case 2: return b2_;
    default: return 0;
  }
}

long long TExtHeegaardDiagram::S(int k) const {
  return static_cast<long long>(A(Index3(k + 1))) + A(Index3(k + 2));
}

void TExtHeegaardDiagram::SetB(int i, long long value) {
  if (i < 0 || i > 2) return;
  const long long s = S(i);
  if (value < 0 && s > 0) {
    value = s - ((-value) % s);
    if (value == s) value = 0;
  }
  const std::int32_t stored = Clamp32(value);
  switch (i) {
    case 0: b0_ = stored; break;
    case 1: b1_ = stored; break;
    default: b2_ = stored; break;
  }
}

void TExtHeegaardDiagram::Set(long long a0, long long a1, long long a2, long long b0,
                              long long b1, long long b2) {
  SetA(0, Clamp32(a0));
  SetA(1, Clamp32(a1));
  SetA(2, Clamp32(a2));
  SetB(0, b0);
  SetB(1, b1);
  SetB(2, b2);
}

long long TExtHeegaardDiagram::Complexity() const {
  return static_cast<long long>(a0_) + a1_ + a2_;
}

int TExtHeegaardDiagram::IsRegular() const {
  if (a0_ <= 0 || a1_ <= 0 || a2_ <= 0) return 0;
  for (int k = 0; k < 3; ++k) {
    if (B(k) < 0 || B(k) >= S(k)) return 0;
  }
  const int parity = a0_ % 2;
  if (a1_ % 2 != parity || a2_ % 2 != parity) return 0;
  for (int k = 0; k < 3; ++k) {
    if (B(k) % 2 == parity) return 0;
  }
  return 1;
}

int TExtHeegaardDiagram::IsReducible() const {
  const long long a0 = a0_, a1 = a1_, a2 = a2_, b0 = b0_, b1 = b1_, b2 = b2_;
  if (a1 == 1 && b1 == 0) return 1;
  if (a2 == 1 && b2 == 0) return 1;
  if (a2 == 1 && b0 == 0 && b1 == 0) return 1;
  if (a1 == 1 && a2 == 1) return 1;
  if (a1 == 2 && (b1 == 1 || a0 + a2 == b1 + 1)) return 1;
  if (a2 == 2 && (b2 == 1 || a0 + a1 == b2 + 1)) return 1;
  return 0;
}

int TExtHeegaardDiagram::IsThirdSmall() const {
  const long long a0 = a0_, a1 = a1_, a2 = a2_, b2 = b2_;
  return (a2 < a1 && a2 < b2 && b2 < a0 + a1 - a2) ? 1 : 0;
}

void TExtHeegaardDiagram::Normalize() {
  std::array<long long, 3> a = {a0_, a1_, a2_};
  std::array<long long, 3> b = {b0_, b1_, b2_};
  std::array<long long, 3> s = {S(0), S(1), S(2)};
  for (int k = 0; k < 3; ++k) {
    if (s[k] > 0 && b[k] >= s[k]) b[k] %= s[k];
  }
  int large = 0;
  for (int k = 0; k < 3; ++k) large += 2 * b[k] > s[k] ? 1 : 0;
  bool mirror = large >= 2;
  if (large == 1) {
    std::array<int, 3> code{};
    int zeros = 0;
    for (int k = 0; k < 3; ++k) {
      if (2 * b[k] > s[k]) {
        code[k] = 2;
      } else if (b[k] == 0 || 2 * b[k] == s[k]) {
        code[k] = 0;
        ++zeros;
      } else {
        code[k] = 1;
      }
    }
    if (zeros == 2) {
      mirror = true;
    } else if (zeros == 1) {
      int t = 0;
      int u = 0;
      for (int k = 0; k < 3; ++k) {
        if (code[k] == 1) t = k;
        if (code[k] == 2) u = k;
      }
      mirror = s[t] - b[t] < b[u] || (s[t] - b[t] == b[u] && s[u] - b[u] < b[t]);
    }
  }
  if (mirror) {
    for (int k = 0; k < 3; ++k) {
      if (b[k] > 0) b[k] = s[k] - b[k];
    }
  }
  auto exchange = [&](int i, int j) {
    std::swap(a[i], a[j]);
    std::swap(b[i], b[j]);
  };
  if (a[0] < a[1]) exchange(0, 1);
  if (a[0] < a[2]) exchange(0, 2);
  if (a[1] < a[2]) exchange(1, 2);
  if (a[0] == a[1] && b[1] < b[0]) std::swap(b[0], b[1]);
  if (a[0] == a[2] && b[2] < b[0]) std::swap(b[0], b[2]);
  if (a[1] == a[2] && b[2] < b[1]) std::swap(b[1], b[2]);
  a0_ = Clamp32(a[0]);
  a1_ = Clamp32(a[1]);
  a2_ = Clamp32(a[2]);
  b0_ = Clamp32(b[0]);
  b1_ = Clamp32(b[1]);
  b2_ = Clamp32(b[2]);
}

int TExtHeegaardDiagram::Equals(const TExtHeegaardDiagram& other) const {
  return (a0_ == other.a0_ && a1_ == other.a1_ && a2_ == other.a2_ && b0_ == other.b0_ &&
          b1_ == other.b1_ && b2_ == other.b2_)
             ? 1
             : 0;
}

namespace {

std::array<std::int32_t, 6> ExtKey(const TExtHeegaardDiagram& x) {
  return {x.A(0), x.A(1), x.A(2), x.B(0), x.B(1), x.B(2)};
}

}  // namespace

int TExtHeegaardDiagram::LessOrEqual(const TExtHeegaardDiagram& left,
                                     const TExtHeegaardDiagram& right) {
  return ExtKey(left) <= ExtKey(right) ? 1 : 0;
}

int TExtHeegaardDiagram::GreaterOrEqual(const TExtHeegaardDiagram& left,
                                        const TExtHeegaardDiagram& right) {
  return ExtKey(left) >= ExtKey(right) ? 1 : 0;
}

int IsExtHeegaardText(const char* text) { return TextBeginsWithKeyword(text, kExtKeyword); }

int TExtHeegaardDiagram::Parse(const char* text, const char*& end, THeegaardReadError* error) {
  if (text == nullptr) return 0;
  if (std::strlen(text) <= 16) {
    SetTextReadError(error, kExtHeegaardTextTooShort, text, 0);
    return 0;
  }
  std::string buffer(text);
  BlankOutComments(buffer.data());
  const char* copy = buffer.c_str();
  if (IsExtHeegaardText(copy) == 0) {
    SetTextReadError(error, kExtHeegaardNumberExpected, text, 0);
    return 0;
  }
  const char* at = SkipAny(copy, " \n\r\t") + kExtKeywordLength;
  long long values[6] = {};
  for (long long& value : values) {
    at = SkipAny(at, " \t\n\r");
    int v = 0;
    const char* after = at;
    const TIntegerScan scan = ParseIntegerChecked(v, after, at);
    // A zero counts only when written as the digit 0 (a signed zero is no number).
    if (scan == TIntegerScan::NoNumber || (scan == TIntegerScan::Ok && v == 0 && *at != '0')) {
      SetTextReadError(error, kExtHeegaardNumberExpected, text, at - copy);
      return 0;
    }
    if (scan == TIntegerScan::OutOfRange || v < -kMaxNumber || v > kMaxNumber) {
      SetTextReadError(error, kExtHeegaardNumberOutOfRange, text, at - copy);
      return 0;
    }
    value = v;
    at = SkipAny(at, "+-1234567890");
  }
  SetA(0, static_cast<int>(values[0]));
  SetA(1, static_cast<int>(values[1]));
  SetA(2, static_cast<int>(values[2]));
  SetB(0, values[3]);
  SetB(1, values[4]);
  SetB(2, values[5]);
  end = text + (at - copy);
  return 1;
}

std::optional<TExtHeegaardDiagram> ExtMeridianMove(const TExtHeegaardDiagram& diagram, int i) {
  if (i < 0 || i > 2 || diagram.B(i) == 0) return std::nullopt;
  int p = i == 0 ? 1 : 0;
  int q = 3 - i - p;
  if (diagram.A(p) < diagram.A(q)) std::swap(p, q);
  const long long ap = diagram.A(p), aq = diagram.A(q), ai = diagram.A(i);
  long long bp = diagram.B(p), bq = diagram.B(q), bi = diagram.B(i);
  if (ap < bi) {
    bp = diagram.S(p) - bp;
    bq = diagram.S(q) - bq;
    bi = diagram.S(i) - bi;
  }
  std::array<long long, 6> v{};
  if (bi < aq) {
    v = {ap + ai - bi, aq + ai - bi, bi, bp + bi + ai, bq + bi + ai, ap + aq + ai - 2 * bi};
  } else {
    v = {ap + ai - aq, ai, aq, bp, bq + 2 * bi + ai - aq, ap + ai - bi};
  }
  for (long long x : v) {
    if (x < INT_MIN || x > INT_MAX) return std::nullopt;
  }
  TExtHeegaardDiagram moved;
  moved.Set(v[0], v[1], v[2], v[3], v[4], v[5]);
  moved.Normalize();
  return moved;
}

void PrintExtHeegaardParameters(TOutput& output, const TExtHeegaardDiagram& diagram) {
  std::string text;
  for (int i = 0; i < 3; ++i) text += std::to_string(diagram.A(i)) + " ";
  text += std::to_string(diagram.B(0)) + " " + std::to_string(diagram.B(1)) + " " +
          std::to_string(diagram.B(2));
  output.AppendText(text.c_str());
}
