// Boundary symmetries applied to a table atom in a molecule.
#include "recognition/table_alternatives.h"

#include <gtest/gtest.h>

#include <vector>

#include "molecule_fixture.h"
#include "recognition/atom_table.h"
#include "support/model_heap.h"

namespace {

// A two-torus record whose symmetry 0 exchanges the tori: torus 0 comes from
// torus 1 by R0 = (1 1; 0 1), torus 1 from torus 0 by R1 = (0 -1; 1 0).
// Symmetry 1 is malformed: both tori come from torus 0.
TTableRecord TwoTorusRecord() {
  TTableRecord record;
  record.index = 1;
  record.torusCount = 2;
  // per torus: from, steps, c, d, a, b
  record.AddBoundarySymmetry(2, {1, 1, 0, 0, 1, 1, 1, 0, 0, 1, 0, 0, -1});
  record.AddBoundarySymmetry(2, {1, 0, 0, 0, 1, 1, 1, 0, 0, 1, 0, 0, -1});
  return record;
}

// The atom is end 2 of a virtual edge of gluing (2 1; 1 1) (torus 0) and
// end 1 of an edge to a solid torus filled along (3, 1) (torus 1).
struct TTwoTorusAtom {
  TTwoTorusAtom() {
    atom = THandle(table.NewAtom(kExceptionalAtom));
    open = Glue(table, THandle(table.NewAtom(kVirtualAtom)), atom, 2, 1, 1, 1, kVirtualMoleculeEdge);
    filling = SolidTorusAtom(table, 3, 1);
    filled = Glue(table, atom, filling, 1, 0, 0, 1);
  }
  TScopedModelHeap heap;
  TObjectTable table;
  THandle atom, open, filling, filled;
};

}  // namespace

TEST(TableAlternatives, ASymmetryPermutesTheToriAndMapsTheirCoordinates) {
  const TTableRecord record = TwoTorusRecord();
  ASSERT_EQ(record.SymmetryCount(), 2);
  TTwoTorusAtom m;
  ASSERT_EQ(ApplyTableAlternative(m.atom, record, 0), 1);
  // Torus 0 is now the filled one: its slope R0 (3, 1) = (4, 1), the gluing
  // the identity.
  EXPECT_EQ(TVertex::EdgeAt(m.atom, 0).Object(), m.filled.Object());
  EXPECT_EQ(TVertex::EdgeAt(m.atom, 1).Object(), m.open.Object());
  int x = 0;
  int y = 0;
  TMoleculeVertex::PairAt(m.filling, 0, x, y);
  EXPECT_EQ(x, 4);
  EXPECT_EQ(y, 1);
  EXPECT_EQ(TMoleculeEdge::GluingQuad(m.filled), (TIntQuad{1, 0, 0, 1}));
  EXPECT_EQ(TMoleculeEdge::EndSlot(m.filled, 1), 0);
  // Torus 1, the free one: R1 (2 1; 1 1) = (-1 -1; 2 1), still read from end 2.
  EXPECT_EQ(TMoleculeEdge::GluingQuad(m.open), (TIntQuad{-1, -1, 2, 1}));
  EXPECT_EQ(TMoleculeEdge::EndSlot(m.open, 2), 1);
  EXPECT_EQ(TEdge::End(m.open, 2).Object(), m.atom.Object());
}

TEST(TableAlternatives, RefusalsLeaveTheMoleculeAsItWas) {
  const TTableRecord record = TwoTorusRecord();
  TTableRecord oneTorusRecord;
  oneTorusRecord.torusCount = 1;
  oneTorusRecord.AddBoundarySymmetry(1, {1, 0, 0, 0, 1, -1, 0});
  const TTableRecord* oneTorus = &oneTorusRecord;
  TTwoTorusAtom m;
  for (auto [r, k] : {std::pair{&record, 1}, std::pair{&record, 2}, std::pair{&record, -1}, std::pair{oneTorus, 0}}) {
    EXPECT_EQ(ApplyTableAlternative(m.atom, *r, k), 0);
    EXPECT_EQ(TVertex::EdgeAt(m.atom, 0).Object(), m.open.Object());
    EXPECT_EQ(TMoleculeEdge::GluingQuad(m.open), (TIntQuad{2, 1, 1, 1}));
    EXPECT_EQ(TMoleculeVertex::PairComponent(m.filling, 0, 0), 3);
  }
  // A table atom whose record has no reversing symmetry: the shipped table
  // has none, so the mirror image cannot be rewritten.
  TObjectTable table;
  THandle atom(table.NewAtom(kExceptionalAtom));
  TMoleculeVertex::SetTriple(atom, TAtomTriple{2, 0, 0});
  EXPECT_EQ(ApplyReversingSymmetries(table), 0);
  TObjectTable plain;
  SeifertAtom(plain, kBaseDisk, {{2, 1}});
  EXPECT_EQ(ApplyReversingSymmetries(plain), 1);
}
