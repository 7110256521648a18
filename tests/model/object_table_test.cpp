#include "model/object_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/checked_int64.h"
#include "model/complex.h"
#include "model/molecule_chain.h"
#include "support/model_heap.h"

namespace {

const TIntQuad kIdentity{1, 0, 0, 1};
const TIntQuad kFlip{-1, 0, 0, 1};

// A molecule edge of the table from one atom to another with a gluing.
THandle Join(TObjectTable& table, int type, TObjectHeader* from, TObjectHeader* to,
             const TIntQuad& gluing) {
  THandle edge(table.NewMoleculeEdge(type));
  TEdge::SetEndVertex(edge, from, 1);
  TEdge::SetEndVertex(edge, to, 2);
  TMoleculeEdge::SetGluing(edge, gluing, 1);
  return edge;
}

void Link(TObjectHeader* a, TObjectHeader* b) {
  TMoleculeVertex::SetLinkedObject(a, b);
  TMoleculeVertex::SetLinkedObject(b, a);
}

// A chain of tables, cleared before the heap goes (linked atoms of different
// tables hold each other).
struct TChain {
  explicit TChain(int n) {
    for (int k = 0; k < n; ++k) tables.push_back(new TObjectTable());
    for (int k = 0; k < n; ++k) {
      tables[k]->SetChainHead(k == 0 ? nullptr : tables[0]);
      tables[k]->SetNext(k + 1 < n ? tables[k + 1] : nullptr);
    }
  }
  ~TChain() {
    for (TObjectTable* t : tables) t->Clear();
    FreeObjectTableList(tables);
  }
  TObjectTable& operator[](int k) { return *tables[k]; }
  TObjectTableList tables;
};

int CountOfType(const TObjectTableList& tables, int type) {
  int count = 0;
  for (const TObjectTable* t : tables) count += t->CountAtomsOfType(type);
  return count;
}

// The object at the source object's position in the copy.
TObjectHeader* InCopy(const TObjectTable& source, const TObjectTable& copy, const TObjectHeader* o) {
  return copy.At(source.IndexOf(o));
}

}  // namespace

TEST(ObjectTable, AtomsAndEdgesAreNumberedPerTypeAlongTheWholeChain) {
  TScopedModelHeap heap;
  TChain chain(2);
  THandle first(chain[1].NewAtom(kSolidTorusAtom));
  THandle second(chain[0].NewAtom(kSolidTorusAtom));
  THandle mobius(chain[1].NewAtom(kMobiusAtom));
  THandle seifert(chain[0].NewAtom(kSeifertAtom));
  THandle odd(chain[0].NewAtom(9));
  THandle edge1(chain[1].NewMoleculeEdge(kTrueMoleculeEdge));
  THandle virtual1(chain[0].NewMoleculeEdge(kVirtualMoleculeEdge));
  THandle edge2(chain[0].NewMoleculeEdge(kTrueMoleculeEdge));
  EXPECT_EQ(first.Number(), 1);
  EXPECT_EQ(second.Number(), 2);
  EXPECT_EQ(mobius.Number(), 1);
  EXPECT_EQ(seifert.Number(), 7);  // numbered by its type until renumbered
  EXPECT_EQ(odd.Number(), 9);
  EXPECT_EQ(edge1.Number(), 1);
  EXPECT_EQ(virtual1.Number(), 1);
  EXPECT_EQ(edge2.Number(), 2);
  EXPECT_STREQ(ObjectNameText(second), "Solid torus 2");
  EXPECT_STREQ(ObjectNameText(seifert), "Seifert atom 7");
  EXPECT_STREQ(ObjectNameText(virtual1), "Virtual edge1");
  EXPECT_EQ(ObjectNameText(odd), nullptr);
  {
    TSuppressObjectNamesScope quiet(1);
    THandle unnamed(chain[1].NewAtom(kTripleAtom));
    EXPECT_EQ(ObjectNameText(unnamed), nullptr);
    EXPECT_EQ(unnamed.Number(), 1);
  }
}

