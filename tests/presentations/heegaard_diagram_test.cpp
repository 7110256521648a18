// Genus-2 Heegaard diagrams: numbers and order, normal form, arc table and
// curves, first homology (lens spaces), meridian moves, dual diagram and
// complexity. The invariance sweeps run over every small valid diagram of two
// curves.
#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "foundation/int_matrix.h"
#include "heegaard_test_support.h"
#include "presentations/heegaard/heegaard_diagram.h"

namespace {

THeegaardDiagram Six(int a, int b1, int b2, int c1, int c2, int d, int s1, int s2) {
  THeegaardDiagram x;
  EXPECT_TRUE(x.SetFromSix(a, b1, b2, c1, c2, d, s1, s2));
  return x;
}

THeegaardDiagram Read(const char* text) {
  THeegaardDiagram x;
  const char* end = nullptr;
  EXPECT_EQ(x.ParseText(text, end), 1) << text;
  return x;
}

std::string Numbers(const THeegaardDiagram& x) {
  return std::to_string(x.A()) + " " + std::to_string(x.B1()) + " " + std::to_string(x.B2()) +
         " " + std::to_string(x.C1()) + " " + std::to_string(x.C2()) + " " +
         std::to_string(x.D()) + " " + std::to_string(x.Shift1()) + " " +
         std::to_string(x.Shift2());
}

TTwoGeneratorGroup H1(THeegaardDiagram x) { return GroupOfRelations(x.CurveRelations()); }

// Every valid diagram of kind 1 with counts up to `limit` (and all shifts),
// in normal form, without repetitions, that has exactly two curves.
std::vector<THeegaardDiagram> SmallDiagrams(int limit) {
  std::vector<THeegaardDiagram> found;
  for (int a = 0; a <= limit; ++a)
    for (int b1 = 0; b1 <= limit; ++b1)
      for (int b2 = 0; b2 <= limit; ++b2)
        for (int c1 = 0; c1 <= limit; ++c1)
          for (int c2 = 0; c2 <= limit; ++c2)
            for (int d = 0; d <= limit; ++d) {
              const int n1 = a + b1 + b2 + d;
              const int n2 = a + c1 + c2 + d;
              for (int s1 = 0; s1 < std::max(n1, 1); ++s1)
                for (int s2 = 0; s2 < std::max(n2, 1); ++s2) {
                  THeegaardDiagram x;
                  if (!x.SetFromSix(a, b1, b2, c1, c2, d, s1, s2) || x.IsValid() == 0) continue;
                  x.Normalize();
                  if (x.CurveCount() != 2) continue;
                  bool seen = false;
                  for (const auto& y : found) seen = seen || y.IsEqual(x);
                  if (!seen) found.push_back(x);
                }
            }
  return found;
}

const std::vector<THeegaardDiagram>& Sweep() {
  static const std::vector<THeegaardDiagram> diagrams = SmallDiagrams(2);
  return diagrams;
}

// ---- Numbers, setters, order ----

TEST(HeegaardDiagram, ConstructionAndSetters) {
  THeegaardDiagram fresh;
  EXPECT_EQ(fresh.A(), 0xFFFF);
  EXPECT_EQ(fresh.Shift2(), 0xFFFF);
  EXPECT_EQ(fresh.Kind(), 0);
  EXPECT_EQ(fresh.GetTag(), -1);
  EXPECT_EQ(fresh.GetTag2(), 0);
  EXPECT_EQ(fresh.Parent(), nullptr);

  THeegaardDiagram x = Six(1, 2, 0, 1, 0, 1, -1, 7);
  EXPECT_EQ(x.Kind(), 1);
  EXPECT_EQ(x.Shift1(), 3);  // N1 = 4
  EXPECT_EQ(x.Shift2(), 1);  // N2 = 3
  EXPECT_EQ(x.ArcSum(), 2 + 1 + 2 * (1 + 1));
  EXPECT_EQ(x.Parameter(4), 2);
  EXPECT_EQ(x.Parameter(2), -1);
  EXPECT_EQ(x.Shift(2), -1);

  // Code 4 writes b1 and clears b2; unknown codes and out-of-range values
  // change nothing.
  THeegaardDiagram y = Six(0, 2, 3, 0, 0, 0, 0, 0);
  EXPECT_TRUE(y.SetParameter(4, 4));
  EXPECT_EQ(y.B1(), 4);
  EXPECT_EQ(y.B2(), 0);
  EXPECT_FALSE(y.SetParameter(3, 1));
  EXPECT_FALSE(y.SetParameter(1, 65536));
  EXPECT_FALSE(y.SetParameter(1, -1));
  EXPECT_EQ(y.A(), 0);

  // N = 1 stores 0; N = 0 stores the value itself, refusing what 16 bits
  // cannot hold instead of wrapping it.
  THeegaardDiagram z = Six(0, 1, 0, 0, 0, 0, 0, 0);
  EXPECT_TRUE(z.SetShift(0, 5));
  EXPECT_EQ(z.Shift1(), 0);
  EXPECT_TRUE(z.SetShift(1, 9));
  EXPECT_EQ(z.Shift2(), 9);
  EXPECT_FALSE(z.SetShift(1, -1));
  EXPECT_FALSE(z.SetShift(1, 65536));
  EXPECT_EQ(z.Shift2(), 9);
  EXPECT_FALSE(z.SetShift(2, 0));

  // Whole-diagram setters refuse counts and disc-pair sizes beyond 16 bits.
  THeegaardDiagram w = Six(1, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_FALSE(w.SetFromSix(40000, 30000, 0, 0, 0, 0, 0, 0));
  EXPECT_FALSE(w.SetFromFour(-1, 0, 0, 0, 0, 0));
  EXPECT_EQ(Numbers(w), "1 0 0 0 0 0 0 0");
}

TEST(HeegaardDiagram, ValidityRules) {
  struct TCase {
    int numbers[8];
    int kind;
    int valid;
  };
  const TCase cases[] = {
      {{0, 1, 1, 1, 0, 0, 0, 0}, 1, 0},  // inner arcs on the first pair with arcs on the second
      {{0, 1, 0, 1, 1, 0, 0, 0}, 1, 0},  // the same on the second pair
      {{0, 0, 1, 1, 0, 0, 0, 0}, 1, 0},  // inner arcs without outer ones
      {{0, 1, 0, 0, 1, 0, 0, 0}, 1, 0},
      {{1, 2, 1, 0, 0, 0, 1, 0}, 1, 1},
      {{1, 2, 2, 0, 0, 0, 0, 0}, 1, 1},
      {{1, 2, 2, 1, 0, 0, 0, 0}, 1, 0},  // b1, b2 with arcs on the second pair
      {{1, 2, 0, 2, 0, 1, 0, 0}, 4, 1},   // star form: a, d odd, shifts even
      {{2, 2, 0, 2, 0, 1, 0, 0}, 4, 0},   // even a
      {{1, 2, 0, 2, 0, 1, 1, 0}, 4, 0},   // odd shift
      {{1, 1, 1, 0, 0, 1, 0, 0}, 4, 0},   // inner arcs
      {{1, 1, 1, 0, 0, 1, 0, 0}, 3, 1},   // the same passes the parity rules of kind 3
      {{1, 2, 1, 0, 0, 1, 0, 0}, 3, 0},   // b1, b2 of different parity
  };
  for (const TCase& c : cases) {
    const int* n = c.numbers;
    THeegaardDiagram x;
    ASSERT_TRUE(x.SetFromSix(n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7]));
    x.SetKind(c.kind);
    EXPECT_EQ(x.IsValid(), c.valid) << Numbers(x) << " kind " << c.kind;
  }
  // A shift equal to N1 (after the counts shrank under it) is invalid.
  THeegaardDiagram x = Six(1, 4, 0, 0, 0, 0, 4, 0);
  ASSERT_TRUE(x.SetParameter(5, 3));
  EXPECT_EQ(x.IsValid(), 0);
}

TEST(HeegaardDiagram, ValidityOfKindCountsCurves) {
  THeegaardDiagram twoCurves = Read("heegaard 0 1 1 0 0 0");
  EXPECT_EQ(twoCurves.IsValidOfKind(), 1);
  twoCurves.SetKind(2);
  EXPECT_EQ(twoCurves.IsValidOfKind(), 0);
  THeegaardDiagram oneCurve = Six(1, 0, 0, 0, 0, 0, 0, 0);
  ASSERT_EQ(oneCurve.CurveCount(), 1);
  oneCurve.SetKind(2);
  EXPECT_EQ(oneCurve.IsValidOfKind(), 1);
}

TEST(HeegaardDiagram, OrderAndComparison) {
  const THeegaardDiagram x = Six(1, 2, 0, 1, 0, 0, 1, 0);
  const THeegaardDiagram y = Six(1, 2, 0, 1, 0, 0, 2, 0);
  const THeegaardDiagram z = Six(1, 2, 0, 1, 0, 0, 1, 1);
  EXPECT_EQ(THeegaardDiagram::LessOrEqual(x, x), 1);
  EXPECT_EQ(THeegaardDiagram::GreaterOrEqual(x, x), 1);
  EXPECT_EQ(THeegaardDiagram::LessOrEqual(x, y), 1);
  EXPECT_EQ(THeegaardDiagram::LessOrEqual(y, x), 0);
  EXPECT_EQ(THeegaardDiagram::GreaterOrEqual(y, x), 1);
  // Differing only in shift2: ordered by shift2.
  EXPECT_EQ(THeegaardDiagram::LessOrEqual(x, z), 1);
  EXPECT_EQ(THeegaardDiagram::LessOrEqual(z, x), 0);
  EXPECT_EQ(x.Compare(y, 1), 0);
  EXPECT_EQ(x.Compare(y, 2), 1);
  EXPECT_EQ(x.IsEqual(x), 1);
  EXPECT_EQ(x.NotEqual(z), 1);
}

TEST(HeegaardDiagram, CopiesCarryTheArcTableDeeply) {
  THeegaardDiagram x = Read("heegaard 1 2 1 0 1 0");
  x.BuildArcTable(2);
  x.TraceCurves(2);
  x.SetTag(3).SetTag2(2);
  THeegaardDiagram copy(x);
  ASSERT_NE(copy.CurveArray(), nullptr);
  EXPECT_NE(copy.CurveArray(), x.CurveArray());
  EXPECT_TRUE(*copy.CurveArray() == *x.CurveArray());
  EXPECT_EQ(copy.GetTag(), 3);
  EXPECT_EQ(copy.GetTag2(), 2);
  THeegaardDiagram plain = Six(0, 1, 0, 1, 0, 0, 0, 0);
  copy.CopyFrom(plain);
  EXPECT_EQ(copy.CurveArray(), nullptr);
  EXPECT_EQ(Numbers(copy), Numbers(plain));
}

TEST(HeegaardDiagram, LivesOnThePrivateHeap) {
  THeegaardDiagram* x = THeegaardDiagram::New();
  ASSERT_NE(x, nullptr);
  EXPECT_TRUE(x->SetFromFour(0, 3, 1, 0, 1, 0));
  x->BuildArcTable(1);
  THeegaardDiagram::Delete(x);
}

// ---- Normal form ----

TEST(HeegaardNormalForm, ExchangesAAndDNegatingTheShifts) {
  THeegaardDiagram x = Six(1, 2, 0, 1, 0, 3, 1, 2);  // N1 = 6, N2 = 5
  x.Normalize();
  EXPECT_EQ(Numbers(x), "3 2 0 1 0 1 5 3");
}

TEST(HeegaardNormalForm, IsIdempotentAndKeepsTheTableOfANormalDiagram) {
  for (int limit = 0; limit <= 1; ++limit) {
    for (int a = 0; a <= 2; ++a)
      for (int b1 = 0; b1 <= 2; ++b1)
        for (int b2 = 0; b2 <= 1; ++b2)
          for (int c1 = 0; c1 <= 2; ++c1)
            for (int c2 = 0; c2 <= 1; ++c2)
              for (int d = 0; d <= 2; ++d) {
                const int n1 = a + b1 + b2 + d;
                const int n2 = a + c1 + c2 + d;
                for (int s1 = 0; s1 < std::max(n1, 1); ++s1)
                  for (int s2 = 0; s2 < std::max(n2, 1); ++s2) {
                    THeegaardDiagram x;
                    if (!x.SetFromSix(a, b1, b2, c1, c2, d, s1, s2) || !x.IsValid()) continue;
                    x.SetKind(limit == 0 ? 1 : 2);
                    x.Normalize();
                    const std::string once = Numbers(x);
                    x.BuildArcTable(2);
                    const TIntMatrix* table = x.CurveArray();
                    x.Normalize();
                    ASSERT_EQ(Numbers(x), once);
                    ASSERT_EQ(x.CurveArray(), table) << once;
                  }
              }
  }
}

TEST(HeegaardNormalForm, DropsTheTableWhenTheNumbersChange) {
  THeegaardDiagram x = Six(1, 0, 0, 0, 0, 3, 1, 2);
  x.BuildArcTable(1);
  x.Normalize();
  EXPECT_EQ(x.CurveArray(), nullptr);
}

TEST(HeegaardNormalForm, KeepsTheManifold) {
  // Describing one diagram differently (mirrored, handles exchanged) changes
  // neither the homology nor, after the normal form, the record.
  for (const THeegaardDiagram& x : Sweep()) {
    THeegaardDiagram mirrored = Six(x.D(), x.B1(), x.B2(), x.C1(), x.C2(), x.A(), -x.Shift1(),
                                    -x.Shift2());
    THeegaardDiagram exchanged = Six(x.A(), x.C1(), x.C2(), x.B1(), x.B2(), x.D(), x.Shift2(),
                                     x.Shift1());
    for (THeegaardDiagram* y : {&mirrored, &exchanged}) {
      ASSERT_EQ(H1(*y), H1(x)) << Numbers(x);
      y->Normalize();
      EXPECT_EQ(Numbers(*y), Numbers(x));
    }
  }
}

// ---- Arc table and curves ----

TEST(HeegaardArcTable, EmptyDiagramHasNoTableNoCurvesNoLoop) {
  THeegaardDiagram x = Six(0, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(x.BuildArcTable(1), 0);
  EXPECT_EQ(x.CurveArray(), nullptr);
  EXPECT_EQ(x.CurveCount(), 0);
  EXPECT_EQ(x.HasDualLoop(), 0);
  THeegaardDiagram dual;
  EXPECT_EQ(x.DualDiagram(dual), 0);
  EXPECT_TRUE(x.CurveRelations().empty());
}

TEST(HeegaardArcTable, RowsOfASmallDiagram) {
  // a = b1 = 1: the a arc's two pieces form one curve, the b arc the other.
  THeegaardDiagram x = Six(1, 1, 0, 0, 0, 0, 0, 0);
  x.BuildArcTable(2);
  ASSERT_NE(x.CurveArray(), nullptr);
  const TIntMatrix& t = *x.CurveArray();
  ASSERT_EQ(t.Rows(), 3u);
  ASSERT_EQ(t.Columns(), 10u);
  const int expected[3][4] = {{1, 2, 1, -1}, {2, 1, -1, 1}, {0, 0, 1, 1}};
  const int codes[3] = {3, 2, 4};
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) EXPECT_EQ(t.Row(r)[c], expected[r][c]) << r << "," << c;
    EXPECT_EQ(t.Row(r)[8], codes[r]);
  }
  EXPECT_EQ(x.TraceCurves(2), 2);
  EXPECT_EQ(t.Row(0)[4], 1);
  EXPECT_EQ(t.Row(1)[4], 1);
  EXPECT_EQ(t.Row(1)[9], 2);
  EXPECT_EQ(t.Row(2)[4], 2);
  EXPECT_EQ(x.RowOfPoint(2), 0);
  EXPECT_EQ(x.RowOfPoint(7), -1);
  // Traced once: a second call answers without tracing again.
  EXPECT_EQ(x.TraceCurves(2), 2);
}

