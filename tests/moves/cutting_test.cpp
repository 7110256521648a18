// Cutting along a cell with two free arcs: what each kind of cut records,
// the meridian's coordinates, and the refusals.
#include "moves/cutting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "model/object_kinds.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "moves/collapsing.h"
#include "moves/move_families.h"
#include "moves/move_types.h"
#include "support/model_heap.h"
#include "support/spine_checker.h"
#include "support/thick_spine_support.h"

namespace {

int ChainLength(TSpine& spine) {
  int n = 0;
  for (TSpine* s = &spine; s != nullptr; s = s->Next()) ++n;
  return n;
}

long FreeRank(const std::vector<std::int32_t>& list) { return std::count(list.begin(), list.end(), 0); }

int ChainBoundaries(TSpine& spine) {
  int n = 0;
  for (TSpine* s = &spine; s != nullptr; s = s->Next()) n += s->BoundaryCount();
  return n;
}

// Collapses (the checker after each) until a cell can be cut; false when
// none comes.
bool CollapseUntilCuttable(TSpine& spine, const TSpineChecker& checker) {
  for (int k = 0; k < 100; ++k) {
    if (FindCuttingCell(spine) != -1) return true;
    int cell = FindReductionCell(spine);
    if (cell == -1 || PerformCellReduction(spine, cell, nullptr, nullptr) == 0) return false;
    if (!checker.Check(spine, false)) return false;
  }
  return false;
}

TEST(CuttingTest, TheSecondSolidTorusOfALensSpaceCarriesItsMeridian) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "bkaajn"));
  TSpineChecker checker(spine);
  ASSERT_EQ(PierceCell(spine, FindPiercingCell(spine, 2), nullptr), 1);
  ASSERT_TRUE(CollapseUntilCuttable(spine, checker));
  int cell = FindCuttingCell(spine);
  EXPECT_EQ(IsCuttable(spine, cell), 1);
  TString text;
  ASSERT_EQ(CutAlongCell(spine, cell, &text), 1);
  EXPECT_TRUE(checker.Check(spine, false));
  // The meridian of the second solid torus meets the first one's five times.
  std::string message = text.CStr();
  EXPECT_EQ(message.rfind("Cutting of '", 0), 0u) << message;
  EXPECT_NE(message.find("a solid torus with intersection coefficients"), std::string::npos) << message;
  EXPECT_NE(message.find("5"), std::string::npos) << message;
  EXPECT_EQ(spine.LogEntry(spine.LogCount() - 1, nullptr, 0), kMoveCutting);
  EXPECT_EQ(spine.CountBoundaries(2), 0);
  EXPECT_EQ(spine.MoleculeTable()->CountAtomsOfType(kSolidTorusAtom), 2);
}

// Random spines with a cell cut out, collapsed until a cut applies: each
// message matches what the cut did to the chain and the molecule.
TEST(CuttingTest, EachCutRecordsWhatItCutOff) {
  int seen[4] = {0, 0, 0, 0};
  for (unsigned seed = 1; seed <= 80; ++seed) {
    TScopedModelHeap heap;
    TSpine original;
    if (!LoadRandomThickenedSpine(original, 3 + static_cast<int>(seed % 5), seed)) continue;
    for (int i = 0; i < original.Objects().CountOfKind(kCellKind); ++i) {
      SCOPED_TRACE("seed " + std::to_string(seed) + " cell " + std::to_string(i));
      TSpine spine;
      original.CopyTo(spine);
      spine.Objects().SetCreationTag(kMoveCutting);
      if (spine.RemoveThickCell(ThickCellOfCell(spine, spine.NthCell(i))) != 1) continue;
      TSpineChecker checker(spine);
      if (!checker.Check(spine) || !CollapseUntilCuttable(spine, checker)) continue;
      int components = ChainLength(spine);
      int boundaries = ChainBoundaries(spine);
      int counterC = spine.MoleculeTable()->CounterC();
      // The collapsings above may have cut already (class 2 ends in a cut,
      // which can drop a free summand): what this cut does is measured from
      // here.
      const std::vector<std::int32_t> beforeCut = ChainHomology(spine);
      TString text;
      ASSERT_EQ(CutAlongCell(spine, FindCuttingCell(spine), &text), 1);
      EXPECT_TRUE(checker.Check(spine, false)) << text.CStr();
      std::string message = text.CStr();
      if (message.find("new connected component") != std::string::npos) {
        EXPECT_EQ(ChainLength(spine), components + 1);
        // A separating disc: the homology of the two halves adds up to the
        // homology before the cut.
        EXPECT_EQ(ChainHomology(spine), beforeCut) << message;
        ++seen[0];
      } else if (message.find("S^2 X S^1") != std::string::npos) {
        EXPECT_EQ(ChainLength(spine), components);
        EXPECT_EQ(ChainBoundaries(spine), boundaries + 1);
        EXPECT_EQ(spine.MoleculeTable()->CounterC(), counterC + 1);
        ++seen[1];
      } else {
        EXPECT_NE(message.find("solid torus"), std::string::npos) << message;
        // The disc did not separate, but the split that follows the cut
        // also moves away a piece that lay apart from the rest already.
        EXPECT_GE(ChainLength(spine), components);
        EXPECT_EQ(FreeRank(ChainHomology(spine)) + 1, FreeRank(beforeCut)) << message;
        EXPECT_EQ(ChainBoundaries(spine), boundaries);
        ++seen[2];
      }
    }
  }
  EXPECT_GT(seen[0], 0);
  EXPECT_GT(seen[2], 0);
}

TEST(CuttingTest, RefusalsLeaveTheSpineAsItWas) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "bkaajn"));
  // A closed special spine has no free arc at all.
  EXPECT_EQ(FindCuttingCell(spine), -1);
  int objects = spine.Objects().Count();
  for (int cell : {-1, 0, 1, 2}) EXPECT_EQ(CutAlongCell(spine, cell, nullptr), 0);
  EXPECT_EQ(spine.Objects().Count(), objects);

  // A cell with two free arcs on a spine without its thickening: the cut is
  // made on the thick cell, so the test refuses up front.
  TSpineChecker checker(spine);
  ASSERT_EQ(PierceCell(spine, FindPiercingCell(spine, 2), nullptr), 1);
  ASSERT_TRUE(CollapseUntilCuttable(spine, checker));
  int cell = FindCuttingCell(spine);
  spine.RemoveThickObjects();
  objects = spine.Objects().Count();
  int log = spine.LogCount();
  EXPECT_EQ(IsCuttable(spine, cell), 0);
  EXPECT_EQ(FindCuttingCell(spine), -1);
  EXPECT_EQ(CutAlongCell(spine, cell, nullptr), 0);
  EXPECT_EQ(spine.Objects().Count(), objects);
  EXPECT_EQ(spine.LogCount(), log);
}

}  // namespace