TEST(ObjectTable, CountersAndBoundaryCountsOverTheChain) {
  TScopedModelHeap heap;
  TChain chain(3);
  chain[0].SetCounterB(1);
  chain[2].SetCounterB(2);
  chain[1].IncrementCounterA();
  chain[1].IncrementCounterA();
  chain[1].DecrementCounterA();
  chain[2].IncrementCounterC();
  EXPECT_EQ(chain[2].CounterB(1), 2);
  EXPECT_EQ(chain[2].CounterB(2), 3);
  EXPECT_EQ(chain[0].CounterB(2), 3);
  EXPECT_EQ(chain[0].CounterA(2), 1);
  EXPECT_EQ(chain[1].CounterC(2), 1);
  chain[0].SetCounterB(INT32_MAX);
  EXPECT_THROW(chain[1].CounterB(2), Out_of_Range);

  int other = -1;
  int torus = -1;
  EXPECT_EQ(chain[1].FindBoundaryCounts(other, torus), 0);
  EXPECT_EQ(other, 0);
  EXPECT_EQ(torus, 0);
  chain[2].SetBoundaryCounts(1, 2);
  EXPECT_EQ(chain[1].FindBoundaryCounts(other, torus), 1);
  EXPECT_EQ(other, 1);
  EXPECT_EQ(torus, 2);
  chain[0].SetBoundaryCounts(0, 1);
  EXPECT_EQ(chain[1].FindBoundaryCounts(other, torus), 1);
  EXPECT_EQ(torus, 1);  // the first table from the head
  EXPECT_EQ(chain[2].FindBoundaryCounts(other, torus), 1);
  EXPECT_EQ(torus, 2);  // its own

  chain[0].SetSourceKind(4);
  chain[1].SetVertexCount(6);
  EXPECT_EQ(chain[2].SourceKind(), 4);
  EXPECT_EQ(chain[0].VertexCount(), 0);
  EXPECT_EQ(chain[2].VertexCount(), 6);
}

TEST(ObjectTable, CycleRankCountsIndependentCycles) {
  TScopedModelHeap heap;
  TChain chain(2);
  THandle a(chain[0].NewAtom(kSeifertAtom));
  THandle b(chain[0].NewAtom(kSeifertAtom));
  THandle c(chain[0].NewAtom(kSeifertAtom));
  Join(chain[0], 1, a, b, kIdentity);
  Join(chain[0], 1, b, c, kIdentity);
  Join(chain[0], 1, c, a, kIdentity);
  EXPECT_EQ(chain[0].CycleRank(1), 1);
  THandle d(chain[1].NewAtom(kSeifertAtom));
  Join(chain[1], 1, d, d, kIdentity);
  Join(chain[1], 1, d, d, kIdentity);
  EXPECT_EQ(chain[0].CycleRank(2), 1 + 2);
  EXPECT_EQ(chain[0].CycleRank(5), 3);  // no table past the end counts
}

TEST(ObjectTable, QueriesLookAtAtomsInListOrder) {
  TScopedModelHeap heap;
  TObjectTable table;
  EXPECT_EQ(table.IsEmpty(), 1);
  THandle x1(table.NewAtom(kExceptionalAtom));
  THandle v1(table.NewAtom(kVirtualAtom));
  THandle s1(table.NewAtom(kSolidTorusAtom));
  THandle x2(table.NewAtom(kExceptionalAtom));
  THandle s2(table.NewAtom(kSolidTorusAtom));
  EXPECT_EQ(table.IsEmpty(), 0);
  EXPECT_EQ(table.CountAtomsOfType(kExceptionalAtom), 2);
  EXPECT_EQ(table.HasVirtualAtom(), 1);
  EXPECT_EQ(table.NthExceptionalAtom(0), x1.Object());
  EXPECT_EQ(table.NthExceptionalAtom(1), x2.Object());
  EXPECT_EQ(table.NthExceptionalAtom(2), nullptr);
  table.NumberAtoms(kSolidTorusAtom);
  EXPECT_EQ(s1.Number(1), 1);
  EXPECT_EQ(s2.Number(1), 2);
  EXPECT_EQ(x1.Number(1), -1);
  table.NumberAtoms(0);
  EXPECT_EQ(x1.Number(1), 1);
  EXPECT_EQ(v1.Number(1), -1);  // virtual atoms keep theirs
  EXPECT_EQ(s2.Number(1), 4);
  EXPECT_EQ(table.FindAtom(kSolidTorusAtom, 4, 1), s2.Object());
  EXPECT_EQ(table.FindAtom(kSolidTorusAtom, 2, 0), s2.Object());
  EXPECT_EQ(table.FindAtom(kMobiusAtom, 1, 0), nullptr);

  // Removal of an object that the table does not hold only releases it.
  TObjectTable other;
  THandle stranger(other.NewAtom(kMobiusAtom));
  table.RemoveMoleculeObject(stranger);
  EXPECT_TRUE(other.Contains(stranger));
  EXPECT_EQ(TMoleculeVertex::AtomType(stranger), 0);
  table.RemoveMoleculeObject(x2);
  EXPECT_FALSE(table.Contains(x2));
  EXPECT_EQ(table.CountAtomsOfType(kExceptionalAtom), 1);
}