TEST(HeegaardArcTable, LabelsInnerArcs) {
  THeegaardDiagram plain = Six(1, 2, 0, 0, 0, 0, 0, 0);
  plain.BuildArcTable(2);
  EXPECT_EQ(plain.CurveArray()->Row(2)[8], 4);
  THeegaardDiagram inner = Six(1, 2, 1, 0, 0, 0, 0, 0);
  inner.BuildArcTable(2);
  EXPECT_EQ(inner.CurveArray()->Row(2)[8], 5);
  EXPECT_EQ(inner.CurveArray()->Row(4)[8], 6);
  // Mode 1 reuses a table, mode 2 replaces it.
  const TIntMatrix* table = inner.CurveArray();
  inner.BuildArcTable(1);
  EXPECT_EQ(inner.CurveArray(), table);
}

TEST(HeegaardArcTable, EveryPointEndsExactlyTwoPieces) {
  for (const THeegaardDiagram& source : Sweep()) {
    THeegaardDiagram x(source);
    x.BuildArcTable(1);
    const TIntMatrix& t = *x.CurveArray();
    std::vector<int> ends(static_cast<std::size_t>(x.N1() + x.N2()), 0);
    for (std::uint32_t r = 0; r < t.Rows(); ++r) {
      ++ends[static_cast<std::size_t>(t.Row(r)[0])];
      ++ends[static_cast<std::size_t>(t.Row(r)[1])];
    }
    for (int e : ends) ASSERT_EQ(e, 2) << Numbers(x);
  }
}

