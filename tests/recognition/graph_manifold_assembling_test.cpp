#include "recognition/graph_manifold_assembling.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "molecule_fixture.h"
#include "model/vertex.h"
#include "recognition/piece_recognition.h"
#include "support/model_heap.h"

namespace {

int Vertices(const TObjectTable& t) { return t.CountOfKind(kMoleculeVertexKind); }
int Edges(const TObjectTable& t) { return t.CountOfKind(kMoleculeEdgeKind); }

// The name the recognisers give to the assembled table.
std::string Recognize(TObjectTable& table) {
  TManifoldDescription d;
  auto copy = std::make_unique<TObjectTable>();
  table.CopyTo(*copy, nullptr, 2);
  d.SetMolecule(copy.release());
  if (RecognizeAssembledMolecule(d) == 0) return "";
  TOutput out;
  d.PrintPieceName(out);
  return out.Text();
}

}  // namespace

TEST(Assembling, SolidTorusAndDiscWithOneFibreCollapse) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle t = SolidTorusAtom(table, 1, 0);
  THandle d = SeifertAtom(table, kBaseDisk, {{3, 1}});
  Glue(table, t, d, 0, 1, 1, 0);
  AssembleItem(table, nullptr);
  EXPECT_EQ(Vertices(table), 1);
  EXPECT_EQ(Edges(table), 0);
}

TEST(Assembling, DiscWithTwoHalfFibresFilledIsALensSpace) {
  // (D^2; (2,1), (2,1)) filled along its boundary so that the meridian meets
  // the fibre once: the sphere with fibres (2,1), (2,1) and H_1 = Z_4.
  TScopedModelHeap heap;
  TObjectTable table;
  THandle d = SeifertAtom(table, kBaseDisk, {{2, 1}, {2, 1}});
  THandle t = SolidTorusAtom(table, 1, 0);
  Glue(table, t, d, 1, 0, 0, 1);
  AssembleItem(table, nullptr);
  ASSERT_EQ(Vertices(table), 1);
  EXPECT_EQ(TMoleculeVertex::Classify(table.First(kMoleculeVertexKind)), kBaseSphere);
  EXPECT_EQ(Recognize(table), "L(4,1)");
}

TEST(Assembling, AnnulusBetweenTwoSeifertAtomsIsRemoved) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle a = SeifertAtom(table, kBaseDisk, {{2, 1}, {3, 1}});
  THandle ring = SeifertAtom(table, kBaseAnnulus, {});
  THandle b = SeifertAtom(table, kBaseDisk, {{2, 1}, {5, 2}});
  Glue(table, a, ring, 0, 1, 1, 0);
  Glue(table, ring, b, 1, 1, 1, 0);
  AssembleItem(table, nullptr);
  EXPECT_EQ(Vertices(table), 2);
  ASSERT_EQ(Edges(table), 1);
  // The two gluings composed across the annulus, whose two boundary
  // sections run opposite ways: from b to a, (1 -1; 0 -1).
  TObjectHeader* e = table.First(kMoleculeEdgeKind);
  EXPECT_EQ(TMoleculeEdge::GluingQuad(e), (TIntQuad{1, -1, 0, -1}));
  EXPECT_TRUE(TEdge::HasEnd(e, a) && TEdge::HasEnd(e, b));
}

TEST(Assembling, AnnulusWhoseGluingsMatchFibresLeavesOnePiece) {
  // Fibre to section, then section to fibre: across the annulus fibre meets
  // fibre, and the two discs become one piece over the sphere.
  TScopedModelHeap heap;
  TObjectTable table;
  THandle a = SeifertAtom(table, kBaseDisk, {{2, 1}, {3, 1}});
  THandle ring = SeifertAtom(table, kBaseAnnulus, {});
  THandle b = SeifertAtom(table, kBaseDisk, {{2, 1}, {5, 2}});
  Glue(table, a, ring, 0, 1, 1, 0);
  Glue(table, ring, b, 0, 1, 1, 0);
  AssembleItem(table, nullptr);
  ASSERT_EQ(Vertices(table), 1);
  EXPECT_EQ(TMoleculeVertex::Classify(table.First(kMoleculeVertexKind)), kBaseSphere);
}

