#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/complex.h"
#include "model/molecule_chain.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

namespace {

const TIntQuad kIdentity{1, 0, 0, 1};
const TIntQuad kFlip{-1, 0, 0, 1};

// Boundary surfaces made by hand: a torus (one vertex, two loops, one cell
// a b a^-1 b^-1), with or without a coordinate curve on it, and a sphere.
TComplex* NewTorus(bool withCurves) {
  auto* torus = new TComplex;
  TBuiltComplex built = BuildComplexFromWords(*torus, {{1, 2, -1, -2}});
  if (withCurves) TEdge::SetLabel(built.edges[0], 0, 1);
  return torus;
}

TComplex* NewSphere() {
  auto* sphere = new TComplex;
  BuildPointSphere(*sphere);
  return sphere;
}

// A spine of one cell (only its being non-empty matters here) with the
// surfaces given as its boundary.
void MakeSpine(TSpine& spine, const std::vector<TComplex*>& surfaces) {
  BuildComplexFromWords(spine, {{1, 2, -1, -2}, {1}, {2}});
  for (TComplex* surface : surfaces) spine.AppendBoundary(surface);
}

TObjectHeader* FirstOfType(const TObjectTable& table, int type) {
  for (int i = 0; i < table.Count(); ++i)
    if (TMoleculeVertex::Of(table.At(i)) != nullptr && TMoleculeVertex::AtomType(table.At(i)) == type)
      return table.At(i);
  return nullptr;
}

int CountOfTypeInTables(const TObjectTableList& tables, int type) {
  int count = 0;
  for (const TObjectTable* t : tables) count += t->CountAtomsOfType(type);
  return count;
}

}  // namespace

TEST(MoleculeBuilders, BoundaryAtomsOfAThickenedSpine) {
  TScopedModelHeap heap;
  TSpine spine;
  TComplex* sphere = NewSphere();
  TComplex* filled = NewTorus(true);
  TComplex* open = NewTorus(false);
  MakeSpine(spine, {sphere, filled, open});
  TObjectTable& table = *spine.MoleculeTable();
  table.BuildBoundaryAtoms();

  TObjectHeader* piece = table.NthExceptionalAtom(0);
  ASSERT_NE(piece, nullptr);
  EXPECT_EQ(TMoleculeVertex::MarkWord(piece), reinterpret_cast<std::intptr_t>(&spine));
  EXPECT_EQ(table.OtherBoundaryCount(), 1);
  EXPECT_EQ(table.TorusBoundaryCount(), 2);
  EXPECT_EQ(table.CountOfKind(kMoleculeVertexKind), 3);

  // The torus with a curve: a solid torus with pair words (1, 0).
  TObjectHeader* solid = TEdge::End(table.FirstEdgeOf(filled), 1);
  EXPECT_EQ(TMoleculeVertex::AtomType(solid), kSolidTorusAtom);
  EXPECT_EQ(TMoleculeVertex::PairValue(solid, 0), 1);
  EXPECT_EQ(TMoleculeVertex::PairValue(solid, 1), 0);
  EXPECT_EQ(TMoleculeEdge::EdgeType(table.FirstEdgeOf(filled)), kTrueMoleculeEdge);

  // The open torus, third in the boundary list: a virtual atom numbered after
  // its place, the edge's name keeping its serial number.
  TObjectHeader* edge = table.FirstEdgeOf(open);
  TObjectHeader* virtualAtom = TEdge::End(edge, 1);
  EXPECT_EQ(TMoleculeVertex::AtomType(virtualAtom), kVirtualAtom);
  EXPECT_EQ(ObjectNumber(virtualAtom, 1), 3);
  EXPECT_EQ(ObjectNumber(edge, 0), 3);
  EXPECT_EQ(TMoleculeEdge::EndSlot(edge, 1), 2);
  EXPECT_STREQ(ObjectNameText(edge), "Virtual edge1");
  EXPECT_EQ(TMoleculeEdge::EdgeType(edge), kVirtualMoleculeEdge);
  for (TObjectHeader* e : {edge, table.FirstEdgeOf(filled)}) {
    EXPECT_EQ(TEdge::End(e, 2).Object(), piece);
    EXPECT_EQ(TMoleculeEdge::GluingQuad(e), kIdentity);
  }
  EXPECT_EQ(table.HasVirtualAtom(), 1);
  EXPECT_EQ(table.CycleRank(1), 0);
}

