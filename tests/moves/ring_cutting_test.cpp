// Cutting out a ring: on the spines that the default moves leave of the
// link and surgery examples, a cell meets itself along an edge between
// boundary tori; cutting the ring out records a triple atom, reports it and
// leaves a sound spine. Closed spines and refused cells stay as they were.
#include "moves/ring_cutting.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/heap_string.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "moves/move_families.h"
#include "moves/move_types.h"
#include "moves/step_loop.h"
#include "shell/document_spine.h"
#include "shell/examples.h"
#include "shell/options.h"
#include "support/model_heap.h"
#include "support/spine_checker.h"
#include "support/thick_spine_support.h"

namespace {

int TripleAtoms(TSpine& spine) {
  int count = 0;
  for (TObjectTable* t = spine.MoleculeTable()->Head(); t != nullptr; t = t->Next())
    count += t->CountAtomsOfType(kTripleAtom);
  return count;
}

// Example 3 (a Heegaard diagram) pierces crudely first, examples 4 and 11
// (surgeries) pierce delicately; the spine each reaches has one ring, which
// the classifier offers and the move cuts out.
TEST(RingCuttingTest, TheExamplesReachARingAndCutItOut) {
  InitMoveOrderTable();
  for (int n : {3, 4, 11}) {
    SCOPED_TRACE("example " + std::to_string(n));
    const std::string text(ExampleText(n).value_or(""));
    TDocumentSpine document;
    TDocumentSpine::TScope scope(document);
    ASSERT_EQ(document.ParseDocumentText(text.c_str(), TOptionValues{}), 1);
    document.EnsureThickened();
    TSpine& spine = document.Spine();
    TSpineChecker checker(spine);
    for (int step = 0; step < 50; ++step) {
      TString report;
      if (MakeSimplificationStep(1, spine, &report, TMoveChoice{}, nullptr, nullptr) == 0) break;
      EXPECT_TRUE(checker.Check(spine, false)) << report.CStr();
    }
    TMoveChoice choice;
    choice.element = FindRingCell(spine);
    ASSERT_NE(choice.element, -1);
    choice.type = kMoveRing;
    EXPECT_EQ(ClassifyCellMove(0, spine, choice.element, 0), kMoveRing);
    int first = -1;
    int second = -1;
    EXPECT_NE(TestRingCutting(spine, choice.element, &first, &second), 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(TripleAtoms(spine), 0);
    const int log = spine.LogCount();
    TString report;
    ASSERT_NE(MakeSimplificationStep(1, spine, &report, choice, nullptr, nullptr), 0);
    EXPECT_TRUE(checker.Check(spine, false)) << report.CStr();
    EXPECT_NE(std::string(report.CStr()).find("Cutting out a ring from '"), std::string::npos) << report.CStr();
    EXPECT_EQ(TripleAtoms(spine), 1);
    // The ring comes first in the log, the follow-ups' reductions after it.
    ASSERT_GT(spine.LogCount(), log);
    EXPECT_EQ(spine.LogEntry(log, nullptr, 0), kMoveRing);
  }
}

TEST(RingCuttingTest, NoRingWithoutToriAndARefusalChangesNothing) {
  InitMoveOrderTable();
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_TRUE(LoadThickenedSpine(spine, "bkaajn"));
  const std::string before = SpineSignature(spine);
  EXPECT_EQ(FindRingCell(spine), -1);
  for (int i = 0; spine.NthCell(i).IsValid(); ++i) EXPECT_EQ(TestRingCutting(spine, i), 0);
  TString text;
  EXPECT_EQ(CutOutRing(spine, 0, &text), 0);
  EXPECT_EQ(CutOutRing(spine, 99, &text), 0);
  EXPECT_TRUE(text.Empty());
  EXPECT_EQ(SpineSignature(spine), before);
  TSpine empty;
  EXPECT_EQ(FindRingCell(empty), -1);
}

}  // namespace
