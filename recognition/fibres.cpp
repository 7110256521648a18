// Exceptional fibres of Seifert atoms. See fibres.h.
#include "recognition/fibres.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "foundation/checked_int64.h"
#include "model/edge.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/vertex.h"

namespace {

std::int32_t Negated(std::int32_t x) { return CheckedIntDifference(0, x); }

// Sort key of a first component: 1 goes after every other value.
std::int64_t RunKey(std::int32_t a) {
  return a == 1 ? std::numeric_limits<std::int64_t>::max() : static_cast<std::int64_t>(a);
}

// Brings every row but the last into its range, collecting the change in the
// last row's second component e, and sorts again.
void ReduceRows(TFibreRows& rows) {
  const std::size_t n = rows.size();
  if (n <= 1) return;
  TFibreRow& last = rows[n - 1];
  for (std::size_t i = 0; i + 1 < n; ++i) {
    TFibreRow& row = rows[i];
    if (row.a == 0) {
      row.b = AbsInt(row.b);
      continue;
    }
    std::int32_t d = 0;
    if (row.a < row.b)
      d = row.b / row.a;
    else if (row.b < 0)
      d = CheckedIntDifference(row.b / row.a, 1);
    if (d == 0) continue;
    row.b = CheckedIntDifference(row.b, CheckedIntProduct(d, row.a));
    last.b = CheckedIntSum(last.b, CheckedIntProduct(d, last.a));
  }
  SortFibres(rows);
}

void NegateSeconds(TFibreRows& rows) {
  for (TFibreRow& row : rows) row.b = Negated(row.b);
}

TFibreRows ReadRows(const TObjectHeader* vertex) {
  TFibreRows rows;
  const int count = TMoleculeVertex::PairCount(vertex);
  rows.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    TFibreRow row;
    TMoleculeVertex::PairAt(vertex, i, row.a, row.b);
    rows.push_back(row);
  }
  return rows;
}

void WriteRows(TObjectHeader* vertex, const TFibreRows& rows) {
  TMoleculeVertex* v = TMoleculeVertex::Of(vertex);
  v->firstPairs.Clear();
  v->secondPairs.Clear();
  for (const TFibreRow& row : rows) TMoleculeVertex::AddPair(vertex, row.a, row.b);
}

}  // namespace

void AddFibre(TObjectHeader* vertex, int a, int b) {
  if (TMoleculeVertex::Of(vertex) == nullptr) return;
  if (a < 0) {
    a = Negated(a);
    b = Negated(b);
  }
  if (a != 1) {
    TMoleculeVertex::AddPair(vertex, a, b);
    return;
  }
  if (b == 0) return;
  if (TMoleculeVertex::PairCount(vertex) > 0) {
    int a0 = 0;
    int b0 = 0;
    TMoleculeVertex::PairAt(vertex, 0, a0, b0);
    TMoleculeVertex::SetPairAt(vertex, 0, a0, CheckedIntSum(CheckedIntProduct(b, a0), b0));
    return;
  }
  if (TVertex::Valency(vertex) > 0) {
    THandle edge = TVertex::EdgeAt(vertex, 0);
    // T = (1, 0; b, 1); its inverse is (1, 0; -b, 1), so G T^-1 is the
    // product M T of the rule with T = (1, 0; -b, 1).
    const TIntQuad t{1, 0, b, 1};
    if (TEdge::End(edge, 2).Object() == vertex)
      TMoleculeEdge::TransformGluing(edge, t, 1);
    else
      TMoleculeEdge::TransformGluing(edge, t, 2);
    return;
  }
  TMoleculeVertex::AddPair(vertex, 1, b);
}

int FarEndOfEdge(const TObjectHeader* edge, const TObjectHeader* vertex, THandle& farEnd, int& side) {
  if (TEdge::IsLoop(edge)) {
    farEnd = THandle();
    side = 0;
    return 0;
  }
  if (TEdge::End(edge, 1).Object() == vertex) {
    farEnd = TEdge::End(edge, 2);
    side = 1;
  } else {
    farEnd = TEdge::End(edge, 1);
    side = 2;
  }
  return 1;
}

void SortFibres(TFibreRows& rows) {
  std::stable_sort(rows.begin(), rows.end(), [](const TFibreRow& x, const TFibreRow& y) {
    const std::int64_t kx = RunKey(x.a);
    const std::int64_t ky = RunKey(y.a);
    if (kx != ky) return kx < ky;
    return x.b < y.b;
  });
  if (rows.empty()) return;
  // The last run: its most negative row goes to its end.
  std::size_t first = rows.size() - 1;
  while (first > 0 && rows[first - 1].a == rows.back().a) --first;
  if (rows.size() - first > 1 && rows[first].b < 0)
    std::rotate(rows.begin() + static_cast<std::ptrdiff_t>(first),
                rows.begin() + static_cast<std::ptrdiff_t>(first) + 1, rows.end());
}

int CompareFibreRows(const TFibreRows& r, const TFibreRows& q) {
  if (r.size() != q.size() || r.empty()) return 0;
  for (std::size_t i = 0; i + 1 < r.size(); ++i)
    if (r[i].b != q[i].b) return q[i].b < r[i].b ? 1 : 0;
  const std::int64_t eR = r.back().b;
  const std::int64_t eQ = q.back().b;
  if ((eQ < 0 ? -eQ : eQ) < (eR < 0 ? -eR : eR)) return 1;
  return eQ == -eR && eQ < 0 ? 1 : 0;
}

void NormalizeFibreRows(TFibreRows& rows, int mode) {
  if (rows.empty()) {
    rows.push_back({1, 0});
    return;
  }
  TFibreRows work = rows;
  if (mode == 3) NegateSeconds(work);
  if (work.size() > 1) SortFibres(work);
  if (work.back().a != 1) work.push_back({1, 0});
  const std::size_t n = work.size();
  ReduceRows(work);
  if (mode == 1) {
    const std::int32_t h = static_cast<std::int32_t>((1 - static_cast<std::int64_t>(n)) / 2);
    const std::int32_t e = work.back().b;
    if (e < h) {
      NegateSeconds(work);
      ReduceRows(work);
    } else if (n % 2 == 1 && e == h) {
      TFibreRows flipped = work;
      NegateSeconds(flipped);
      ReduceRows(flipped);
      if (CompareFibreRows(work, flipped) == 1) work = flipped;
    }
    if (n == 1 && work.back().b < 0) work.back().b = Negated(work.back().b);
  }
  rows = work;
}

void NormalizeFibres(TObjectHeader* vertex, int mode) {
  if (TMoleculeVertex::AtomType(vertex) != kSeifertAtom) return;
  TFibreRows rows = ReadRows(vertex);
  NormalizeFibreRows(rows, mode);
  WriteRows(vertex, rows);
}