TEST(MoleculeBuilders, AnUnthickenedSpineGetsItsPieceOnlyAndAnEmptyOneNothing) {
  TScopedModelHeap heap;
  TSpine empty;
  empty.MoleculeTable()->BuildBoundaryAtoms();
  EXPECT_EQ(empty.MoleculeTable()->IsEmpty(), 1);
  TSpine bare;
  MakeSpine(bare, {});
  bare.MoleculeTable()->BuildBoundaryAtoms();
  EXPECT_EQ(bare.MoleculeTable()->Count(), 1);
  EXPECT_EQ(bare.MoleculeTable()->CountAtomsOfType(kExceptionalAtom), 1);
}

// The thickening numbers each torus k = 1, 2, ... through the spine.
TEST(MoleculeBuilders, FirstMoleculeEdgeObjectNumbersTheTorusEdgeAndItsAtom) {
  TScopedModelHeap heap;
  TSpine spine;
  TComplex* sphere = NewSphere();
  TComplex* open = NewTorus(false);
  MakeSpine(spine, {sphere, open});
  spine.MoleculeTable()->BuildBoundaryAtoms();
  spine.FirstMoleculeEdgeObject(open, 1);
  TObjectHeader* edge = spine.MoleculeTable()->FirstEdgeOf(open);
  EXPECT_EQ(ObjectNumber(edge, 0), 1);
  EXPECT_EQ(ObjectNumber(TEdge::End(edge, 1), 1), 1);
  EXPECT_EQ(TMoleculeEdge::EndSlot(edge, 1), 0);
  EXPECT_EQ(TMoleculeEdge::EndSlot(edge, 2), 0);
}

TEST(MoleculeBuilders, CuttingOffASolidTorus) {
  for (bool filled : {true, false}) {
    TScopedModelHeap heap;
    TSpine spine;
    TComplex* torus = NewTorus(false);
    MakeSpine(spine, {torus});
    TObjectTable& table = *spine.MoleculeTable();
    table.BuildBoundaryAtoms();
    THandle edge(table.FirstEdgeOf(torus));
    TMoleculeEdge::SetGluing(edge, TIntQuad{2, 1, 1, 1}, 1);
    table.CutOffSolidTorus(torus, filled ? 2 : 0, filled ? 3 : 0);
    EXPECT_EQ(table.FirstEdgeOf(torus), nullptr);
    if (filled) {
      // A solid torus with pair words (-c, b) takes the piece's place.
      THandle solid = TEdge::End(edge, 2);
      EXPECT_EQ(TMoleculeVertex::AtomType(solid), kSolidTorusAtom);
      EXPECT_EQ(TMoleculeVertex::PairValue(solid, 0), -3);
      EXPECT_EQ(TMoleculeVertex::PairValue(solid, 1), 2);
      EXPECT_EQ(TMoleculeEdge::GluingQuad(edge), (TIntQuad{2, 1, 1, 1}));
      EXPECT_EQ(table.CounterB(), 0);
      EXPECT_TRUE(table.Contains(edge));
    } else {
      EXPECT_FALSE(table.Contains(edge));
      EXPECT_EQ(table.CountOfKind(kMoleculeVertexKind), 1);  // the piece alone
      EXPECT_EQ(table.CounterB(), 1);
    }
    // Nothing happens for a torus without an edge.
    table.CutOffSolidTorus(torus, 0, 0);
    EXPECT_EQ(table.CounterB(), filled ? 0 : 1);
  }
}