TEST(HeegaardArcTable, CurveArcCountsSplitTheDiagram) {
  // b1 = 2 with shift 0 gives two b curves besides the c curve.
  THeegaardDiagram x = Read("heegaard 0 2 1 0 0 0");
  THeegaardDiagram parts[3];
  EXPECT_EQ(x.CurveArcCounts(parts, 2), 3);  // too little room: nothing written
  EXPECT_EQ(parts[0].A(), 0xFFFF);
  ASSERT_EQ(x.CurveArcCounts(parts, 3), 3);
  EXPECT_EQ(Numbers(parts[0]), "0 1 0 0 0 0 0 0");
  EXPECT_EQ(Numbers(parts[1]), "0 1 0 0 0 0 0 0");
  EXPECT_EQ(Numbers(parts[2]), "0 0 0 1 0 0 0 0");
  // The a and d pieces of a curve count as one arc each.
  THeegaardDiagram y = Six(1, 1, 0, 0, 0, 0, 0, 0);
  THeegaardDiagram two[2];
  ASSERT_EQ(y.CurveArcCounts(two, 2), 2);
  EXPECT_EQ(Numbers(two[0]), "1 0 0 0 0 0 0 0");
  EXPECT_EQ(Numbers(two[1]), "0 1 0 0 0 0 0 0");
}

