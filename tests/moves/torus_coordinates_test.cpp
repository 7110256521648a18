// Coordinates on torus boundaries, and the moves carrying them along.
#include "moves/torus_coordinates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/complex.h"
#include "model/edge.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "moves/cell_reductions.h"
#include "moves/collapsing.h"
#include "moves/move_types.h"
#include "support/model_heap.h"
#include "support/spine_checker.h"
#include "support/thick_spine_support.h"

namespace {

// Two tetrahedra glued by odd maps into an orientable manifold with one torus
// boundary.
const char* const kTorusDetails =
    "Details:\n"
    "A1 = 1: A1_2 {2 1 3} 2: A1_1 {2 1 3} 3: B2_1 {2 1 3} 4: B2_2 {1 3 2}\n"
    "B2 = 1: A1_3 {2 1 3} 2: A1_4 {1 3 2} 3: B2_4 {1 3 2} 4: B2_3 {1 3 2}\n";

std::vector<int> AllLabels(TSpine& spine) {
  std::vector<int> labels;
  for (TSpine* s = &spine; s != nullptr; s = s->Next())
    for (int i = 0; i < s->BoundaryCount(); ++i) {
      TObjectManager& objects = s->BoundaryAt(i)->Objects();
      for (TObjectHeader* e = objects.First(kEdgeKind); e != nullptr; e = objects.Next(e))
        for (int k = 0; k < 4; ++k) labels.push_back(TEdge::Label(e, k));
    }
  return labels;
}

// Every torus of the chain carries curves 0 and 1, and nothing in 2 and 3.
void ExpectBasesOnTori(TSpine& spine) {
  for (TSpine* s = &spine; s != nullptr; s = s->Next())
    for (int i = 0; i < s->BoundaryCount(); ++i) {
      TComplex& surface = *s->BoundaryAt(i);
      if (s->BoundarySurfaceClass(&surface) != 2) {
        EXPECT_TRUE(surface.AllEdgeLabelsZero());
        continue;
      }
      bool curve0 = false;
      bool curve1 = false;
      TObjectManager& objects = surface.Objects();
      for (TObjectHeader* e = objects.First(kEdgeKind); e != nullptr; e = objects.Next(e)) {
        curve0 = curve0 || TEdge::Label(e, 0) != 0;
        curve1 = curve1 || TEdge::Label(e, 1) != 0;
        EXPECT_EQ(TEdge::Label(e, 2), 0);
        EXPECT_EQ(TEdge::Label(e, 3), 0);
      }
      EXPECT_TRUE(curve0 && curve1);
    }
}

TEST(TorusCoordinatesTest, ATorusGetsABasisOnceAndKeepsIt) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedDetails(spine, kTorusDetails));
  ASSERT_EQ(spine.CountBoundaries(2), 1);
  TSpineChecker checker(spine);
  SetBoundaryCoordinates(spine);
  ExpectBasesOnTori(spine);
  EXPECT_TRUE(checker.Check(spine));
  const std::vector<int> labels = AllLabels(spine);
  SetBoundaryCoordinates(spine);
  EXPECT_EQ(AllLabels(spine), labels);
}

TEST(TorusCoordinatesTest, SpinesWithoutTorusOrNotThickenedGetNoLabels) {
  TScopedModelHeap heap;
  TSpine closed;
  ASSERT_TRUE(LoadThickenedSpine(closed, "cMcabbjaj"));
  SetBoundaryCoordinates(closed);
  for (int label : AllLabels(closed)) EXPECT_EQ(label, 0);
  TSpine exterior;
  ASSERT_TRUE(LoadThickenedDetails(exterior, kTorusDetails));
  exterior.SetSourceKind(kSourceLinkExterior);  // its tori get their curves from the link
  SetBoundaryCoordinates(exterior);
  for (int label : AllLabels(exterior)) EXPECT_EQ(label, 0);
}

// Random orientable gluings give tori (and several of them) in every way.
TEST(TorusCoordinatesTest, EveryTorusOfRandomSpinesGetsABasis) {
  int tori = 0;
  for (unsigned seed = 1; seed <= 80; ++seed) {
    SCOPED_TRACE(seed);
    TScopedModelHeap heap;
    TSpine spine;
    if (!LoadRandomThickenedSpine(spine, 2 + static_cast<int>(seed % 7), seed)) continue;
    int count = 0;
    for (TSpine* s = &spine; s != nullptr; s = s->Next()) count += s->CountBoundaries(2);
    if (count == 0) continue;
    tori += count;
    TSpineChecker checker(spine);
    SetBoundaryCoordinates(spine);
    ExpectBasesOnTori(spine);
    EXPECT_TRUE(checker.Check(spine));
  }
  EXPECT_GT(tori, 5);
}

// Two copies of the one-torus manifold side by side: a chain of two
// components, whose tori are related without a thick cell between them.
TEST(TorusCoordinatesTest, ToriOfSeveralComponentsEachGetABasis) {
  std::string twice = kTorusDetails;
  twice += "C3 = 1: C3_2 {2 1 3} 2: C3_1 {2 1 3} 3: D4_1 {2 1 3} 4: D4_2 {1 3 2}\n"
           "D4 = 1: C3_3 {2 1 3} 2: C3_4 {1 3 2} 3: D4_4 {1 3 2} 4: D4_3 {1 3 2}\n";
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedDetails(spine, twice.c_str()));
  ASSERT_NE(spine.Next(), nullptr);
  TSpineChecker checker(spine);
  SetBoundaryCoordinates(spine);
  ExpectBasesOnTori(spine);
  EXPECT_TRUE(checker.Check(spine));
}

// The curves stay closed and a basis through cuts, collapsings and reductions.
TEST(TorusCoordinatesTest, CollapsingsCarryTheCoordinates) {
  InitMoveOrderTable();
  int collapsed = 0;
  for (unsigned seed = 0; seed <= 30; ++seed) {
    TScopedModelHeap heap;
    TSpine original;
    bool loaded = seed == 0 ? LoadThickenedDetails(original, kTorusDetails)
                            : LoadRandomThickenedSpine(original, 3 + static_cast<int>(seed % 3), seed);
    if (!loaded || original.CountBoundaries(2) == 0) continue;
    SetBoundaryCoordinates(original);
    for (int i = 0; i < original.Objects().CountOfKind(kCellKind); ++i) {
      SCOPED_TRACE("seed " + std::to_string(seed) + " cell " + std::to_string(i));
      TSpine spine;
      original.CopyTo(spine);
      spine.Objects().SetCreationTag(kMoveCutting);
      if (spine.RemoveThickCell(ThickCellOfCell(spine, spine.NthCell(i))) != 1) continue;
      TSpineChecker checker(spine);
      if (!checker.Check(spine)) continue;
      for (int step = 0; step < 40; ++step) {
        int cell = FindReductionCell(spine);
        if (cell == -1) break;
        ASSERT_EQ(PerformCellReduction(spine, cell, nullptr, nullptr), 1);
        ++collapsed;
        ASSERT_TRUE(checker.Check(spine));
      }
      RunCellReductions(spine);
      ASSERT_TRUE(checker.Check(spine));
    }
  }
  EXPECT_GT(collapsed, 0);
}

}  // namespace