TEST(MoleculeBuilders, MobiusAndTripleAtomsArePutInPlaceWithTheirMatrices) {
  TScopedModelHeap heap;
  TSpine spine;
  TComplex* t1 = NewTorus(false);
  TComplex* t2 = NewTorus(false);
  TComplex* t3 = NewTorus(false);
  MakeSpine(spine, {t1, t2, t3});
  TObjectTable& table = *spine.MoleculeTable();
  table.BuildBoundaryAtoms();
  TObjectHeader* piece = table.NthExceptionalAtom(0);
  THandle e1(table.FirstEdgeOf(t1));
  THandle e2(table.FirstEdgeOf(t2));
  TMoleculeEdge::SetGluing(e2, TIntQuad{1, 1, 0, 1}, 1);

  THandle mobius(table.AddMobiusAtom(t1, TIntQuad{0, 1, -1, 0}));
  EXPECT_EQ(TMoleculeVertex::AtomType(mobius), kMobiusAtom);
  EXPECT_EQ(TEdge::End(e1, 2).Object(), mobius.Object());
  EXPECT_EQ(TMoleculeEdge::BoundaryReference(e1), nullptr);
  EXPECT_EQ(TMoleculeEdge::GluingQuad(e1), (TIntQuad{0, 1, -1, 0}));  // M x identity
  TObjectHeader* fresh = table.FirstEdgeOf(t1);
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(TEdge::End(fresh, 1).Object(), mobius.Object());
  EXPECT_EQ(TEdge::End(fresh, 2).Object(), piece);
  EXPECT_EQ(TMoleculeEdge::GluingQuad(fresh), kFlip);  // the new torus is seen from the other side

  THandle triple(table.AddTripleAtom(t2, TIntQuad{1, 0, 1, 1}, t1, TIntQuad{1, 0, 0, -1}, t3));
  EXPECT_EQ(TEdge::End(e2, 2).Object(), triple.Object());
  EXPECT_EQ(TMoleculeEdge::GluingQuad(e2), (TIntQuad{1, 1, 1, 2}));  // M2 x G2
  EXPECT_EQ(TEdge::End(fresh, 2).Object(), triple.Object());
  EXPECT_EQ(TMoleculeEdge::GluingQuad(fresh), (TIntQuad{-1, 0, 0, -1}));  // M1 x flip
  TObjectHeader* third = nullptr;
  for (int i = 0; i < TVertex::Valency(triple); ++i)
    if (TMoleculeEdge::BoundaryReference(TVertex::EdgeAt(triple, i)) == t3)
      third = TVertex::EdgeAt(triple, i);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(TMoleculeEdge::GluingQuad(third), kFlip);
  EXPECT_EQ(TEdge::End(third, 2).Object(), piece);
  EXPECT_EQ(TVertex::Valency(triple), 3);
  EXPECT_EQ(TVertex::Valency(piece), 2);  // the edges of t3: the virtual one and the triple's
}

TEST(MoleculeBuilders, AssemblingFromPiecesOfAConnectedSpine) {
  TScopedModelHeap heap;
  TSpine spine;
  TComplex* t1 = NewTorus(false);
  TComplex* t2 = NewTorus(false);
  MakeSpine(spine, {t1, t2});
  TObjectTable& table = *spine.MoleculeTable();
  table.BuildBoundaryAtoms();
  EXPECT_EQ(table.AssembleFromPieces(t1, t2), 2);
  TObjectHeader* seifert = FirstOfType(table, kSeifertAtom);
  ASSERT_NE(seifert, nullptr);
  EXPECT_EQ(TMoleculeVertex::Classify(seifert), kBaseAnnulus);
  ASSERT_EQ(TVertex::Valency(seifert), 2);
  for (int i = 0; i < 2; ++i) {
    THandle edge = TVertex::EdgeAt(seifert, i);
    EXPECT_EQ(TMoleculeEdge::EdgeType(edge), kTrueMoleculeEdge);
    EXPECT_EQ(TEdge::End(edge, 2).Object(), table.NthExceptionalAtom(0));
    EXPECT_EQ(TMoleculeEdge::GluingQuad(edge), kFlip);
  }
}