// ---- Homology ----

TEST(HeegaardHomology, SphereAndLensSpaces) {
  EXPECT_EQ(H1(Read("heegaard 0 1 1 0 0 0")), CyclicGroup(1));
  for (int p = 1; p <= 13; ++p) {
    for (int q = 0; q < p; ++q) {
      if (std::gcd(p, q) != 1) continue;
      const std::string text = "heegaard 0 " + std::to_string(p) + " 1 0 " + std::to_string(q) +
                               " 0";
      THeegaardDiagram x = Read(text.c_str());
      ASSERT_EQ(x.CurveCount(), 2) << text;
      EXPECT_EQ(H1(x), CyclicGroup(p)) << text;
    }
  }
}

TEST(HeegaardHomology, RelationsAreHalfThePieceCoefficients) {
  // L(5,2): the b curve passes the first handle five times, the c curve the
  // second once; each passage is the end of two pieces.
  THeegaardDiagram x = Read("heegaard 0 5 1 0 2 0");
  const auto relations = x.CurveRelations();
  ASSERT_EQ(relations.size(), 2u);
  EXPECT_EQ(std::abs(relations[0][0]), 5);
  EXPECT_EQ(relations[0][1], 0);
  EXPECT_EQ(relations[1][0], 0);
  EXPECT_EQ(std::abs(relations[1][1]), 1);
}

