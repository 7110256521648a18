// Piercing: the classification of cells, crude piercing on closed census
// spines (a solid torus cut off, b_1 = 1), delicate piercing on spines with
// several boundary surfaces (the manifold kept), and the refusals.
#include "moves/piercing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "foundation/heap_string.h"
#include "model/molecule_vertex.h"
#include "model/object_kinds.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "moves/move_families.h"
#include "moves/move_types.h"
#include "support/checked_steps.h"
#include "moves/step_loop.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"
#include "support/spine_checker.h"
#include "support/thick_spine_support.h"

namespace {

int Betti(const std::vector<std::int32_t>& homology) {
  return static_cast<int>(std::count(homology.begin(), homology.end(), 0));
}

std::string LogText(const TSpine& spine, int i) {
  char buffer[256];
  spine.LogEntry(i, buffer, sizeof buffer);
  return buffer;
}

TEST(PiercingTest, CrudePiercingOfARationalHomologySphereCutsOffOneSolidTorus) {
  InitMoveOrderTable();
  for (const char* signature : {"bkaajn", "bkaajj", "bkaagj", "cMcabbgqs"}) {
    SCOPED_TRACE(signature);
    TScopedModelHeap heap;
    TSpine spine;
    ASSERT_TRUE(LoadThickenedSpine(spine, signature));
    TSpineChecker checker(spine);
    if (Betti(checker.Homology()) != 0) continue;
    ASSERT_EQ(spine.CountBoundaries(1), 1);
    int cell = FindPiercingCell(spine, 2);
    ASSERT_NE(cell, -1);
    EXPECT_EQ(FindPiercingCell(spine, 1), -1);
    int log = spine.LogCount();
    TString text;
    ASSERT_EQ(PierceCell(spine, cell, &text), 1);
    EXPECT_TRUE(checker.Check(spine, false));
    EXPECT_EQ(Betti(ChainHomology(spine)), 1);
    EXPECT_EQ(spine.CountBoundaries(1), 0);
    EXPECT_EQ(spine.CountBoundaries(2), 1);
    EXPECT_EQ(spine.MoleculeTable()->CountAtomsOfType(kSolidTorusAtom), 1);
    ASSERT_EQ(spine.LogCount(), log + 1);
    EXPECT_EQ(spine.LogEntry(log, nullptr, 0), kMoveCrudePiercing);
    EXPECT_EQ(LogText(spine, log).rfind("Crude piercing of '", 0), 0u) << LogText(spine, log);
    EXPECT_EQ(LogText(spine, log), text.CStr());
    // The torus made has no sphere left to pierce.
    EXPECT_EQ(FindPiercingCell(spine, 2), -1);
  }
}

// The lens space L(5,2): crude piercing cuts off a solid torus whose meridian
// is the label-0 curve, and the collapsings after it end in a cutting along a
// meridian disc of the other side, a second solid torus. The two meridians
// meet p = 5 times; what is left is a ball.
TEST(PiercingTest, LensSpaceSpineFallsIntoTwoSolidTori) {
  InitMoveOrderTable();
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "bkaajn"));
  TSpineChecker checker(spine);
  ASSERT_EQ(checker.Homology(), (std::vector<std::int32_t>{5}));
  TMoveChoice choice;
  choice.type = kMoveCrudePiercing;
  choice.element = FindPiercingCell(spine, 2);
  TString report;
  int log = spine.LogCount();
  ASSERT_GE(MakeSimplificationStep(1, spine, &report, choice, nullptr, nullptr), 1);
  EXPECT_EQ(spine.LogEntry(log, nullptr, 0), kMoveCrudePiercing);
  int cuttings = 0;
  for (int k = log; k < spine.LogCount(); ++k) cuttings += spine.LogEntry(k, nullptr, 0) == kMoveCutting ? 1 : 0;
  EXPECT_EQ(cuttings, 1);
  EXPECT_TRUE(checker.Check(spine, false)) << report.CStr();
  EXPECT_TRUE(ChainHomology(spine).empty() || ChainHomology(spine) == std::vector<std::int32_t>{1});
  TObjectTable* table = spine.MoleculeTable();
  std::vector<std::pair<int, int>> meridians;
  for (int i = 0; i < table->Count(); ++i) {
    TObjectHeader* atom = table->At(i);
    if (ObjectKind(atom) != kMoleculeVertexKind || TMoleculeVertex::AtomType(atom) != kSolidTorusAtom) continue;
    meridians.emplace_back(TMoleculeVertex::PairValue(atom, 0), TMoleculeVertex::PairValue(atom, 1));
  }
  ASSERT_EQ(meridians.size(), 2u);
  EXPECT_EQ(meridians[0], std::make_pair(1, 0));
  int p = meridians[0].first * meridians[1].second - meridians[0].second * meridians[1].first;
  EXPECT_EQ(p < 0 ? -p : p, 5);
}

