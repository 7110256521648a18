// Meridian moves, complexity and simple forms of a genus-2 Heegaard diagram.
//
// A meridian move replaces the meridian disc of one handle of the first
// handlebody by a band sum of it with the other handle's disc. The curves
// stay, but the plane picture changes: the arcs are cut along the new
// meridian, so the counts and shifts are recomputed (ChangeMeridian, which
// does this for one fixed handle and side). The other three choices of handle
// and side come from first relabelling the diagram by its symmetries
// (exchanging the handles, turning the picture over). Every result describes
// the same manifold; the Heegaard search walks them looking for a smaller
// diagram, measured by the arc sum (the complexity).
//
// A result whose numbers do not fit the diagram's 16-bit fields is dropped
// rather than stored wrapped. Cost: constant per move; the end-count test of
// IsSimple and the dual rule of Complexity trace the arc table (linear).
#include <algorithm>
#include <utility>

#include "presentations/heegaard/heegaard_diagram.h"

bool THeegaardDiagram::ChangeMeridian() {
  const long long a = a_, b1 = b1_, b2 = b2_, c1 = c1_, c2 = c2_, d = d_;
  const long long shift1 = shift1_, shift2 = shift2_;
  const long long n1 = a + b1 + b2 + d;
  const long long r = b1 + b2 + d;
  long long t = shift1 - d - b2;
  if (t < 0) t += n1;
  long long u = b1 + shift1 - 1;
  if (u < 0) u += n1;
  if (n1 > 0 && (u < 0 || u >= n1)) u = ((u % n1) + n1) % n1;
  const long long v = t - r;
  const long long w = u + 1;

  long long nb1 = 0, nb2 = 0, nc1 = 0, nc2 = 0, nd = 0;
  if (a == 0) {
    nb1 = r - t;
    nb2 = t;
  } else if (u < t) {
    if (r <= 0) {
      nc1 = a - shift1;
      nc2 = shift1;
    } else if (t < r) {
      nb1 = r - t;
      nb2 = w;
      nd = a;
    } else {
      nb2 = w;
      nc2 = v;
      nd = n1 - t;
    }
  } else {
    if (t < r) {
      nb1 = r - t;
      nc1 = n1 - u - 1;
      nd = w - r;
    } else if (r <= 0) {
      nc1 = a - shift1;
      nc2 = shift1;
    } else {
      nc1 = n1 - u - 1;
      nc2 = v;
      nd = r;
    }
  }
  const long long na = c1 + c2 + d;
  for (long long value : {na, nb1, nb2, nc1, nc2, nd}) {
    if (value < 0 || value > kMaxNumber) return false;
  }
  THeegaardDiagram moved;
  if (!moved.SetFromSix(static_cast<int>(na), static_cast<int>(nb1), static_cast<int>(nb2),
                        static_cast<int>(nc1), static_cast<int>(nc2), static_cast<int>(nd),
                        b1 + 2 * b2 + 2 * d + c2 - nb1, a + shift2 - d - c2 - nc1)) {
    return false;
  }
  *this = std::move(moved);
  return true;
}

int THeegaardDiagram::MeridianMoves(THeegaardDiagram* results, int filter) const {
  if (kind_ == 4 || results == nullptr) return 0;
  const int arcSum = ArcSum();
  int count = 0;
  for (int variant = 1; variant <= 4; ++variant) {
    THeegaardDiagram candidate(*this);
    candidate.FreeCurveArray();
    if (variant == 2 || variant == 4) {
      std::swap(candidate.b1_, candidate.c1_);
      std::swap(candidate.b2_, candidate.c2_);
      std::swap(candidate.shift1_, candidate.shift2_);
    }
    if (variant == 3 || variant == 4) {
      std::swap(candidate.a_, candidate.d_);
      candidate.SetShift(0, -static_cast<long long>(candidate.shift1_));
      candidate.SetShift(1, -static_cast<long long>(candidate.shift2_));
    }
    if (!candidate.ChangeMeridian()) continue;
    candidate.FreeCurveArray();
    candidate.Normalize();
    const int sum = candidate.ArcSum();
    if (candidate.IsEqual(*this)) continue;
    if (filter == 2 && sum != arcSum) continue;
    if (filter == 3 && sum > arcSum) continue;
    bool seen = false;
    for (int k = 0; k < count; ++k) seen = seen || candidate.IsEqual(results[k]);
    if (seen) continue;
    candidate.SetTag2(variant);
    candidate.SetParent(this);
    results[count++] = std::move(candidate);
  }
  return count;
}

