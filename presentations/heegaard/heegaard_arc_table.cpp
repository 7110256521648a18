// The arc table of a genus-2 Heegaard diagram, its curves and its homology.
//
// The six counts and two shifts determine the curves only implicitly. The
// table makes them explicit: one row per arc piece with the two points where
// the piece meets the disc pairs. Points 0..N1-1 lie on the first pair and
// N1..N1+N2-1 on the second; a point is one place of the gluing circle, seen
// on both discs of its pair, so it is the end of exactly two pieces (one on
// each disc). Reading the row formulas, the pieces run (column 0 to column 1)
//     a: X1 -> X2,  A: Y2 -> Y1,  b: X1 -> Y1,  c: Y2 -> X2,
//     d: Y1 -> X2,  D: Y2 -> X1,
// where X, Y are the two discs of a pair. Tracing joins the pieces at the
// points into closed curves and orients each piece along its curve.
//
// Homology. With x1, x2 the handles' generators (a curve passing through
// handle i from X to Y reads x_i), the fundamental group is <x1, x2 | curve
// words>. Each end of a piece is half of one passage through a handle, so a
// piece's columns 6 and 7 (its exponents of x1 and x2, counted at both of its
// ends) count every passage once from the piece that arrives and once from
// the piece that leaves: summed along a curve they give twice the curve's
// exponent sums. The relations are therefore the halved sums. (A relation
// matrix of the unhalved sums describes a different group: Z_{2p} + Z_2 in
// place of Z_p for a lens space.)
//
// Cost: building is linear in the arc sum; tracing is linear through the
// point index.
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "foundation/status_reporter.h"
#include "model/homology.h"
#include "presentations/heegaard/heegaard_arc_index.h"
#include "presentations/heegaard/heegaard_diagram.h"

namespace {

// x mod n in 0..n-1; 0 when n < 2.
int Mod(long long x, long long n) {
  if (n < 2) return 0;
  long long r = x % n;
  if (r < 0) r += n;
  return static_cast<int>(r);
}

}  // namespace

int THeegaardDiagram::BuildArcTable(int mode) {
  if (mode == 1 && arcs_ != nullptr) return 0;
  const int rows = ArcSum();
  if (rows == 0) return 0;
  const int columns = mode == 2 ? kLabelledColumns : kPlainColumns;
  auto table = std::make_unique<TIntMatrix>();
  if (!table->Resize(static_cast<std::uint32_t>(rows), static_cast<std::uint32_t>(columns))) {
    throw std::bad_alloc();
  }
  const int a = a_, b1 = b1_, b2 = b2_, c1 = c1_, c2 = c2_, d = d_;
  const int n1 = N1();
  const int n2 = N2();
  int g = shift1_ - b2 - d;
  if (g < 0) g += n1;
  int f = shift2_ - c2 - d;
  if (f < 0) f += n2;

  int row = 0;
  auto put = [&](int end0, int side0, int end1, int side1, int coef1, int coef2, int code) {
    std::int32_t* r = table->Row(static_cast<std::uint32_t>(row++));
    r[0] = end0;
    r[1] = end1;
    r[2] = side0;
    r[3] = side1;
    r[4] = 0;
    r[5] = 0;
    r[6] = coef1;
    r[7] = coef2;
    if (columns == kLabelledColumns) {
      r[8] = code;
      r[9] = 0;
    }
  };
  for (int j = 0; j < a; ++j) {
    const int first0 = b1 + b2 + d + j;
    const int first1 = n1 + n2 - 1 - j;
    put(first0, 1, first1, -1, 1, 1, 3);
    put(n1 + Mod(static_cast<long long>(first1) + f - n1, n2), -1, Mod(g + first0, n1), 1, 1, 1,
        2);
  }
  for (int j = 0; j < b1; ++j) put(j, 1, Mod(j + shift1_, n1), 1, 2, 0, b2 == 0 ? 4 : 5);
  for (int j = 0; j < b2; ++j) put(b1 + d + j, 1, Mod(g + j, n1), 1, 2, 0, 6);
  for (int j = 0; j < c1; ++j) put(n1 + Mod(j + shift2_, n2), -1, n1 + j, -1, 0, 2, c2 == 0 ? 7 : 8);
  for (int j = 0; j < c2; ++j) put(n1 + Mod(f + j, n2), -1, n1 + c1 + d + j, -1, 0, 2, 9);
  for (int j = 0; j < d; ++j) {
    put(Mod(static_cast<long long>(n1) + b2 + j + g, n1), -1, n1 + c1 + j, -1, -1, 1, 12);
    put(n1 + Mod(static_cast<long long>(j) + c2 + f, n2), -1, b1 + j, -1, -1, 1, 11);
  }
  arcs_ = std::move(table);
  return d;
}

