#include "recognition/compound_code.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "molecule_fixture.h"
#include "recognition/piece_recognition.h"
#include "support/model_heap.h"

namespace {

using TBuilder = std::function<void(TObjectTable&)>;

// The compound code of the molecule a builder makes.
TPieceCode CodeOf(const TBuilder& build, int type = kCompoundCode, int* answer = nullptr) {
  auto table = std::make_unique<TObjectTable>();
  build(*table);
  TManifoldDescription d;
  d.SetMolecule(table.release());
  const int a = BuildCompoundCode(d, type);
  if (answer != nullptr) *answer = a;
  return d.GetPieceCode();
}

// Two Seifert pieces over the disc glued along their boundaries with a
// gluing that does not match fibres: a graph manifold with one JSJ torus.
void Pair(TObjectTable& t, bool swapOrder, bool reverseEdge, bool mirror) {
  const int s = mirror ? -1 : 1;
  auto first = [&] { return SeifertAtom(t, kBaseDisk, {{2, s * 1}, {3, s * 1}}); };
  auto second = [&] { return SeifertAtom(t, kBaseDisk, {{2, s * 1}, {5, s * 2}}); };
  THandle a, b;
  if (swapOrder) {
    b = second();
    a = first();
  } else {
    a = first();
    b = second();
  }
  // (1 2; 1 1) read from a; its inverse (-1 2; 1 -1) read from b. The mirror
  // image negates the off-diagonal entries.
  if (!reverseEdge)
    Glue(t, a, b, 1, s * 2, s * 1, 1);
  else
    Glue(t, b, a, -1, s * 2, s * 1, -1);
}

}  // namespace

TEST(CompoundCode, PresentationsOfOneManifoldGetOneCode) {
  TScopedModelHeap heap;
  const TPieceCode reference = CodeOf([](TObjectTable& t) { Pair(t, false, false, false); });
  ASSERT_EQ(reference.Type(), kCompoundCode);
  struct TCase {
    bool swapOrder, reverseEdge, mirror;
  };
  const TCase cases[] = {{true, false, false}, {false, true, false}, {true, true, false},
                         {false, false, true}, {true, true, true}};
  for (const TCase& c : cases) {
    const TPieceCode code = CodeOf([&](TObjectTable& t) { Pair(t, c.swapOrder, c.reverseEdge, c.mirror); });
    EXPECT_EQ(ComparePieceCodes(code, reference), kCodeEqual)
        << c.swapOrder << c.reverseEdge << c.mirror;
  }
}

TEST(CompoundCode, TwistMovedIntoTheObstructionGivesTheSameCode) {
  TScopedModelHeap heap;
  const TPieceCode reference = CodeOf([](TObjectTable& t) { Pair(t, false, false, false); });
  // A shear of the gluing at a, (1 2; 1 1) (1 0; 1 1) = (3 2; 2 1), with the
  // obstruction of a raised by one (adding the fibre (1, b) at end 1 is the
  // shear by -b): the same manifold.
  const TPieceCode sheared = CodeOf([](TObjectTable& t) {
    THandle a = SeifertAtom(t, kBaseDisk, {{2, 1}, {3, 1}, {1, 1}});
    THandle b = SeifertAtom(t, kBaseDisk, {{2, 1}, {5, 2}});
    Glue(t, a, b, 3, 2, 2, 1);
  });
  EXPECT_EQ(ComparePieceCodes(sheared, reference), kCodeEqual);
}

