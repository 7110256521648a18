#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "foundation/checked_int64.h"
#include "model/edge.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "recognition/fibres.h"
#include "support/model_heap.h"

namespace {

TFibreRows PairsOf(const TObjectHeader* vertex) {
  TFibreRows rows;
  for (int i = 0; i < TMoleculeVertex::PairCount(vertex); ++i) {
    TFibreRow row;
    TMoleculeVertex::PairAt(vertex, i, row.a, row.b);
    rows.push_back(row);
  }
  return rows;
}

THandle SeifertAtom(TObjectTable& table, const TFibreRows& rows) {
  THandle v(table.NewAtom(kSeifertAtom));
  for (const TFibreRow& row : rows) TMoleculeVertex::AddPair(v, row.a, row.b);
  return v;
}

}  // namespace

TEST(NormalizeFibres, KnownNormalForms) {
  struct TCase {
    TFibreRows in;
    int mode;
    TFibreRows out;
  };
  const TCase cases[] = {
      // The Poincare-sphere-like example: the obstruction lands in (1, -1).
      {{{2, 1}, {3, 1}, {5, -4}}, 1, {{2, 1}, {3, 1}, {5, 1}, {1, -1}}},
      {{}, 1, {{1, 0}}},
      // Unsorted input with b > a: reduced into 0 < b < a.
      {{{3, 7}, {2, 1}}, 2, {{2, 1}, {3, 1}, {1, 2}}},
      // Mode 2 keeps the orientation, mode 1 flips to e >= (1 - n) / 2.
      {{{2, 1}, {3, 1}, {5, 1}, {1, -3}}, 2, {{2, 1}, {3, 1}, {5, 1}, {1, -3}}},
      {{{2, 1}, {3, 1}, {5, 1}, {1, -3}}, 1, {{2, 1}, {3, 2}, {5, 4}, {1, 0}}},
      // Mode 3 negates first.
      {{{2, 1}}, 3, {{2, 1}, {1, -1}}},
      {{{2, 1}}, 2, {{2, 1}, {1, 0}}},
      // A lone regular fibre: e made non-negative in mode 1 only.
      {{{1, -3}}, 1, {{1, 3}}},
      {{{1, -3}}, 2, {{1, -3}}},
      // A zero pair keeps |b| and sorts first.
      {{{2, 1}, {0, -1}}, 2, {{0, 1}, {2, 1}, {1, 0}}},
  };
  TScopedModelHeap heap;
  TObjectTable table;
  for (const TCase& c : cases) {
    THandle v = SeifertAtom(table, c.in);
    NormalizeFibres(v, c.mode);
    EXPECT_EQ(PairsOf(v), c.out) << "case with " << c.in.size() << " rows, mode " << c.mode;
  }
}

// Reversing the orientation negates every b_i; the mode-1 form must not see it.
TEST(NormalizeFibres, ModeOneIsTheSameForBothOrientations) {
  // Exceptional fibres only; the regular fibre (1, e) is added below, as
  // AddFibre keeps it: one row at most.
  const TFibreRows families[] = {
      {{2, 1}, {3, 1}, {5, 1}}, {{2, 1}, {2, 1}},         {{3, 1}, {3, 2}},
      {{2, 1}, {3, 2}, {7, 3}}, {{5, 2}},                 {{2, 1}, {4, 1}, {4, 3}},
      {{3, 1}, {5, 2}},         {{2, 1}, {2, 1}, {2, 1}, {2, 1}},
  };
  for (const TFibreRows& rows : families) {
    for (int shift = -3; shift <= 3; ++shift) {
      TFibreRows r = rows;
      r.push_back({1, shift});
      TFibreRows flipped = r;
      for (TFibreRow& row : flipped) row.b = -row.b;
      NormalizeFibreRows(r, 1);
      NormalizeFibreRows(flipped, 1);
      EXPECT_EQ(r, flipped) << "rows " << rows.size() << " shift " << shift;
      // The form is a fixed point.
      TFibreRows again = r;
      NormalizeFibreRows(again, 1);
      EXPECT_EQ(again, r);
    }
  }
}

TEST(NormalizeFibres, OverflowLeavesTheVertexAndOtherAtomsAreLeftAlone) {
  TScopedModelHeap heap;
  TObjectTable table;
  const TFibreRows big{{2, INT_MAX}, {2, INT_MAX}, {2, INT_MAX}};
  THandle v = SeifertAtom(table, big);
  EXPECT_THROW(NormalizeFibres(v, 2), Out_of_Range);
  EXPECT_EQ(PairsOf(v), big);

  THandle triple(table.NewAtom(kTripleAtom));
  TMoleculeVertex::AddPair(triple, 3, 7);
  NormalizeFibres(triple, 1);
  EXPECT_EQ(PairsOf(triple), (TFibreRows{{3, 7}}));
}