TEST(Assembling, FibreToFibreGluingMergesThePieces) {
  // Two discs glued fibre to fibre (M12 = 0, M11 = -M22) are one Seifert
  // piece over the sphere: (S^2; (2,1), (3,1), (2,1), (5,2)).
  TScopedModelHeap heap;
  TObjectTable table;
  THandle a = SeifertAtom(table, kBaseDisk, {{2, 1}, {3, 1}});
  THandle b = SeifertAtom(table, kBaseDisk, {{2, 1}, {5, 2}});
  Glue(table, a, b, -1, 0, 0, 1);
  AssembleItem(table, nullptr);
  ASSERT_EQ(Vertices(table), 1);
  TObjectHeader* v = table.First(kMoleculeVertexKind);
  EXPECT_EQ(TMoleculeVertex::Classify(v), kBaseSphere);
  EXPECT_EQ(TMoleculeVertex::PairCount(v), 4);
}

TEST(Assembling, NonMatchingFibresStayApart) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle a = SeifertAtom(table, kBaseDisk, {{2, 1}, {3, 1}});
  THandle b = SeifertAtom(table, kBaseDisk, {{2, 1}, {5, 2}});
  Glue(table, a, b, 0, 1, 1, 0);
  AssembleItem(table, nullptr);
  EXPECT_EQ(Vertices(table), 2);
  EXPECT_EQ(Edges(table), 1);
}

TEST(Assembling, DiscWithHalfFibresIsRefibredOverTheMobiusBand) {
  // (D^2; (2,1), (2,-1)) is also fibred over the Moebius band; glued to a
  // disc piece so that the second fibration matches, the two merge.
  TScopedModelHeap heap;
  TObjectTable table;
  THandle k = SeifertAtom(table, kBaseDisk, {{2, 1}, {2, -1}});
  THandle d = SeifertAtom(table, kBaseDisk, {{3, 1}, {5, 2}});
  Glue(table, k, d, 0, 1, 1, 0);
  AssembleItem(table, nullptr);
  ASSERT_EQ(Vertices(table), 1);
  TObjectHeader* v = table.First(kMoleculeVertexKind);
  EXPECT_EQ(TMoleculeVertex::FlagB(v), 0);  // over a non-orientable base
}

TEST(Assembling, ReportOfItems) {
  TScopedModelHeap heap;
  {
    TObjectTable table;
    SeifertAtom(table, kBaseSphere, {{2, 1}, {3, 1}, {5, 1}});
    TOutput out;
    EXPECT_EQ(AssembleMolecule(&table, nullptr, &out, -1), 1);
    const std::string text = out.Text();
    EXPECT_EQ(text.rfind("Manifold Is :", 0), 0u) << text;
    EXPECT_EQ(text.find("Item"), std::string::npos);
  }
  {
    TObjectTable table;
    SeifertAtom(table, kBaseSphere, {{2, 1}, {3, 1}, {5, 1}});
    SeifertAtom(table, kBaseSphere, {{2, 1}, {3, 1}, {7, 1}});
    SeifertAtom(table, kBaseSphere, {{3, 1}, {3, 1}, {3, 1}});
    TOutput out;
    TObjectTableList items;
    EXPECT_EQ(AssembleMolecule(&table, &items, &out, -1), 1);
    const std::string text = out.Text();
    EXPECT_NE(text.find("Manifold is a connected sum of 3 items :"), std::string::npos) << text;
    for (const char* item : {"Item 1 :", "Item 2 :", "Item 3 :"}) EXPECT_NE(text.find(item), std::string::npos);
    EXPECT_EQ(items.size(), 3u);
    FreeObjectTableList(items);
  }
  {
    TOutput out;
    EXPECT_EQ(AssembleMolecule(nullptr, nullptr, &out, -1), 0);
    EXPECT_STREQ(out.Text(), "Assembling failed : there is no labeled molecule");
  }
  {
    TObjectTable empty;
    TOutput out;
    PrintAssembledItem(empty, out);
    EXPECT_STREQ(out.Text(), "\tS^3\r\n");
  }
}

TEST(Assembling, FoldUnitFibres) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle v = SeifertAtom(table, kBaseSphere, {{3, 1}, {5, 2}, {1, -2}});
  FoldUnitFibres(&table, 1);
  ASSERT_EQ(TMoleculeVertex::PairCount(v), 2);
  int a = 0, b = 0;
  TMoleculeVertex::PairAt(v, 1, a, b);
  EXPECT_EQ(a, 5);
  EXPECT_EQ(b, -8);
}
