#include "recognition/spine_symmetries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "model/cell.h"
#include "model/edge.h"
#include "model/spine.h"
#include "moves/boundary_gluing_matrix.h"
#include "moves/torus_coordinates.h"
#include "support/model_heap.h"
#include "support/thick_spine_support.h"

namespace {

// The composite map: edge e of the spine goes to a's image of b's image.
std::vector<int> Compose(const std::vector<int>& a, const std::vector<int>& b) {
  std::vector<int> out(b.size());
  for (std::size_t e = 0; e < b.size(); ++e) {
    const int x = b[e];
    const int y = a[static_cast<std::size_t>((x < 0 ? -x : x) - 1)];
    out[e] = x < 0 ? -y : y;
  }
  return out;
}

}  // namespace

TEST(SpineSymmetries, IdentityCarriesTheTorusCoordinatesOntoThemselves) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "dLQbcccdero"));
  SetBoundaryCoordinates(spine);
  const TSymmetrySearch record(spine);
  TSymmetryMapList maps;
  ASSERT_GE(FindSpineSymmetriesOnRecords(maps, record, record, 2), 1);
  auto identity = std::find_if(maps.begin(), maps.end(), [](const TSymmetryMap& m) { return m.IsIdentity(); });
  ASSERT_NE(identity, maps.end());
  MapBoundaryComponents(spine, spine, *identity);
  EXPECT_EQ(CompareSpinesUnderSymmetry(spine, spine, *identity), std::vector<int>{0});
  int m[4] = {0, 0, 0, 0};
  ASSERT_EQ(SpineBoundaryGluingMatrix(*spine.BoundaryAt(0), m), 1);
  EXPECT_EQ(std::vector<int>(m, m + 4), (std::vector<int>{1, 0, 0, 1}));
}

TEST(SpineSymmetries, SymmetriesOfALensSpaceSpineFormAGroup) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "bkaajn"));
  const TSymmetrySearch record(spine);
  TSymmetryMapList maps;
  const int n = FindSpineSymmetriesOnRecords(maps, record, record, 2);
  ASSERT_GE(n, 2);
  std::vector<std::vector<int>> group;
  for (const TSymmetryMap& m : maps) group.push_back(m.edgeImage);
  for (const auto& a : group)
    for (const auto& b : group)
      EXPECT_NE(std::find(group.begin(), group.end(), Compose(a, b)), group.end());
  // Mode 1 leaves out the identity, and only it.
  TSymmetryMapList others;
  EXPECT_EQ(FindSpineSymmetriesOnRecords(others, record, record, 1), n - 1);
  for (const TSymmetryMap& m : others) EXPECT_FALSE(m.IsIdentity());
}

TEST(SpineSymmetries, IsomorphismTest) {
  TScopedModelHeap heap;
  TSpine a, b, c;
  ASSERT_TRUE(LoadThickenedSpine(a, "cMcabbgqs"));
  ASSERT_TRUE(LoadThickenedSpine(b, "cMcabbgqs"));
  ASSERT_TRUE(LoadThickenedSpine(c, "bkaajn"));
  // Relabel b: every cell's boundary read from another passage and backwards
  // describes the same spine.
  const TObjectList& objects = b.Objects().Objects();
  for (int i = 0; i < objects.Count(); ++i) {
    TObjectHeader* o = objects.At(i);
    if (o != nullptr && o->kind == kCellKind && TCell::BoundaryLength(o) > 1) TCell::RotateBoundary(o, 1, 1);
  }
  EXPECT_EQ(AreSpinesIsomorphic(a, b), 1);
  // Different sizes: no search at all.
  EXPECT_EQ(AreSpinesIsomorphic(a, c), 0);
}

TEST(SpineSymmetries, EverySymmetryCarriesTheTorusBasisToABasis) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "dLQbcccdero"));
  SetBoundaryCoordinates(spine);
  const TSymmetrySearch record(spine);
  TSymmetryMapList maps;
  ASSERT_GE(FindSpineSymmetriesOnRecords(maps, record, record, 2), 2);
  for (const TSymmetryMap& map : maps) {
    MapBoundaryComponents(spine, spine, map);
    int m[4] = {0, 0, 0, 0};
    ASSERT_EQ(SpineBoundaryGluingMatrix(*spine.BoundaryAt(0), m), 1);
    const int det = m[0] * m[3] - m[1] * m[2];
    EXPECT_TRUE(det == 1 || det == -1) << m[0] << " " << m[1] << " " << m[2] << " " << m[3];
    // A map that reverses an edge carries negated labels onto its sides.
    bool reverses = false;
    for (int x : map.edgeImage) reverses = reverses || x < 0;
    if (!reverses) continue;
    bool negated = false;
    const TObjectList& objects = spine.BoundaryAt(0)->Objects().Objects();
    for (int i = 0; i < objects.Count(); ++i) {
      TObjectHeader* o = objects.At(i);
      if (o != nullptr && o->kind == kEdgeKind && TEdge::Label(o, 2) == -TEdge::Label(o, 0) && TEdge::Label(o, 0) != 0)
        negated = true;
    }
    EXPECT_TRUE(negated);
  }
}
