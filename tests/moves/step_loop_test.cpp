// The switchboard: the order table, the classifier, the dispatcher's refusal,
// the step and its follow-ups, quiet mode.
#include "moves/step_loop.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "foundation/checked_int64.h"
#include "foundation/heap_string.h"
#include "model/cell.h"
#include "model/edge.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "moves/collapsing.h"
#include "moves/move_types.h"
#include "support/model_heap.h"
#include "support/spine_checker.h"
#include "support/thick_spine_support.h"

namespace {

// Restores the option words and the quiet flag a test changes.
class StepLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitMoveOrderTable();
    collapsings_ = MakeCollapsingsAutomatically.load();
    reductions_ = MakeCellReductionsAutomatically.load();
    surgeries_ = DisableSurgeries.load();
    quiet_ = QuietMode.load();
  }
  void TearDown() override {
    MakeCollapsingsAutomatically.store(collapsings_);
    MakeCellReductionsAutomatically.store(reductions_);
    DisableSurgeries.store(surgeries_);
    QuietMode.store(quiet_);
  }

  // A census spine with one cell cut out, the first cut that leaves a sound
  // spine with a cell to collapse.
  static bool LoadCutSpine(TSpine& spine, const char* signature) {
    TSpine original;
    if (!LoadThickenedSpine(original, signature)) return false;
    for (int i = 0; i < original.Objects().CountOfKind(kCellKind); ++i) {
      original.CopyTo(spine);
      spine.Objects().SetCreationTag(kMoveCutting);
      if (spine.RemoveThickCell(ThickCellOfCell(spine, spine.NthCell(i))) != 1) continue;
      if (TSpineChecker(spine).Check(spine) && FindReductionCell(spine) != -1) return true;
    }
    return false;
  }

 private:
  int collapsings_ = 0;
  int reductions_ = 0;
  int surgeries_ = 0;
  int quiet_ = 0;
};

TEST_F(StepLoopTest, OrderTableRanksTheOfferedTypes) {
  const int expected[21] = {0, 0, 0, 0, 0, 1, 5, 6, 2, 3, 8, 4, 7, 10, 11, 9, 0, 12, 13, 0, 0};
  for (int type = 0; type <= kLastMoveType; ++type) EXPECT_EQ(MoveOrderTable[static_cast<std::size_t>(type)], expected[type]) << type;
  EXPECT_EQ(MoveDialogNameId(kMoveCollapsing), 3031);
  EXPECT_EQ(MoveDialogNameId(kMoveT), 0);
}

TEST_F(StepLoopTest, NothingAppliesToASpecialSpineOfAClosedManifold) {
  for (int collapsings : {1, 0}) {
    SCOPED_TRACE(collapsings);
    MakeCollapsingsAutomatically.store(collapsings);
    MakeCellReductionsAutomatically.store(1);
    TScopedModelHeap heap;
    TSpine spine;
    ASSERT_TRUE(LoadThickenedSpine(spine, "bkaajn"));
    const std::string before = SpineSignature(spine);
    // Both sides of every cell lie on the one boundary sphere, and with one
    // vertex no cell is a short curve: crude piercing is the only move,
    // chosen automatically unless surgeries are disabled.
    TMoveChoice choice;
    EXPECT_EQ(ChooseNextMove(1, spine, choice, nullptr, nullptr), 1);
    EXPECT_EQ(choice.type, kMoveCrudePiercing);
    DisableSurgeries.store(1);
    EXPECT_EQ(ChooseNextMove(1, spine, choice, nullptr, nullptr), 0);
    EXPECT_EQ(choice.type, 0);
    EXPECT_EQ(choice.element, -1);
    TString report;
    EXPECT_EQ(MakeSimplificationStep(1, spine, &report, TMoveChoice{}, nullptr, nullptr), 0);
    DisableSurgeries.store(0);
    EXPECT_STREQ(report.CStr(), "No transformation");
    EXPECT_EQ(SpineSignature(spine), before);
    EXPECT_EQ(ClassifyCellMove(0, spine, 0, 0), kMoveCrudePiercing);
    EXPECT_EQ(ClassifyCellMove(0, spine, 0, kMoveCrudePiercing), 0);
  }
}

TEST_F(StepLoopTest, ARefusedMoveIsNotCountedLoggedOrLeftHalfDone) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "cMcabbgqs"));
  TSpineChecker checker(spine);
  const std::string before = SpineSignature(spine);
  for (int type : {kMoveCollapsing, kMoveCutting, kMoveTripleBipass, kMoveT}) {
    SCOPED_TRACE(type);
    TMoveChoice choice;
    choice.type = type;
    choice.element = 0;
    TString text;
    EXPECT_EQ(PerformMove(spine, choice, &text, nullptr, nullptr), 0);
    EXPECT_TRUE(text.Empty());
  }
  EXPECT_EQ(spine.LogCount(), 0);
  EXPECT_TRUE(checker.Check(spine));
  EXPECT_EQ(SpineSignature(spine), before);
}

