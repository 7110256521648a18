// Counterpass: on random closed spines and on the spines the default moves
// make of lens spaces, every counterpass keeps the manifold (the checker with
// the homology, and the same boundary surfaces), reports and logs itself once,
// and a cell that does not qualify is refused with the spine left as it was.
#include "moves/counterpass.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/object_kinds.h"
#include "model/spine.h"
#include "moves/move_families.h"
#include "moves/move_types.h"
#include "moves/step_loop.h"
#include "moves/torus_coordinates.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "support/boundary_characteristics.h"
#include "support/model_heap.h"
#include "support/spine_checker.h"
#include "support/thick_spine_support.h"

namespace {

std::string LastLogText(const TSpine& spine) {
  char buffer[256] = {};
  spine.LogEntry(spine.LogCount() - 1, buffer, sizeof buffer);
  return buffer;
}

TEST(CounterpassTest, RandomSpinesKeepTheirManifold) {
  InitMoveOrderTable();
  int performed = 0;
  int refused = 0;
  for (unsigned seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE(seed);
    TScopedModelHeap heap;
    TSpine spine;
    if (!LoadRandomThickenedSpine(spine, 3 + static_cast<int>(seed % 8), seed)) continue;
    const int cell = FindCounterpassCell(spine);
    if (cell < 0) continue;
    TSpineChecker checker(spine);
    const std::vector<int> boundary = BoundaryCharacteristics(spine);
    if (refused == 0) {
      for (int i = 0; spine.NthCell(i).IsValid(); ++i) {
        if (TestCounterpass(spine, i) != 0) continue;
        const std::string before = SpineSignature(spine);
        TString text;
        EXPECT_EQ(PerformCounterpass(spine, i, &text), 0);
        EXPECT_TRUE(text.Empty());
        EXPECT_EQ(spine.LogCount(), 0);
        EXPECT_EQ(SpineSignature(spine), before);
        ++refused;
        break;
      }
    }
    const std::string name = spine.NthCell(cell).DisplayName();
    TString text;
    ASSERT_EQ(PerformCounterpass(spine, cell, &text), 1);
    ++performed;
    EXPECT_TRUE(checker.Check(spine));
    EXPECT_EQ(BoundaryCharacteristics(spine), boundary);
    EXPECT_EQ(std::string(text.CStr()), "Counterpass simplification of " + name + " done");
    ASSERT_EQ(spine.LogCount(), 1);
    EXPECT_EQ(spine.LogEntry(0, nullptr, 0), kMoveCounterpass);
    EXPECT_EQ(LastLogText(spine), text.CStr());
  }
  EXPECT_GE(performed, 10);
  EXPECT_EQ(refused, 1);
}

// A stop during the closing piercing undoes the whole move: the spine, its
// log and the caller's text are as they were (the text is written only when
// the move is done).
TEST(CounterpassTest, AStopInTheClosingPiercingLeavesNoReport) {
  InitMoveOrderTable();
  int stopped = 0;
  for (unsigned seed = 1; seed <= 300 && stopped < 5; ++seed) {
    SCOPED_TRACE(seed);
    TScopedModelHeap heap;
    TSpine spine;
    if (!LoadRandomThickenedSpine(spine, 3 + static_cast<int>(seed % 8), seed)) continue;
    const int cell = FindCounterpassCell(spine);
    if (cell < 0) continue;
    const std::string before = SpineSignature(spine);
    TString text;
    text.Assign("kept");
    // The move itself polls only every few thousand steps; the piercing
    // looks at the flag before it starts.
    RequestStop();
    bool threw = false;
    try {
      PerformCounterpass(spine, cell, &text);
    } catch (const TComputationStopped&) {
      threw = true;
    }
    StopFlags().stop.store(0);
    if (!threw) continue;  // a rebuild that needed no piercing
    ++stopped;
    EXPECT_STREQ(text.CStr(), "kept");
    EXPECT_EQ(spine.LogCount(), 0);
    EXPECT_EQ(SpineSignature(spine), before);
    // Not stopped, the same move is done and reported.
    ASSERT_EQ(PerformCounterpass(spine, cell, &text), 1);
    EXPECT_EQ(std::string(text.CStr()).rfind("Counterpass simplification of ", 0), 0u) << text.CStr();
    EXPECT_EQ(spine.LogCount(), 1);
  }
  EXPECT_GE(stopped, 5);
}

// Performs a counterpass of the given kind on random spines until `wanted`
// were done, checking each; `performed` counts them.
void PerformCounterpassesOfKind(int kind, int wanted, int& performed) {
  InitMoveOrderTable();
  for (unsigned seed = 1; seed <= 3000 && performed < wanted; ++seed) {
    SCOPED_TRACE(seed);
    TScopedModelHeap heap;
    TSpine spine;
    if (!LoadRandomThickenedSpine(spine, 3 + static_cast<int>(seed % 8), seed)) continue;
    int cell = -1;
    for (int i = 0; spine.NthCell(i).IsValid() && cell < 0; ++i)
      if (TestCounterpass(spine, i) == kind) cell = i;
    if (cell < 0) continue;
    TSpineChecker checker(spine);
    const std::vector<int> boundary = BoundaryCharacteristics(spine);
    ASSERT_EQ(PerformCounterpass(spine, cell, nullptr), 1);
    ++performed;
    EXPECT_TRUE(checker.Check(spine));
    EXPECT_EQ(BoundaryCharacteristics(spine), boundary);
  }
}

// An edge passed three times, once against the other two: the kind-1
// rebuild where one of its sides V or M is a bridge of its surface, else the
// rebuild with four chords.
TEST(CounterpassTest, KindThreeKeepsTheManifold) {
  int performed = 0;
  PerformCounterpassesOfKind(3, 60, performed);
  EXPECT_GE(performed, 10);
}

// An edge passed three times the same way, at special vertices.
TEST(CounterpassTest, KindFourKeepsTheManifold) {
  int performed = 0;
  PerformCounterpassesOfKind(4, 20, performed);
  EXPECT_GE(performed, 10);
}

// Boundary tori carry two coordinate curves; a counterpass next to a torus
// keeps them closed at every vertex and a basis (the checker).
TEST(CounterpassTest, TorusCurvesStayClosedAndABasis) {
  InitMoveOrderTable();
  int performed[5] = {0, 0, 0, 0, 0};
  for (unsigned seed = 1; seed <= 1500; ++seed) {
    SCOPED_TRACE(seed);
    TScopedModelHeap heap;
    TSpine spine;
    if (!LoadRandomThickenedSpine(spine, 3 + static_cast<int>(seed % 8), seed)) continue;
    SetBoundaryCoordinates(spine);
    int cell = -1;
    for (int i = 0; spine.NthCell(i).IsValid() && cell < 0; ++i) {
      if (TestCounterpass(spine, i) == 0) continue;
      for (int part = 2; part <= 3; ++part) {
        if (FacesLabelledTorus(spine, i, part)) cell = i;
      }
    }
    if (cell < 0) continue;
    const int kind = TestCounterpass(spine, cell);
    TSpineChecker checker(spine);
    ASSERT_EQ(PerformCounterpass(spine, cell, nullptr), 1);
    ++performed[kind];
    EXPECT_TRUE(checker.Check(spine)) << kind;
  }
  for (int kind : {1, 3, 4}) EXPECT_GE(performed[kind], 5) << kind;
}

TEST(CounterpassTest, QuietModeWritesAndLogsNothingButMoves) {
  InitMoveOrderTable();
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "cMcabbgqs"));
  TSpineChecker checker(spine);
  const int cell = FindCounterpassCell(spine);
  ASSERT_GE(cell, 0);
  const int cells = spine.Objects().CountOfKind(kCellKind);
  QuietMode.store(1);
  TString text;
  const int done = PerformCounterpass(spine, cell, &text);
  QuietMode.store(0);
  EXPECT_EQ(done, 1);
  EXPECT_TRUE(text.Empty());
  EXPECT_EQ(spine.LogCount(), 0);
  EXPECT_NE(spine.Objects().CountOfKind(kCellKind), cells);
  EXPECT_TRUE(checker.Check(spine));
}

