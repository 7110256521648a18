// The dual diagram of a genus-2 Heegaard diagram.
//
// A Heegaard diagram describes a splitting into two handlebodies; drawn from
// the other handlebody, the roles of the disc boundaries and of the curves
// are exchanged. For two curves, the disc boundaries of the first handlebody,
// cut by the curves, fall into segments (the gaps between consecutive points
// of a disc pair), and these segments become the arcs of the dual diagram:
//   type 2  both ends on curve 1: an arc running from curve 1 back to it,
//   type 3  both ends on curve 2: the same for curve 2,
//   type 4  ends on different curves, crossed the same way: one family
//           joining the two (each arc is seen twice, once per disc),
//   type 1  ends on different curves, crossed opposite ways: the other such
//           family (also seen twice).
// So the dual's counts are (G1 / 2, G2, G3, G4 / 2). A segment joining a curve
// to itself with opposite crossings would be a loop of the dual, and then no
// dual diagram is formed.
//
// The shifts come from walking each curve and looking at the gap types on its
// left and right: the position at which a run of the curve's own segments
// starts and the one at which it ends measure the twist of that handle. Open
// diagrams (one family of a-or-d arcs missing, and one handle without own
// segments) are handled by two templates that read the twist off the
// positions of a few named arc pieces along the curves; a diagram not in
// normal form is first normalised (one level of recursion at most: a normal
// form never asks for it again).
//
// Cost: linear in the arc sum (tracing, gap classification and walks all go
// through the point index).
#include <array>
#include <cstdint>
#include <vector>

#include "foundation/status_reporter.h"
#include "presentations/heegaard/heegaard_arc_index.h"
#include "presentations/heegaard/heegaard_diagram.h"

namespace {

// One curve walked along its pieces: the row at each position and the gap
// types on the two sides of the point where the position is entered.
struct TCurveWalk {
  std::vector<int> rows;
  std::vector<int> left;
  std::vector<int> right;
  int Length() const { return static_cast<int>(rows.size()); }
};

int Cyclic(int x, int n) { return n <= 0 ? 0 : ((x % n) + n) % n; }

// The entry point of a row along its curve's direction, and the exit point.
int EntryPoint(const std::int32_t* row) { return row[5] >= 0 ? row[0] : row[1]; }
int ExitPoint(const std::int32_t* row) { return row[5] >= 0 ? row[1] : row[0]; }
int EntrySide(const std::int32_t* row) { return row[5] >= 0 ? row[2] : row[3]; }

TCurveWalk WalkCurve(const TIntMatrix& table, const THeegaardArcIndex& index, int curve,
                     int length, const std::vector<int>& gapAfter,
                     const std::vector<int>& gapBefore) {
  TCurveWalk walk;
  if (length <= 0) return walk;
  const int rows = static_cast<int>(table.Rows());
  int row = -1;
  for (int r = 0; r < rows && row < 0; ++r) {
    if (table.Row(static_cast<std::uint32_t>(r))[4] == curve) row = r;
  }
  while (row >= 0 && walk.Length() < length) {
    const std::int32_t* data = table.Row(static_cast<std::uint32_t>(row));
    const int entry = EntryPoint(data);
    const int crossing = EntrySide(data) * data[5];
    walk.rows.push_back(row);
    if (crossing < 1) {
      walk.left.push_back(gapAfter[static_cast<std::size_t>(entry)]);
      walk.right.push_back(gapBefore[static_cast<std::size_t>(entry)]);
    } else {
      walk.left.push_back(gapBefore[static_cast<std::size_t>(entry)]);
      walk.right.push_back(gapAfter[static_cast<std::size_t>(entry)]);
    }
    const int exit = ExitPoint(data);
    int next = -1;
    for (const std::int32_t* r = index.Begin(exit); r != index.End(exit); ++r) {
      const std::int32_t* candidate = table.Row(static_cast<std::uint32_t>(*r));
      if (candidate[4] == curve && EntryPoint(candidate) == exit) {
        next = *r;
        break;
      }
    }
    if (next < 0 && walk.Length() < length) {
      ReportInternalError("heegaard_dual_diagram", __LINE__);
    }
    row = next;
  }
  return walk;
}

// Slots of a template: named rows of the table and their entries (signed
// positions along the curves, 0 when the row was not met).
struct TTemplate {
  std::vector<int> rows;
  std::vector<int> entries;
  int matches[3] = {0, 0, 0};
  bool negated = false;
};

void FillTemplate(TTemplate& slots, const TCurveWalk walks[3]) {
  slots.entries.assign(slots.rows.size(), 0);
  for (int curve = 1; curve <= 2; ++curve) {
    const TCurveWalk& walk = walks[curve];
    for (int p = 0; p < walk.Length(); ++p) {
      for (std::size_t s = 0; s < slots.rows.size(); ++s) {
        if (slots.rows[s] == walk.rows[static_cast<std::size_t>(p)]) {
          slots.entries[s] = curve == 1 ? p + 1 : -(p + 1);
          ++slots.matches[curve];
        }
      }
    }
  }
  if (slots.matches[1] == 2) {
    slots.negated = true;
    for (int& e : slots.entries) e = -e;
  }
}

int FirstNegative(const std::vector<int>& entries, int among, int fallback) {
  for (int k = 0; k < among; ++k) {
    if (entries[static_cast<std::size_t>(k)] < 0) return k;
  }
  return fallback;
}

int RowDirection(const TIntMatrix& table, int row) {
  if (row < 0 || row >= static_cast<int>(table.Rows())) return 0;
  return table.Row(static_cast<std::uint32_t>(row))[5];
}

}  // namespace

