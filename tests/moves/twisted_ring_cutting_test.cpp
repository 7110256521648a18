// Cutting out a ring whose band is glued to one torus with a twist: the piece
// cut off is the orientable circle bundle over the Moebius band with a hole,
// recorded as a Mobius atom between the old torus and the one new torus.
// Example 11 (a genus-2 Heegaard diagram of the quaternionic manifold, Seifert
// over RP^2) reaches such a ring after four piercings.
#include "moves/ring_cutting.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "foundation/heap_string.h"
#include "foundation/int_matrix.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "model/vertex.h"
#include "moves/boundary_gluing_matrix.h"
#include "moves/move_families.h"
#include "moves/move_types.h"
#include "moves/step_loop.h"
#include "shell/document_spine.h"
#include "shell/examples.h"
#include "shell/options.h"
#include "support/spine_checker.h"

namespace {

TObjectHeader* OnlyAtomOfType(TSpine& spine, int type) {
  TObjectHeader* found = nullptr;
  int count = 0;
  for (TObjectTable* t = spine.MoleculeTable()->Head(); t != nullptr; t = t->Next())
    for (int i = 0; i < t->Count(); ++i)
      if (TMoleculeVertex::Of(t->At(i)) != nullptr && TMoleculeVertex::AtomType(t->At(i)) == type) {
        found = t->At(i);
        ++count;
      }
  return count == 1 ? found : nullptr;
}

TEST(TwistedRingCuttingTest, TheBandCutsOffAMobiusAtomAndLeavesOneTorusWithABasis) {
  InitMoveOrderTable();
  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  const std::string text(ExampleText(11).value_or(""));
  ASSERT_EQ(document.ParseDocumentText(text.c_str(), TOptionValues{}), 1);
  document.EnsureThickened();
  TSpine& spine = document.Spine();
  TSpineChecker checker(spine);
  // Step until a ring is offered, then cut it alone (the step would go on
  // with collapsings that may fill the new torus at once).
  std::string mobiusReport;
  int toriBefore = -1;
  for (int step = 0; step < 50 && mobiusReport.empty(); ++step) {
    const int cell = FindRingCell(spine);
    if (cell != -1) {
      toriBefore = 0;
      for (int i = 0; i < spine.BoundaryCount(); ++i)
        toriBefore += spine.BoundarySurfaceClass(spine.BoundaryAt(i)) == 2;
      TString report;
      ASSERT_EQ(CutOutRing(spine, cell, &report), 1);
      ASSERT_TRUE(checker.Check(spine, false)) << report.CStr();
      mobiusReport = report.CStr();
      break;
    }
    TString report;
    if (MakeSimplificationStep(1, spine, &report, TMoveChoice{}, nullptr, nullptr) == 0) break;
    ASSERT_TRUE(checker.Check(spine, false)) << report.CStr();
  }
  ASSERT_NE(mobiusReport.find("a Mobius Manifold has been cut off"), std::string::npos) << mobiusReport;
  EXPECT_EQ(OnlyAtomOfType(spine, kTripleAtom), nullptr);

  // One torus in, one torus out: the old torus T became the new torus R.
  TObjectHeader* mobius = OnlyAtomOfType(spine, kMobiusAtom);
  ASSERT_NE(mobius, nullptr);
  ASSERT_EQ(TVertex::Valency(mobius), 2);
  TObjectHeader* toT = nullptr;
  TObjectHeader* toR = nullptr;
  for (int i = 0; i < 2; ++i) {
    TObjectHeader* edge = TVertex::EdgeAt(mobius, i);
    (TMoleculeEdge::BoundaryReference(edge) == nullptr ? toT : toR) = edge;
  }
  ASSERT_NE(toT, nullptr);
  ASSERT_NE(toR, nullptr);
  // T's side: the atom replaced the piece, with a unimodular change of basis.
  const TIntQuad m = TMoleculeEdge::GluingQuad(toT);
  EXPECT_EQ(std::llabs(static_cast<long long>(m.a) * m.d - static_cast<long long>(m.b) * m.c), 1);
  // R's side: seen from the rest of the spine, as for a triple atom's third torus.
  EXPECT_EQ(TMoleculeEdge::GluingQuad(toR), (TIntQuad{-1, 0, 0, 1}));
  EXPECT_EQ(TEdge::End(toR, 1).Object(), mobius);
  const TComplex* r = TMoleculeEdge::BoundaryReference(toR);
  ASSERT_TRUE(spine.HasBoundarySurface(r));
  EXPECT_EQ(spine.BoundarySurfaceClass(r), 2);
  int tori = 0;
  for (int i = 0; i < spine.BoundaryCount(); ++i) tori += spine.BoundarySurfaceClass(spine.BoundaryAt(i)) == 2;
  EXPECT_EQ(tori, toriBefore);
  // R carries (section, fibre): closed curves (the checker) that form a basis.
  EXPECT_FALSE(r->AllEdgeLabelsZero());
  int g[4] = {0, 0, 0, 0};
  TComplex copy;
  r->CopyTo(copy);
  copy.ResetEdgeLabels(2);
  copy.ResetEdgeLabels(3);
  copy.CopyEdgeLabel(2, 0);
  copy.CopyEdgeLabel(3, 1);
  EXPECT_EQ(SpineBoundaryGluingMatrix(copy, g), 1);
}

}  // namespace
