#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/output.h"
#include "foundation/status_reporter.h"
#include "model/cell.h"
#include "model/edge.h"
#include "model/homology.h"
#include "model/homology_normal_form.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "model/thickedge.h"
#include "model/vertex.h"
#include "presentations/details/details_reader.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

namespace {

std::string LastStatus() {
  TString text;
  GetLastStatusText(text);
  return text.CStr();
}

// Spines used below, with what their thickenings are known to be.
//
// The twice-punctured 3-sphere: one vertex, loops 1 and 2, cells 1, 2 and
// 1 2 -1 -2 (S^2 x I has two sphere boundaries).
const std::vector<std::vector<int>> kTwicePuncturedSphere = {{1}, {2}, {1, 2, -1, -2}};
// One vertex, one cell: the thickening of this spine is the Gieseking
// manifold, non-orientable with a Klein bottle boundary.
const std::vector<std::vector<int>> kGieseking = {{1, 1, 2, -1, -2, -2}};

// One-tetrahedron triangulations of closed manifolds (their dual spines have
// one vertex, so the thickening has one sphere boundary).
const char* const kSphereDetails =
    "Details:\nD1 = 1: D1_2 {1 3 2} 2: D1_1 {1 3 2} 3: D1_4 {2 1 3} 4: D1_3 {2 1 3}\n";
const char* const kLens52Details =
    "Details:\nD1 = 1: D1_2 {1 3 2} 2: D1_1 {1 3 2} 3: D1_4 {3 2 1} 4: D1_3 {3 2 1}\n";
const char* const kLens41Details =
    "Details:\nD1 = 1: D1_2 {1 3 2} 2: D1_1 {1 3 2} 3: D1_4 {1 3 2} 4: D1_3 {1 3 2}\n";
// One tetrahedron glued to itself by an even map: a cell of its dual spine is
// one-sided, so the spine does not thicken.
const char* const kOneSidedDetails =
    "Details:\nD1 = 1: D1_2 {1 2 3} 2: D1_1 {1 2 3} 3: D1_4 {2 3 1} 4: D1_3 {3 1 2}\n";
// Two tetrahedra glued by odd maps into an orientable manifold with one
// torus boundary (chi(P) = 2 - 4 + 2 = 0).
const char* const kTorusDetails =
    "Details:\n"
    "A1 = 1: A1_2 {2 1 3} 2: A1_1 {2 1 3} 3: B2_1 {2 1 3} 4: B2_2 {1 3 2}\n"
    "B2 = 1: A1_3 {2 1 3} 2: A1_4 {1 3 2} 3: B2_4 {1 3 2} 4: B2_3 {1 3 2}\n";

void BuildFromDetails(TSpine& spine, const char* text) {
  TDetailsDescription details;
  ASSERT_EQ(ParseDetails(details, text, 1), 1) << text;
  ASSERT_EQ(details.BuildComplex(spine, 1), 1) << text;
}

int EulerCharacteristic(const TComplex& complex) {
  const TObjectManager& objects = complex.Objects();
  return objects.CountOfKind(kVertexKind) - objects.CountOfKind(kEdgeKind) +
         objects.CountOfKind(kCellKind);
}

int BoundaryEulerSum(const TSpine& spine) {
  int sum = 0;
  for (int i = 0; i < spine.BoundaryCount(); ++i) {
    int euler = 0;
    spine.BoundarySurfaceClass(spine.BoundaryAt(i), &euler);
    sum += euler;
  }
  return sum;
}

std::vector<int> BoundaryClasses(const TSpine& spine) {
  std::vector<int> classes;
  for (int i = 0; i < spine.BoundaryCount(); ++i)
    classes.push_back(spine.BoundarySurfaceClass(spine.BoundaryAt(i)));
  std::sort(classes.begin(), classes.end());
  return classes;
}

// Every boundary surface is closed: each of its edges has two passages.
bool BoundarySurfacesAreClosed(const TSpine& spine) {
  for (int i = 0; i < spine.BoundaryCount(); ++i)
    if (!spine.BoundaryAt(i)->IsClosedSurface()) return false;
  return true;
}

int CountKind(const TComplex& complex, int kind) { return complex.Objects().CountOfKind(kind); }

THomologyNormalForm Homology(TSpine& spine) {
  THomologyList list;
  list.Compute(spine, 1);
  std::vector<std::int32_t> elements = list.Elements();
  return HomologyNormalForm(elements);
}

struct TKnownThickening {
  const char* name;
  std::function<void(TSpine&)> build;
  std::vector<int> classes;  // sorted surface classes: 1 sphere, 2 torus, 0 other
  int orientable;
  int freeRank;  // of the first homology group
};

TEST(Thickening, BoundarySurfacesOfKnownSpines) {
  const TKnownThickening cases[] = {
      {"twice-punctured S^3", [](TSpine& s) { BuildComplexFromWords(s, kTwicePuncturedSphere); },
       {1, 1}, 1, 0},
      {"S^3", [](TSpine& s) { BuildFromDetails(s, kSphereDetails); }, {1}, 1, 0},
      {"L(5,2)", [](TSpine& s) { BuildFromDetails(s, kLens52Details); }, {1}, 1, 0},
      {"L(4,1)", [](TSpine& s) { BuildFromDetails(s, kLens41Details); }, {1}, 1, 0},
      // A torus boundary makes the first Betti number at least 1.
      {"torus boundary", [](TSpine& s) { BuildFromDetails(s, kTorusDetails); }, {2}, 1, 1},
      // The Gieseking manifold: H_1 = Z.
      {"Gieseking", [](TSpine& s) { BuildComplexFromWords(s, kGieseking); }, {0}, 0, 1},
  };
  for (const TKnownThickening& c : cases) {
    TScopedModelHeap heap;
    {
      TSpine spine;
      c.build(spine);
      ASSERT_EQ(spine.Thicken(1), 1) << c.name << ": " << LastStatus();
      EXPECT_EQ(LastStatus(), "Spine is thickenable") << c.name;
      EXPECT_TRUE(spine.IsThickened()) << c.name;
      EXPECT_EQ(BoundaryClasses(spine), c.classes) << c.name;
      EXPECT_EQ(spine.Orientability(2), c.orientable) << c.name;
      EXPECT_EQ(Homology(spine).freeRank, c.freeRank) << c.name;
      // The boundary of the thickening has twice the spine's characteristic.
      EXPECT_EQ(BoundaryEulerSum(spine), 2 * EulerCharacteristic(spine)) << c.name;
      EXPECT_TRUE(BoundarySurfacesAreClosed(spine)) << c.name;
      // Three sides per edge, two copies per cell; the four boundary vertices
      // of each true vertex.
      int sides = 0;
      int copies = 0;
      int vertices = 0;
      for (int i = 0; i < spine.BoundaryCount(); ++i) {
        sides += CountKind(*spine.BoundaryAt(i), kEdgeKind);
        copies += CountKind(*spine.BoundaryAt(i), kCellKind);
        vertices += CountKind(*spine.BoundaryAt(i), kVertexKind);
      }
      EXPECT_EQ(sides, 3 * CountKind(spine, kEdgeKind)) << c.name;
      EXPECT_EQ(copies, 2 * CountKind(spine, kCellKind)) << c.name;
      EXPECT_EQ(vertices, 4 * CountKind(spine, kVertexKind)) << c.name;
      EXPECT_EQ(CountKind(spine, kThickEdgeKind), CountKind(spine, kEdgeKind)) << c.name;
      EXPECT_EQ(CountKind(spine, kThickCellKind), CountKind(spine, kCellKind)) << c.name;
    }
    EXPECT_EQ(heap.LiveBlocks(), 0u) << c.name;
  }
}

TEST(Thickening, ThickeningTwiceChangesNothing) {
  TScopedModelHeap heap;
  TSpine spine;
  BuildComplexFromWords(spine, kTwicePuncturedSphere);
  ASSERT_EQ(spine.Thicken(1), 1);
  int objects = spine.Objects().Count();
  TComplex* first = spine.BoundaryAt(0);
  EXPECT_EQ(spine.Thicken(1), 1);
  EXPECT_EQ(spine.Objects().Count(), objects);
  EXPECT_EQ(spine.BoundaryCount(), 2);
  EXPECT_EQ(spine.BoundaryAt(0), first);
}

struct TNotThickenable {
  const char* name;
  std::function<void(TSpine&)> build;
  const char* message;
};

TEST(Thickening, NonThickenableSpinesReportAndLeaveNothingBehind) {
  const TNotThickenable cases[] = {
      {"edge of valency 2", [](TSpine& s) { BuildComplexFromWords(s, {{1, 2}, {1, -2}}); },
       "Thicking error : Valency of Edge 1 equals 2"},
      {"vertex of valency 3",
       [](TSpine& s) { BuildComplexFromWords(s, {{1, -2}, {2, -3}, {3, -1}}); },
       "Thicking error : Valency of vertex 'v1' is equal 3"},
      {"two cells through one corner",
       [](TSpine& s) { BuildComplexFromWords(s, {{1}, {1, 1, 2, 2, 2}}); },
       "Thicking error : Cells Cell #1 and Cell #2 have common neighboring edges 1 and 1"},
      {"a missing corner", [](TSpine& s) { BuildComplexFromWords(s, {{1, 1, 2, 1, 2, 2}}); },
       "Thicking error : There is no cell passing from edge '1' to '2'"},
      {"empty spine", [](TSpine&) {}, "Thicking error : Unable to build special polyhedron!"},
  };
  for (const TNotThickenable& c : cases) {
    TScopedModelHeap heap;
    {
      TSpine spine;
      c.build(spine);
      int objects = spine.Objects().Count();
      EXPECT_EQ(spine.Thicken(1), 0) << c.name;
      EXPECT_EQ(LastStatus(), c.message) << c.name;
      EXPECT_FALSE(spine.IsThickened()) << c.name;
      EXPECT_EQ(spine.BoundaryCount(), 0) << c.name;
      EXPECT_EQ(CountKind(spine, kThickEdgeKind), 0) << c.name;
      EXPECT_EQ(CountKind(spine, kThickCellKind), 0) << c.name;
      EXPECT_EQ(spine.Objects().Count(), objects) << c.name;
    }
    EXPECT_EQ(heap.LiveBlocks(), 0u) << c.name;
  }
}

TEST(Thickening, OneSidedCellIsCountedAndItsCopiesJoin) {
  TScopedModelHeap heap;
  TSpine spine;
  BuildFromDetails(spine, kOneSidedDetails);
  TThickeningReport report;
  EXPECT_EQ(spine.Thicken(1, &report), 0);
  EXPECT_GE(report.failedCount, 1);
  ASSERT_EQ(report.cells.size(), 2u);
  EXPECT_EQ(report.cells[0].failed + report.cells[1].failed, report.failedCount);
  EXPECT_FALSE(spine.IsThickened());
  EXPECT_EQ(CountKind(spine, kThickCellKind), 0);

  // The reporting mode keeps the surfaces: the one-sided cell's two copies
  // are one boundary cell of twice its length.
  EXPECT_EQ(spine.Thicken(3, &report), 0);
  EXPECT_GE(report.failedCount, 1);
  EXPECT_TRUE(spine.IsThickened());
  int failedLength = 0;
  for (const TThickeningCellEntry& entry : report.cells)
    if (entry.failed != 0) failedLength = entry.boundaryLength;
  bool found = false;
  for (int i = 0; i < spine.BoundaryCount(); ++i) {
    TComplex* surface = spine.BoundaryAt(i);
    for (int n = 0;; ++n) {
      THandle cell = surface->NthCell(n);
      if (!cell.IsValid()) break;
      if (TCell::BoundaryLength(cell) == 2 * failedLength) found = true;
    }
  }
  EXPECT_TRUE(found);
  spine.RemoveThickObjects();
  EXPECT_FALSE(spine.IsThickened());
  EXPECT_EQ(CountKind(spine, kThickEdgeKind), 0);
}

TEST(Thickening, ChainWithUnthickenableSecondSpineStaysUnthickened) {
  TScopedModelHeap heap;
  TSpine spine;
  BuildComplexFromWords(spine, kTwicePuncturedSphere);
  TSpine* second = new TSpine();
  BuildComplexFromWords(*second, {{1, 2}, {1, -2}});
  spine.SetNext(second);
  EXPECT_EQ(spine.Thicken(1), 0);
  EXPECT_FALSE(spine.IsThickened());
  EXPECT_EQ(spine.BoundaryCount(), 0);
  EXPECT_EQ(CountKind(spine, kThickEdgeKind), 0);
}

// In the twice-punctured 3-sphere (a torus T with a meridian disc, cell 1,
// inside and a longitude disc, cell 2, outside), both sides of a disc face
// the same ball, while the two sides of T face the two balls.
TEST(Thickening, RemovingACellWithBothCopiesOnOneSphereMakesItATorus) {
  TScopedModelHeap heap;
  TSpine spine;
  TBuiltComplex built = BuildComplexFromWords(spine, kTwicePuncturedSphere);
  ASSERT_EQ(spine.Thicken(1), 1);
  THandle thick = ThickCellOfCell(spine, built.cells[0]);
  ASSERT_TRUE(thick.IsValid());
  EXPECT_EQ(spine.BoundarySurfaceOf(TThickCell::Part(thick, 2)),
            spine.BoundarySurfaceOf(TThickCell::Part(thick, 3)));
  EXPECT_EQ(spine.RemoveThickCell(thick), 1);
  EXPECT_EQ(CountKind(spine, kCellKind), 2);
  EXPECT_EQ(CountKind(spine, kThickCellKind), 2);
  // Drilling through the meridian disc turns the inner sphere into a torus.
  EXPECT_EQ(BoundaryClasses(spine), (std::vector<int>{1, 2}));
  EXPECT_EQ(BoundaryEulerSum(spine), 2 * EulerCharacteristic(spine));
  EXPECT_TRUE(BoundarySurfacesAreClosed(spine));
  // Edge 1 now has valency 2 and its thick edge two sides.
  THandle edge1 = built.edges[0];
  EXPECT_EQ(TEdge::Valency(edge1), 2);
  THandle thickEdge = ThickEdgeOfObject(spine, edge1);
  EXPECT_TRUE(TThickEdge::Side(thickEdge, 1).IsValid());
  EXPECT_FALSE(TThickEdge::Side(thickEdge, 2).IsValid());
}

TEST(Thickening, RemovingACellBetweenTwoSurfacesJoinsThem) {
  TScopedModelHeap heap;
  TSpine spine;
  TBuiltComplex built = BuildComplexFromWords(spine, kTwicePuncturedSphere);
  ASSERT_EQ(spine.Thicken(1), 1);
  THandle thick = ThickCellOfCell(spine, built.cells[2]);
  EXPECT_NE(spine.BoundarySurfaceOf(TThickCell::Part(thick, 2)),
            spine.BoundarySurfaceOf(TThickCell::Part(thick, 3)));
  // Give the sides of edge 1 labels, to see them carried to the one that stays.
  THandle thickEdge = ThickEdgeOfObject(spine, built.edges[0]);
  for (int k = 0; k < 3; ++k) TEdge::SetLabel(TThickEdge::Side(thickEdge, k), 0, 1 << k);
  EXPECT_EQ(spine.RemoveThickCell(thick), 1);
  EXPECT_EQ(CountKind(spine, kCellKind), 2);
  EXPECT_EQ(spine.BoundaryCount(), 1);
  EXPECT_TRUE(BoundarySurfacesAreClosed(spine));
  // The cell passed edge 1 twice beside cell 1: one side is left, along which
  // both copies of cell 1 run; its label is the sum of the three.
  THandle side = TThickEdge::Side(thickEdge, 0);
  ASSERT_TRUE(side.IsValid());
  EXPECT_FALSE(TThickEdge::Side(thickEdge, 1).IsValid());
  EXPECT_EQ(TEdge::Valency(side), 2);
  EXPECT_EQ(TEdge::Label(side, 0), 7);
  THandle cellThick = ThickCellOfCell(spine, built.cells[0]);
  EXPECT_EQ(EdgePassageCount(TThickCell::Part(cellThick, 2), side), 1);
  EXPECT_EQ(EdgePassageCount(TThickCell::Part(cellThick, 3), side), 1);
}

TEST(Thickening, FailedRemovalLeavesTheSpineAsItWas) {
  TScopedModelHeap heap;
  TSpine spine;
  TBuiltComplex built = BuildComplexFromWords(spine, kTwicePuncturedSphere);
  ASSERT_EQ(spine.Thicken(1), 1);
  // Break the thickening of edge 2: its thick edge loses a side that a copy
  // of the cell 2 runs along.
  THandle broken = ThickEdgeOfObject(spine, built.edges[1]);
  THandle lost = TThickEdge::Side(broken, 0);
  TThickEdge::Detach(broken, lost);
  THandle cell2 = ThickCellOfCell(spine, built.cells[1]);
  auto snapshot = [&]() {
    std::vector<std::vector<int>> words;
    for (const THandle& cell : built.cells) words.push_back(SignedWord(cell));
    for (int i = 0; i < spine.BoundaryCount(); ++i)
      for (int n = 0;; ++n) {
        THandle cell = spine.BoundaryAt(i)->NthCell(n);
        if (!cell.IsValid()) break;
        words.push_back(SignedWord(cell));
      }
    words.push_back({spine.Objects().Count(), spine.BoundaryCount()});
    return words;
  };
  auto before = snapshot();
  EXPECT_EQ(spine.RemoveThickCell(cell2), 0);
  EXPECT_EQ(snapshot(), before);
}

TEST(Thickening, CountsOfBoundaries) {
  TScopedModelHeap heap;
  TSpine spine;
  BuildComplexFromWords(spine, kTwicePuncturedSphere);
  ASSERT_EQ(spine.Thicken(1), 1);
  EXPECT_EQ(spine.CountBoundaries(0), 2);
  EXPECT_EQ(spine.CountBoundaries(1), 2);
  EXPECT_EQ(spine.CountBoundaries(2), 0);
  EXPECT_EQ(spine.CountBoundaries(3), 0);
  EXPECT_EQ(spine.CountBoundariesByEuler(1, 2), 2);
  // On an orientable spine nothing counts as non-orientable.
  EXPECT_EQ(spine.CountBoundariesByEuler(0, 2), 0);
}

TEST(Thickening, NamingTheThickObjects) {
  TScopedModelHeap heap;
  TSpine spine;
  TBuiltComplex built = BuildComplexFromWords(spine, kTwicePuncturedSphere);
  {
    TSuppressObjectNamesScope names(1);
    ASSERT_EQ(spine.Thicken(1), 1);
  }
  spine.NameThickObjects();
  THandle thick = ThickCellOfCell(spine, built.cells[0]);
  EXPECT_STREQ(TThickCell::Part(thick, 2).DisplayName(), "Cell #1+");
  EXPECT_STREQ(TThickCell::Part(thick, 3).DisplayName(), "Cell #1-");
  THandle thickEdge = ThickEdgeOfObject(spine, built.edges[1]);
  EXPECT_STREQ(TThickEdge::Side(thickEdge, 2).DisplayName(), "2_3");
}

TEST(ThickEdge, AdjacentSlotsAndDetach) {
  EXPECT_EQ(AdjacentSlot(0, 2, 3), 2);
  EXPECT_EQ(AdjacentSlot(2, 0, 3), 2);
  EXPECT_EQ(AdjacentSlot(0, 1, 3), 0);
  EXPECT_EQ(AdjacentSlot(2, 1, 3), 1);
  EXPECT_EQ(AdjacentSlot(1, 1, 3), -1);

  TScopedModelHeap heap;
  TSpine spine;
  TBuiltComplex built = BuildComplexFromWords(spine, kTwicePuncturedSphere);
  ASSERT_EQ(spine.Thicken(1), 1);
  THandle thickEdge = ThickEdgeOfObject(spine, built.edges[0]);
  THandle s0 = TThickEdge::Side(thickEdge, 0);
  THandle s1 = TThickEdge::Side(thickEdge, 1);
  THandle s2 = TThickEdge::Side(thickEdge, 2);
  std::string name0 = s0.DisplayName();
  std::string name1 = s1.DisplayName();
  TThickEdge::Detach(thickEdge, s0);
  EXPECT_EQ(TThickEdge::Side(thickEdge, 0).Object(), s1.Object());
  EXPECT_EQ(TThickEdge::Side(thickEdge, 1).Object(), s2.Object());
  EXPECT_FALSE(TThickEdge::Side(thickEdge, 2).IsValid());
  EXPECT_EQ(std::string(s1.DisplayName()), name0);
  EXPECT_EQ(std::string(s2.DisplayName()), name1);
}

TEST(ThickEdge, CellPassingAnEdgeTwiceHasTwoPassageIndices) {
  TScopedModelHeap heap;
  TSpine spine;
  TBuiltComplex built = BuildComplexFromWords(spine, kTwicePuncturedSphere);
  ASSERT_EQ(spine.Thicken(1), 1);
  THandle thickEdge = ThickEdgeOfObject(spine, built.edges[1]);
  std::vector<int> indices;
  for (int k = 0; k < 3; ++k)
    if (TThickEdge::CellAtPassage(thickEdge, k).Object() == built.cells[2].Object())
      indices.push_back(TThickEdge::PassageIndexAt(thickEdge, k));
  EXPECT_EQ(indices, (std::vector<int>{1, 3}));
  EXPECT_EQ(TThickEdge::PassageIndexAt(thickEdge, 3), -1);
}

}  // namespace

