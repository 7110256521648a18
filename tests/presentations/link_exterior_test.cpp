// The special spine of a link exterior and of its framed fillings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "foundation/status_reporter.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/object_header.h"
#include "model/vertex.h"
#include "moves/reduction.h"
#include "presentations/links/link.h"
#include "presentations/links/link_crossing.h"
#include "heegaard_complex_support.h"
#include "support/model_heap.h"

namespace {

struct TShape {
  int vertices = 0;
  int edges = 0;
  int cells = 0;
  bool special = false;
  TAbelianGroup h1;
};

TShape ShapeOf(TComplex& complex) {
  TShape shape;
  TObjectManager& objects = complex.Objects();
  shape.vertices = objects.CountOfKind(kVertexKind);
  shape.edges = objects.CountOfKind(kEdgeKind);
  shape.cells = objects.CountOfKind(kCellKind);
  shape.special = shape.edges == 2 * shape.vertices && shape.vertices > 0;
  for (TObjectHeader* v = objects.First(kVertexKind); v != nullptr; v = objects.Next(v)) {
    shape.special &= TVertex::HasSpecialNeighbourhood(v);
  }
  for (TObjectHeader* e = objects.First(kEdgeKind); e != nullptr; e = objects.Next(e)) {
    shape.special &= TEdge::Valency(e) == 3;
  }
  return shape;
}

void ReduceCells(TComplex& complex) {
  for (int pass = 0; pass < 1000; ++pass) {
    if (RemoveSuperfluousVertex(complex) + RemoveSuperfluousEdge(complex) + RemoveNeedle(complex) == 0) break;
  }
}

// Parses the text and builds its exterior complex; the shape afterwards.
TShape Build(const std::string& text, int* result = nullptr) {
  TScopedModelHeap heap;
  TLink link;
  EXPECT_EQ(link.Parse(text.c_str(), kLinkParseOrdinary), 1) << text;
  TShape shape;
  {
    TComplex complex;
    std::vector<TCrossing> records;
    int lastRegion = 0;
    int built = link.BuildExteriorComplex(complex, records, lastRegion);
    if (result != nullptr) *result = built;
    EXPECT_EQ(built, 1) << text;
    if (link.IsClassical() == 0) ReduceCells(complex);
    shape = ShapeOf(complex);
    if (built != 0) shape.h1 = H1OfComplex(complex);
    records.clear();
  }
  return shape;
}

TEST(LinkExteriorTest, TrefoilExteriorIsSpecial) {
  TShape shape = Build("link code 1 -2 3 -1 2 -3 end");
  EXPECT_EQ(shape.edges, 24);
  EXPECT_EQ(shape.cells, 3 + 3 + 3 + 5);
  EXPECT_EQ(shape.vertices, 12);
  EXPECT_TRUE(shape.special);
}

TEST(LinkExteriorTest, TheTrivialFillingAddsOneVertexTwoEdgesAndTwoCells) {
  TShape kink = Build("link code 1 -1 end");
  TShape filled = Build("link code 1 -1 framing 1/0 end");
  EXPECT_EQ(filled.vertices, kink.vertices + 1);
  EXPECT_EQ(filled.edges, kink.edges + 2);
  EXPECT_EQ(filled.cells, kink.cells + 2);
  EXPECT_TRUE(filled.special);
}

// Every filling keeps the spine special, whatever the slope, the writhe and
// the number of components.
TEST(LinkExteriorTest, FramedFillingsStaySpecial) {
  const char* texts[] = {
      "link signs 1 code 1 -1 framing 0 end",
      "link signs 1 code 1 -1 framing 1 end",
      "link signs -1 code 1 -1 framing -1 end",
      "link signs 1 code 1 -1 framing 4 end",
      "link signs -1 code 1 -1 framing -4 end",
      "link signs 1 code 1 -1 framing 5/2 end",
      "link signs -1 code 1 -1 framing -7/3 end",
      "link signs 1 code 1 -1 framing 13/5 end",
      "link signs 1 code 1 -1 framing 1/3 end",
      "link code 1 -2 3 -1 2 -3 framing 4 end",
      "link code 1 -2 3 -1 2 -3 framing 7/2 end",
      "link code 1 -4 2 -1 3 -2 4 -3 framing -3/2 end",
      "link code 1 -2 framing 2 code 2 -1 framing 3 end",
      "link code 1 -2 framing 1/0 code 2 -1 framing 3 end",
      "link code 1 -2 framing 2/3 code 2 -1 framing 5/2 end",
      "link code 1 -2 framing 2 code 2 -1 end",
      "link code 1 -2 3 -4 framing 5 code -3 5 -1 2 -5 4 framing 7 end",
      "link code 1 -5 2 -6 framing 1 code -1 3 -2 4 framing 1 code -3 5 -4 6 framing 1 end",
  };
  for (const char* text : texts) EXPECT_TRUE(Build(text).special) << text;
}

TEST(LinkExteriorTest, SignsThatDoNotFitThePlaneAreRefused) {
  SuppressStatus();
  TScopedModelHeap heap;
  TLink link;
  ASSERT_EQ(link.Parse("link code 1 -2 3 -1 2 -3 signs 1 -1 1 end", kLinkParseOrdinary), 1);
  {
    TComplex complex;
    std::vector<TCrossing> records;
    int lastRegion = 0;
    EXPECT_EQ(link.BuildExteriorComplex(complex, records, lastRegion), 0);
    EXPECT_EQ(link.Status(), 27u);
    EXPECT_STREQ(link.ErrorText().CStr(), "The given signs are not valid");
    records.clear();
  }
  UnsuppressStatus();
}

TEST(LinkExteriorTest, SurfaceDiagramsGlueToSpecialSpinesWhenTheirRegionsAndWallsAreDiscs) {
  // A torus knot whose crossings cut the torus and its walls into discs.
  EXPECT_TRUE(Build("link t^2 signs 1 1 code -1 2 t1 1 -2 l1 end").special);
  // Two curves of the two directions, each with a kink so that its walls
  // are discs.
  EXPECT_TRUE(Build("link t^2 signs -1 1 1 code 1 2 -2 l1 code -1 3 -3 t1 end").special);
  EXPECT_TRUE(Build("link k^2 signs -1 1 1 code 1 2 -2 l1 code -1 3 -3 t1 end").special);
  // One curve leaves an annulus of the torus uncut.
  EXPECT_FALSE(Build("link t^2 signs 1 code 1 -1 l1 t1 end").special);
}

// The order of a finite group; 0 for an infinite one.
std::int64_t Order(const TAbelianGroup& g) {
  if (g.freeRank != 0) return 0;
  std::int64_t order = 1;
  for (std::int64_t t : g.torsion) order *= t;
  return order;
}

const TAbelianGroup kZ{{}, 1};

TEST(LinkExteriorTest, KnotExteriorsHaveTheHomologyOfACircle) {
  const char* texts[] = {
      "link code 1 -1 end",
      "link code 1 -2 3 -1 2 -3 end",
      "link dowkercode 4 6 2 end",
      "link dowkercode 4 6 8 2 end",
      "link code 1 -4 2 -1 3 -2 4 -3 end",
      "link dowkercode 6 8 10 2 4 end",
      "link dowkercode 4 8 10 2 12 6 end",
      "link code 1 -2 3 -1 2 -3 4 -5 6 -4 5 -6 end",
  };
  for (const char* text : texts) {
    TShape shape = Build(text);
    EXPECT_EQ(shape.h1, kZ) << text;
    EXPECT_TRUE(shape.special) << text;
  }
}

// Surgery on the unknot drawn with one kink of either sign: p/q gives the
// lens space L(p, q), so H_1 = Z_p, whatever the kink's writhe (a writhe not
// accounted for would show as Z_(p -+ 2)).
TEST(LinkExteriorTest, SurgeryOnAKinkGivesLensSpaces) {
  for (int sign : {1, -1}) {
    for (int q = 1; q <= 4; ++q) {
      for (int p = -7; p <= 7; ++p) {
        if (std::gcd(std::abs(p), q) != 1 || (p == 0 && q != 1)) continue;
        std::string framing = std::to_string(p) + (q == 1 ? "" : "/" + std::to_string(q));
        std::string text = "link signs " + std::to_string(sign) + " code 1 -1 framing " + framing + " end";
        TShape shape = Build(text);
        if (p == 0) {
          EXPECT_EQ(shape.h1, kZ) << text;
        } else {
          EXPECT_EQ(Order(shape.h1), std::abs(p)) << text;
        }
      }
    }
    TShape trivial = Build("link signs " + std::to_string(sign) + " code 1 -1 framing 1/0 end");
    EXPECT_EQ(trivial.h1, TAbelianGroup{}) << sign;
  }
}

TEST(LinkExteriorTest, SurgeryOnTheTrefoil) {
  for (int p = -6; p <= 6; ++p) {
    std::string text = "link code 1 -2 3 -1 2 -3 framing " + std::to_string(p) + " end";
    TShape shape = Build(text);
    if (p == 0) {
      EXPECT_EQ(shape.h1, kZ) << text;
    } else {
      EXPECT_EQ(Order(shape.h1), std::abs(p)) << text;
    }
  }
  EXPECT_EQ(Order(Build("link code 1 -2 3 -1 2 -3 framing 7/2 end").h1), 7);
  EXPECT_EQ(Order(Build("link dowkercode 4 6 8 2 framing -5/3 end").h1), 5);
}

// The Hopf link's components link once: framings a and b give |ab - 1|
// (p1 p2 - q1 q2 for slopes p1/q1 and p2/q2).
TEST(LinkExteriorTest, SurgeryOnTheHopfLink) {
  const int framings[] = {-3, -1, 0, 1, 2, 5};
  for (int a : framings) {
    for (int b : framings) {
      std::string text = "link code 1 -2 framing " + std::to_string(a) + " code 2 -1 framing " +
                         std::to_string(b) + " end";
      TShape shape = Build(text);
      std::int64_t expected = std::abs(a * b - 1);
      if (expected == 0) {
        EXPECT_EQ(shape.h1, kZ) << text;
      } else {
        EXPECT_EQ(Order(shape.h1), expected) << text;
      }
    }
  }
  EXPECT_EQ(Order(Build("link code 1 -2 framing 2/3 code 2 -1 framing 5/2 end").h1), 4);
  // One component filled: the exterior of the other in a lens space, a solid torus.
  EXPECT_EQ(Build("link code 1 -2 framing 3 code 2 -1 end").h1, kZ);
  EXPECT_EQ(Build("link code 1 -2 code 2 -1 framing 5/2 end").h1, kZ);
  EXPECT_EQ(Build("link code 1 -2 code 2 -1 end").h1, (TAbelianGroup{{}, 2}));
}

TEST(LinkExteriorTest, SurgeryOnLinksWithoutLinking) {
  // Whitehead link with framings 5 and 7: Z_5 + Z_7 = Z_35.
  EXPECT_EQ(Order(Build("link code 1 -2 3 -4 framing 5 code -3 5 -1 2 -5 4 framing 7 end").h1), 35);
  // Borromean rings with framings 1: a homology sphere.
  EXPECT_EQ(Build("link code 1 -5 2 -6 framing 1 code -1 3 -2 4 framing 1 code -3 5 -4 6 framing 1 end").h1,
            TAbelianGroup{});
}

// In the thickened torus every component adds one free generator to the two
// of the torus.
TEST(LinkExteriorTest, DiagramsOnTheTorusHaveFreeHomologyOfRankTwoPlusComponents) {
  EXPECT_EQ(Build("link t^2 signs 1 1 code -1 2 t1 1 -2 l1 end").h1, (TAbelianGroup{{}, 3}));
  EXPECT_EQ(Build("link t^2 signs 1 code 1 -1 l1 t1 end").h1, (TAbelianGroup{{}, 3}));
  EXPECT_EQ(Build("link t^2 signs -1 1 1 code 1 2 -2 l1 code -1 3 -3 t1 end").h1, (TAbelianGroup{{}, 4}));
  EXPECT_EQ(Build("link t^2 signs -1 code 1 l1 code -1 t1 end").h1, (TAbelianGroup{{}, 4}));
}

}  // namespace
