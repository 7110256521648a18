// Normal form of a genus-2 Heegaard diagram.
//
// The same diagram has several descriptions by six counts and two shifts: the
// plane picture can be turned over (which exchanges the roles of the a and d
// families and reverses the shifts), the two discs of a pair exchanged (which
// exchanges the outer and the inner arcs b1, b2 and reflects the shift), and
// the two handles exchanged. The normal form fixes the counts first: a >= d,
// then the outer arcs in front of the inner ones, then the first pair at
// least as heavy as the second. What remains free are symmetries that change
// only the shifts; among the shift pairs they give, the lexicographically
// least is taken, so two descriptions of one diagram end as equal records.
//
// A shift assigned here always goes through SetShift, which reduces it modulo
// the number of arc ends on a disc. The arc table describes the numbers, so it
// survives only when the numbers come out unchanged. Cost: constant.
#include "presentations/heegaard_diagram.h"

#include <utility>

namespace {

struct TNumbers {
  int a, b1, b2, c1, c2, d, shift1, shift2;
  bool operator==(const TNumbers&) const = default;
};

TNumbers NumbersOf(const THeegaardDiagram& x) {
  return {x.A(), x.B1(), x.B2(), x.C1(), x.C2(), x.D(), x.Shift1(), x.Shift2()};
}

// Swaps the shifts of a diagram whose two pairs look alike, so that the
// smaller shift comes first.
void OrderEqualPairs(THeegaardDiagram& x) {
  if (x.B1() == x.C1() && x.B2() == x.C2() && x.Shift1() > x.Shift2()) {
    const int s1 = x.Shift1();
    const int s2 = x.Shift2();
    x.SetShift(0, s2);
    x.SetShift(1, s1);
  }
}

}  // namespace

void THeegaardDiagram::Normalize() {
  std::unique_ptr<TIntMatrix> table = DetachCurveArray();
  const TNumbers before = NumbersOf(*this);

  if (a_ < d_) {
    std::swap(a_, d_);
    SetShift(0, -static_cast<long long>(shift1_));
    SetShift(1, -static_cast<long long>(shift2_));
  }
  if (kind_ != 4) {
    const bool exchange = (b1_ < b2_ && c1_ + c2_ == 0) || (b1_ == 0 && b2_ == 0 && c1_ < c2_) ||
                          (b1_ == 0 && c1_ == 0 && b2_ + c2_ != 0);
    if (exchange) {
      std::swap(b1_, b2_);
      std::swap(c1_, c2_);
      SetShift(0, static_cast<long long>(b1_) + b2_ + 2 * d_ - shift1_);
      SetShift(1, static_cast<long long>(c1_) + c2_ + 2 * d_ - shift2_);
    }
  }
  if (b1_ + b2_ < c1_ + c2_) {
    std::swap(b1_, c1_);
    std::swap(b2_, c2_);
    std::swap(shift1_, shift2_);
  }
  OrderEqualPairs(*this);

  // The symmetries that change only the shifts; each candidate starts from
  // the best found so far, so their effects combine.
  THeegaardDiagram best(*this);
  const int jLimit = kind_ == 4 ? 0 : 1;
  const int kLimit = kind_ == 4 ? 0 : 1;
  for (int i = 0; i <= 1; ++i) {
    for (int j = 0; j <= jLimit; ++j) {
      for (int k = 0; k <= kLimit; ++k) {
        THeegaardDiagram candidate(best);
        THeegaardDiagram& c = candidate;
        if (i == 1 && ((c.d_ == 0 && c.b2_ == 0 && c.c2_ == 0) || c.a_ == c.d_)) {
          c.SetShift(0, -static_cast<long long>(c.shift1_));
          c.SetShift(1, -static_cast<long long>(c.shift2_));
          OrderEqualPairs(c);
        }
        if (j == 1 && c.b1_ + c.b2_ == 0 && c.c1_ + c.c2_ == 0 && c.d_ != 0) {
          c.SetShift(0, 2LL * c.d_ - c.shift1_);
          c.SetShift(1, 2LL * c.d_ - c.shift2_);
        }
        if (k == 1 && c.b1_ == c.b2_ && c.b1_ != 0) {
          c.SetShift(0, static_cast<long long>(c.b1_) + c.b2_ + 2 * c.d_ - c.shift1_);
          c.SetShift(1, 2LL * c.d_ - c.shift2_);
        }
        if (c.NotEqual(best) && LessOrEqual(c, best)) best = std::move(candidate);
      }
    }
  }
  shift1_ = best.shift1_;
  shift2_ = best.shift2_;

  if (NumbersOf(*this) == before) arcs_ = std::move(table);
}