int THeegaardDiagram::TraceCurves(int mode) {
  if (arcs_ == nullptr || arcs_->Rows() == 0) return 0;
  TIntMatrix& table = *arcs_;
  const int rows = static_cast<int>(table.Rows());
  if (table.Row(0)[4] != 0) {
    int highest = 0;
    for (int r = 0; r < rows; ++r) highest = std::max(highest, table.Row(r)[4]);
    return highest;
  }
  const bool positions = mode == 2 && table.Columns() >= static_cast<std::uint32_t>(kLabelledColumns);
  const THeegaardArcIndex index(table);
  int curves = 0;
  int next = 0;
  while (true) {
    while (next < rows && table.Row(next)[4] != 0) ++next;
    if (next == rows) break;
    const int curve = curves + 1;
    int position = 1;
    std::int32_t* first = table.Row(next);
    int start = 0;
    int current = 0;
    if (first[2] < 1) {
      first[5] = -1;
      start = first[1];
      current = first[0];
    } else {
      first[5] = 1;
      start = first[0];
      current = first[1];
    }
    first[4] = curve;
    if (positions) first[9] = position;
    while (current != start) {
      int found = -1;
      for (const std::int32_t* r = index.Begin(current); r != index.End(current); ++r) {
        if (table.Row(*r)[4] == 0) {
          found = *r;
          break;
        }
      }
      if (found < 0) {
        // Every point ends exactly two pieces; a dead end means a broken table.
        ReportInternalError("heegaard_arc_table", __LINE__);
        break;
      }
      std::int32_t* r = table.Row(found);
      if (r[0] == current) {
        r[5] = 1;
        current = r[1];
      } else {
        r[5] = -1;
        current = r[0];
      }
      r[4] = curve;
      if (positions) r[9] = ++position;
    }
    curves = curve;
  }
  return curves;
}

int THeegaardDiagram::CurveCount() {
  BuildArcTable(1);
  return TraceCurves(1);
}

int THeegaardDiagram::RowOfPoint(int point) const {
  if (arcs_ == nullptr) return -1;
  const int rows = static_cast<int>(arcs_->Rows());
  for (int r = 0; r < rows; ++r) {
    if (arcs_->Row(r)[0] == point || arcs_->Row(r)[1] == point) return r;
  }
  return -1;
}

int THeegaardDiagram::HasDualLoop() {
  if (ArcSum() == 0) return 0;
  CurveCount();
  const TIntMatrix& table = *arcs_;
  const THeegaardArcIndex index(table);
  // The curve and the signed crossing (side of the end there times the
  // direction of the piece) of the first row at a point.
  auto crossing = [&](int point, int& curve, int& sign) {
    const int row = index.FirstRow(point);
    if (row < 0) return false;
    const std::int32_t* r = table.Row(row);
    const int end = THeegaardArcIndex::EndAt(table, row, point);
    curve = r[4];
    sign = r[2 + end] * r[5];
    return true;
  };
  const int pairs[2][2] = {{0, N1()}, {N1(), N1() + N2()}};
  for (const auto& pair : pairs) {
    const int first = pair[0];
    const int count = pair[1] - pair[0];
    for (int i = 0; i < count; ++i) {
      const int p = first + i;
      const int q = first + (i + 1) % count;
      int curveP = 0, signP = 0, curveQ = 0, signQ = 0;
      if (!crossing(p, curveP, signP) || !crossing(q, curveQ, signQ)) continue;
      if (curveP == curveQ && signP != signQ) return 1;
    }
  }
  return 0;
}