TEST(CompoundCode, DifferentManifoldsGetDifferentCodes) {
  TScopedModelHeap heap;
  const TPieceCode reference = CodeOf([](TObjectTable& t) { Pair(t, false, false, false); });
  const TBuilder others[] = {
      [](TObjectTable& t) {  // another fibre
        THandle a = SeifertAtom(t, kBaseDisk, {{2, 1}, {3, 1}});
        THandle b = SeifertAtom(t, kBaseDisk, {{2, 1}, {7, 2}});
        Glue(t, a, b, 1, 2, 1, 1);
      },
      [](TObjectTable& t) {  // another gluing
        THandle a = SeifertAtom(t, kBaseDisk, {{2, 1}, {3, 1}});
        THandle b = SeifertAtom(t, kBaseDisk, {{2, 1}, {5, 2}});
        Glue(t, a, b, 1, 3, 0, 1);
      },
      [](TObjectTable& t) {  // the shear with the wrong obstruction
        THandle a = SeifertAtom(t, kBaseDisk, {{2, 1}, {3, 1}, {1, -1}});
        THandle b = SeifertAtom(t, kBaseDisk, {{2, 1}, {5, 2}});
        Glue(t, a, b, 3, 2, 2, 1);
      },
  };
  for (const TBuilder& build : others) EXPECT_NE(ComparePieceCodes(CodeOf(build), reference), kCodeEqual);
}

TEST(CompoundCode, VirtualAtomAndSolidTorusAreTheSolidTorus) {
  TScopedModelHeap heap;
  auto table = std::make_unique<TObjectTable>();
  THandle open(table->NewAtom(kVirtualAtom));
  THandle t = SolidTorusAtom(*table, 1, 0);
  Glue(*table, open, t, 1, 0, 0, 1, kVirtualMoleculeEdge);
  TManifoldDescription d;
  d.SetMolecule(table.release());
  ASSERT_EQ(BuildCompoundCode(d, 11), 1);
  EXPECT_EQ(d.GetMolecule()->CountOfKind(kMoleculeVertexKind), 0);
  TOutput out;
  d.PrintPieceName(out);
  EXPECT_STREQ(out.Text(), "Solid torus");
}

TEST(CompoundCode, VirtualEdgeForgetsItsGluing) {
  TScopedModelHeap heap;
  struct TCase {
    int a, e, expected;
  };
  const TCase cases[] = {{1, 5, 0}, {3, -1, 2}, {3, 7, 1}, {0, 4, 1}};
  for (const TCase& c : cases) {
    TObjectTable table;
    THandle open(table.NewAtom(kVirtualAtom));
    THandle v = SeifertAtom(table, kBaseAnnulus, {{2, 1}});
    TMoleculeVertex::AddPair(v, c.a, c.e);
    THandle e = Glue(table, open, v, 2, 1, 1, 1, kVirtualMoleculeEdge);
    NormalizeEdgeGluing(e, false);
    EXPECT_EQ(TMoleculeEdge::GluingQuad(e), (TIntQuad{0, 0, 0, 0}));
    EXPECT_EQ(TMoleculeVertex::PairComponent(v, 1, 1), c.expected) << c.a << " " << c.e;
  }
}

TEST(CompoundCode, TrueEdgeIsShearedIntoRange) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle a = SeifertAtom(table, kBaseDisk, {{2, 1}, {1, 0}});
  THandle b = SeifertAtom(table, kBaseDisk, {{3, 1}, {1, 0}});
  THandle e = Glue(table, a, b, 7, 3, 9, 4);
  NormalizeEdgeGluing(e, false);
  const TIntQuad m = TMoleculeEdge::GluingQuad(e);
  EXPECT_GE(m.a, 0);
  EXPECT_LT(m.a, 3);
  EXPECT_GE(m.d, 0);
  EXPECT_LT(m.d, 3);
  EXPECT_EQ(QuadDet(m), 1);
}

TEST(CompoundCode, MoleculeWithoutEdgesIsNotCompound) {
  TScopedModelHeap heap;
  int answer = -1;
  CodeOf([](TObjectTable& t) { SeifertAtom(t, kBaseSphere, {{2, 1}}); }, kCompoundCode, &answer);
  EXPECT_EQ(answer, 0);
}

