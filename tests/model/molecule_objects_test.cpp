#include <gtest/gtest.h>

#include <string>

#include "foundation/checked_int64.h"
#include "model/complex.h"
#include "model/molecule_edge.h"
#include "model/molecule_names.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "support/model_heap.h"

namespace {

TIntQuad Quad(int a, int b, int c, int d) { return TIntQuad{a, b, c, d}; }

}  // namespace

TEST(MoleculeVertex, BaseSurfaceCodesRoundTripAndThePairOfPantsIsNeverSet) {
  struct TCase {
    int code, orientable, euler, circles;
  };
  const TCase cases[] = {{1, 1, 2, 0}, {2, 1, 1, 1},  {3, 1, 0, 0},  {4, 1, 0, 2}, {6, 0, 1, 0},
                         {7, 0, 0, 0}, {8, 0, 0, 1},  {9, 0, -1, 2}};
  TScopedModelHeap heap;
  TObjectTable table;
  THandle v(table.NewAtom(kSeifertAtom));
  // A new atom's base words are (orientable, characteristic 0, no circles),
  // which read as the torus; only a solid torus starts with a base of its own.
  EXPECT_EQ(TMoleculeVertex::FlagB(v), 1);
  EXPECT_EQ(TMoleculeVertex::FlagA(v), 0);
  EXPECT_EQ(TMoleculeVertex::FlagC(v), 0);
  for (const TCase& c : cases) {
    TMoleculeVertex::ResetByType(v, c.code);
    EXPECT_EQ(TMoleculeVertex::FlagB(v), c.orientable) << c.code;
    EXPECT_EQ(TMoleculeVertex::FlagA(v), c.euler) << c.code;
    EXPECT_EQ(TMoleculeVertex::FlagC(v), c.circles) << c.code;
    EXPECT_EQ(TMoleculeVertex::Classify(v), c.code);
  }
  TMoleculeVertex::ResetByType(v, kBaseAnnulus);
  for (int refused : {0, 5, 10, -1}) {
    TMoleculeVertex::ResetByType(v, refused);
    EXPECT_EQ(TMoleculeVertex::Classify(v), kBaseAnnulus) << refused;
  }
  // The pair of pants is still recognised from its words.
  TMoleculeVertex::SetFlagA(v, -1);
  TMoleculeVertex::SetFlagC(v, 3);
  EXPECT_EQ(TMoleculeVertex::Classify(v), kBasePairOfPants);
  TMoleculeVertex::SetFlagC(v, 4);
  EXPECT_EQ(TMoleculeVertex::Classify(v), kBaseNone);
}

TEST(MoleculeVertex, ASolidTorusKeepsItsOneFibreNegatedInItsPairWords) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle torus(table.NewAtom(kSolidTorusAtom));
  EXPECT_EQ(TMoleculeVertex::Classify(torus), kBaseDisk);
  TMoleculeVertex::AddPair(torus, 3, 2);
  EXPECT_EQ(TMoleculeVertex::PairValue(torus, 0), -3);
  EXPECT_EQ(TMoleculeVertex::PairValue(torus, 1), 2);
  int a = 0;
  int b = 0;
  ASSERT_EQ(TMoleculeVertex::PairAt(torus, 0, a, b), 1);
  EXPECT_EQ(a, 3);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(TMoleculeVertex::PairCount(torus), 1);
  // Any index names the one fibre of a solid torus.
  EXPECT_EQ(TMoleculeVertex::SetPairAt(torus, 5, 7, 1), 1);
  EXPECT_EQ(TMoleculeVertex::PairComponent(torus, 0, 0), 7);
  EXPECT_EQ(TMoleculeVertex::PairComponent(torus, 0, 1), 1);
  // A fibre whose negation does not fit is refused, the pair kept.
  EXPECT_THROW(TMoleculeVertex::AddPair(torus, INT32_MIN, 1), Out_of_Range);
  EXPECT_EQ(TMoleculeVertex::PairComponent(torus, 0, 0), 7);
}