// ---- Meridian moves, dual diagram, complexity ----

TEST(HeegaardMoves, MeridianMovesKeepTheHomology) {
  int moved = 0;
  for (const THeegaardDiagram& x : Sweep()) {
    THeegaardDiagram source(x);
    THeegaardDiagram results[4];
    const int n = source.MeridianMoves(results, 1);
    for (int k = 0; k < n; ++k) {
      ASSERT_EQ(results[k].IsValid(), 1) << Numbers(x) << " move " << results[k].GetTag2();
      ASSERT_EQ(results[k].CurveCount(), 2) << Numbers(x) << " -> " << Numbers(results[k]);
      EXPECT_EQ(H1(results[k]), H1(x)) << Numbers(x) << " -> " << Numbers(results[k]);
      EXPECT_EQ(results[k].Parent(), &source);
      EXPECT_GE(results[k].GetTag2(), 1);
      EXPECT_LE(results[k].GetTag2(), 4);
      ++moved;
    }
  }
  EXPECT_GT(moved, 100);
}

TEST(HeegaardMoves, FiltersByArcSum) {
  for (const THeegaardDiagram& x : Sweep()) {
    THeegaardDiagram source(x);
    THeegaardDiagram results[4];
    const int same = source.MeridianMoves(results, 2);
    for (int k = 0; k < same; ++k) EXPECT_EQ(results[k].ArcSum(), x.ArcSum());
    const int smaller = source.MeridianMoves(results, 3);
    for (int k = 0; k < smaller; ++k) EXPECT_LE(results[k].ArcSum(), x.ArcSum());
  }
}

