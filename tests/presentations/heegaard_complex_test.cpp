// The cells of genus-2 spines on a complex: the ordinary road (homology of
// lens spaces and of every small diagram) and the star road (complete
// gluings, special vertices, the handles opened).
#include <gtest/gtest.h>

#include <numeric>
#include <string>

#include "heegaard_complex_support.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/vertex.h"
#include "model/details_description.h"
#include "presentations/heegaard/ext_heegaard_complex.h"
#include "presentations/heegaard/heegaard_complex.h"
#include "presentations/heegaard/heegaard_extended_form.h"
#include "support/model_heap.h"

namespace {

THeegaardDiagram Read(const std::string& text) {
  THeegaardDiagram x;
  const char* end = nullptr;
  EXPECT_EQ(x.ParseText(text.c_str(), end), 1) << text;
  return x;
}

TEST(HeegaardComplex, SphereAndLensSpaces) {
  TScopedModelHeap heap;
  {
    TComplex complex;
    ASSERT_EQ(BuildHeegaardComplex(Read("heegaard 0 1 1 0 0 0"), complex), 2);
    EXPECT_EQ(H1OfComplex(complex), (TAbelianGroup{{}, 0}));
  }
  for (int p = 2; p <= 9; ++p) {
    for (int q = 1; q < p; ++q) {
      if (std::gcd(p, q) != 1) continue;
      const std::string text = "heegaard 0 " + std::to_string(p) + " 1 0 " + std::to_string(q) + " 0";
      TComplex complex;
      ASSERT_EQ(BuildHeegaardComplex(Read(text), complex), 2) << text;
      EXPECT_EQ(H1OfComplex(complex), (TAbelianGroup{{p}, 0})) << text;
    }
  }
}

TEST(HeegaardComplex, ResultCodesAndTheDroppedDisc) {
  TScopedModelHeap heap;
  THeegaardDiagram empty;
  ASSERT_TRUE(empty.SetFromFour(0, 0, 0, 0, 0, 0));
  TComplex untouched;
  EXPECT_EQ(BuildHeegaardComplex(empty, untouched), 5);
  EXPECT_TRUE(untouched.IsEmpty());

  // All three extended families have arcs: the separating disc (the second
  // cell built) is the one dropped, so one disc cell fewer than the extended
  // complex, and the diagram keeps its numbers.
  THeegaardDiagram x = Read("heegaard 2 1 1 1 1 2");
  TComplex complex;
  EXPECT_EQ(BuildHeegaardComplex(x, complex), 1);
  EXPECT_EQ(x.A(), 2);
  EXPECT_EQ(x.Shift2(), 2);
  TComplex extended;
  BuildExtHeegaardComplex(HeegaardExtendedForm(x).diagram, extended, nullptr);
  EXPECT_EQ(complex.Objects().CountOfKind(kCellKind),
            extended.Objects().CountOfKind(kCellKind) - 1);
  EXPECT_EQ(HeegaardExtendedForm(x).dropPosition, 1);
}

TEST(HeegaardComplex, HomologyOfEverySmallDiagramMatchesItsCurves) {
  TScopedModelHeap heap;
  int checked = 0;
  for (int a = 0; a <= 2; ++a)
    for (int b1 = 0; b1 <= 2; ++b1)
      for (int b2 = 0; b2 <= 1; ++b2)
        for (int c1 = 0; c1 <= 2; ++c1)
          for (int d = 0; d <= 2; ++d) {
            const int n1 = a + b1 + b2 + d;
            const int n2 = a + c1 + d;
            for (int s1 = 0; s1 < std::max(n1, 1); ++s1)
              for (int s2 = 0; s2 < std::max(n2, 1); ++s2) {
                THeegaardDiagram x;
                if (!x.SetFromSix(a, b1, b2, c1, 0, d, s1, s2) || x.IsValid() == 0) continue;
                if (x.CurveCount() != 2) continue;
                TComplex complex;
                if (BuildHeegaardComplex(x, complex) == 5) continue;
                ASSERT_EQ(H1OfComplex(complex), AsGroup(GroupOfRelations(x.CurveRelations())))
                    << a << " " << b1 << " " << b2 << " " << c1 << " " << d << " " << s1 << " "
                    << s2;
                ++checked;
              }
          }
  EXPECT_GT(checked, 300);
}

TEST(HeegaardStar, FormConditions) {
  THeegaardDiagram x;
  ASSERT_TRUE(x.SetFromSix(1, 0, 0, 0, 0, 1, 0, 0));
  EXPECT_TRUE(StarFormAllowed(x));
  ASSERT_TRUE(x.SetFromSix(1, 2, 0, 2, 0, 1, 0, 0));  // five curves
  EXPECT_FALSE(StarFormAllowed(x));
  ASSERT_TRUE(x.SetFromSix(2, 0, 0, 0, 0, 1, 0, 0));  // even a
  EXPECT_FALSE(StarFormAllowed(x));
  ASSERT_TRUE(x.SetFromSix(1, 1, 1, 0, 0, 1, 0, 0));  // inner arcs
  EXPECT_FALSE(StarFormAllowed(x));
}

TEST(HeegaardStar, DetailsGlueCompletelyAndTheHandlesOpen) {
  TScopedModelHeap heap;
  int built = 0;
  for (int a = 1; a <= 3; a += 2)
    for (int d = 1; d <= 3; d += 2)
      for (int b1 = 0; b1 <= 4; b1 += 2)
        for (int c1 = 0; c1 <= 2; c1 += 2)
          for (int s1 = 0; s1 < a + b1 + d; s1 += 2)
            for (int s2 = 0; s2 < a + c1 + d; s2 += 2) {
              THeegaardDiagram x;
              ASSERT_TRUE(x.SetFromSix(a, b1, 0, c1, 0, d, s1, s2));
              if (!StarFormAllowed(x)) continue;
              TDetailsDescription description;
              THeegaardStarBuild build;
              GlueHeegaardStarDetails(x, description, build);
              // The ring, and two rows of a + b1 + d + 1 and a + c1 + d + 1 details.
              ASSERT_EQ(description.DetailCount(), 2 * (a + d) + 2 * (2 * (a + d + 1) + b1 + c1));
              TComplex complex;
              ASSERT_EQ(description.BuildComplex(complex, 2), 1);
              TObjectManager& objects = complex.Objects();
              for (TObjectHeader* v = objects.First(kVertexKind); v != nullptr; v = objects.Next(v)) {
                ASSERT_TRUE(TVertex::HasSpecialNeighbourhood(v));
              }
              FindStarReferenceCells(build);
              ASSERT_TRUE(build.reference[0].IsValid());
              ASSERT_TRUE(build.reference[1].IsValid());
              const int cells = objects.CountOfKind(kCellKind);
              RemoveStarHandleCells(complex, build);
              EXPECT_EQ(objects.CountOfKind(kCellKind), cells - 4);
              ++built;
            }
  EXPECT_GT(built, 10);
}

}  // namespace