TEST_F(StepLoopTest, AStepCollapsesAndItsFollowUpsAreReported) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadCutSpine(spine, "cMcabbgqs"));
  TSpineChecker checker(spine);
  TMoveChoice choice;
  ASSERT_EQ(ChooseNextMove(1, spine, choice, nullptr, nullptr), 1);
  EXPECT_EQ(choice.type, kMoveCollapsing);
  EXPECT_EQ(ClassifyCellMove(0, spine, choice.element, 0), kMoveCollapsing);
  // The cell also admits a counterpass, whose order is above collapsing's.
  EXPECT_EQ(ClassifyCellMove(0, spine, choice.element, kMoveCollapsing), kMoveCounterpass);
  EXPECT_EQ(ClassifyCellMove(0, spine, choice.element, kMoveCounterpass), 0);

  MakeCollapsingsAutomatically.store(0);
  MakeCellReductionsAutomatically.store(1);
  TString report;
  int n = MakeSimplificationStep(1, spine, &report, TMoveChoice{}, nullptr, nullptr);
  EXPECT_GE(n, 1);
  std::string text = report.CStr();
  EXPECT_EQ(text.rfind("Simple collapsing of '", 0), 0u) << text;
  EXPECT_NE(text.find(" done\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("reduction(s) done"), std::string::npos) << text;
  EXPECT_TRUE(checker.Check(spine));
  char logText[128];
  EXPECT_EQ(spine.LogEntry(0, logText, sizeof logText), kMoveCollapsing);
  EXPECT_EQ(std::string(logText).rfind("Simple collapsing of '", 0), 0u);
}

// The collapsing pushes the curves off its "-" copy first; labels that
// overflow there make it fail after it changed some of them.
TEST_F(StepLoopTest, AMoveThatFailsHalfWayLeavesTheSpineAsItWas) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadCutSpine(spine, "cMcabbgqs"));
  TMoveChoice choice;
  ASSERT_EQ(ChooseNextMove(1, spine, choice, nullptr, nullptr), 1);
  int s = -1;
  int e = -1;
  ASSERT_NE(IsCellReducible(spine, choice.element, &s, &e), 0);
  THandle minus = TThickCell::Part(ThickCellOfCell(spine, spine.NthCell(choice.element)), 3);
  int length = TCell::BoundaryLength(minus);
  ASSERT_GE(length, 3);
  const int pushed[4] = {INT32_MAX, 0, 0, 0};
  TEdge::SetLabels(TCell::EdgeAt(minus, s), pushed, 1);
  // The last passage's edge overflows whichever way it runs; the ones
  // before it take the push.
  THandle last = TCell::EdgeAt(minus, (s + length - 1) % length);
  ASSERT_NE(last.Object(), TCell::EdgeAt(minus, s).Object());
  const int full[4] = {TCell::DirectionAt(minus, (s + length - 1) % length) == TCell::DirectionAt(minus, s)
                           ? -INT32_MAX
                           : INT32_MAX,
                       0, 0, 0};
  TEdge::SetLabels(last, full, 1);
  auto labelSum = [](TSpine& sp) {
    long long sum = 0;
    for (int b = 0; b < sp.BoundaryCount(); ++b) {
      TObjectManager& objects = sp.BoundaryAt(b)->Objects();
      for (TObjectHeader* edge = objects.First(kEdgeKind); edge != nullptr; edge = objects.Next(edge))
        for (int k = 0; k < 4; ++k) sum += std::abs(static_cast<long long>(TEdge::Label(edge, k)));
    }
    return sum;
  };
  const long long labelsBefore = labelSum(spine);
  const int cellsBefore = spine.Objects().CountOfKind(kCellKind);
  TString text;
  EXPECT_THROW(PerformMove(spine, choice, &text, nullptr, nullptr), Out_of_Range);
  EXPECT_EQ(labelSum(spine), labelsBefore);
  EXPECT_EQ(spine.Objects().CountOfKind(kCellKind), cellsBefore);
  EXPECT_EQ(spine.LogCount(), 0);
}

// A step given its move performs exactly that one.
TEST_F(StepLoopTest, AStepWithAnExplicitMovePerformsIt) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadCutSpine(spine, "cMcabbgqs"));
  MakeCollapsingsAutomatically.store(0);
  MakeCellReductionsAutomatically.store(0);
  TMoveChoice choice;
  ASSERT_EQ(ChooseNextMove(1, spine, choice, nullptr, nullptr), 1);
  const std::string name = spine.NthCell(choice.element).DisplayName();
  int cells = spine.Objects().CountOfKind(kCellKind);
  TString report;
  EXPECT_EQ(MakeSimplificationStep(1, spine, &report, choice, nullptr, nullptr), 1);
  EXPECT_EQ(std::string(report.CStr()).rfind("Simple collapsing of '" + name + "' done", 0), 0u) << report.CStr();
  EXPECT_EQ(spine.LogCount(), 1);
  // A move that does not apply to the cell is refused.
  TMoveChoice wrong;
  wrong.type = kMoveCollapsing;
  wrong.element = cells + 5;
  EXPECT_EQ(MakeSimplificationStep(1, spine, &report, wrong, nullptr, nullptr), 0);
  EXPECT_STREQ(report.CStr(), "No transformation");
  EXPECT_EQ(spine.LogCount(), 1);
}