TEST(SortFibres, RunsAndTheLastRunsNegativeRow) {
  TFibreRows rows{{1, 2}, {3, 2}, {2, 1}, {3, 1}, {1, -5}, {1, 0}};
  SortFibres(rows);
  EXPECT_EQ(rows, (TFibreRows{{2, 1}, {3, 1}, {3, 2}, {1, 0}, {1, 2}, {1, -5}}));
}

TEST(CompareFibreRows, DecidesOnTheFirstDifferenceThenOnE) {
  EXPECT_EQ(CompareFibreRows({{3, 2}, {1, 0}}, {{3, 1}, {1, 0}}), 1);
  EXPECT_EQ(CompareFibreRows({{3, 1}, {1, 0}}, {{3, 2}, {1, 0}}), 0);
  EXPECT_EQ(CompareFibreRows({{3, 1}, {1, 2}}, {{3, 1}, {1, -1}}), 1);
  EXPECT_EQ(CompareFibreRows({{3, 1}, {1, 2}}, {{3, 1}, {1, -2}}), 1);
  EXPECT_EQ(CompareFibreRows({{3, 1}, {1, -2}}, {{3, 1}, {1, 2}}), 0);
  EXPECT_EQ(CompareFibreRows({{3, 1}}, {{3, 1}, {1, 0}}), 0);
}

TEST(AddFibre, PairsTwistsAndGluings) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle v(table.NewAtom(kSeifertAtom));
  AddFibre(v, -3, 2);
  EXPECT_EQ(PairsOf(v), (TFibreRows{{3, -2}}));
  AddFibre(v, 1, 0);
  EXPECT_EQ(PairsOf(v), (TFibreRows{{3, -2}}));

  THandle w(table.NewAtom(kSeifertAtom));
  TMoleculeVertex::AddPair(w, 3, 1);
  AddFibre(w, 1, 2);
  EXPECT_EQ(PairsOf(w), (TFibreRows{{3, 7}}));
  // Overflow leaves the pair.
  THandle big(table.NewAtom(kSeifertAtom));
  TMoleculeVertex::AddPair(big, 3, INT_MAX);
  EXPECT_THROW(AddFibre(big, 1, 1), Out_of_Range);
  EXPECT_EQ(PairsOf(big), (TFibreRows{{3, INT_MAX}}));

  // Without pairs and edges the twist is kept as a pair.
  THandle lone(table.NewAtom(kSeifertAtom));
  AddFibre(lone, 1, 4);
  EXPECT_EQ(PairsOf(lone), (TFibreRows{{1, 4}}));
}

TEST(AddFibre, ATwistWithoutPairsGoesIntoTheFirstGluing) {
  struct TCase {
    int end;
    TIntQuad gluing;
  };
  // With M = identity: T M = (1, 0; b, 1) at end 2, M T = (1, 0; -b, 1) at end 1.
  const TCase cases[] = {{2, {1, 0, 2, 1}}, {1, {1, 0, -2, 1}}};
  for (const TCase& c : cases) {
    TScopedModelHeap heap;
    TObjectTable table;
    THandle v(table.NewAtom(kSeifertAtom));
    THandle other(table.NewAtom(kVirtualAtom));
    THandle edge(table.NewMoleculeEdge(kTrueMoleculeEdge));
    TMoleculeEdge::SetGluingValues(edge, 1, 0, 0, 1);
    TEdge::SetEndVertex(edge, v, c.end);
    TEdge::SetEndVertex(edge, other, 3 - c.end);
    AddFibre(v, 1, 2);
    EXPECT_EQ(TMoleculeVertex::PairCount(v), 0);
    EXPECT_EQ(TMoleculeEdge::GluingQuad(edge), c.gluing) << "end " << c.end;
  }
}

TEST(FarEndOfEdge, SidesAndLoops) {
  TScopedModelHeap heap;
  TObjectTable table;
  THandle a(table.NewAtom(kSeifertAtom));
  THandle b(table.NewAtom(kVirtualAtom));
  THandle edge(table.NewMoleculeEdge(kTrueMoleculeEdge));
  TEdge::SetEndVertex(edge, a, 1);
  TEdge::SetEndVertex(edge, b, 2);
  THandle far;
  int side = -1;
  EXPECT_EQ(FarEndOfEdge(edge, a, far, side), 1);
  EXPECT_EQ(far.Object(), b.Object());
  EXPECT_EQ(side, 1);
  EXPECT_EQ(FarEndOfEdge(edge, b, far, side), 1);
  EXPECT_EQ(far.Object(), a.Object());
  EXPECT_EQ(side, 2);
  THandle loop(table.NewMoleculeEdge(kTrueMoleculeEdge));
  TEdge::SetEndVertex(loop, a, 1);
  TEdge::SetEndVertex(loop, a, 2);
  EXPECT_EQ(FarEndOfEdge(loop, a, far, side), 0);
  EXPECT_FALSE(far.IsValid());
  EXPECT_EQ(side, 0);
}