TEST(ObjectTable, RebuildSplitsTheMoleculeIntoComponentTables) {
  struct TCase {
    const char* name;
    int atoms;
    std::vector<std::pair<int, int>> edges;  // atom indices
    int components;
    std::vector<int> atomsPerTable;  // in chain order from the rebuilt table
  };
  const TCase cases[] = {
      {"empty", 0, {}, 0, {0}},
      {"one atom", 1, {}, 1, {1}},
      {"two atoms without edges", 2, {}, 2, {1, 1}},
      {"three atoms without edges", 3, {}, 3, {1, 1, 1}},
      {"connected", 3, {{0, 1}, {1, 2}}, 1, {3}},
      // The component of the first atom moves out first, so it ends last.
      {"two components", 4, {{0, 2}, {1, 3}}, 2, {2, 2}},
      {"three components", 5, {{0, 1}, {2, 3}}, 3, {1, 2, 2}},
  };
  for (const TCase& c : cases) {
    TScopedModelHeap heap;
    auto* table = new TObjectTable();
    std::vector<THandle> atoms;
    for (int k = 0; k < c.atoms; ++k) atoms.emplace_back(table->NewAtom(kSeifertAtom));
    for (auto [i, j] : c.edges) Join(*table, 1, atoms[i], atoms[j], kIdentity);
    EXPECT_EQ(table->Rebuild(), c.components) << c.name;
    TObjectTableList chain;
    for (TObjectTable* t = table; t != nullptr; t = t->Next()) chain.push_back(t);
    ASSERT_EQ(chain.size(), c.atomsPerTable.size()) << c.name;
    for (std::size_t k = 0; k < chain.size(); ++k) {
      EXPECT_EQ(chain[k]->CountOfKind(kMoleculeVertexKind), c.atomsPerTable[k]) << c.name << k;
      if (k > 0) {
        EXPECT_EQ(chain[k]->ChainHead(), table) << c.name;
      }
      // Every edge lies in the table of its ends.
      for (int i = 0; i < chain[k]->Count(); ++i) {
        TObjectHeader* o = chain[k]->At(i);
        if (TMoleculeEdge::Of(o) == nullptr) continue;
        EXPECT_TRUE(chain[k]->Contains(TEdge::End(o, 1))) << c.name;
        EXPECT_TRUE(chain[k]->Contains(TEdge::End(o, 2))) << c.name;
      }
    }
    if (c.name == std::string("three components")) {
      // The two atoms joined by the first edge stay in one table.
      for (TObjectTable* t : chain) EXPECT_EQ(t->Contains(atoms[0]), t->Contains(atoms[1]));
    }
    atoms.clear();
    for (TObjectTable* t : chain) t->Clear();
    FreeObjectTableList(chain);
    EXPECT_EQ(heap.LiveBlocks(), 0u) << c.name;
  }
}

