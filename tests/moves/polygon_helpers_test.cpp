// The small routines of the polygon moves: turning quadruples, the chord
// crossing test, the canonical order of quadrangle sides by thick edges, the
// label merge of new boundary edges and the move texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/object_header.h"
#include "model/spine.h"
#include "moves/polygon_labels.h"
#include "moves/polygon_move_text.h"
#include "moves/polygon_quadruples.h"
#include "support/model_heap.h"

namespace {

TEST(PolygonHelpersTest, RotateFourTurnsByKPlaces) {
  struct Case {
    int k;
    int expected[4];
  };
  const Case cases[] = {
      {0, {1, 2, 3, 4}}, {1, {4, 1, 2, 3}}, {2, {3, 4, 1, 2}}, {3, {2, 3, 4, 1}}, {4, {1, 2, 3, 4}}, {-1, {1, 2, 3, 4}},
  };
  for (const Case& c : cases) {
    int v[4] = {1, 2, 3, 4};
    RotateFour(v[0], v[1], v[2], v[3], c.k);
    EXPECT_EQ(std::vector<int>(v, v + 4), std::vector<int>(c.expected, c.expected + 4)) << "k " << c.k;
  }
}

TEST(PolygonHelpersTest, ChordsCrossOnlyWhenTheyInterleaveStrictly) {
  struct Case {
    int a, b, c, d, expected;
  };
  const Case cases[] = {
      {0, 4, 2, 6, 0},  // interleaved
      {2, 6, 0, 4, 0},  // the same, pairs exchanged
      {4, 0, 6, 2, 0},  // each pair descending
      {0, 2, 3, 5, 1},  // side by side
      {0, 6, 2, 4, 1},  // nested
      {0, 3, 3, 6, 1},  // a shared end does not cross
      {1, 5, 1, 3, 1},  // shared first end, nested
      {2, 2, 0, 4, 1},  // a degenerate chord
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChordsDoNotCross(c.a, c.b, c.c, c.d), c.expected) << c.a << "," << c.b << " / " << c.c << "," << c.d;
}

// The thick edges t decide the turn; the edges e, lateral cells p and thick
// cells q follow. Letters stand for distinct thick edges.
TEST(PolygonHelpersTest, QuadrangleSidesTurnIntoCanonicalOrderByThickEdges) {
  struct Case {
    const char* t;
    int p[4];
    int turned;
    const char* tAfter;
    int eAfter[4];
    int pAfter[4];
  };
  const Case cases[] = {
      // Three equal: the odd one goes last.
      {"AAAB", {0, 1, 2, 3}, 0, "AAAB", {0, 1, 2, 3}, {0, 1, 2, 3}},
      {"BAAA", {0, 1, 2, 3}, 1, "AAAB", {1, 2, 3, 0}, {1, 2, 3, 0}},
      {"ABAA", {0, 1, 2, 3}, 1, "AAAB", {2, 3, 0, 1}, {2, 3, 0, 1}},
      {"AABA", {0, 1, 2, 3}, 1, "AAAB", {3, 0, 1, 2}, {3, 0, 1, 2}},
      // Two pairs: opposite or first-two pairs stay.
      {"ABAB", {0, 1, 2, 3}, 0, "ABAB", {0, 1, 2, 3}, {0, 1, 2, 3}},
      {"AABB", {0, 1, 2, 3}, 0, "AABB", {0, 1, 2, 3}, {0, 1, 2, 3}},
      // The pair (t1, t2) turns by one only when p0 and p2 differ.
      {"ABBA", {0, 1, 2, 3}, 1, "AABB", {3, 0, 1, 2}, {3, 0, 1, 2}},
      {"ABBA", {5, 1, 5, 3}, 0, "ABBA", {0, 1, 2, 3}, {5, 1, 5, 3}},
      // Three distinct with t1 = t3: the halves exchange.
      {"ABCB", {0, 1, 2, 3}, 1, "BABC", {1, 0, 3, 2}, {0, 3, 2, 1}},
      // t1 = t2: turn by 3 when p0 and p2 differ, else stay.
      {"ABBC", {0, 1, 2, 3}, 1, "BBCA", {1, 2, 3, 0}, {1, 2, 3, 0}},
      {"ABBC", {7, 1, 7, 3}, 0, "ABBC", {0, 1, 2, 3}, {7, 1, 7, 3}},
      // t2 = t3: turn by 2.
      {"ABCC", {0, 1, 2, 3}, 1, "CCAB", {2, 3, 0, 1}, {2, 3, 0, 1}},
      // t3 = t0: by 2 when p0 = p2, else by 1.
      {"ABCA", {7, 1, 7, 3}, 1, "CAAB", {2, 3, 0, 1}, {7, 3, 7, 1}},
      {"ABCA", {0, 1, 2, 3}, 1, "AABC", {3, 0, 1, 2}, {3, 0, 1, 2}},
      // t0 = t1 and t0 = t2 stay; four distinct stay.
      {"AABC", {0, 1, 2, 3}, 0, "AABC", {0, 1, 2, 3}, {0, 1, 2, 3}},
      {"ABAC", {0, 1, 2, 3}, 0, "ABAC", {0, 1, 2, 3}, {0, 1, 2, 3}},
      {"ABCD", {0, 1, 2, 3}, 0, "ABCD", {0, 1, 2, 3}, {0, 1, 2, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.t);
    int e[4] = {0, 1, 2, 3};
    char t[4] = {c.t[0], c.t[1], c.t[2], c.t[3]};
    int p[4] = {c.p[0], c.p[1], c.p[2], c.p[3]};
    int q[4] = {10, 11, 12, 13};
    EXPECT_EQ(TurnFourByThickEdges(e, t, p, q), c.turned);
    EXPECT_EQ(std::string(t, 4), c.tAfter);
    EXPECT_EQ(std::vector<int>(e, e + 4), std::vector<int>(c.eAfter, c.eAfter + 4));
    EXPECT_EQ(std::vector<int>(p, p + 4), std::vector<int>(c.pAfter, c.pAfter + 4));
  }
}

TEST(PolygonHelpersTest, CountDistinctOfFour) {
  const char* rows[] = {"AAAA", "AAAB", "ABAB", "ABCA", "ABCD"};
  int expected[] = {1, 2, 2, 3, 4};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(CountDistinctOfFour(rows[i]), expected[i]) << rows[i];
}

TEST(PolygonHelpersTest, LabelMergeKeepsTheCommonFlow) {
  struct Case {
    int before, after, merged;
  };
  const Case cases[] = {{3, 5, 3}, {3, -2, 0}, {4, 4, 4}, {-3, -7, -3}, {-7, -3, -3}, {0, 5, 0}, {5, 0, 0}, {-1, 1, 0}};
  for (const Case& c : cases) EXPECT_EQ(MergeRebuildLabel(c.before, c.after), c.merged) << c.before << "," << c.after;
  EXPECT_EQ(OtherSide(1), 2);
  EXPECT_EQ(OtherSide(2), 1);
  EXPECT_EQ(OtherSide(0), 1);
}

// A path u -B-> v1 -N-> v2 -A-> w in a complex: the new edge N takes the
// flow that runs through it, whichever way B and A point and whichever of
// them is passed first.
class RebuildHelperTest : public ::testing::Test {
 protected:
  TObjectHeader* Vertex() { return complex_.Objects().CreateObject(kVertexKind); }
  TObjectHeader* Edge(TObjectHeader* from, TObjectHeader* to) {
    TObjectHeader* e = complex_.Objects().CreateObject(kEdgeKind);
    TEdge::SetEndVertex(e, from, 1);
    TEdge::SetEndVertex(e, to, 2);
    return e;
  }
  static void Set(TObjectHeader* edge, int a, int b) {
    int values[4] = {a, b, 0, 0};
    TEdge::SetLabels(edge, values, 1);
  }
  TScopedModelHeap heap_;
  TComplex complex_;
};

TEST_F(RebuildHelperTest, NewEdgeTakesTheFlowThroughIt) {
  TObjectHeader* u = Vertex();
  TObjectHeader* v1 = Vertex();
  TObjectHeader* v2 = Vertex();
  TObjectHeader* w = Vertex();
  TObjectHeader* n = Edge(v1, v2);
  // B points into v1, A out of v2: labels read as they are.
  TObjectHeader* b = Edge(u, v1);
  TObjectHeader* a = Edge(v2, w);
  Set(b, 3, 3);
  Set(a, 5, -2);
  PolygonRebuildHelper(b, n, a);
  EXPECT_EQ(TEdge::Label(n, 0), 3);
  EXPECT_EQ(TEdge::Label(n, 1), 0);
  // B and A reversed (their labels read negated), passed in the other order.
  TObjectHeader* b2 = Edge(v1, u);
  TObjectHeader* a2 = Edge(w, v2);
  Set(b2, -4, 2);
  Set(a2, -4, 6);
  PolygonRebuildHelper(a2, n, b2);
  EXPECT_EQ(TEdge::Label(n, 0), 4);
  EXPECT_EQ(TEdge::Label(n, 1), -2);
  // An extra edge into v1 adds its flow to B's: 1 + 2 meets 5.
  TObjectHeader* x = Edge(u, v1);
  Set(x, 2, 0);
  Set(b, 1, 0);
  Set(a, 5, 0);
  PolygonRebuildHelper(b, n, a, x, nullptr);
  EXPECT_EQ(TEdge::Label(n, 0), 3);
  // A loop anywhere leaves the new edge alone.
  TObjectHeader* loop = Edge(v1, v1);
  Set(n, 9, 9);
  PolygonRebuildHelper(loop, n, a);
  EXPECT_EQ(TEdge::Label(n, 0), 9);
}

TEST(PolygonMoveTextTest, ShortAndLongFormsBySubtype) {
  TScopedModelHeap heap;
  TComplex complex;
  TObjectHeader* e[4];
  const char* names[4] = {"a", "b", "c", "d"};
  for (int i = 0; i < 4; ++i) {
    e[i] = complex.Objects().CreateObject(kEdgeKind);
    THandle(e[i]).SetName(nullptr, names[i]);
  }
  struct Case {
    int subtype;
    const char* text;
  };
  const Case cases[] = {
      {1, "Biangle: edges: a,b"},
      {2, "Triangle on 3 cells: edges: a,b,c"},
      {3, "Triangle on 2 cells (1 side): edges: a,b,c"},
      {4, "Triangle on 2 cells (2 sides): edges: a,b,c"},
      {5, "Triangle (on 2 cells 2 sides) with autocrossing: edges: a,b,c"},
      {7, "Quadrangle move: edges: a,b,c,d 7"},
      {14, "Quadrangle move: edges: a,b,c,d 14"},
  };
  for (const Case& c : cases) {
    TString text;
    EXPECT_EQ(ReportPolygonMove(text, c.subtype, e[0], e[1], e[2], e[3]), 1);
    EXPECT_STREQ(text.CStr(), c.text);
  }
  for (int subtype : {0, 15, 16}) {
    TString text;
    text.Append("kept");
    EXPECT_EQ(ReportPolygonMove(text, subtype, e[0], e[1], e[2], e[3]), 0);
    EXPECT_STREQ(text.CStr(), "kept");
  }
  int saved = QuietMode.exchange(1);
  TString quiet;
  quiet.Append("kept");
  EXPECT_EQ(ReportPolygonMove(quiet, 1, e[0], e[1], nullptr, nullptr), 0);
  EXPECT_STREQ(quiet.CStr(), "kept");
  QuietMode.store(saved);
}

}  // namespace
