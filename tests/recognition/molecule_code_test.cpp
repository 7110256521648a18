#include <gtest/gtest.h>

#include "model/edge.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "recognition/molecule_code.h"
#include "support/model_heap.h"

namespace {

THandle DiscAtom(TObjectTable& table, int a1, int a2) {
  THandle v(table.NewAtom(kSeifertAtom));
  TMoleculeVertex::ResetByType(v, kBaseDisk);
  TMoleculeVertex::AddPair(v, a1, 1);
  TMoleculeVertex::AddPair(v, a2, 1);
  return v;
}

void Join(TObjectTable& table, THandle a, THandle b) {
  THandle edge(table.NewMoleculeEdge(kTrueMoleculeEdge));
  TMoleculeEdge::SetGluingValues(edge, 0, 1, 1, 0);
  TEdge::SetEndVertex(edge, a, 1);
  TEdge::SetEndVertex(edge, b, 2);
}

}  // namespace

TEST(MoleculeCode, TwoDiscAtomsAndAVirtualAtom) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle x = DiscAtom(table, 2, 3);
  THandle y = DiscAtom(table, 2, 2);
  THandle open(table.NewAtom(kVirtualAtom));
  Join(table, y, x);
  Join(table, open, x);
  const TPieceCode code = BuildMoleculeCode(table);
  const int n = 3;
  const int e = 2;
  ASSERT_EQ(code.Size(), 18 + 2 * e + 15 * n);
  EXPECT_EQ(code.Type(), kCompoundCode);
  EXPECT_EQ(code.Word(13), 1);
  EXPECT_EQ(code.Word(16), n);
  EXPECT_EQ(code.Word(17), e);
  // Row 26 (pair counts) of the vertex table: 2, 2, 0.
  const int row26 = 18 + (26 - 12) * n;
  EXPECT_EQ(code.Word(row26), 2);
  EXPECT_EQ(code.Word(row26 + 1), 2);
  EXPECT_EQ(code.Word(row26 + 2), 0);
  // The edges as sorted pairs of positions, smaller first.
  const int edgesAt = 18 + 15 * n;
  EXPECT_EQ(code.Word(edgesAt), 1);
  EXPECT_EQ(code.Word(edgesAt + 1), 2);
  EXPECT_EQ(code.Word(edgesAt + 2), 1);
  EXPECT_EQ(code.Word(edgesAt + 3), 3);

  // Another shape compares different.
  TObjectTable chain;
  THandle a = DiscAtom(chain, 2, 3);
  THandle b = DiscAtom(chain, 2, 2);
  THandle c(chain.NewAtom(kVirtualAtom));
  Join(chain, a, b);
  Join(chain, b, c);
  EXPECT_NE(ComparePieceCodes(BuildMoleculeCode(chain), code), kCodeEqual);
  EXPECT_EQ(ComparePieceCodes(BuildMoleculeCode(table), code), kCodeEqual);
}

TEST(MoleculeCode, OrderOfVertices) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle seifert = DiscAtom(table, 2, 3);
  THandle other = DiscAtom(table, 2, 5);
  THandle virtual1(table.NewAtom(kVirtualAtom));
  THandle virtual2(table.NewAtom(kVirtualAtom));
  THandle table1(table.NewAtom(kExceptionalAtom));
  THandle table2(table.NewAtom(kExceptionalAtom));
  TMoleculeVertex::SetTriple(table1, {3, 0, 0});
  TMoleculeVertex::SetTriple(table2, {7, 0, 0});
  struct TCase {
    const TObjectHeader* a;
    const TObjectHeader* b;
    int answer;
  };
  const TCase cases[] = {
      {virtual1, virtual2, kCodeEqual}, {virtual1, seifert, kCodeLess}, {seifert, virtual1, kCodeGreater},
      {table1, seifert, kCodeGreater},  {virtual1, table1, kCodeLess},  {table1, table2, kCodeLess},
      {seifert, other, kCodeLess},      {seifert, seifert, kCodeEqual},
  };
  for (const TCase& c : cases) EXPECT_EQ(CompareMoleculeVertices(c.a, c.b), c.answer);
}