TEST(ObjectTable, CopyKeepsPositionsAndMolecularDataAndReplacesMarksInMode1) {
  TScopedModelHeap heap;
  TObjectTable source;
  TComplex torus;
  TComplex torusCopy;
  THandle x(source.NewAtom(kExceptionalAtom));
  TMoleculeVertex::SetMarkWord(x, 77);
  THandle s(source.NewAtom(kSeifertAtom));
  TMoleculeVertex::ResetByType(s, kBaseAnnulus);
  TMoleculeVertex::AddPair(s, 2, 1);
  TMoleculeVertex::AddPair(s, 3, 1);
  THandle v(source.NewAtom(kVirtualAtom));
  THandle e = Join(source, kVirtualMoleculeEdge, v, x, TIntQuad{2, 1, 1, 1});
  TMoleculeEdge::SetEndSlot(e, 1, 3);
  TMoleculeEdge::SetBoundaryReference(e, &torus);
  THandle link(source.NewAtom(kExternalAtom));
  TMoleculeVertex::SetLinkedObject(link, s);
  source.SetSourceKind(2);
  source.SetCounterB(5);
  source.SetBoundaryCounts(1, 1);

  TSurfaceMap surfaces{{&torus, &torusCopy}};
  for (int mode : {1, 2}) {
    TObjectTable target;
    auto* owner = reinterpret_cast<TSpine*>(&torusCopy);  // only compared, never used
    source.CopyTo(target, owner, mode, &surfaces);
    ASSERT_EQ(target.Count(), source.Count());
    EXPECT_EQ(target.SourceKind(), 2);
    EXPECT_EQ(target.OwnerSpine(), mode == 1 ? owner : nullptr);
    EXPECT_EQ(target.CounterB(), 5);
    EXPECT_EQ(target.TorusBoundaryCount(), 1);
    TObjectHeader* xc = InCopy(source, target, x);
    TObjectHeader* sc = InCopy(source, target, s);
    TObjectHeader* ec = InCopy(source, target, e);
    EXPECT_EQ(TMoleculeVertex::MarkWord(xc), mode == 1 ? reinterpret_cast<std::intptr_t>(owner) : 77);
    EXPECT_EQ(TMoleculeVertex::MarkWord(sc), 0);
    EXPECT_EQ(TMoleculeVertex::Classify(sc), kBaseAnnulus);
    EXPECT_EQ(TMoleculeVertex::PairComponent(sc, 1, 0), 3);
    EXPECT_EQ(TMoleculeEdge::GluingQuad(ec), (TIntQuad{2, 1, 1, 1}));
    EXPECT_EQ(TMoleculeEdge::EndSlot(ec, 1), 3);
    EXPECT_EQ(TMoleculeEdge::EdgeType(ec), kVirtualMoleculeEdge);
    EXPECT_EQ(TMoleculeEdge::BoundaryReference(ec), mode == 1 ? &torusCopy : &torus);
    EXPECT_EQ(TEdge::End(ec, 2).Object(), xc);
    EXPECT_EQ(TVertex::EdgeAt(xc, 0).Object(), ec);
    EXPECT_FALSE(TMoleculeVertex::LinkedObject(InCopy(source, target, link)).IsValid());
    EXPECT_STREQ(ObjectNameText(sc), "Seifert atom 7");
    // A new atom of the copy continues the numbering.
    THandle next(target.NewAtom(kExceptionalAtom));
    EXPECT_EQ(next.Number(), 2);
  }
  source.Clear();
}

