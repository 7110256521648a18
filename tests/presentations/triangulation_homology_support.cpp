#include "triangulation_homology_support.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <vector>

#include "presentations/triangulations/tetrahedra.h"

namespace {

using TMatrix = std::vector<std::vector<long long>>;

// The invariant factors above 1 of the group presented by the relation rows
// over the given number of generators, and its free rank.
void InvariantFactors(TMatrix m, std::size_t columns, std::vector<long long>& torsion, int& freeRank) {
  std::size_t rows = m.size();
  std::size_t rank = 0;
  std::vector<long long> diagonal;
  for (std::size_t pivot = 0; pivot < std::min(rows, columns); ++pivot) {
    // Smallest nonzero entry in the remaining block.
    for (;;) {
      std::size_t pr = rows;
      std::size_t pc = columns;
      long long best = 0;
      for (std::size_t r = pivot; r < rows; ++r) {
        for (std::size_t c = pivot; c < columns; ++c) {
          long long v = std::llabs(m[r][c]);
          if (v != 0 && (best == 0 || v < best)) {
            best = v;
            pr = r;
            pc = c;
          }
        }
      }
      if (best == 0) goto done;
      std::swap(m[pivot], m[pr]);
      for (auto& row : m) std::swap(row[pivot], row[pc]);
      bool clean = true;
      for (std::size_t r = pivot + 1; r < rows; ++r) {
        long long q = m[r][pivot] / m[pivot][pivot];
        for (std::size_t c = pivot; c < columns; ++c) m[r][c] -= q * m[pivot][c];
        if (m[r][pivot] != 0) clean = false;
      }
      for (std::size_t c = pivot + 1; c < columns; ++c) {
        long long q = m[pivot][c] / m[pivot][pivot];
        for (std::size_t r = pivot; r < rows; ++r) m[r][c] -= q * m[r][pivot];
        if (m[pivot][c] != 0) clean = false;
      }
      if (!clean) continue;
      // Divisibility: fold a remaining entry not divisible by the pivot in.
      bool divisible = true;
      for (std::size_t r = pivot + 1; r < rows && divisible; ++r) {
        for (std::size_t c = pivot + 1; c < columns; ++c) {
          if (m[r][c] % m[pivot][pivot] != 0) {
            for (std::size_t k = pivot; k < columns; ++k) m[pivot][k] += m[r][k];
            divisible = false;
            break;
          }
        }
      }
      if (divisible) break;
    }
    diagonal.push_back(std::llabs(m[pivot][pivot]));
    ++rank;
  }
done:
  torsion.clear();
  for (long long d : diagonal) {
    if (d > 1) torsion.push_back(d);
  }
  std::sort(torsion.begin(), torsion.end());
  freeRank = static_cast<int>(columns - rank);
}

}  // namespace

std::string TriangulationHomology(const TTetrahedronList& tetrahedra) {
  const int n = tetrahedra.Count();
  // Dual edges: one per glued face pair, taken from the side (t, f) that is
  // lower than its partner.
  std::vector<int> edgeOf(static_cast<std::size_t>(4 * n), -1);
  std::vector<int> edgeFrom;
  std::vector<int> edgeTo;
  for (int t = 0; t < n; ++t) {
    for (int f = 0; f < 4; ++f) {
      int u = tetrahedra.At(t).neighbour[f];
      if (u < 0) continue;
      int g = tetrahedra.At(t).gluing[f][static_cast<std::size_t>(f)];
      if (u * 4 + g < t * 4 + f) continue;
      int e = static_cast<int>(edgeFrom.size());
      edgeOf[static_cast<std::size_t>(4 * t + f)] = e;
      edgeOf[static_cast<std::size_t>(4 * u + g)] = e;
      edgeFrom.push_back(t);
      edgeTo.push_back(u);
    }
  }
  // Spanning tree of the dual graph.
  std::vector<int> parent(static_cast<std::size_t>(n));
  std::iota(parent.begin(), parent.end(), 0);
  auto find = [&](int x) {
    while (parent[static_cast<std::size_t>(x)] != x) x = parent[static_cast<std::size_t>(x)];
    return x;
  };
  std::vector<int> column(edgeFrom.size(), -1);
  std::size_t columns = 0;
  for (std::size_t e = 0; e < edgeFrom.size(); ++e) {
    int a = find(edgeFrom[e]);
    int b = find(edgeTo[e]);
    if (a != b) {
      parent[static_cast<std::size_t>(a)] = b;
    } else {
      column[e] = static_cast<int>(columns++);
    }
  }
  // One relation per edge class: the loop of faces around it.
  static constexpr int kEdgeVertices[6][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};
  auto edgeNumber = [](int a, int b) {
    if (a > b) std::swap(a, b);
    for (int i = 0; i < 6; ++i) {
      if (kEdgeVertices[i][0] == a && kEdgeVertices[i][1] == b) return i;
    }
    return -1;
  };
  std::vector<char> seen(static_cast<std::size_t>(6 * n), 0);
  TMatrix relations;
  for (int t0 = 0; t0 < n; ++t0) {
    for (int e0 = 0; e0 < 6; ++e0) {
      if (seen[static_cast<std::size_t>(6 * t0 + e0)]) continue;
      std::vector<long long> row(columns, 0);
      int a = kEdgeVertices[e0][0];
      int b = kEdgeVertices[e0][1];
      int c = -1;
      int d = -1;
      for (int v = 0; v < 4; ++v) {
        if (v == a || v == b) continue;
        (c < 0 ? c : d) = v;
      }
      int t = t0;
      const int startC = c;
      for (int guard = 0; guard < 24 * n + 8; ++guard) {
        seen[static_cast<std::size_t>(6 * t + edgeNumber(a, b))] = 1;
        int u = tetrahedra.At(t).neighbour[c];
        if (u < 0) break;  // an unglued face: the edge is on the boundary
        const auto& g = tetrahedra.At(t).gluing[c];
        int e = edgeOf[static_cast<std::size_t>(4 * t + c)];
        if (column[static_cast<std::size_t>(e)] >= 0) {
          // The loop crosses the dual edge forwards from its lower side.
          const bool forward = 4 * t + c < 4 * u + g[static_cast<std::size_t>(c)];
          row[static_cast<std::size_t>(column[static_cast<std::size_t>(e)])] += forward ? 1 : -1;
        }
        int na = g[static_cast<std::size_t>(a)];
        int nb = g[static_cast<std::size_t>(b)];
        int nc = g[static_cast<std::size_t>(d)];
        int nd = g[static_cast<std::size_t>(c)];
        t = u;
        a = na;
        b = nb;
        c = nc;
        d = nd;
        if (t == t0 && edgeNumber(a, b) == e0 && c == startC) break;
      }
      relations.push_back(row);
    }
  }
  std::vector<long long> torsion;
  int freeRank = 0;
  InvariantFactors(relations, columns, torsion, freeRank);
  std::string text;
  for (int i = 0; i < freeRank; ++i) text += text.empty() ? "Z" : "+Z";
  for (long long k : torsion) text += (text.empty() ? "Z_" : "+Z_") + std::to_string(k);
  return text.empty() ? "0" : text;
}