THeegaardDiagram THeegaardDiagram::CurveDiagram(int curve) const {
  THeegaardDiagram result;
  result.SetFromFour(0, 0, 0, 0, 0, 0);
  if (arcs_ == nullptr || arcs_->Columns() < static_cast<std::uint32_t>(kLabelledColumns)) {
    return result;
  }
  const TIntMatrix& table = *arcs_;
  const int rows = static_cast<int>(table.Rows());
  std::array<int, 13> counts{};
  int ends1 = 0;
  int ends2 = 0;
  const int n1 = N1();
  int t1 = shift1_ - d_ - b2_;
  if (t1 < 0) t1 += n1;
  int t2 = shift2_ - d_ - c2_;
  if (t2 < 0) t2 += N2();
  for (int r = 0; r < rows; ++r) {
    const std::int32_t* row = table.Row(r);
    if (row[4] != curve) continue;
    int code = row[8];
    if (code == 2 || code == 3) code = 1;
    if (code == 11 || code == 12) code = 10;
    if (code >= 0 && code < static_cast<int>(counts.size())) ++counts[code];
    for (int c = 0; c < 2; ++c) {
      if (row[c] < t1) ++ends1;
      if (row[c] >= n1 && row[c] < n1 + t2) ++ends2;
    }
  }
  // Each a and d arc was counted once per piece.
  counts[1] /= 2;
  counts[10] /= 2;
  for (int code : {1, 4, 5, 6, 7, 8, 9, 10}) {
    if (counts[code] != 0) result.SetParameter(code, counts[code]);
  }
  if (shift1_ != 0) result.SetShift(0, ends1 / 2 + result.D() + result.B2());
  if (shift2_ != 0) result.SetShift(1, ends2 / 2 + result.D() + result.C2());
  return result;
}

int THeegaardDiagram::CurveArcCounts(THeegaardDiagram* diagrams, int capacity) {
  BuildArcTable(2);
  const int curves = TraceCurves(2);
  if (diagrams == nullptr || curves > capacity) return curves;
  for (int i = 0; i < curves; ++i) diagrams[i] = CurveDiagram(i + 1);
  return curves;
}

std::vector<std::array<std::int64_t, 2>> THeegaardDiagram::CurveRelations() {
  const int curves = CurveCount();
  std::vector<std::array<std::int64_t, 2>> relations(static_cast<std::size_t>(curves), {0, 0});
  if (curves == 0) return relations;
  const TIntMatrix& table = *arcs_;
  for (std::uint32_t r = 0; r < table.Rows(); ++r) {
    const std::int32_t* row = table.Row(r);
    if (row[4] < 1 || row[4] > curves) continue;
    auto& relation = relations[static_cast<std::size_t>(row[4] - 1)];
    relation[0] += static_cast<std::int64_t>(row[5]) * row[6];
    relation[1] += static_cast<std::int64_t>(row[5]) * row[7];
  }
  for (auto& relation : relations) {
    relation[0] /= 2;
    relation[1] /= 2;
  }
  return relations;
}

THomologyList* THeegaardDiagram::RelationMatrix(THomologyList* list) {
  THomologyList* result = list != nullptr ? list : new THomologyList;
  result->Clear();
  const auto relations = CurveRelations();
  if (relations.empty()) return result;
  TIntMatrix matrix(static_cast<std::uint32_t>(relations.size()), 2);
  for (std::size_t r = 0; r < relations.size(); ++r) {
    for (int c = 0; c < 2; ++c) {
      // A curve passes a handle at most N1 + N2 times, far inside 32 bits.
      matrix.Row(static_cast<std::uint32_t>(r))[c] = static_cast<std::int32_t>(relations[r][c]);
    }
  }
  try {
    result->DiagonaliseMatrix(matrix);
  } catch (...) {
    if (list == nullptr) delete result;
    throw;
  }
  if (result->Count() == 0) result->AppendElement(1);
  return result;
}