// Closed spines with a cyclic first homology Z_p: a chosen crude piercing,
// then the automatic steps, leave two solid tori whose meridians meet p
// times (a lens space); the checker passes after every step.
TEST(PiercingTest, CyclicClosedSpinesFallIntoTwoSolidToriMeetingPTimes) {
  InitMoveOrderTable();
  int tested = 0;
  for (const char* signature : {"bkaajn", "bkaajj", "bkaagj", "cMcabbgqs", "cMcabbjaj"}) {
    SCOPED_TRACE(signature);
    TScopedModelHeap heap;
    TSpine spine;
    ASSERT_TRUE(LoadThickenedSpine(spine, signature));
    TSpineChecker checker(spine);
    if (checker.Homology().size() != 1 || checker.Homology()[0] < 2) continue;
    TMoveChoice choice;
    choice.type = kMoveCrudePiercing;
    choice.element = FindPiercingCell(spine, 2);
    ASSERT_NE(choice.element, -1);
    MakeCheckedSteps(spine, checker, choice, 50);
    const std::vector<std::pair<int, int>> meridians = SolidTorusMeridians(spine);
    ASSERT_EQ(meridians.size(), 2u);
    int p = meridians[0].first * meridians[1].second - meridians[0].second * meridians[1].first;
    EXPECT_EQ(p < 0 ? -p : p, checker.Homology()[0]);
    ++tested;
  }
  EXPECT_GE(tested, 2);
}

// Delicate piercing joins a sphere to another surface: the manifold, and so
// its homology, stays; the sphere is gone. Random gluings of one to three
// tetrahedra give triangulations with several vertices, so spines with
// several boundary spheres (and some with a sphere beside another surface).
TEST(PiercingTest, DelicatePiercingKeepsTheManifold) {
  int pierced = 0;
  for (unsigned seed = 1; seed <= 400; ++seed) {
    SCOPED_TRACE(seed);
    TScopedModelHeap heap;
    TSpine spine;
    if (!LoadRandomThickenedSpine(spine, 1 + static_cast<int>(seed % 3), seed)) continue;
    int cell = FindPiercingCell(spine, 1);
    if (cell == -1) continue;
    TSpineChecker checker(spine);
    int spheres = spine.CountBoundaries(1);
    int surfaces = spine.CountBoundaries(0);
    int counterA = spine.MoleculeTable()->CounterA();
    ASSERT_EQ(PierceCell(spine, cell, nullptr), 1);
    EXPECT_TRUE(checker.Check(spine));
    EXPECT_EQ(spine.CountBoundaries(0), surfaces - 1);
    EXPECT_EQ(spine.CountBoundaries(1), spheres - 1);
    EXPECT_EQ(spine.MoleculeTable()->CounterA(), counterA + 1);
    EXPECT_EQ(spine.LogEntry(spine.LogCount() - 1, nullptr, 0), kMoveDelicatePiercing);
    ++pierced;
  }
  EXPECT_GT(pierced, 0);
}

TEST(PiercingTest, RefusalsLeaveTheSpineAsItWas) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "bkaajn"));
  int objects = spine.Objects().Count();
  for (int position : {-1, spine.Objects().CountOfKind(kCellKind)}) {
    EXPECT_EQ(ClassifyPiercingAt(spine, position), 0);
    EXPECT_EQ(PierceCell(spine, position, nullptr), 0);
  }
  EXPECT_EQ(FindPiercingCell(spine, 3), -1);
  // After a crude piercing the spine has a free edge: the cell along it has
  // a free arc, and no cell has a sphere on its sides.
  ASSERT_EQ(PierceCell(spine, FindPiercingCell(spine, 2), nullptr), 1);
  objects = spine.Objects().Count();
  int log = spine.LogCount();
  for (int i = 0; i < spine.Objects().CountOfKind(kCellKind); ++i) EXPECT_EQ(PierceCell(spine, i, nullptr), 0);
  EXPECT_EQ(spine.Objects().Count(), objects);
  EXPECT_EQ(spine.LogCount(), log);

  TSpine bare;
  ASSERT_TRUE(LoadThickenedSpine(bare, "bkaajn"));
  bare.RemoveThickObjects();
  EXPECT_EQ(FindPiercingCell(bare, 2), -1);
  EXPECT_EQ(PierceCell(bare, 0, nullptr), 0);
}

// A cell attached at a vertex (a whole sphere) is delicate only when its
// thick cell and both its copies exist.
TEST(PiercingTest, ASphereCellWithoutThickeningIsNotPierced) {
  TScopedModelHeap heap;
  TSpine spine;
  TBuiltComplex sphere = BuildPointSphere(spine);
  ASSERT_EQ(sphere.cells.size(), 1u);
  EXPECT_EQ(ClassifyPiercing(spine, sphere.cells[0]), 0);
  EXPECT_EQ(FindPiercingCell(spine, 1), -1);
  int objects = spine.Objects().Count();
  EXPECT_EQ(PierceCell(spine, 0, nullptr), 0);
  EXPECT_EQ(spine.Objects().Count(), objects);
}

TEST(PiercingTest, QuietPiercingNeitherLogsNorTakesTheMoveWord) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "bkaajn"));
  TSpineChecker checker(spine);
  spine.Objects().SetCreationTag(kMoveShortCurve);
  int log = spine.LogCount();
  ASSERT_EQ(PierceCellQuietly(spine, FindPiercingCell(spine, 2)), 1);
  EXPECT_TRUE(checker.Check(spine, false));
  EXPECT_EQ(spine.LogCount(), log);
  EXPECT_EQ(spine.Objects().CreationTag(), kMoveShortCurve);
}

}  // namespace
