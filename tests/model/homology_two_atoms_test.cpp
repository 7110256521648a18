#include "model/homology_two_atoms.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "foundation/checked_int64.h"
#include "model/homology.h"
#include "model/object_table.h"
#include "support/model_heap.h"

namespace {

using TFibres = std::vector<std::pair<int, int>>;

// A molecule of two atoms over the disk joined by one edge with the gluing.
// A solid torus (one fibre, stored in its pair words) or a Seifert atom with
// the fibres given.
struct TTwoAtoms {
  TTwoAtoms(int typeA, const TFibres& a, int typeB, const TFibres& b, const TIntQuad& gluing) {
    atomA.AssignObject(MakeAtom(typeA, a));
    atomB.AssignObject(MakeAtom(typeB, b));
    edge.AssignObject(table.NewMoleculeEdge(kTrueMoleculeEdge));
    TEdge::SetEndVertex(edge, atomA, 1);
    TEdge::SetEndVertex(edge, atomB, 2);
    TMoleculeEdge::SetGluing(edge, gluing, 1);
  }
  ~TTwoAtoms() { table.Clear(); }
  TObjectHeader* MakeAtom(int type, const TFibres& fibres) {
    TObjectHeader* atom = table.NewAtom(type);
    TMoleculeVertex::ResetByType(atom, kBaseDisk);
    for (auto [p, q] : fibres) TMoleculeVertex::AddPair(atom, p, q);
    return atom;
  }
  TObjectTable table;
  THandle atomA;
  THandle atomB;
  THandle edge;
};

std::vector<std::int32_t> TwoAtomHomology(const TTwoAtoms& molecule, int* result = nullptr) {
  THomologyList list;
  int r = ComputeForTwoAtoms(list, kCompoundGraphManifoldType, &molecule.table);
  if (result != nullptr) *result = r;
  return list.Elements();
}

}  // namespace

// Two solid tori glued by (a, b; c, d) make the lens space whose group is
// Z_|c| (S^2 x S^1 for c = 0, S^3 for |c| = 1).
TEST(HomologyOfTwoAtoms, TwoSolidToriGiveTheLensSpaceGroup) {
  struct TCase {
    TIntQuad gluing;
    std::vector<std::int32_t> expected;
  };
  const TCase cases[] = {
      {{1, 0, 0, 1}, {0}},     {{0, 1, 1, 0}, {1}},    {{2, 1, 5, 3}, {5}},
      {{3, 2, 7, 5}, {7}},     {{1, 1, -4, -3}, {4}},  {{-1, 0, 2, -1}, {2}},
      {{5, 12, 2, 5}, {2}},    {{-7, 1, -50, 7}, {50}},
  };
  for (const TCase& c : cases) {
    for (int torusType : {kSolidTorusAtom, kSeifertAtom}) {
      TScopedModelHeap heap;
      TFibres meridian = {{1, 0}};
      TTwoAtoms molecule(torusType, meridian, torusType, meridian, c.gluing);
      int result = 0;
      EXPECT_EQ(TwoAtomHomology(molecule, &result), c.expected)
          << c.gluing.a << " " << c.gluing.b << " " << c.gluing.c << " " << c.gluing.d;
      EXPECT_EQ(result, 1);
    }
  }
}

// One exceptional fibre (p_i, q_i) on each side glued by (-1, 0; 0, 1): a
// Seifert manifold over the sphere with two exceptional fibres, a lens space
// of order |p1 q2 + p2 q1|.
TEST(HomologyOfTwoAtoms, OneFibreOnEachSideGivesTheOrderOfTheLensSpace) {
  const TFibres pairs = {{2, 1}, {3, 1}, {3, 2}, {5, 2}, {5, -3}, {7, 4}, {2, -1}, {4, 3}};
  for (auto [p1, q1] : pairs) {
    for (auto [p2, q2] : pairs) {
      TScopedModelHeap heap;
      TTwoAtoms molecule(kSeifertAtom, {{p1, q1}}, kSeifertAtom, {{p2, q2}}, TIntQuad{-1, 0, 0, 1});
      std::vector<std::int32_t> h = TwoAtomHomology(molecule);
      auto expected = static_cast<std::int32_t>(std::labs(static_cast<long>(p1) * q2 + static_cast<long>(p2) * q1));
      // A lens space: the group is cyclic (Z for order 0, trivial for 1).
      EXPECT_EQ(h, (std::vector<std::int32_t>{expected})) << p1 << "," << q1 << " " << p2 << "," << q2;
    }
  }
  TScopedModelHeap heap;
  TTwoAtoms molecule(kSeifertAtom, {{2, 1}}, kSeifertAtom, {{2, 1}}, TIntQuad{-1, 0, 0, 1});
  EXPECT_EQ(TwoAtomHomology(molecule), (std::vector<std::int32_t>{4}));
}