// The unknot surgery giving L(2, 1): after the first step (a delicate
// piercing) a cell passes an edge of valency 2 twice the same way: kind 2,
// which needs the spine to be orientable.
TEST(CounterpassTest, KindTwoReunitesTheCellFirstAndKeepsTheManifold) {
  InitMoveOrderTable();
  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  ASSERT_EQ(document.ParseDocumentText("link code 1 -1 framing 2/1 end", TOptionValues{}), 1);
  document.EnsureThickened();
  TSpine& spine = document.Spine();
  TString report;
  ASSERT_GT(MakeSimplificationStep(1, spine, &report, TMoveChoice{}, nullptr, nullptr), 0);
  int cell = -1;
  for (int i = 0; spine.NthCell(i).IsValid() && cell < 0; ++i)
    if (ClassifyCounterpass(spine, i, nullptr, nullptr) == 2) cell = i;
  ASSERT_GE(cell, 0);
  int side = 0;
  int position = -1;
  EXPECT_EQ(ClassifyCounterpass(spine, cell, &side, &position), 2);
  EXPECT_EQ(side, 2);
  EXPECT_GE(position, 0);

  spine.SetOrientable(0);
  EXPECT_NE(ClassifyCounterpass(spine, cell, nullptr, nullptr), 2);
  spine.SetOrientable(1);

  TSpineChecker checker(spine);
  const std::vector<int> boundary = BoundaryCharacteristics(spine);
  ASSERT_EQ(PerformCounterpass(spine, cell, nullptr), 1);
  EXPECT_TRUE(checker.Check(spine));
  EXPECT_EQ(BoundaryCharacteristics(spine), boundary);
}

// With surgeries disabled the automatic step makes no counterpass, but the
// Simplify dialog's classifier still offers it.
TEST(CounterpassTest, DisabledSurgeriesKeepItFromTheStepButNotFromTheList) {
  InitMoveOrderTable();
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "cMcabbgqs"));
  const int cell = FindCounterpassCell(spine);
  ASSERT_GE(cell, 0);
  const int saved = DisableSurgeries.exchange(1);
  TMoveChoice choice;
  ChooseNextMove(1, spine, choice, nullptr, nullptr);
  EXPECT_NE(choice.type, kMoveCounterpass);
  EXPECT_EQ(ClassifyCellMove(0, spine, cell, 0), kMoveCounterpass);
  DisableSurgeries.store(saved);
  ChooseNextMove(1, spine, choice, nullptr, nullptr);
  EXPECT_EQ(choice.type, kMoveCounterpass);
  EXPECT_EQ(choice.element, cell);
}

TEST(CounterpassTest, NothingOnAnUnthickenedOrEmptySpine) {
  TScopedModelHeap heap;
  TSpine empty;
  EXPECT_EQ(FindCounterpassCell(empty), -1);
  EXPECT_EQ(TestCounterpass(empty, 0), 0);
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "cMcabbgqs"));
  ASSERT_GE(FindCounterpassCell(spine), 0);
  spine.RemoveThickObjects();
  EXPECT_EQ(FindCounterpassCell(spine), -1);
  EXPECT_EQ(PerformCounterpass(spine, 0, nullptr), 0);
}

}  // namespace