// A two-component chain: a Seifert atom A of the first table reaches the
// second component through an external gluing G, whose partner K is the
// boundary atom of the torus in the second table.
TEST(MoleculeChain, FusingAnExternalGluingJoinsTheAtomToTheOtherComponent) {
  TScopedModelHeap heap;
  TChain chain(2);
  THandle x1(chain[0].NewAtom(kExceptionalAtom));
  THandle a(chain[0].NewAtom(kSeifertAtom));
  THandle g(chain[0].NewAtom(kExternalAtom));
  Join(chain[0], 1, a, x1, kFlip);
  Join(chain[0], 1, a, g, kIdentity);
  THandle x2(chain[1].NewAtom(kExceptionalAtom));
  THandle k(chain[1].NewAtom(kVirtualAtom));
  THandle h = Join(chain[1], 1, k, x2, kFlip);
  Link(g, k);

  TObjectTableList sources;
  TObjectTableList copies;
  CopyTableChain(chain[0], sources, copies, -1);
  ASSERT_EQ(copies.size(), 2u);
  // Positions change as the fusion removes objects: take the copies first.
  THandle ac(InCopy(chain[0], *copies[0], a));
  THandle hc(InCopy(chain[1], *copies[1], h));
  EXPECT_EQ(RelinkCopiedChain(sources, copies, 2), 2);
  EXPECT_EQ(TEdge::End(hc, 1).Object(), ac.Object());
  EXPECT_EQ(TMoleculeEdge::GluingQuad(hc), kFlip);
  EXPECT_EQ(TMoleculeEdge::EdgeType(hc), kTrueMoleculeEdge);
  EXPECT_EQ(CountOfType(copies, kExternalAtom), 0);
  EXPECT_EQ(CountOfType(copies, kVirtualAtom), 0);
  EXPECT_EQ(copies[0]->CountOfKind(kMoleculeEdgeKind), 1);  // A's edge to G is gone
  EXPECT_EQ(TVertex::Valency(ac), 2);
  // The originals are untouched.
  EXPECT_EQ(TMoleculeVertex::LinkedObject(g).Object(), k.Object());
  EXPECT_EQ(TEdge::End(h, 1).Object(), k.Object());
  for (TObjectTable* t : copies) t->Clear();
  FreeObjectTableList(copies);
}

TEST(MoleculeChain, RelinkingInMode1RestoresLinksAndFusesNothing) {
  TScopedModelHeap heap;
  TChain chain(2);
  THandle g(chain[0].NewAtom(kExternalAtom));
  THandle k(chain[1].NewAtom(kVirtualAtom));
  Link(g, k);
  TObjectTableList sources;
  TObjectTableList copies;
  CopyTableChain(chain[1], sources, copies, -1);  // from any table: the whole chain
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_EQ(copies[1]->ChainHead(), copies[0]);
  EXPECT_EQ(RelinkCopiedChain(sources, copies, 1), 2);
  TObjectHeader* gc = copies[0]->At(0);
  TObjectHeader* kc = copies[1]->At(0);
  EXPECT_EQ(TMoleculeVertex::LinkedObject(gc).Object(), kc);
  EXPECT_EQ(TMoleculeVertex::LinkedObject(kc).Object(), gc);
  EXPECT_EQ(CountOfType(copies, kExternalAtom), 1);
  for (TObjectTable* t : copies) t->Clear();
  FreeObjectTableList(copies);

  // A single table: nothing at all, not even links.
  CopyTableChain(chain[0], sources, copies, 1);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(RelinkCopiedChain(sources, copies, 2), 0);
  EXPECT_EQ(CountOfType(copies, kExternalAtom), 1);
  FreeObjectTableList(copies);
}

