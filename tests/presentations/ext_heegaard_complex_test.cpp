// The cell complex of extended Heegaard diagrams: structure of the spine,
// curves, dual diagram, and the homology of plain diagrams built through
// their extended form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/output.h"
#include "heegaard_complex_support.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/vertex.h"
#include "presentations/heegaard/ext_heegaard_complex.h"
#include "presentations/heegaard/heegaard_extended_form.h"
#include "support/model_heap.h"

namespace {

std::string Numbers(const TExtHeegaardDiagram& x) {
  TOutput output;
  PrintExtHeegaardParameters(output, x);
  return output.Text();
}

TExtHeegaardDiagram Ext(long long a0, long long a1, long long a2, long long b0, long long b1,
                        long long b2) {
  TExtHeegaardDiagram x;
  x.Set(a0, a1, a2, b0, b1, b2);
  return x;
}

// Regular diagrams in normal form up to the given complexity.
std::vector<TExtHeegaardDiagram> RegularDiagrams(int maxComplexity) {
  std::vector<TExtHeegaardDiagram> found;
  for (int k = 1; k <= maxComplexity; ++k)
    for (int l = 1; l <= k; ++l)
      for (int m = 1; m <= l && k + l + m <= maxComplexity; ++m) {
        if (k % 2 != l % 2 || k % 2 != m % 2) continue;
        const int start = k % 2 == 0 ? 1 : 0;
        for (int b0 = start; b0 < l + m; b0 += 2)
          for (int b1 = start; b1 < k + m; b1 += 2)
            for (int b2 = start; b2 < k + l; b2 += 2) {
              TExtHeegaardDiagram x = Ext(k, l, m, b0, b1, b2);
              x.Normalize();
              if (x.IsRegular() == 0) continue;
              bool seen = false;
              for (const auto& y : found) seen = seen || y.Equals(x);
              if (!seen) found.push_back(x);
            }
      }
  return found;
}

struct TBuilt {
  int code = 0;
  int cells = 0;
  TAbelianGroup h1;
  TExtHeegaardDiagram dual;
};

TBuilt Build(const TExtHeegaardDiagram& x) {
  TComplex complex;
  TBuilt built;
  built.code = BuildExtHeegaardComplex(x, complex, &built.dual);
  built.cells = complex.Objects().CountOfKind(kCellKind);
  built.h1 = H1OfComplex(complex);
  return built;
}

const std::vector<TExtHeegaardDiagram>& Regular() {
  static const std::vector<TExtHeegaardDiagram> diagrams = RegularDiagrams(11);
  return diagrams;
}

TEST(ExtHeegaardComplex, RegularDiagramsGiveSpecialSpines) {
  TScopedModelHeap heap;
  int codes[5] = {0, 0, 0, 0, 0};
  for (const TExtHeegaardDiagram& x : Regular()) {
    TComplex complex;
    const int code = BuildExtHeegaardComplex(x, complex, nullptr);
    ASSERT_GE(code, 1);
    ASSERT_LE(code, 4);
    ++codes[code];
    TObjectManager& objects = complex.Objects();
    for (TObjectHeader* v = objects.First(kVertexKind); v != nullptr; v = objects.Next(v)) {
      ASSERT_TRUE(TVertex::HasSpecialNeighbourhood(v)) << Numbers(x);
    }
    for (TObjectHeader* e = objects.First(kEdgeKind); e != nullptr; e = objects.Next(e)) {
      ASSERT_EQ(TEdge::Valency(e), 3) << Numbers(x);
    }
    if (code != kExtBuildWrongCurves) {
      // Three discs, two pairs of pants of j - 1 regions each, three curves.
      EXPECT_EQ(objects.CountOfKind(kCellKind), 2 * x.Complexity() + 4) << Numbers(x);
    }
  }
  EXPECT_GT(codes[1], 10);
  EXPECT_GT(codes[3], 10);
  EXPECT_GT(codes[4], 10);
}

TEST(ExtHeegaardComplex, DualOfTheDualIsTheDiagram) {
  TScopedModelHeap heap;
  for (const TExtHeegaardDiagram& x : Regular()) {
    const TBuilt built = Build(x);
    if (built.code != kExtBuildDone) continue;
    TExtHeegaardDiagram dual = built.dual;
    dual.Normalize();
    const TBuilt back = Build(dual);
    ASSERT_EQ(back.code, kExtBuildDone) << Numbers(x) << " dual " << Numbers(dual);
    TExtHeegaardDiagram again = back.dual;
    again.Normalize();
    EXPECT_EQ(Numbers(again), Numbers(x)) << "dual " << Numbers(dual);
    EXPECT_EQ(back.h1, built.h1) << Numbers(x);
    EXPECT_EQ(dual.Complexity(), x.Complexity());
  }
}

TEST(ExtHeegaardComplex, KnownDuals) {
  TScopedModelHeap heap;
  EXPECT_EQ(Numbers(Build(Ext(1, 1, 1, 0, 0, 0)).dual), "1 1 1 0 0 0");
  EXPECT_EQ(Numbers(Build(Ext(3, 1, 1, 0, 0, 2)).dual), "1 1 3 2 0 0");
  EXPECT_EQ(Build(Ext(3, 3, 3, 2, 2, 4)).code, kExtBuildDualLoop);
  EXPECT_EQ(Build(Ext(3, 1, 1, 0, 0, 0)).code, kExtBuildWrongCurves);
  EXPECT_EQ(Build(Ext(3, 3, 3, 2, 1, 2)).code, kExtBuildNotRegular);
}

TEST(ExtHeegaardComplex, MeridianMovesKeepTheHomology) {
  TScopedModelHeap heap;
  int moved = 0;
  for (const TExtHeegaardDiagram& x : Regular()) {
    const TBuilt built = Build(x);
    if (built.code == kExtBuildWrongCurves) continue;
    for (int i = 0; i < 3; ++i) {
      const auto result = ExtMeridianMove(x, i);
      if (!result) continue;
      const TBuilt after = Build(*result);
      ASSERT_NE(after.code, kExtBuildWrongCurves) << Numbers(x) << " move " << i;
      EXPECT_EQ(after.h1, built.h1) << Numbers(x) << " move " << i << " -> " << Numbers(*result);
      ++moved;
    }
  }
  EXPECT_GT(moved, 30);
}

TEST(ExtHeegaardComplex, NonRegularDiagramsStillGetAllCells) {
  TScopedModelHeap heap;
  const TExtHeegaardDiagram cases[] = {Ext(0, 0, 0, 0, 0, 0), Ext(2, 2, 0, 1, 1, 0),
                                       Ext(-3, 2, 1, 0, 0, 0), Ext(4, 2, 2, 9, -1, 3)};
  for (const TExtHeegaardDiagram& x : cases) {
    TComplex complex;
    EXPECT_EQ(BuildExtHeegaardComplex(x, complex, nullptr), kExtBuildNotRegular) << Numbers(x);
    EXPECT_GE(complex.Objects().CountOfKind(kCellKind), 3);
  }
}

// ---- Plain diagrams through their extended form ----

TEST(HeegaardExtendedForm, ConversionAndDiscToDrop) {
  THeegaardDiagram empty;
  ASSERT_TRUE(empty.SetFromFour(0, 0, 0, 0, 0, 0));
  EXPECT_EQ(HeegaardExtendedForm(empty).result, 5);
  THeegaardDiagram lens;
  ASSERT_TRUE(lens.SetFromFour(0, 5, 1, 0, 2, 0));
  const THeegaardExtendedForm form = HeegaardExtendedForm(lens);
  EXPECT_EQ(form.result, 2);  // a = d = 0
  EXPECT_EQ(form.diagram.A(2), 0);
  EXPECT_EQ(form.dropPosition, 0);  // normal form (5, 1, 0): A(1) < A(0)
  THeegaardDiagram full;
  ASSERT_TRUE(full.SetFromFour(2, 1, 1, 1, 1, 2));
  const THeegaardExtendedForm fullForm = HeegaardExtendedForm(full);
  EXPECT_EQ(fullForm.result, 1);
  EXPECT_EQ(fullForm.dropPosition, 1);  // all three families: the separating disc goes
}

TEST(HeegaardExtendedForm, ComplexHasTheHomologyOfTheCurveRelations) {
  // The homology of the built complex against the abelianised curve words: an
  // independent check of the row formulas, the halving of the relations, the
  // extended form and the cells.
  TScopedModelHeap heap;
  int checked = 0;
  for (int a = 0; a <= 2; ++a)
    for (int b1 = 0; b1 <= 3; ++b1)
      for (int b2 = 0; b2 <= 1; ++b2)
        for (int c1 = 0; c1 <= 2; ++c1)
          for (int c2 = 0; c2 <= 1; ++c2)
            for (int d = 0; d <= 2; ++d) {
              const int n1 = a + b1 + b2 + d;
              const int n2 = a + c1 + c2 + d;
              for (int s1 = 0; s1 < std::max(n1, 1); ++s1)
                for (int s2 = 0; s2 < std::max(n2, 1); ++s2) {
                  THeegaardDiagram x;
                  if (!x.SetFromSix(a, b1, b2, c1, c2, d, s1, s2) || x.IsValid() == 0) continue;
                  if (x.CurveCount() != 2) continue;
                  const THeegaardExtendedForm form = HeegaardExtendedForm(x);
                  if (form.result == 5) continue;
                  TComplex complex;
                  BuildExtHeegaardComplex(form.diagram, complex, nullptr);
                  const TAbelianGroup expected = AsGroup(GroupOfRelations(x.CurveRelations()));
                  ASSERT_EQ(H1OfComplex(complex), expected)
                      << a << " " << b1 << " " << b2 << " " << c1 << " " << c2 << " " << d << " "
                      << s1 << " " << s2 << " -> " << Numbers(form.diagram);
                  ++checked;
                }
            }
  EXPECT_GT(checked, 500);
}

TEST(HeegaardTestSupport, GroupOfMatrixAgreesWithTwoGenerators) {
  const std::vector<std::array<std::int64_t, 2>> rows = {{4, 6}, {2, 10}};
  std::vector<std::vector<std::int64_t>> matrix;
  for (const auto& r : rows) matrix.push_back({r[0], r[1]});
  EXPECT_EQ(GroupOfMatrix(matrix, 2), AsGroup(GroupOfRelations(rows)));
  EXPECT_EQ(GroupOfMatrix({{2, 0, 0}, {0, 3, 0}}, 3), (TAbelianGroup{{6}, 1}));
}

}  // namespace