int THeegaardDiagram::MeridianMovesAreNew(THeegaardDiagram* results, int filter, int withDual) {
  if (kind_ == 4 || results == nullptr) return 0;
  int count = MeridianMoves(results, filter);
  if (withDual != 0 && CurveCount() == 2) {
    THeegaardDiagram dual;
    if (DualDiagram(dual) == 1) {
      dual.Normalize();
      bool seen = dual.IsEqual(*this);
      for (int k = 0; k < count; ++k) seen = seen || dual.IsEqual(results[k]);
      if (!seen) {
        dual.SetTag2(5);
        dual.SetParent(this);
        results[count++] = std::move(dual);
      }
    }
  }
  FreeCurveArray();
  for (int k = 0; k < count; ++k) results[k].SetTag(level_ + 1);
  return count;
}

int THeegaardDiagram::Complexity(int withDual, int& value) {
  if (kind_ == 4) return 0;
  const int s = ArcSum();
  int q = s;
  int result = 0;
  auto lower = [&](int candidate) {
    q = std::min(q, candidate);
    result = 1;
  };
  const int a = a_, b = b1_ + b2_, c = c1_ + c2_, d = d_;
  if (c + d < a) lower(s + c + d - a);
  if (b + d < a) lower(s + b + d - a);
  if (a + b < d) lower(s + b + a - d);
  if (a + c < d) lower(s + c + a - d);
  const int mode = HeegaardSearchMode.load();
  if (withDual != 0 && (mode == 1 || mode == 2)) {
    CurveCount();
    if (HasDualLoop() == 1) {
      result = 1;
      if (q == s) q = s - 1;
    } else {
      THeegaardDiagram dual;
      if (DualDiagram(dual) == 1) {
        dual.Normalize();
        int dualValue = 0;
        if (dual.Complexity(0, dualValue) == 1) lower(dualValue);
      }
    }
  }
  value = q;
  return result;
}

// The forms in which the manifold can be read off directly: no arcs joining
// the pairs and no inner arcs, a single a or d arc placed without twist, a
// b or c family of one arc without shift, or curves that meet a disc pair
// only twice, have a single piece beside the a pieces, or miss a pair.
int THeegaardDiagram::IsSimple() {
  if (kind_ == 4) return 0;
  if (a_ == 0 && d_ == 0 && b2_ == 0 && c2_ == 0) return 1;
  if (a_ == 1 && shift1_ == b2_ + d_ && shift2_ == c2_ + d_) return 1;
  if (d_ == 1 && shift1_ == b1_ + d_ && shift2_ == c1_ + d_) return 1;
  if ((b1_ == 1 && shift1_ == 0) || (c1_ == 1 && shift2_ == 0)) return 1;
  if (ArcSum() == 0) return 0;

  CurveCount();
  const TIntMatrix& table = *arcs_;
  const int n1 = N1();
  const int aRows = 2 * a_;
  int ends[2][2] = {{0, 0}, {0, 0}};  // [curve][pair]
  int otherPieces[2] = {0, 0};
  for (int r = 0; r < static_cast<int>(table.Rows()); ++r) {
    const std::int32_t* row = table.Row(static_cast<std::uint32_t>(r));
    const int curve = row[4];
    if (curve != 1 && curve != 2) continue;
    for (int c = 0; c < 2; ++c) ++ends[curve - 1][row[c] < n1 ? 0 : 1];
    if (r >= aRows) ++otherPieces[curve - 1];
  }
  for (int curve = 0; curve < 2; ++curve) {
    if (ends[curve][0] == 2 || ends[curve][1] == 2) return 1;
    if (otherPieces[curve] == 1) return 1;
  }
  // Neither curve meets the first pair, or neither meets the second. (Counted
  // over both curves: a diagram of one curve has no second curve to miss.)
  if (ends[0][0] + ends[1][0] == 0 || ends[0][1] + ends[1][1] == 0) return 1;
  return 0;
}