TEST_F(StepLoopTest, StepsUntilStableLeaveNothingToCollapse) {
  for (const char* signature : {"bkaajn", "cMcabbgqs"}) {
    SCOPED_TRACE(signature);
    TScopedModelHeap heap;
    TSpine spine;
    ASSERT_TRUE(LoadCutSpine(spine, signature));
    TSpineChecker checker(spine);
    TString report;
    int logged = spine.LogCount();
    RunStepsUntilStable(spine, &report);
    // A cutting cuts a piece off the manifold: the homology is kept only
    // without one.
    bool cut = false;
    for (int k = logged; k < spine.LogCount(); ++k) cut = cut || spine.LogEntry(k, nullptr, 0) == kMoveCutting;
    EXPECT_TRUE(checker.Check(spine, !cut));
    EXPECT_EQ(FindReductionCell(spine), -1);
  }
}

TEST_F(StepLoopTest, QuietModeLogsAndReportsNothingButMovesTheSame) {
  int counts[2] = {0, 0};
  std::string signatures[2];
  for (int quiet : {0, 1}) {
    QuietMode.store(quiet);
    TScopedModelHeap heap;
    TSpine spine;
    ASSERT_TRUE(LoadCutSpine(spine, "cMcabbgqs"));
    TString report;
    counts[quiet] = RunCollapsings(spine, &report, 1);
    EXPECT_EQ(report.Empty(), quiet == 1);
    EXPECT_EQ(spine.LogCount() == 0, quiet == 1);
    QuietMode.store(0);
    signatures[quiet] = SpineSignature(spine) + "/" + std::to_string(spine.Objects().CountOfKind(kCellKind));
  }
  EXPECT_EQ(counts[0], counts[1]);
  EXPECT_EQ(signatures[0], signatures[1]);
}

TEST_F(StepLoopTest, ReportersFormatTheirTexts) {
  TString text;
  ReportTransformations(text, 3);
  EXPECT_STREQ(text.CStr(), "3 transformation(s) done");
  ReportTransformations(text, 0);
  EXPECT_STREQ(text.CStr(), "No transformation");
  ReportCellReductions(text, 0);
  EXPECT_STREQ(text.CStr(), "0 reduction(s) done");
  ReportCollapsings(text, 2, 1, 4);
  EXPECT_STREQ(text.CStr(), "2 collapsing(s) with 1 cutting(s) and 4 reduction(s) done");
  ReportStepResult(text, 1, TString("a"), TString("b"));
  EXPECT_STREQ(text.CStr(), "a\r\nb");
  QuietMode.store(1);
  TString quiet;
  ReportTransformations(quiet, 3);
  ReportSimpleCollapsing(quiet, "Cell #1", 1, 0);
  EXPECT_TRUE(quiet.Empty());
}

}  // namespace

// On this random spine of seven tetrahedra, after one step, the first move of
// the priority is a ring cut whose performer refuses, while a short curve
// still applies: the step makes that move instead of reporting that nothing
// was done.
TEST_F(StepLoopTest, AStepWhoseChosenMoveRefusesTriesTheNextStage) {
  MakeCollapsingsAutomatically.store(1);
  MakeCellReductionsAutomatically.store(1);
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadRandomThickenedSpine(spine, 7, 34));
  TSpineChecker checker(spine);
  ASSERT_GT(MakeSimplificationStep(1, spine, nullptr, TMoveChoice{}, nullptr, nullptr), 0);
  ASSERT_TRUE(checker.Check(spine, false));
  TMoveChoice choice;
  ASSERT_EQ(ChooseNextMove(1, spine, choice, nullptr, nullptr), 1);
  ASSERT_EQ(choice.type, kMoveRing);
  ASSERT_EQ(PerformMove(spine, choice, nullptr, nullptr, nullptr), 0);
  const int logged = spine.LogCount();

  TString report;
  EXPECT_GT(MakeSimplificationStep(1, spine, &report, TMoveChoice{}, nullptr, nullptr), 0);
  const std::string text = report.CStr();
  EXPECT_EQ(text.rfind("Short curve simplification of ", 0), 0u) << text;
  EXPECT_TRUE(checker.Check(spine, false)) << text;
  ASSERT_GT(spine.LogCount(), logged) << text;
  char logText[128];
  EXPECT_EQ(spine.LogEntry(logged, logText, sizeof logText), kMoveShortCurve) << text;
}