namespace {

TEST(Thickening, CopyOfAThickenedSpineHasItsOwnThickening) {
  TScopedModelHeap heap;
  TSpine copy;
  {
    TSpine spine;
    BuildComplexFromWords(spine, kTwicePuncturedSphere);
    ASSERT_EQ(spine.Thicken(1), 1);
    spine.CopyTo(copy);
  }
  ASSERT_EQ(copy.BoundaryCount(), 2);
  EXPECT_EQ(BoundaryClasses(copy), (std::vector<int>{1, 1}));
  for (int k = 0; k < copy.Objects().Count(); ++k) {
    TObjectHeader* object = copy.Objects().At(k);
    if (ObjectKind(object) == kThickEdgeKind) {
      EXPECT_TRUE(copy.Objects().Contains(TThickEdge::Edge(object)));
      for (int s = 0; s < 3; ++s)
        EXPECT_NE(copy.BoundarySurfaceOf(TThickEdge::Side(object, s)), nullptr);
    }
    if (ObjectKind(object) == kThickCellKind) {
      EXPECT_TRUE(copy.Objects().Contains(TThickCell::Part(object, 1)));
      EXPECT_NE(copy.BoundarySurfaceOf(TThickCell::Part(object, 2)), nullptr);
      EXPECT_NE(copy.BoundarySurfaceOf(TThickCell::Part(object, 3)), nullptr);
    }
  }
  // The copy can lose a cell like the original.
  THandle thick(copy.Objects().First(kThickCellKind));
  EXPECT_EQ(copy.RemoveThickCell(thick), 1);
  EXPECT_EQ(copy.BoundaryCount(), 2);
}

}  // namespace
