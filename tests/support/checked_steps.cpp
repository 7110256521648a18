#include "support/checked_steps.h"

#include <gtest/gtest.h>

#include "foundation/heap_string.h"
#include "model/molecule_chain.h"
#include "model/molecule_vertex.h"
#include "model/object_kinds.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "support/spine_checker.h"

int MakeCheckedSteps(TSpine& spine, TSpineChecker& checker, TMoveChoice first, int maxSteps) {
  TMoveChoice choice = first;
  int step = 0;
  for (; step < maxSteps; ++step) {
    TString report;
    // As the step commands do: the first component of the chain that moves.
    int moved = MakeSimplificationStep(1, spine, &report, choice, nullptr, nullptr);
    for (TSpine* component = spine.Next(); moved == 0 && component != nullptr; component = component->Next()) {
      report.Clear();
      moved = MakeSimplificationStep(1, *component, &report, TMoveChoice{}, nullptr, nullptr);
    }
    if (moved == 0) break;
    EXPECT_TRUE(checker.Check(spine, false)) << report.CStr();
    choice = TMoveChoice{};
  }
  return step;
}

std::vector<std::pair<int, int>> SolidTorusMeridians(TSpine& spine) {
  std::vector<std::pair<int, int>> meridians;
  // The tables of the chain fused across their links, as the molecule's
  // report reads them: a solid torus that a later component shares is
  // counted once.
  TObjectTableList sources;
  TObjectTableList copies;
  CopyTableChain(*spine.MoleculeTable(), sources, copies, -1);
  RelinkCopiedChain(sources, copies, 2);
  TObjectList atoms;
  CollectAtoms(copies, atoms, kSolidTorusAtom);
  for (int i = 0; i < atoms.Count(); ++i)
    meridians.emplace_back(TMoleculeVertex::PairValue(atoms.At(i), 0), TMoleculeVertex::PairValue(atoms.At(i), 1));
  atoms.Clear();
  FreeObjectTableList(copies);
  return meridians;
}