int THeegaardDiagram::DualDiagram(THeegaardDiagram& dual) {
  THeegaardDiagram result;
  if (DualDiagramAt(result, 0) == 0) return 0;
  dual = std::move(result);
  return 1;
}

int THeegaardDiagram::DualDiagramAt(THeegaardDiagram& dual, int depth) {
  if (ArcSum() == 0 || HasDualLoop() == 1) return 0;
  CurveCount();
  const TIntMatrix& table = *arcs_;
  const THeegaardArcIndex index(table);
  const int n1 = N1();
  const int n2 = N2();
  const int points = n1 + n2;

  // Gap types around every point.
  std::vector<int> gapAfter(static_cast<std::size_t>(points), 0);
  std::vector<int> gapBefore(static_cast<std::size_t>(points), 0);
  std::array<int, 5> gapCount{};
  auto pointInfo = [&](int point, int& curve, int& sign) {
    const int row = index.FirstRow(point);
    if (row < 0) {
      curve = 0;
      sign = 0;
      return;
    }
    const std::int32_t* r = table.Row(static_cast<std::uint32_t>(row));
    curve = r[4];
    sign = r[2 + THeegaardArcIndex::EndAt(table, row, point)] * r[5];
  };
  const int pairs[2][2] = {{0, n1}, {n1, n2}};
  for (const auto& pair : pairs) {
    for (int i = 0; i < pair[1]; ++i) {
      const int p = pair[0] + i;
      const int q = pair[0] + (i + 1) % pair[1];
      int curveP = 0, signP = 0, curveQ = 0, signQ = 0;
      pointInfo(p, curveP, signP);
      pointInfo(q, curveQ, signQ);
      int type = 1;
      if (curveP == curveQ) {
        type = curveP == 1 ? 2 : 3;
      } else if (signP == signQ) {
        type = 4;
      }
      gapAfter[static_cast<std::size_t>(p)] = type;
      gapBefore[static_cast<std::size_t>(q)] = type;
      ++gapCount[static_cast<std::size_t>(type)];
    }
  }
  int g1 = gapCount[1] / 2;
  int g2 = gapCount[2];
  int g3 = gapCount[3];
  int g4 = gapCount[4] / 2;
  const int nonZero = (g1 != 0) + (g2 != 0) + (g3 != 0) + (g4 != 0);

  // Walks and shifts of the two curves.
  TCurveWalk walks[3];
  int shiftOf[3] = {0, 0, 0};
  bool innerArcs = false;
  int inner[4] = {0, 0, 0, 0};  // b1, b2, c1, c2
  const bool withShifts = nonZero > 2 || (g1 != 0 && g4 != 0);
  if (nonZero > 1) {
    const int order[2] = {g2 != 0 ? 1 : 2, g2 != 0 ? 2 : 1};
    int sigma = 0;
    for (int curve : order) {
      const int own = curve == 1 ? g2 : g3;
      walks[curve] = WalkCurve(table, index, curve, g1 + g4 + own, gapAfter, gapBefore);
      if (!withShifts) continue;
      const TCurveWalk& walk = walks[curve];
      const int length = walk.Length();
      if (length <= 1 || length == g1 || length == g4 || length == own) continue;
      int target = 4, total = g4, before = 1, after = 1, offset = g4;
      if (own != 0) {
        target = curve == 1 ? 2 : 3;
        total = own;
        before = g1 != 0 ? 1 : 4;
        after = g4 != 0 ? 4 : 1;
        offset = 0;
      }
      int start = -1;
      int end = -1;
      for (int x = 0; x < length; ++x) {
        const std::size_t now = static_cast<std::size_t>(x);
        const std::size_t prev = static_cast<std::size_t>(Cyclic(x - 1, length));
        if (walk.left[now] == target && walk.left[prev] == before && sigma >= 0) {
          sigma = 1;
          start = x;
        }
        if (walk.left[now] == target && walk.left[prev] == after && sigma <= 0) {
          sigma = -1;
          end = x;
        }
        if (walk.right[now] == target && walk.right[prev] == after && sigma >= 0) {
          sigma = 1;
          end = x;
        }
        if (walk.right[now] == target && walk.right[prev] == before && sigma <= 0) {
          start = x;
          sigma = -1;
        }
      }
      shiftOf[curve] = end + offset - start;
      if (target == 2 || target == 3) {
        const std::vector<int>& side = sigma <= 0 ? walk.right : walk.left;
        int run = 0;
        while (run < length &&
               side[static_cast<std::size_t>(Cyclic(start + run, length))] == target) {
          ++run;
        }
        if (run < total) {
          innerArcs = true;
          if (curve == 1) {
            inner[0] = run;
            inner[1] = g2 - run;
            inner[2] = inner[3] = 0;
          } else {
            inner[2] = run;
            inner[3] = g3 - run;
            inner[0] = inner[1] = 0;
          }
        }
      }
    }
  }

  THeegaardDiagram fromGaps;
  bool gapsFormed = false;
  if (withShifts) {
    gapsFormed = innerArcs ? fromGaps.SetFromSix(g1, inner[0], inner[1], inner[2], inner[3], g4,
                                                 shiftOf[1], shiftOf[2])
                           : fromGaps.SetFromSix(g1, g2, 0, g3, 0, g4, shiftOf[1], shiftOf[2]);
  }

  // The diagram's own numbers decide which construction stands.
  const int zeros = (b1_ == 0) + (b2_ == 0) + (c1_ == 0) + (c2_ == 0);
  const bool open = nonZero == 2 && (g2 == 0 || g3 == 0) && (a_ == 0 || d_ == 0);
  enum { kGaps, kItself, kRecurse, kFirstTemplate, kSecondTemplate } rule = kGaps;
  if ((nonZero == 2 && g2 != 0 && g3 != 0) || (open && zeros == 1) || nonZero == 1) {
    rule = kItself;
  } else if (open && zeros == 2) {
    rule = (d_ != 0 || (c1_ != 0 && c2_ != 0)) ? kRecurse : kSecondTemplate;
  } else if (open && zeros == 3) {
    rule = (a_ == 0 || c1_ + c2_ > 0) ? kRecurse : kFirstTemplate;
  }

  switch (rule) {
    case kItself:
      dual.CopyFrom(*this);
      return 1;
    case kRecurse: {
      if (depth > 0) return 0;
      THeegaardDiagram copy(*this);
      copy.Normalize();
      return copy.DualDiagramAt(dual, depth + 1);
    }
    case kGaps:
      if (!gapsFormed) return 0;
      dual = std::move(fromGaps);
      return 1;
    default:
      break;
  }

  // Templates: positions of named pieces along the curves.
  if (g1 == 0) {
    g1 = g4;
    g4 = 0;
  }
  if (g2 == 0) {
    g2 = g3;
    g3 = 0;
  }
  const int a = a_, b1 = b1_, b2 = b2_, c1 = c1_, c2 = c2_;
  THeegaardDiagram result;
  if (rule == kFirstTemplate) {
    TTemplate slots;
    slots.rows = {0, 2 * a - 2, 2 * a, 2 * a - 1, 1, 2 * a + b1 + b2 - 1};
    FillTemplate(slots, walks);
    const std::vector<int>& e = slots.entries;
    auto E = [&](int k) { return e[static_cast<std::size_t>(Cyclic(k, 6))]; };
    auto P = [&](int k) { return slots.rows[static_cast<std::size_t>(Cyclic(k, 6))]; };
    const int i = FirstNegative(e, 3, 5);
    const int nMain = walks[slots.negated ? 2 : 1].Length();
    const int nOther = walks[slots.negated ? 1 : 2].Length();
    int shift1 = 0;
    if (nMain != 1) {
      shift1 = E(i + 5) - E(i + 4);
      if (shift1 < 0) shift1 += nMain;
    }
    int shift2 = 0;
    if (nOther != 1) {
      shift2 = RowDirection(table, P(i + 5)) != RowDirection(table, P(i)) ? E(i + 3) - E(i)
                                                                           : E(i) - E(i + 3);
      if (shift2 < 0) shift2 += nOther;
    }
    if (!result.SetFromFour(g1, g2, 0, 0, shift1, shift2)) return 0;
  } else {
    TTemplate k;
    TTemplate l;
    if (c1 + c2 > 0) {
      k.rows = {0, 2 * a + b1 + b2, 1, 2 * a + b1 + b2 - 1};
      l.rows = {2 * a - 2, 2 * a, 2 * a - 1, 2 * a + b1 + b2 + c1 + c2 - 1};
    } else {
      k.rows = {0, 2 * a - 2, 2 * a, 2 * a + b1 + b2 - 1};
      l.rows = {2 * a - 1, 1, 2 * a + b1 - 1, 2 * a + b1};
    }
    // Both rows of slots form one template: fill them together so that the
    // match count and the negation see all eight slots.
    TTemplate both;
    both.rows = k.rows;
    both.rows.insert(both.rows.end(), l.rows.begin(), l.rows.end());
    FillTemplate(both, walks);
    const std::vector<int> kp(both.entries.begin(), both.entries.begin() + 4);
    const std::vector<int> lp(both.entries.begin() + 4, both.entries.end());
    auto KP = [&](int x) { return kp[static_cast<std::size_t>(Cyclic(x, 4))]; };
    auto LP = [&](int x) { return lp[static_cast<std::size_t>(Cyclic(x, 4))]; };
    auto K = [&](int x) { return k.rows[static_cast<std::size_t>(Cyclic(x, 4))]; };
    const int i = FirstNegative(kp, 3, 3);
    const int j = FirstNegative(lp, 3, 3);
    const int n = g1 + g2;
    const int x = KP(i + 3), y = KP(i + 1), z = LP(j + 2);
    const bool cyclicOrder = (x <= y && y <= z) || (y <= z && z <= x) || (z <= x && x <= y);
    int s = 0;
    int t = 0;
    if (cyclicOrder) {
      s = KP(i + 2) - KP(i + 1);
      t = LP(j + 1) - KP(i + 3);
    } else {
      s = KP(i + 1) - KP(i + 2);
      t = KP(i + 3) - LP(j + 1);
    }
    if (s < 0) s += n;
    if (t < 0) t += n;
    int newB2 = s - t;
    if (newB2 < 0) newB2 += n;
    const int newB1 = g2 - newB2;
    int directionA = RowDirection(table, K(i + 3));
    if (!cyclicOrder) directionA = -directionA;
    const int directionB = RowDirection(table, K(i));
    const int shift2 = directionA != directionB ? KP(i) - LP(j) : LP(j) - KP(i);
    if (newB1 < 0 || !result.SetFromSix(g1, newB1, newB2, 0, 0, 0, s, shift2)) return 0;
  }
  dual = std::move(result);
  return 1;
}