// Several gluings, adjacent in list order in both tables, one of them seen
// from its partner's side first: every fusion must happen although atoms
// leave the tables while the tables are walked.
TEST(MoleculeChain, EveryFusionHappensWhileAtomsLeaveTheTablesBeingWalked) {
  TScopedModelHeap heap;
  TChain chain(2);
  THandle x1(chain[0].NewAtom(kExceptionalAtom));
  THandle x2(chain[1].NewAtom(kExceptionalAtom));
  std::vector<THandle> near;
  std::vector<THandle> externals;
  std::vector<THandle> partners;
  std::vector<THandle> partnerEdges;
  // Gluings 0..2: atom and external atom in table 0, partner in table 1.
  for (int i = 0; i < 3; ++i) near.emplace_back(chain[0].NewAtom(kSeifertAtom));
  for (int i = 0; i < 3; ++i) externals.emplace_back(chain[0].NewAtom(kExternalAtom));
  for (int i = 0; i < 3; ++i) partners.emplace_back(chain[1].NewAtom(kVirtualAtom));
  // Gluing 3 the other way round: its partner comes first in table 0.
  partners.emplace_back(chain[0].NewAtom(kVirtualAtom));
  near.emplace_back(chain[1].NewAtom(kSeifertAtom));
  externals.emplace_back(chain[1].NewAtom(kExternalAtom));
  // Gluing 4: both sides in table 1, the partner right after the external atom.
  near.emplace_back(chain[1].NewAtom(kSeifertAtom));
  externals.emplace_back(chain[1].NewAtom(kExternalAtom));
  partners.emplace_back(chain[1].NewAtom(kVirtualAtom));
  for (int i = 0; i < 5; ++i) {
    TObjectTable& nearTable = chain.tables[0]->Contains(near[i]) ? chain[0] : chain[1];
    TObjectTable& farTable = chain.tables[0]->Contains(partners[i]) ? chain[0] : chain[1];
    Join(nearTable, i == 2 ? kVirtualMoleculeEdge : kTrueMoleculeEdge, near[i], externals[i],
         kIdentity);
    TObjectHeader* farPiece = &farTable == &chain[0] ? x1.Object() : x2.Object();
    partnerEdges.push_back(Join(farTable, 1, partners[i], farPiece, TIntQuad{1, 0, i, 1}));
    Link(externals[i], partners[i]);
  }

  TObjectTableList sources;
  TObjectTableList copies;
  CopyTableChain(chain[0], sources, copies, -1);
  std::vector<THandle> copiedEdges;
  std::vector<THandle> copiedAtoms;
  for (int i = 0; i < 5; ++i) {
    int nt = chain.tables[0]->Contains(near[i]) ? 0 : 1;
    int pt = chain.tables[0]->Contains(partnerEdges[i]) ? 0 : 1;
    copiedEdges.emplace_back(InCopy(chain[pt], *copies[pt], partnerEdges[i]));
    copiedAtoms.emplace_back(InCopy(chain[nt], *copies[nt], near[i]));
  }
  EXPECT_EQ(RelinkCopiedChain(sources, copies, 2), 10);
  EXPECT_EQ(CountOfType(copies, kExternalAtom), 0);
  EXPECT_EQ(CountOfType(copies, kVirtualAtom), 0);
  for (int i = 0; i < 5; ++i) {
    const THandle& edge = copiedEdges[i];
    const THandle& atom = copiedAtoms[i];
    EXPECT_EQ(TEdge::End(edge, 1).Object(), atom.Object()) << i;
    EXPECT_EQ(TVertex::Valency(atom), 1) << i;
    EXPECT_EQ(TMoleculeEdge::GluingQuad(edge), (TIntQuad{1, 0, i, 1})) << i;
    EXPECT_EQ(TMoleculeEdge::EdgeType(edge), i == 2 ? kVirtualMoleculeEdge : kTrueMoleculeEdge) << i;
  }
  int edges = copies[0]->CountOfKind(kMoleculeEdgeKind) + copies[1]->CountOfKind(kMoleculeEdgeKind);
  EXPECT_EQ(edges, 5);

  // The fused molecule is one component; the tables built from it hold it whole.
  TObjectListList edgeLists;
  TObjectListList vertexLists;
  for (TObjectTable* t : copies) {
    edgeLists.emplace_back();
    vertexLists.emplace_back();
    for (int i = 0; i < t->Count(); ++i)
      (TMoleculeEdge::Of(t->At(i)) ? edgeLists : vertexLists).back().Append(t->At(i));
  }
  BuildComponentTables(copies, vertexLists, edgeLists);
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_EQ(copies[0]->CountOfKind(kMoleculeVertexKind), 4);  // x1 and the near atoms 0..2
  EXPECT_EQ(copies[1]->ChainHead(), copies[0]);
  for (TObjectTable* t : copies) t->Clear();
  FreeObjectTableList(copies);
}

