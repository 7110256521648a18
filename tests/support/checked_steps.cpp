#include "support/checked_steps.h"

#include <gtest/gtest.h>

#include "foundation/heap_string.h"
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
    if (MakeSimplificationStep(1, spine, &report, choice, nullptr, nullptr) == 0) break;
    EXPECT_TRUE(checker.Check(spine, false)) << report.CStr();
    choice = TMoveChoice{};
  }
  return step;
}

std::vector<std::pair<int, int>> SolidTorusMeridians(TSpine& spine) {
  std::vector<std::pair<int, int>> meridians;
  TObjectTable* table = spine.MoleculeTable();
  for (int i = 0; i < table->Count(); ++i) {
    TObjectHeader* atom = table->At(i);
    if (ObjectKind(atom) != kMoleculeVertexKind || TMoleculeVertex::AtomType(atom) != kSolidTorusAtom) continue;
    meridians.emplace_back(TMoleculeVertex::PairValue(atom, 0), TMoleculeVertex::PairValue(atom, 1));
  }
  return meridians;
}
