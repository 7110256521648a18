// Meridians and longitudes written on the boundary tori of link exteriors.
//
// Label 0 of the edges of a boundary torus carries the meridian of its
// component, label 1 the longitude. Pushed into the spine, the meridian of a
// knot generates H_1 of the exterior and the longitude bounds (it is
// null-homologous); the longitude of a link component is homologous to the
// sum of the other components' meridians weighted by the linking numbers.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <numeric>
#include <vector>

#include "foundation/status_reporter.h"
#include "heegaard_test_support.h"
#include "model/cell.h"
#include "model/edge.h"
#include "model/object_header.h"
#include "model/spine.h"
#include "model/thickedge.h"
#include "presentations/links/link.h"
#include "support/model_heap.h"

namespace {

// H_1 of the spine divided by the class of a 1-cycle (a weight per spine edge).
TAbelianGroup QuotientByCycle(TComplex& spine, const std::map<const TObjectHeader*, std::int64_t>& cycle) {
  TObjectManager& objects = spine.Objects();
  std::map<const TObjectHeader*, int> vertex;
  for (TObjectHeader* v = objects.First(kVertexKind); v != nullptr; v = objects.Next(v)) {
    vertex.emplace(v, static_cast<int>(vertex.size()));
  }
  std::vector<int> parent(vertex.size());
  std::iota(parent.begin(), parent.end(), 0);
  auto find = [&parent](int x) {
    while (parent[static_cast<std::size_t>(x)] != x) x = parent[static_cast<std::size_t>(x)];
    return x;
  };
  std::map<const TObjectHeader*, int> generator;
  int generators = 0;
  for (TObjectHeader* e = objects.First(kEdgeKind); e != nullptr; e = objects.Next(e)) {
    int u = find(vertex.at(TEdge::End(e, 1).Object()));
    int w = find(vertex.at(TEdge::End(e, 2).Object()));
    if (u != w) {
      parent[static_cast<std::size_t>(u)] = w;
    } else {
      generator.emplace(e, generators++);
    }
  }
  std::vector<std::vector<std::int64_t>> rows;
  auto add = [&](std::vector<std::int64_t>& row, const TObjectHeader* edge, std::int64_t weight) {
    auto g = generator.find(edge);
    if (g != generator.end()) row[static_cast<std::size_t>(g->second)] += weight;
  };
  for (TObjectHeader* c = objects.First(kCellKind); c != nullptr; c = objects.Next(c)) {
    std::vector<std::int64_t> row(static_cast<std::size_t>(generators), 0);
    for (int i = 0; i < TCell::BoundaryLength(c); ++i) {
      int direction = 1;
      THandle edge = TCell::PassageAt(c, i, &direction);
      add(row, edge, direction == 1 ? 1 : -1);
    }
    rows.push_back(row);
  }
  std::vector<std::int64_t> row(static_cast<std::size_t>(generators), 0);
  for (const auto& [edge, weight] : cycle) add(row, edge, weight);
  rows.push_back(row);
  return GroupOfMatrix(rows, generators);
}

struct TCurves {
  std::map<const TObjectHeader*, std::int64_t> meridian;
  std::map<const TObjectHeader*, std::int64_t> longitude;
  bool closed = true;  // both are cycles on the torus
};

// The two labelled curves of a boundary torus, pushed into the spine.
TCurves CurvesOf(TSpine& spine, TComplex& torus) {
  TCurves curves;
  std::map<const TObjectHeader*, std::int64_t> balance[2];
  TObjectManager& objects = torus.Objects();
  for (TObjectHeader* side = objects.First(kEdgeKind); side != nullptr; side = objects.Next(side)) {
    THandle edge = TThickEdge::Edge(ThickEdgeOfObject(spine, side));
    for (int label = 0; label < 2; ++label) {
      int weight = TEdge::Label(side, label);
      if (weight == 0) continue;
      (label == 0 ? curves.meridian : curves.longitude)[edge.Object()] += weight;
      balance[label][TEdge::End(side, 1).Object()] -= weight;
      balance[label][TEdge::End(side, 2).Object()] += weight;
    }
  }
  for (const auto& b : balance) {
    for (const auto& [v, sum] : b) curves.closed &= sum == 0;
  }
  return curves;
}

class LinkBoundaryCurvesTest : public ::testing::Test {
 protected:
  void SetUp() override { SuppressStatus(); }
  void TearDown() override { UnsuppressStatus(); }
  TScopedModelHeap heap_;
};

TEST_F(LinkBoundaryCurvesTest, KnotMeridiansGenerateAndLongitudesBound) {
  const TAbelianGroup trivial{};
  const TAbelianGroup circle{{}, 1};
  const char* knots[] = {
      "link code 1 -1 end",
      "link signs -1 code 1 -1 end",
      "link code 1 -2 3 -1 2 -3 end",
      "link code 1 -2 3 -1 2 -3 signs -1 -1 -1 end",
      "link code 1 -4 2 -1 3 -2 4 -3 end",
      "link dowkercode 4 8 10 2 6 end",
      "link dowkercode 8 10 12 14 2 4 6 end",
      "link code 1 -2 3 -1 2 -3 4 -4 end",
  };
  for (const char* text : knots) {
    TLink link;
    ASSERT_EQ(link.Parse(text, kLinkParseOrdinary), 1) << text;
    TSpine* spine = new TSpine;
    ASSERT_EQ(link.BuildExteriorSpine(*spine), 1) << text;
    ASSERT_TRUE(spine->IsThickened()) << text;
    EXPECT_EQ(spine->CountBoundaries(2), 1) << text;
    for (int i = 0; i < spine->BoundaryCount(); ++i) {
      TComplex* surface = spine->BoundaryAt(i);
      if (spine->BoundarySurfaceClass(surface) != 2) {
        EXPECT_TRUE(surface->AllEdgeLabelsZero()) << text;
        continue;
      }
      TCurves curves = CurvesOf(*spine, *surface);
      EXPECT_TRUE(curves.closed) << text;
      EXPECT_EQ(QuotientByCycle(*spine, curves.meridian), trivial) << text;
      EXPECT_EQ(QuotientByCycle(*spine, curves.longitude), circle) << text;
    }
    delete spine;
  }
}

TEST_F(LinkBoundaryCurvesTest, LinkLongitudesFollowTheLinkingNumbers) {
  struct Case {
    const char* text;
    TAbelianGroup byLongitude;  // H_1 = Z^2 divided by one longitude: Z + Z_lk
  };
  const Case cases[] = {
      {"link code 1 -2 code 2 -1 end", {{}, 1}},
      {"link code 1 -2 3 -4 code -1 2 -3 4 end", {{2}, 1}},
      {"link code 1 -2 3 -1 2 -3 4 -5 code 5 -4 end", {{}, 1}},
  };
  for (const Case& c : cases) {
    TLink link;
    ASSERT_EQ(link.Parse(c.text, kLinkParseOrdinary), 1) << c.text;
    TSpine* spine = new TSpine;
    ASSERT_EQ(link.BuildExteriorSpine(*spine), 1) << c.text;
    EXPECT_EQ(spine->CountBoundaries(2), 2) << c.text;
    for (int i = 0; i < spine->BoundaryCount(); ++i) {
      TComplex* surface = spine->BoundaryAt(i);
      if (spine->BoundarySurfaceClass(surface) != 2) continue;
      TCurves curves = CurvesOf(*spine, *surface);
      EXPECT_TRUE(curves.closed) << c.text;
      EXPECT_EQ(QuotientByCycle(*spine, curves.meridian), (TAbelianGroup{{}, 1})) << c.text;
      EXPECT_EQ(QuotientByCycle(*spine, curves.longitude), c.byLongitude) << c.text;
    }
    delete spine;
  }
}

TEST_F(LinkBoundaryCurvesTest, FramingOneComponentLeavesTheOtherTorus) {
  TLink link;
  ASSERT_EQ(link.Parse("link code 1 -2 framing 3 code 2 -1 end", kLinkParseOrdinary), 1);
  TSpine* spine = new TSpine;
  ASSERT_EQ(link.BuildExteriorSpine(*spine), 1);
  EXPECT_EQ(spine->CountBoundaries(2), 1);
  for (int i = 0; i < spine->BoundaryCount(); ++i) {
    TComplex* surface = spine->BoundaryAt(i);
    if (spine->BoundarySurfaceClass(surface) != 2) continue;
    TCurves curves = CurvesOf(*spine, *surface);
    EXPECT_TRUE(curves.closed);
    // H_1 = Z, generated by the filled component's meridian; the other
    // meridian is 3 times it, and the longitude is that meridian.
    EXPECT_EQ(QuotientByCycle(*spine, curves.meridian), (TAbelianGroup{{3}, 0}));
    EXPECT_EQ(QuotientByCycle(*spine, curves.longitude), TAbelianGroup{});
  }
  delete spine;
}

TEST_F(LinkBoundaryCurvesTest, AFullyFramedLinkIsNotThickened) {
  TLink link;
  ASSERT_EQ(link.Parse("link code 1 -2 framing 2 code 2 -1 framing 3 end", kLinkParseOrdinary), 1);
  TSpine* spine = new TSpine;
  ASSERT_EQ(link.BuildExteriorSpine(*spine), 1);
  EXPECT_FALSE(spine->IsThickened());
  EXPECT_TRUE(spine->AllEdgeLabelsZero());
  delete spine;
}

}  // namespace