TEST(MoleculeChain, ComponentTablesTakeTheFirstCopysOwnerAndTheChainSums) {
  TScopedModelHeap heap;
  TChain chain(2);
  chain[0].SetCounterB(1);
  chain[1].SetCounterB(2);
  chain[1].SetCounterC(4);
  chain[0].SetVertexCount(3);
  THandle lone(chain[1].NewAtom(kMobiusAtom));
  THandle stray(chain[1].NewMoleculeEdge(kTrueMoleculeEdge));  // in no component
  TObjectTableList sources;
  TObjectTableList copies;
  CopyTableChain(chain[0], sources, copies, -1);
  TObjectListList edgeLists(1);
  TObjectListList vertexLists(1);
  vertexLists[0].Append(copies[1]->At(0));
  BuildComponentTables(copies, vertexLists, edgeLists);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0]->CounterB(), 3);
  EXPECT_EQ(copies[0]->CounterC(), 4);
  EXPECT_EQ(copies[0]->VertexCount(), 3);
  EXPECT_EQ(copies[0]->Count(), 1);
  EXPECT_EQ(copies[0]->ChainHead(), nullptr);
  EXPECT_EQ(copies[0]->Next(), nullptr);
  vertexLists.clear();
  FreeObjectTableList(copies);

  // No component at all still gives one (empty) table.
  CopyTableChain(chain[0], sources, copies, -1);
  edgeLists.clear();
  BuildComponentTables(copies, vertexLists, edgeLists);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0]->IsEmpty(), 1);
  FreeObjectTableList(copies);
}

TEST(MoleculeChain, ComponentsAreNumberedWithCountersSharedAcrossComponents) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle s1(table.NewAtom(kSolidTorusAtom));
  THandle x1(table.NewAtom(kExceptionalAtom));
  THandle v1(table.NewAtom(kVirtualAtom));
  THandle s2(table.NewAtom(kSolidTorusAtom));
  THandle x2(table.NewAtom(kExceptionalAtom));
  THandle g(table.NewAtom(kExternalAtom));
  TMoleculeVertex::SetLinkedObject(g, s1);  // a linked atom is not counted
  s2.SetNumber(-1);
  THandle e1 = Join(table, kTrueMoleculeEdge, s1, x1, kIdentity);
  THandle e2 = Join(table, kVirtualMoleculeEdge, v1, x1, kIdentity);
  THandle e3 = Join(table, kTrueMoleculeEdge, s2, x2, kIdentity);
  THandle e4 = Join(table, kTrueMoleculeEdge, x2, g, kIdentity);
  e1.SetNumber(40);
  TObjectListList vertexLists(2);
  TObjectListList edgeLists(2);
  for (TObjectHeader* o : {s1.Object(), x1.Object(), v1.Object()}) vertexLists[0].Append(o);
  for (TObjectHeader* o : {s2.Object(), x2.Object(), g.Object()}) vertexLists[1].Append(o);
  for (TObjectHeader* o : {e1.Object(), e2.Object()}) edgeLists[0].Append(o);
  for (TObjectHeader* o : {e3.Object(), e4.Object()}) edgeLists[1].Append(o);
  TIntMatrix counts;
  NumberMoleculeComponents(edgeLists, vertexLists, counts);
  ASSERT_EQ(counts.Rows(), 2u);
  ASSERT_EQ(counts.Columns(), 8u);
  EXPECT_EQ(counts.Row(0)[kSolidTorusAtom], 1);
  EXPECT_EQ(counts.Row(0)[kExceptionalAtom], 1);
  EXPECT_EQ(counts.Row(0)[kVirtualAtom], 1);
  EXPECT_EQ(counts.Row(1)[kSolidTorusAtom], 1);
  EXPECT_EQ(counts.Row(1)[kExternalAtom], 0);
  EXPECT_EQ(s1.Number(), 1);  // kept its own number, renamed by the counter
  EXPECT_EQ(s2.Number(), 2);  // had none: takes the counter
  EXPECT_STREQ(ObjectNameText(s2), "Solid torus 2");
  EXPECT_STREQ(ObjectNameText(x2), "Exceptional vertex 2");
  EXPECT_EQ(e1.Number(), 1);
  EXPECT_EQ(e3.Number(), 2);
  EXPECT_STREQ(ObjectNameText(e3), "Edge 2");
  EXPECT_EQ(e4.Number(), 3);  // an edge at an external atom is left alone

  // While names are suppressed the numbers change and the names stay.
  {
    TSuppressObjectNamesScope quiet(1);
    e3.SetNumber(9);
    NumberMoleculeComponents(edgeLists, vertexLists, counts);
  }
  EXPECT_EQ(e3.Number(), 2);
  EXPECT_STREQ(ObjectNameText(e3), "Edge 2");
  EXPECT_STREQ(ObjectNameText(x2), "Exceptional vertex 2");
  table.Clear();
}