TEST(MoleculeBuilders, AssemblingFromPiecesOfASpineThatFallsApart) {
  TScopedModelHeap heap;
  TSpine spine;
  BuildComplexFromWords(spine, {{1, 2, -1, -2}, {3}});
  TComplex* t1 = NewTorus(false);
  spine.AppendBoundary(t1);
  TObjectTable& table = *spine.MoleculeTable();
  table.BuildBoundaryAtoms();
  TComplex elsewhere;
  EXPECT_EQ(table.AssembleFromPieces(t1, &elsewhere), 1);
  ASSERT_NE(spine.Next(), nullptr);
  TObjectHeader* seifert = FirstOfType(table, kSeifertAtom);
  ASSERT_NE(seifert, nullptr);
  // t1 stayed with this spine: a direct edge. The other torus is in no table
  // of the chain: no gluing is made for it.
  EXPECT_EQ(TVertex::Valency(seifert), 1);
  EXPECT_EQ(TMoleculeEdge::BoundaryReference(TVertex::EdgeAt(seifert, 0)), t1);
}

// Two components sharing a torus T: the head's Seifert atom reaches T across
// an external gluing, the second spine's table holds the boundary atom of T.
TEST(MoleculeBuilders, ExternalGluingsAndSharedBoundaries) {
  TScopedModelHeap heap;
  TSpine head;
  MakeSpine(head, {NewTorus(false)});
  auto* second = new TSpine;
  TComplex* shared = NewTorus(false);
  MakeSpine(*second, {shared});
  second->SetOwnerSpine(&head);
  head.SetNext(second);
  head.MoleculeTable()->BuildBoundaryAtoms();
  second->MoleculeTable()->BuildBoundaryAtoms();
  TObjectTable& near = *head.MoleculeTable();
  TObjectTable& far = *second->MoleculeTable();
  THandle farEdge(far.FirstEdgeOf(shared));
  THandle boundaryAtom = TEdge::End(farEdge, 1);

  THandle atom(near.NewAtom(kSeifertAtom));
  THandle result = near.AddExternalGluing(atom, shared);
  EXPECT_EQ(result.Object(), farEdge.Object());
  THandle edge = TVertex::EdgeAt(atom, 0);
  EXPECT_TRUE(near.Contains(edge));
  EXPECT_EQ(TMoleculeEdge::GluingQuad(edge), kIdentity);
  EXPECT_EQ(farEdge.Number(), edge.Number());
  THandle external = TEdge::End(edge, 2);
  EXPECT_EQ(TMoleculeVertex::AtomType(external), kExternalAtom);
  EXPECT_EQ(TMoleculeVertex::LinkedObject(external).Object(), boundaryAtom.Object());
  EXPECT_EQ(TMoleculeVertex::LinkedObject(boundaryAtom).Object(), external.Object());
  // A torus that no next table knows makes nothing.
  TComplex unknown;
  int before = near.Count();
  EXPECT_FALSE(near.AddExternalGluing(atom, &unknown).IsValid());
  EXPECT_EQ(near.Count(), before);

  // The molecule read whole: the external gluing fused into one edge from the
  // Seifert atom to the second piece.
  TMoleculeEdge::SetGluing(farEdge, kFlip, 1);
  TObjectTableList tables;
  TObjectListList vertexLists;
  TObjectListList edgeLists;
  int components = BuildMoleculeChain(near, tables, vertexLists, edgeLists);
  // The head's piece with its own torus and the Seifert atom with the second
  // piece.
  EXPECT_EQ(components, 2);
  ASSERT_EQ(tables.size(), 2u);
  bool fused = false;
  for (const TObjectList& edges : edgeLists) {
    for (int i = 0; i < edges.Count(); ++i) {
      TObjectHeader* e = edges.At(i);
      if (TMoleculeVertex::AtomType(TEdge::End(e, 1)) == kSeifertAtom) {
        fused = true;
        EXPECT_EQ(TMoleculeVertex::AtomType(TEdge::End(e, 2)), kExceptionalAtom);
        EXPECT_EQ(TMoleculeEdge::GluingQuad(e), kFlip);
      }
    }
  }
  EXPECT_TRUE(fused);
  EXPECT_EQ(CountOfTypeInTables(tables, kExternalAtom), 0);
  vertexLists.clear();
  edgeLists.clear();
  FreeObjectTableList(tables);
  // The spines' own tables are untouched.
  EXPECT_EQ(far.FirstEdgeOf(shared), farEdge.Object());
  EXPECT_EQ(TEdge::End(farEdge, 1).Object(), boundaryAtom.Object());
}