TEST(HeegaardMoves, StarFormHasNoMoves) {
  THeegaardDiagram x = Read("heegaard * 1 2 2 1 0 0");
  THeegaardDiagram results[5];
  EXPECT_EQ(x.MeridianMoves(results, 1), 0);
  EXPECT_EQ(x.MeridianMovesAreNew(results, 1, 1), 0);
  int value = -7;
  EXPECT_EQ(x.Complexity(1, value), 0);
  EXPECT_EQ(value, -7);
  EXPECT_EQ(x.IsSimple(), 0);
}

TEST(HeegaardDual, ExamplesOfBothTemplates) {
  struct TCase {
    THeegaardDiagram source;
    const char* dual;
  };
  const TCase cases[] = {
      {Six(1, 1, 0, 0, 0, 0, 0, 0), "1 1 0 0 0 0 0 0"},  // first template: its own dual
      {Six(1, 1, 1, 0, 0, 0, 0, 0), "1 1 1 0 0 0 2 0"},  // second template
      {Six(1, 1, 1, 0, 0, 0, 2, 0), "1 1 1 0 0 0 0 0"},  // and back
      {Six(1, 1, 0, 1, 0, 0, 0, 1), "1 1 1 0 0 0 1 0"},
      {Six(0, 1, 0, 0, 0, 1, 0, 0), "1 1 0 0 0 0 0 0"},  // not normal: computed on the normal form
  };
  for (const TCase& c : cases) {
    THeegaardDiagram x(c.source);
    THeegaardDiagram dual;
    ASSERT_EQ(x.DualDiagram(dual), 1) << Numbers(c.source);
    EXPECT_EQ(Numbers(dual), c.dual) << Numbers(c.source);
  }
}

TEST(HeegaardDual, DiagramOfOneCurveIsItsOwnDual) {
  THeegaardDiagram x = Six(1, 0, 0, 0, 0, 0, 0, 0);
  ASSERT_EQ(x.CurveCount(), 1);
  ASSERT_EQ(x.HasDualLoop(), 0);
  THeegaardDiagram dual;
  ASSERT_EQ(x.DualDiagram(dual), 1);
  EXPECT_EQ(Numbers(dual), Numbers(x));
}