TEST(MoleculeVertex, SeifertAtomsKeepTheirFibresInTwoParallelLists) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle atom(table.NewAtom(kSeifertAtom));
  TMoleculeVertex::AddPair(atom, 2, 1);
  TMoleculeVertex::AddPair(atom, 1, 4);
  TMoleculeVertex::AddPair(atom, 3, -1);
  TMoleculeVertex::AddPair(atom, 1, 5);
  EXPECT_EQ(TMoleculeVertex::PairCount(atom), 4);
  int found = 0;
  ASSERT_EQ(TMoleculeVertex::FindPair(atom, found), 1);
  EXPECT_EQ(found, 5);  // the last entry whose first component is 1
  EXPECT_EQ(TMoleculeVertex::RemovePairAt(atom, 3), 1);
  ASSERT_EQ(TMoleculeVertex::FindPair(atom, found), 1);
  EXPECT_EQ(found, 4);
  EXPECT_EQ(TMoleculeVertex::SetPairAt(atom, 1, 5, 2), 1);
  EXPECT_EQ(TMoleculeVertex::FindPair(atom, found), 0);
  EXPECT_EQ(TMoleculeVertex::SetPairAt(atom, 3, 1, 1), 0);
  EXPECT_EQ(TMoleculeVertex::RemovePairAt(atom, 3), 0);
  int a = 99;
  int b = 99;
  EXPECT_EQ(TMoleculeVertex::PairAt(atom, 3, a, b), 0);
  EXPECT_EQ(a, 99);
  ASSERT_EQ(TMoleculeVertex::PairAt(atom, 2, a, b), 1);
  EXPECT_EQ(a, 3);
  EXPECT_EQ(b, -1);
}

TEST(MoleculeVertex, NullAndForeignObjectsAreRefusedQuietly) {
  TScopedModelHeap heap;
  TObjectManager objects;
  THandle plain(objects.CreateObject(kVertexKind));
  for (TObjectHeader* object : {static_cast<TObjectHeader*>(nullptr), plain.Object()}) {
    TMoleculeVertex::SetAtomType(object, 3);
    EXPECT_EQ(TMoleculeVertex::AtomType(object), 0);
    TMoleculeVertex::AddPair(object, 1, 1);
    EXPECT_EQ(TMoleculeVertex::PairCount(object), 0);
    EXPECT_EQ(TMoleculeVertex::Classify(object), kBaseNone);
    EXPECT_FALSE(TMoleculeVertex::LinkedObject(object).IsValid());
    EXPECT_EQ(TMoleculeEdge::EndSlot(object, 1), -1);
    EXPECT_EQ(TMoleculeEdge::GluingQuad(object), TIntQuad{});
    char buffer[8] = "x";
    EXPECT_EQ(TMoleculeVertex::Label(object, buffer, sizeof buffer), nullptr);
    EXPECT_STREQ(buffer, "x");
  }
}

TEST(MoleculeVertex, TheTripleClearsTheMarkWord) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle atom(table.NewAtom(kExceptionalAtom));
  TMoleculeVertex::SetMarkWord(atom, 1234);
  TAtomTriple triple;
  EXPECT_EQ(TMoleculeVertex::Triple(atom, triple), 0);
  TMoleculeVertex::SetTriple(atom, TAtomTriple{3, 7, -2});
  EXPECT_EQ(TMoleculeVertex::MarkWord(atom), 0);
  EXPECT_EQ(TMoleculeVertex::HasTriple(atom), 1);
  EXPECT_EQ(TMoleculeVertex::Triple(atom, triple), 1);
  EXPECT_EQ(triple, (TAtomTriple{3, 7, -2}));
  TMoleculeVertex::SetTriple(atom, TAtomTriple{0, 7, 1});
  EXPECT_EQ(TMoleculeVertex::HasTriple(atom), 0);
}

TEST(MoleculeVertex, LabelsFallBackToTheAtomNameOfTheSecondaryNumber) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle named(table.NewAtom(kMobiusAtom));
  char buffer[64];
  EXPECT_STREQ(TMoleculeVertex::Label(named, buffer, sizeof buffer), "Mobius vertex 1");
  THandle unnamed;
  {
    TSuppressObjectNamesScope quiet(1);
    unnamed.AssignObject(table.NewAtom(kVirtualAtom));
  }
  // Without a secondary number the primary one is shown.
  EXPECT_STREQ(TMoleculeVertex::Label(unnamed, buffer, sizeof buffer), "Virtual vertex 1");
  unnamed.SetNumberSlot(1, 4);
  EXPECT_STREQ(TMoleculeVertex::Label(unnamed, buffer, sizeof buffer), "Virtual vertex 4");
  EXPECT_STREQ(TMoleculeVertex::Label(unnamed, buffer, 8), "Virtual");
  EXPECT_EQ(std::string(AtomName(kExternalAtom, 2).CStr()), "External vertex 2");
  EXPECT_EQ(std::string(AtomName(9, 2).CStr()), "");
  EXPECT_STREQ(AtomTypeName(kSeifertAtom), "Seifert atom");
  EXPECT_STREQ(MoleculeEdgeTypeName(kVirtualMoleculeEdge), "Virtual edge");
  EXPECT_EQ(std::string(MoleculeEdgeName(kVirtualMoleculeEdge, 3).CStr()), "Virtual edge3");
  EXPECT_EQ(std::string(MoleculeEdgeName(kTrueMoleculeEdge, 3).CStr()), "Edge 3");
}