// A torus that an edge of the head's table still leads to (ending at the
// head's piece) becomes, when the next component takes its boundary atoms, a
// shared boundary: the head's edge ends at a new external atom linked with the
// new boundary atom, which takes the edge's gluing.
TEST(MoleculeBuilders, BoundaryAtomsOfALaterComponentLinkWithTheTorusTheHeadStillGlues) {
  TScopedModelHeap heap;
  TSpine head;
  MakeSpine(head, {NewTorus(false)});
  head.MoleculeTable()->BuildBoundaryAtoms();
  TObjectTable& near = *head.MoleculeTable();
  auto* second = new TSpine;
  TComplex* shared = NewTorus(false);
  MakeSpine(*second, {shared});
  second->SetOwnerSpine(&head);
  head.SetNext(second);
  THandle atom(near.NewAtom(kSeifertAtom));
  THandle edge(near.NewMoleculeEdge(kTrueMoleculeEdge));
  TEdge::SetEndVertex(edge, atom, 1);
  TEdge::SetEndVertex(edge, near.NthExceptionalAtom(0), 2);
  TMoleculeEdge::SetBoundaryReference(edge, shared);
  TMoleculeEdge::SetGluing(edge, TIntQuad{2, 1, 1, 1}, 1);

  TObjectTable& far = *second->MoleculeTable();
  EXPECT_EQ(far.ChainHead(), &near);
  far.BuildBoundaryAtoms();
  THandle external = TEdge::End(edge, 2);
  EXPECT_EQ(TMoleculeVertex::AtomType(external), kExternalAtom);
  EXPECT_TRUE(near.Contains(external));
  THandle farEdge(far.FirstEdgeOf(shared));
  THandle boundaryAtom = TEdge::End(farEdge, 1);
  EXPECT_EQ(TMoleculeVertex::LinkedObject(external).Object(), boundaryAtom.Object());
  EXPECT_EQ(TMoleculeVertex::LinkedObject(boundaryAtom).Object(), external.Object());
  EXPECT_EQ(TMoleculeEdge::GluingQuad(farEdge), (TIntQuad{2, 1, 1, 1}));
  // The head's piece keeps its own torus only.
  EXPECT_EQ(TVertex::Valency(near.NthExceptionalAtom(0)), 1);

  // A copy of the chain keeps the molecule: links restored between the copied
  // tables, gluings referring to the copied surfaces, pieces to the copied spines.
  TSpine copy;
  head.CopyTo(copy);
  ASSERT_NE(copy.Next(), nullptr);
  TObjectTable& nearCopy = *copy.MoleculeTable();
  TObjectTable& farCopy = *copy.Next()->MoleculeTable();
  EXPECT_EQ(farCopy.ChainHead(), &nearCopy);
  EXPECT_EQ(nearCopy.Next(), &farCopy);
  TObjectHeader* externalCopy = nearCopy.At(near.IndexOf(external));
  TObjectHeader* boundaryCopy = farCopy.At(far.IndexOf(boundaryAtom));
  EXPECT_EQ(TMoleculeVertex::LinkedObject(externalCopy).Object(), boundaryCopy);
  EXPECT_EQ(TMoleculeVertex::LinkedObject(boundaryCopy).Object(), externalCopy);
  TComplex* sharedCopy = copy.Next()->BoundaryAt(0);
  EXPECT_EQ(TMoleculeEdge::BoundaryReference(nearCopy.At(near.IndexOf(edge))), sharedCopy);
  EXPECT_EQ(farCopy.FirstEdgeOf(sharedCopy), farCopy.At(far.IndexOf(farEdge)));
  EXPECT_EQ(TMoleculeVertex::MarkWord(nearCopy.NthExceptionalAtom(0)),
            reinterpret_cast<std::intptr_t>(&copy));
  EXPECT_EQ(TMoleculeVertex::MarkWord(farCopy.NthExceptionalAtom(0)),
            reinterpret_cast<std::intptr_t>(copy.Next()));
}