TEST(HeegaardDual, KeepsTheHomology) {
  int formed = 0;
  for (const THeegaardDiagram& x : Sweep()) {
    THeegaardDiagram source(x);
    THeegaardDiagram dual;
    if (source.DualDiagram(dual) == 0) continue;
    ++formed;
    ASSERT_EQ(dual.IsValid(), 1) << Numbers(x) << " -> " << Numbers(dual);
    ASSERT_EQ(dual.CurveCount(), 2) << Numbers(x) << " -> " << Numbers(dual);
    EXPECT_EQ(H1(dual), H1(x)) << Numbers(x) << " -> " << Numbers(dual);
  }
  EXPECT_GT(formed, 50);
}

TEST(HeegaardDual, LevelStepAddsTheDualWhenItIsNew) {
  int checked = 0;
  for (const THeegaardDiagram& source : Sweep()) {
    THeegaardDiagram x(source);
    THeegaardDiagram dual;
    if (x.DualDiagram(dual) == 0) continue;
    dual.Normalize();
    x.SetTag(4);
    THeegaardDiagram results[5];
    const int n = x.MeridianMovesAreNew(results, 1, 1);
    THeegaardDiagram moves[4];
    const int m = THeegaardDiagram(source).MeridianMoves(moves, 1);
    bool dualIsMove = dual.IsEqual(source);
    for (int k = 0; k < m; ++k) dualIsMove = dualIsMove || dual.IsEqual(moves[k]);
    ASSERT_EQ(n, m + (dualIsMove ? 0 : 1)) << Numbers(source);
    for (int k = 0; k < n; ++k) EXPECT_EQ(results[k].GetTag(), 5);
    if (!dualIsMove) {
      EXPECT_EQ(results[n - 1].GetTag2(), 5);
      EXPECT_EQ(Numbers(results[n - 1]), Numbers(dual));
      ++checked;
    }
    EXPECT_EQ(x.CurveArray(), nullptr);
  }
  EXPECT_GT(checked, 10);
}

TEST(HeegaardComplexity, LowersByTheExcessOfA) {
  THeegaardDiagram x = Six(5, 1, 0, 3, 0, 0, 0, 0);
  int value = 0;
  EXPECT_EQ(x.Complexity(0, value), 1);
  EXPECT_EQ(value, x.ArcSum() - (5 - 1 - 0));
  THeegaardDiagram balanced = Six(1, 1, 0, 1, 0, 1, 0, 0);
  EXPECT_EQ(balanced.Complexity(0, value), 0);
  EXPECT_EQ(value, balanced.ArcSum());
}

TEST(HeegaardComplexity, DualRuleOnlyInTheSearchModesThatAskForIt) {
  // A diagram whose dual is smaller by the a-excess rule.
  THeegaardDiagram x = Six(1, 1, 1, 0, 0, 0, 0, 0);
  int plain = 0;
  const int plainResult = x.Complexity(1, plain);
  HeegaardSearchMode = 3;
  int other = 0;
  EXPECT_EQ(x.Complexity(1, other), plainResult);
  EXPECT_EQ(other, plain);
  HeegaardSearchMode = 1;
  int withDual = 0;
  x.Complexity(1, withDual);
  EXPECT_LE(withDual, plain);
  HeegaardSearchMode = 0;
}

TEST(HeegaardSimple, SimpleForms) {
  EXPECT_EQ(Six(3, 1, 0, 2, 0, 1, 0, 2).IsSimple() == 1, true);  // b1 = 1, shift1 = 0
  THeegaardDiagram x = Six(0, 4, 0, 1, 0, 0, 1, 0);
  EXPECT_EQ(x.IsSimple(), 1);  // c1 = 1, shift2 = 0
  THeegaardDiagram y = Six(0, 5, 0, 0, 0, 0, 2, 0);
  EXPECT_EQ(y.IsSimple(), 1);  // no arcs between the pairs, no inner arcs
}

}  // namespace
