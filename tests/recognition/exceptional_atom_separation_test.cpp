#include "recognition/exceptional_atom_separation.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/vertex.h"
#include "molecule_fixture.h"
#include "recognition/fibres.h"
#include "support/model_heap.h"

namespace {

struct TEdgeView {
  const TObjectHeader* end1;
  const TObjectHeader* end2;
  TIntQuad gluing;
  int slot1, slot2;
  friend bool operator==(const TEdgeView&, const TEdgeView&) = default;
};

// Each edge end of the atom in its order, seen as the edge's data.
std::vector<TEdgeView> EndsAt(const TObjectHeader* atom) {
  std::vector<TEdgeView> out;
  for (int i = 0; i < TVertex::Valency(atom); ++i) {
    THandle e = TVertex::EdgeAt(atom, i);
    out.push_back({TEdge::End(e, 1).Object(), TEdge::End(e, 2).Object(), TMoleculeEdge::GluingQuad(e),
                   TMoleculeEdge::EndSlot(e, 1), TMoleculeEdge::EndSlot(e, 2)});
  }
  return out;
}

}  // namespace

TEST(ExceptionalAtomSeparation, JoinUndoesSeparate) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle x(table.NewAtom(kExceptionalAtom));
  THandle y(table.NewAtom(kExceptionalAtom));
  THandle t = SolidTorusAtom(table, 1, 0);
  THandle between = Glue(table, x, y, 2, 1, 1, 1);
  THandle loop = Glue(table, y, y, 0, 1, -1, 3);
  THandle filling = Glue(table, t, x, 1, 0, 0, 1);
  TMoleculeEdge::SetEndSlot(between, 1, 0);
  TMoleculeEdge::SetEndSlot(between, 2, 1);
  TMoleculeEdge::SetEndSlot(loop, 1, 0);
  TMoleculeEdge::SetEndSlot(loop, 2, 2);
  TMoleculeEdge::SetEndSlot(filling, 2, 1);
  const auto beforeX = EndsAt(x);
  const auto beforeY = EndsAt(y);

  ASSERT_EQ(SeparateExceptionalAtoms(table), 1);
  // One piece on the edge between the atoms, one on the loop.
  EXPECT_EQ(table.CountAtomsOfType(kSeifertAtom), 2);
  for (const THandle& atom : {x, y})
    for (int i = 0; i < TVertex::Valency(atom); ++i) {
      THandle far;
      int side = 0;
      FarEndOfEdge(TVertex::EdgeAt(atom, i), atom, far, side);
      EXPECT_NE(TMoleculeVertex::AtomType(far), kExceptionalAtom);
    }
  EXPECT_EQ(SeparateExceptionalAtoms(table), 0);

  ASSERT_EQ(JoinExceptionalAtoms(table), 1);
  EXPECT_EQ(table.CountAtomsOfType(kSeifertAtom), 0);
  EXPECT_EQ(table.CountOfKind(kMoleculeEdgeKind), 3);
  EXPECT_EQ(EndsAt(x), beforeX);
  EXPECT_EQ(EndsAt(y), beforeY);
}

TEST(ExceptionalAtomSeparation, NothingForALoneAtomWithOneTorus) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle x(table.NewAtom(kExceptionalAtom));
  THandle open(table.NewAtom(kVirtualAtom));
  Glue(table, open, x, 1, 0, 0, 1, kVirtualMoleculeEdge);
  EXPECT_EQ(SeparateExceptionalAtoms(table), 0);
  EXPECT_EQ(JoinExceptionalAtoms(table), 0);
}