// A gluing that refers to a torus of another spine of the chain keeps
// referring to that torus's copy when the chain is copied.
TEST(MoleculeBuilders, ACopiedChainMapsTheToriOfEverySpine) {
  TScopedModelHeap heap;
  TSpine head;
  MakeSpine(head, {NewTorus(false)});
  auto* second = new TSpine;
  TComplex* shared = NewTorus(false);
  MakeSpine(*second, {shared});
  second->SetOwnerSpine(&head);
  head.SetNext(second);
  THandle atom(head.MoleculeTable()->NewAtom(kSeifertAtom));
  THandle edge(head.MoleculeTable()->NewMoleculeEdge(kTrueMoleculeEdge));
  TEdge::SetEndVertex(edge, atom, 1);
  TMoleculeEdge::SetBoundaryReference(edge, shared);
  TSpine copy;
  head.CopyTo(copy);
  TObjectHeader* edgeCopy = copy.MoleculeTable()->At(head.MoleculeTable()->IndexOf(edge));
  EXPECT_EQ(TMoleculeEdge::BoundaryReference(edgeCopy), copy.Next()->BoundaryAt(0));
}

// A triple atom glued into place: T2 is still on this spine's boundary (a
// direct edge), T3 went to the next component (an external gluing).
TEST(MoleculeBuilders, AGluedTripleAtomReachesTheNextComponentThroughAnExternalGluing) {
  TScopedModelHeap heap;
  TSpine head;
  TComplex* t1 = NewTorus(false);
  TComplex* t2 = NewTorus(false);
  MakeSpine(head, {t1, t2});
  auto* second = new TSpine;
  TComplex* t3 = NewTorus(false);
  MakeSpine(*second, {t3});
  second->SetOwnerSpine(&head);
  head.SetNext(second);
  head.MoleculeTable()->BuildBoundaryAtoms();
  second->MoleculeTable()->BuildBoundaryAtoms();
  TObjectTable& near = *head.MoleculeTable();
  THandle e1(near.FirstEdgeOf(t1));
  THandle farEdge(second->MoleculeTable()->FirstEdgeOf(t3));

  THandle triple(near.AddTripleAtomGlued(t1, TIntQuad{0, 1, -1, 0}, t2, t3));
  EXPECT_EQ(TEdge::End(e1, 2).Object(), triple.Object());
  EXPECT_EQ(TMoleculeEdge::GluingQuad(e1), (TIntQuad{0, 1, -1, 0}));
  EXPECT_EQ(TMoleculeEdge::BoundaryReference(e1), nullptr);
  ASSERT_EQ(TVertex::Valency(triple), 3);
  THandle direct = TVertex::EdgeAt(triple, 1);
  EXPECT_EQ(TMoleculeEdge::BoundaryReference(direct), t2);
  EXPECT_EQ(TMoleculeEdge::GluingQuad(direct), kFlip);
  THandle external = TEdge::End(TVertex::EdgeAt(triple, 2), 2);
  EXPECT_EQ(TMoleculeVertex::AtomType(external), kExternalAtom);
  EXPECT_EQ(TMoleculeVertex::LinkedObject(external).Object(), TEdge::End(farEdge, 1).Object());
  // The gluing of the torus is set on the far side's edge.
  EXPECT_EQ(TMoleculeEdge::GluingQuad(farEdge), kFlip);
  EXPECT_EQ(TMoleculeEdge::GluingQuad(TVertex::EdgeAt(triple, 2)), kIdentity);
}