TEST(MoleculeEdge, GluingsAreStoredInvertedAndTransformedExactly) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle edge(table.NewMoleculeEdge(kTrueMoleculeEdge));
  EXPECT_EQ(TMoleculeEdge::EndSlot(edge, 1), -1);
  EXPECT_EQ(TMoleculeEdge::EndSlot(edge, 2), -1);

  TMoleculeEdge::SetGluing(edge, Quad(2, 1, 1, 1), 2);
  EXPECT_EQ(TMoleculeEdge::GluingQuad(edge), Quad(1, -1, -1, 2));
  TMoleculeEdge::SetGluing(edge, Quad(2, 1, 1, 1), 1);
  EXPECT_EQ(TMoleculeEdge::GluingQuad(edge), Quad(2, 1, 1, 1));

  TMoleculeEdge::TransformGluing(edge, Quad(1, 0, 0, 1), 1);
  EXPECT_EQ(TMoleculeEdge::GluingQuad(edge), Quad(2, 1, 1, 1));
  TMoleculeEdge::TransformGluing(edge, Quad(1, 1, 0, 1), 1);  // M G
  EXPECT_EQ(TMoleculeEdge::GluingQuad(edge), Quad(3, 2, 1, 1));
  TMoleculeEdge::TransformGluing(edge, Quad(1, 1, 0, 1), 2);  // G M^-1
  EXPECT_EQ(TMoleculeEdge::GluingQuad(edge), Quad(3, -1, 1, 0));

  TIntMatrix matrix(3, 3);
  TMoleculeEdge::GluingMatrix(edge, matrix);
  EXPECT_TRUE(matrix.EqualsQuad(Quad(3, -1, 1, 0)));
  EXPECT_EQ(TMoleculeEdge::SetGluingFromMatrix(edge, TIntMatrix(2, 3), 1), 0);
  matrix.SetQuad(0, 1, -1, 0);
  EXPECT_EQ(TMoleculeEdge::SetGluingFromMatrix(edge, matrix, 2), 1);
  EXPECT_EQ(TMoleculeEdge::GluingQuad(edge), Quad(0, -1, 1, 0));

  // An overflowing product leaves the gluing as it was.
  TMoleculeEdge::SetGluingValues(edge, 1 << 20, 0, 0, 1);
  EXPECT_THROW(TMoleculeEdge::TransformGluing(edge, Quad(1 << 12, 0, 0, 1), 1), Out_of_Range);
  EXPECT_EQ(TMoleculeEdge::GluingQuad(edge), Quad(1 << 20, 0, 0, 1));
}

TEST(MoleculeEdge, TheBoundaryReferenceIsCarriedOnThroughLinkedAtomsAndStops) {
  TScopedModelHeap heap;
  TObjectTable table;
  // Three edges joined end to end through two linked pairs, and the last
  // pair linked back to the first edge: the walk must stop.
  THandle e[3];
  THandle v[6];
  for (int k = 0; k < 3; ++k) {
    e[k].AssignObject(table.NewMoleculeEdge(kTrueMoleculeEdge));
    v[2 * k].AssignObject(table.NewAtom(kSeifertAtom));
    v[2 * k + 1].AssignObject(table.NewAtom(kExternalAtom));
    TEdge::SetEndVertex(e[k], v[2 * k], 1);
    TEdge::SetEndVertex(e[k], v[2 * k + 1], 2);
  }
  // e0's end 1 has no link; its end 2 leads on to e1, e1's end 1 to e2, e2's
  // end 1 back to e0.
  TMoleculeVertex::SetLinkedObject(v[1], v[2]);
  TMoleculeVertex::SetLinkedObject(v[2], v[4]);
  TMoleculeVertex::SetLinkedObject(v[4], v[0]);
  TComplex torus;
  TComplex* surface = &torus;
  TMoleculeEdge::SetBoundaryReference(e[0], surface);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(TMoleculeEdge::BoundaryReference(e[k]), surface) << k;
  EXPECT_EQ(table.FirstEdgeOf(surface), e[0].Object());
  TMoleculeEdge::SetBoundaryReference(e[1], nullptr);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(TMoleculeEdge::BoundaryReference(e[k]), nullptr) << k;
  table.Clear();
}

