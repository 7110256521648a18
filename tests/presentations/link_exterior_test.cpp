// The special spine of a link exterior and of its framed fillings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/status_reporter.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/object_header.h"
#include "model/vertex.h"
#include "moves/reduction.h"
#include "presentations/link.h"
#include "presentations/link_crossing.h"
#include "support/model_heap.h"

namespace {

struct TShape {
  int vertices = 0;
  int edges = 0;
  int cells = 0;
  bool special = false;
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
    if (link.IsClassical() == 0) ReduceCells(complex);
    shape = ShapeOf(complex);
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

}  // namespace