// Three exceptional fibres over the sphere: the prism manifold with fibres
// (2,1), (2,1), (2,-1) has H_1 = Z_2 + Z_2; with (2,1), (2,1), (3,1) the group
// is cyclic of order 12 (1/2 + 1/2 + 1/3) = 16; (2,-1), (3,1), (5,1) is the
// Poincare homology sphere.
TEST(HomologyOfTwoAtoms, SeveralFibresOnOneSide) {
  struct TCase {
    TFibres a;
    TFibres b;
    std::vector<std::int32_t> expected;
  };
  const TCase cases[] = {
      {{{2, 1}, {2, 1}}, {{2, -1}}, {2, 2}},
      {{{2, 1}, {2, 1}}, {{3, 1}}, {16}},
      {{{2, -1}}, {{3, 1}, {5, 1}}, {1}},  // the Poincare homology sphere
      {{}, {}, {0}},                      // two disks x S^1: S^2 x S^1
  };
  for (const TCase& c : cases) {
    TScopedModelHeap heap;
    TTwoAtoms molecule(kSeifertAtom, c.a, kSeifertAtom, c.b, TIntQuad{-1, 0, 0, 1});
    EXPECT_EQ(TwoAtomHomology(molecule), c.expected) << c.a.size() << " " << c.b.size();
  }
}

TEST(HomologyOfTwoAtoms, OtherMoleculesAreLeftAlone) {
  TScopedModelHeap heap;
  TTwoAtoms molecule(kSeifertAtom, {{2, 1}}, kSeifertAtom, {{3, 1}}, TIntQuad{-1, 0, 0, 1});
  THomologyList list;
  list.AppendElement(7);
  EXPECT_EQ(ComputeForTwoAtoms(list, 3, &molecule.table), 0);
  EXPECT_EQ(ComputeForTwoAtoms(list, kCompoundGraphManifoldType, nullptr), 0);
  TMoleculeVertex::ResetByType(molecule.atomB, kBaseAnnulus);
  EXPECT_EQ(ComputeForTwoAtoms(list, kCompoundGraphManifoldType, &molecule.table), 0);
  TMoleculeVertex::ResetByType(molecule.atomB, kBaseDisk);
  THandle third(molecule.table.NewAtom(kVirtualAtom));
  EXPECT_EQ(ComputeForTwoAtoms(list, kCompoundGraphManifoldType, &molecule.table), 0);
  molecule.table.RemoveMoleculeObject(third);
  // A loop at one atom is no gluing of two atoms.
  TEdge::SetEndVertex(molecule.edge, molecule.atomA, 2);
  EXPECT_EQ(ComputeForTwoAtoms(list, kCompoundGraphManifoldType, &molecule.table), 0);
  EXPECT_EQ(list.Elements(), (std::vector<std::int32_t>{7}));
}

TEST(HomologyOfTwoAtoms, OverflowIsReportedAndAppendsNothing) {
  TScopedModelHeap heap;
  TTwoAtoms molecule(kSeifertAtom, {{2147483, 1}, {2147481, 1}}, kSeifertAtom, {{2147479, 1}},
                     TIntQuad{-1, 0, 0, 1});
  THomologyList list;
  EXPECT_THROW(ComputeForTwoAtoms(list, kCompoundGraphManifoldType, &molecule.table), Out_of_Range);
  EXPECT_EQ(list.Count(), 0);
}
