// Cutting out a ring: on the spines that the default moves leave of the
// Heegaard and surgery examples, a cell meets itself along an edge between
// boundary tori; cutting the ring out records a triple atom, reports it and
// leaves a sound spine. Closed spines and refused cells stay as they were.
#include "moves/ring_cutting.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "foundation/heap_string.h"
#include "foundation/output.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "moves/move_families.h"
#include "moves/move_types.h"
#include "moves/step_loop.h"
#include "shell/document_spine.h"
#include "shell/examples.h"
#include "shell/molecule_printer.h"
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

// The spine that the automatic steps leave of an example, thickened.
void StepExample(TDocumentSpine& document, int n, TSpineChecker*& checker) {
  const std::string text(ExampleText(n).value_or(""));
  ASSERT_EQ(document.ParseDocumentText(text.c_str(), TOptionValues{}), 1);
  document.EnsureThickened();
  TSpine& spine = document.Spine();
  checker = new TSpineChecker(spine);
  for (int step = 0; step < 50; ++step) {
    TString report;
    if (MakeSimplificationStep(1, spine, &report, TMoveChoice{}, nullptr, nullptr) == 0) break;
    EXPECT_TRUE(checker->Check(spine, false)) << report.CStr();
  }
}

// The edges at the triple atom, over the molecule fused across components.
int TripleAtomEdges(TSpine& spine) {
  TOutput output;
  PrintLabeledMolecule(output, spine, 1);
  const std::string text = output.Text();
  EXPECT_NE(text.find("Labeled molecule is connected"), std::string::npos) << text;
  int edges = 0;
  for (std::size_t at = text.find("Triple vertex 1 "); at != std::string::npos;
       at = text.find("Triple vertex 1 ", at + 1))
    ++edges;
  return edges;
}

// Example 3 (a Heegaard diagram) pierces crudely first, example 4 (a
// surgery) delicately; the spine each reaches has a ring between the two
// copies of a cell on one torus, which the classifier offers. Cutting it
// splits the torus in two and the spine into two components: the triple atom
// is glued to the old torus and to both new ones, across the split.
TEST(RingCuttingTest, ARingOnOneTorusRecordsATripleAtomWithThreeEdges) {
  InitMoveOrderTable();
  for (int n : {3, 4}) {
    SCOPED_TRACE("example " + std::to_string(n));
    TDocumentSpine document;
    TDocumentSpine::TScope scope(document);
    TSpineChecker* checker = nullptr;
    StepExample(document, n, checker);
    std::unique_ptr<TSpineChecker> owned(checker);
    ASSERT_NE(checker, nullptr);
    TSpine& spine = document.Spine();
    // The ring lies in the component that keeps the torus (a counterpass
    // may have cut a ball off first).
    TSpine* component = &spine;
    while (component != nullptr && FindRingCell(*component) == -1) component = component->Next();
    ASSERT_NE(component, nullptr);
    TMoveChoice choice;
    choice.element = FindRingCell(*component);
    choice.type = kMoveRing;
    EXPECT_EQ(ClassifyCellMove(0, *component, choice.element, 0), kMoveRing);
    int first = -1;
    int second = -1;
    EXPECT_NE(TestRingCutting(*component, choice.element, &first, &second), 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(TripleAtoms(spine), 0);
    const int log = spine.LogCount();
    TString report;
    ASSERT_NE(MakeSimplificationStep(1, *component, &report, choice, nullptr, nullptr), 0);
    EXPECT_TRUE(checker->Check(spine, false)) << report.CStr();
    EXPECT_NE(std::string(report.CStr()).find("a boundary torus has been separated"), std::string::npos)
        << report.CStr();
    EXPECT_NE(spine.Next(), nullptr);
    EXPECT_EQ(TripleAtoms(spine), 1);
    EXPECT_EQ(TripleAtomEdges(spine), 3);
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

// Every gluing printed with the molecule ("\t(a b) (c d)") is invertible.
void ExpectInvertibleGluings(TSpine& spine) {
  TOutput output;
  PrintLabeledMolecule(output, spine, 1);
  const std::string text = output.Text();
  int gluings = 0;
  for (std::size_t at = text.find("\t("); at != std::string::npos; at = text.find("\t(", at + 1)) {
    long long a = 0, b = 0, c = 0, d = 0;
    ASSERT_EQ(std::sscanf(text.c_str() + at, "\t(%lld %lld) (%lld %lld)", &a, &b, &c, &d), 4) << text;
    EXPECT_EQ(std::llabs(a * d - b * c), 1) << text;
    ++gluings;
  }
  EXPECT_GT(gluings, 0) << text;
}

// The prism manifold (S^2; (2,1), (2,1), (2,1)), with every ring offered
// cut by hand: after the first ring cut the new tori carry the fibre as
// their only coordinate curve, so the next ring there would re-base them
// through a singular matrix (recognition then named a sum of two S^2 x S^1
// with H_1 = Z_2 + Z_6). That cut is refused and rolled back, and every
// gluing of the molecule stays invertible.
TEST(RingCuttingTest, ACutThroughASingularChangeOfBasisIsRefused) {
  InitMoveOrderTable();
  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  ASSERT_EQ(document.ParseDocumentText("eLAkbccddemken", TOptionValues{}), 1);
  document.EnsureThickened();
  TSpine& spine = document.Spine();
  int cuts = 0;
  int refused = 0;
  for (int step = 0; step < 50; ++step) {
    TSpine* component = &spine;
    for (; component != nullptr; component = component->Next()) {
      int cell = FindRingCell(*component);
      if (cell == -1) continue;
      const int log = spine.LogCount();
      const int cells = component->Objects().CountOfKind(kCellKind);
      TString report;
      if (CutOutRing(*component, cell, &report) != 0) {
        ++cuts;
        break;
      }
      ++refused;
      EXPECT_EQ(spine.LogCount(), log);
      EXPECT_EQ(component->Objects().CountOfKind(kCellKind), cells);
      EXPECT_EQ(FindRingCell(*component), cell);
    }
    if (component != nullptr) continue;
    TString report;
    if (MakeSimplificationStep(1, spine, &report, TMoveChoice{}, nullptr, nullptr) == 0) break;
  }
  EXPECT_GE(cuts, 1);
  EXPECT_GE(refused, 1);
  ExpectInvertibleGluings(spine);
}

}  // namespace