TEST(CompoundCode, FreeTorusMakesTheObstructionIrrelevant) {
  // The trefoil exterior: (D^2; (2,1), (3,1)) with an open torus. With the
  // boundary free, the obstruction e is no invariant: any e gives one code,
  // while another fibre gives another.
  TScopedModelHeap heap;
  auto exterior = [](int e, int q) {
    return [=](TObjectTable& t) {
      THandle open(t.NewAtom(kVirtualAtom));
      THandle v = SeifertAtom(t, kBaseDisk, {{2, 1}, {q, 1}, {1, e}});
      Glue(t, open, v, 1, 0, 0, 1, kVirtualMoleculeEdge);
    };
  };
  const TPieceCode reference = CodeOf(exterior(0, 3), 11);
  EXPECT_EQ(reference.Type(), 11);
  EXPECT_EQ(ComparePieceCodes(CodeOf(exterior(5, 3), 11), reference), kCodeEqual);
  EXPECT_EQ(ComparePieceCodes(CodeOf(exterior(-2, 3), 11), reference), kCodeEqual);
  EXPECT_NE(ComparePieceCodes(CodeOf(exterior(0, 5), 11), reference), kCodeEqual);
}

namespace {

struct TRandomMolecule {
  struct TAtom {
    int base;
    std::vector<std::pair<int, int>> fibres;
  };
  struct TGlue {
    int u, w;
    TIntQuad m;
  };
  std::vector<TAtom> atoms;
  std::vector<TGlue> glues;

  // Builds it with the atoms created in the given order and the chosen edges
  // read from their other end.
  void Build(TObjectTable& t, const std::vector<int>& order, unsigned reverseMask) const {
    std::vector<THandle> made(atoms.size());
    for (int i : order) {
      made[static_cast<std::size_t>(i)] = SeifertAtom(t, atoms[static_cast<std::size_t>(i)].base, {});
      for (const auto& [a, b] : atoms[static_cast<std::size_t>(i)].fibres)
        TMoleculeVertex::AddPair(made[static_cast<std::size_t>(i)], a, b);
    }
    for (std::size_t k = 0; k < glues.size(); ++k) {
      const TGlue& g = glues[k];
      const THandle& u = made[static_cast<std::size_t>(g.u)];
      const THandle& w = made[static_cast<std::size_t>(g.w)];
      if ((reverseMask >> k) & 1U) {
        TIntQuad inverse;
        QuadInvertUnimodular(inverse, g.m);
        Glue(t, w, u, inverse.a, inverse.b, inverse.c, inverse.d);
      } else {
        Glue(t, u, w, g.m.a, g.m.b, g.m.c, g.m.d);
      }
    }
  }
};

}  // namespace

TEST(CompoundCode, RandomMoleculesKeepTheirCodeUnderRelabelling) {
  TScopedModelHeap heap;
  std::mt19937 random(12345);
  const int primes[] = {2, 3, 5, 7};
  for (int trial = 0; trial < 40; ++trial) {
    // A chain of discs and annuli, glued by (1 k; 1 k+1)-type matrices of
    // determinant -1 and non-matching fibres.
    TRandomMolecule m;
    const int n = 2 + static_cast<int>(random() % 3);
    for (int i = 0; i < n; ++i) {
      TRandomMolecule::TAtom atom;
      atom.base = i == 0 || i == n - 1 ? kBaseDisk : kBaseAnnulus;
      const int a = primes[random() % 4];
      atom.fibres.push_back({a, 1 + static_cast<int>(random() % static_cast<unsigned>(a - 1 > 0 ? a - 1 : 1))});
      atom.fibres.push_back({primes[random() % 4] + 9, 1});
      m.atoms.push_back(atom);
    }
    for (int i = 0; i + 1 < n; ++i) {
      const int k = 1 + static_cast<int>(random() % 3);
      m.glues.push_back({i, i + 1, TIntQuad{k, 1, k + 1, 1}});
    }
    std::vector<int> order(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) order[static_cast<std::size_t>(i)] = i;
    const TPieceCode reference = CodeOf([&](TObjectTable& t) { m.Build(t, order, 0); });
    ASSERT_EQ(reference.Type(), kCompoundCode);
    std::shuffle(order.begin(), order.end(), random);
    const unsigned mask = static_cast<unsigned>(random());
    const TPieceCode other = CodeOf([&](TObjectTable& t) { m.Build(t, order, mask); });
    EXPECT_EQ(ComparePieceCodes(other, reference), kCodeEqual) << "trial " << trial;
  }
}
