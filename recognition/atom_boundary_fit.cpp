#include "recognition/atom_boundary_fit.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "foundation/checked_int64.h"
#include "recognition/atom_table.h"

namespace {

TIntQuad RowMatrix(const std::vector<std::int32_t>& row) {
  // words 3..6 of a one-torus row are c, d, a, b
  return TIntQuad{row[5], row[6], row[3], row[4]};
}

std::int64_t Abs(std::int64_t v) { return v < 0 ? -v : v; }

}  // namespace

int CompareBoundaryMatrices(const TIntQuad& n, const TIntQuad& kept) {
  const std::int64_t a[8] = {Abs(n.b), Abs(n.a), Abs(n.d), Abs(n.c), -std::int64_t{n.b}, -std::int64_t{n.a},
                             -std::int64_t{n.d}, -std::int64_t{n.c}};
  const std::int64_t b[8] = {Abs(kept.b), Abs(kept.a), Abs(kept.d), Abs(kept.c), -std::int64_t{kept.b},
                             -std::int64_t{kept.a}, -std::int64_t{kept.d}, -std::int64_t{kept.c}};
  for (int i = 0; i < 8; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? 1 : 0;
  }
  return 0;
}

void NormalizeSlope(std::int64_t& x, std::int64_t& y) {
  if (y < 0 || (y == 0 && x < 0)) {
    x = -x;
    y = -y;
  }
}

int FitBoundary(const TTableRecord& record, const TIntQuad& torusMap, TIntQuad& m, bool hasSlope, int p, int q,
                int& pOut, int& qOut) {
  return FitBoundary(record, std::vector<TIntQuad>{torusMap}, m, hasSlope, p, q, pOut, qOut);
}

int FitBoundary(const TTableRecord& record, const std::vector<TIntQuad>& torusMaps, TIntQuad& m, bool hasSlope,
                int p, int q, int& pOut, int& qOut) {
  std::vector<TIntQuad> candidates{TIntQuad{1, 0, 0, 1}};
  for (int i = 0; i < record.SymmetryCount(); ++i) {
    const std::vector<std::int32_t>& row = record.GetSymmetryRow(i);
    if (row.size() >= 7) candidates.push_back(RowMatrix(row));
  }
  TIntQuad s{1, 0, 0, 1};
  const bool type1 = record.GetNextType() == kNextSpine;
  if (type1) {
    std::int32_t f[4];
    record.GetFirstTorusMatrix(f);
    QuadInvertUnimodular(s, TIntQuad{f[0], f[1], f[2], f[3]});
  }
  bool have = false;
  std::int64_t keptX = 0, keptY = 0;
  TIntQuad keptMatrix = m;
  for (const TIntQuad& torusMap : torusMaps) {
    for (const TIntQuad& candidate : candidates) {
      TIntQuad r;
      QuadProduct(r, candidate, torusMap);
      if (type1) QuadProduct(r, s, r);
      if (hasSlope) {
        std::int64_t x = std::int64_t{r.a} * p + std::int64_t{r.b} * q;
        std::int64_t y = std::int64_t{r.c} * p + std::int64_t{r.d} * q;
        NormalizeSlope(x, y);
        const std::int64_t left = Abs(x) * Abs(keptY), right = Abs(keptX) * Abs(y);
        if (!have || left < right || (left == right && x >= 1)) {
          keptX = x;
          keptY = y;
          have = true;
        }
      } else {
        if (QuadDet(r) != 1) continue;
        TIntQuad n;
        QuadProduct(n, r, m);
        if (!have || CompareBoundaryMatrices(n, keptMatrix) == 1) {
          keptMatrix = n;
          have = true;
        }
      }
    }
  }
  if (hasSlope) {
    if (keptX > INT32_MAX || keptX < INT32_MIN || keptY > INT32_MAX || keptY < INT32_MIN) throw Out_of_Range();
    pOut = static_cast<int>(keptX);
    qOut = static_cast<int>(keptY);
    m = TIntQuad{1, 0, 0, 1};
  } else {
    m = keptMatrix;
  }
  return 1;
}
