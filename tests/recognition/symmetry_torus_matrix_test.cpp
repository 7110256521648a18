// A symmetry of order k acts on the homology of a boundary torus that it
// keeps by a matrix whose k-th power is the identity. The matrix is read off
// the torus reduced to one vertex, so this checks the symmetry search's map
// of curves and the reduction's transport of curves together.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/spine.h"
#include "moves/boundary_gluing_matrix.h"
#include "moves/torus_coordinates.h"
#include "recognition/spine_symmetries.h"
#include "support/census_table_support.h"
#include "support/model_heap.h"
#include "support/thick_spine_support.h"

namespace {

int EdgeMapOrder(const std::vector<int>& image) {
  std::vector<int> power = image;
  for (int order = 1; order <= 64; ++order) {
    bool identity = true;
    for (std::size_t e = 0; e < power.size(); ++e) identity = identity && power[e] == static_cast<int>(e) + 1;
    if (identity) return order;
    for (int& x : power) {
      const int y = image[static_cast<std::size_t>((x < 0 ? -x : x) - 1)];
      x = x < 0 ? -y : y;
    }
  }
  return 0;
}

bool PowerIsIdentity(const int m[4], int k) {
  long long p[4] = {1, 0, 0, 1};
  for (int i = 0; i < k; ++i) {
    const long long r[4] = {p[0] * m[0] + p[1] * m[2], p[0] * m[1] + p[1] * m[3], p[2] * m[0] + p[3] * m[2],
                            p[2] * m[1] + p[3] * m[3]};
    for (int j = 0; j < 4; ++j) p[j] = r[j];
  }
  return p[0] == 1 && p[1] == 0 && p[2] == 0 && p[3] == 1;
}

// Every symmetry that keeps a torus acts on it with the order of the map.
void ExpectTorusMatricesOfRightOrder(const std::string& signature) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, signature.c_str())) << signature;
  SetBoundaryCoordinates(spine);
  const TSymmetrySearch record(spine);
  TSymmetryMapList maps;
  FindSpineSymmetriesOnRecords(maps, record, record, 2);
  for (const TSymmetryMap& map : maps) {
    const int order = EdgeMapOrder(map.edgeImage);
    ASSERT_GT(order, 0) << signature;
    MapBoundaryComponents(spine, spine, map);
    const std::vector<int> images = CompareSpinesUnderSymmetry(spine, spine, map);
    for (int j = 0; j < spine.CountBoundaries(0); ++j) {
      const TComplex* surface = spine.BoundaryAt(j);
      if (spine.BoundarySurfaceClass(surface) != 2 || images[static_cast<std::size_t>(j)] != j) continue;
      int m[4] = {0, 0, 0, 0};
      ASSERT_EQ(SpineBoundaryGluingMatrix(*surface, m), 1) << signature;
      EXPECT_TRUE(PowerIsIdentity(m, order))
          << signature << " order " << order << ": (" << m[0] << " " << m[1] << ")(" << m[2] << " " << m[3] << ")";
    }
  }
}

TEST(SymmetryTorusMatrix, PowersOfTheOrderAreTheIdentity) {
  // The involution of this spine acts as -1 on its torus.
  ExpectTorusMatricesOfRightOrder("dLQbcccdero");
  int checked = 0;
  for (const TCensusEntry& entry : ReadCensusTable(CensusSamplePath())) {
    if (checked == 12) break;
    ExpectTorusMatricesOfRightOrder(entry.signature);
    ++checked;
  }
  EXPECT_EQ(checked, 12);
}

}  // namespace