TEST(MoleculeEdge, ReplacingTheExceptionalEnd) {
  struct TCase {
    const char* name;
    int end1Type;
    int end2Type;
    int expectedEnd;  // the end that receives the new atom, 0 none
  };
  const TCase cases[] = {
      {"exceptional end 2", kVirtualAtom, kExceptionalAtom, 2},
      {"exceptional end 1", kExceptionalAtom, kVirtualAtom, 1},
      {"both exceptional: end 2 first", kExceptionalAtom, kExceptionalAtom, 2},
      {"no exceptional end", kVirtualAtom, kSolidTorusAtom, 0},
  };
  for (const TCase& c : cases) {
    TScopedModelHeap heap;
    TObjectTable table;
    THandle edge(table.NewMoleculeEdge(kTrueMoleculeEdge));
    THandle end1(table.NewAtom(c.end1Type));
    THandle end2(table.NewAtom(c.end2Type));
    TEdge::SetEndVertex(edge, end1, 1);
    TEdge::SetEndVertex(edge, end2, 2);
    THandle atom(table.NewAtom(kMobiusAtom));
    EXPECT_EQ(TMoleculeEdge::ReplaceExceptionalEnd(edge, &table, atom), c.expectedEnd) << c.name;
    if (c.expectedEnd != 0) {
      EXPECT_EQ(TEdge::End(edge, c.expectedEnd).Object(), atom.Object()) << c.name;
      // An exceptional atom stays in the table even without edges.
      EXPECT_TRUE(table.Contains(c.expectedEnd == 1 ? end1 : end2)) << c.name;
    }
    table.Clear();
  }
}

TEST(MoleculeEdge, ReplacingAnEndAcrossAnExternalGluingRemovesTheExternalAtom) {
  TScopedModelHeap heap;
  TObjectTable here;
  TObjectTable there;
  THandle edge(here.NewMoleculeEdge(kTrueMoleculeEdge));
  THandle atom(here.NewAtom(kSeifertAtom));
  THandle external(here.NewAtom(kExternalAtom));
  TEdge::SetEndVertex(edge, atom, 1);
  TEdge::SetEndVertex(edge, external, 2);
  THandle boundaryEdge(there.NewMoleculeEdge(kTrueMoleculeEdge));
  THandle boundaryAtom(there.NewAtom(kVirtualAtom));
  THandle piece(there.NewAtom(kExceptionalAtom));
  TEdge::SetEndVertex(boundaryEdge, boundaryAtom, 1);
  TEdge::SetEndVertex(boundaryEdge, piece, 2);
  TMoleculeVertex::SetLinkedObject(external, boundaryAtom);
  TMoleculeVertex::SetLinkedObject(boundaryAtom, external);

  THandle triple(here.NewAtom(kTripleAtom));
  EXPECT_EQ(TMoleculeEdge::ReplaceExceptionalEnd(edge, &here, triple), 2);
  EXPECT_EQ(TEdge::End(edge, 2).Object(), triple.Object());
  EXPECT_FALSE(here.Contains(external));
  EXPECT_EQ(TMoleculeVertex::AtomType(external), 0);  // released
  EXPECT_FALSE(TMoleculeVertex::LinkedObject(external).IsValid());
  here.Clear();
  there.Clear();
}

TEST(MoleculeObjects, ReleasingATableFreesEveryBlockDespiteLinkCycles) {
  TScopedModelHeap heap;
  long created = ObjectsCreated(kMoleculeVertexKind);
  long destroyed = ObjectsDestroyed(kMoleculeVertexKind);
  {
    auto* first = new TObjectTable();
    auto* second = new TObjectTable();
    THandle a(first->NewAtom(kExternalAtom));
    THandle b(second->NewAtom(kVirtualAtom));
    THandle edge(second->NewMoleculeEdge(kVirtualMoleculeEdge));
    TEdge::SetEndVertex(edge, b, 1);
    TEdge::SetEndVertex(edge, b, 2);
    TMoleculeVertex::SetLinkedObject(a, b);
    TMoleculeVertex::SetLinkedObject(b, a);
    TMoleculeVertex::AddPair(a, 1, 2);
    delete first;
    delete second;
  }
  EXPECT_EQ(ObjectsCreated(kMoleculeVertexKind) - created, 2);
  EXPECT_EQ(ObjectsDestroyed(kMoleculeVertexKind) - destroyed, 2);
  EXPECT_EQ(heap.LiveBlocks(), 0u);
}
