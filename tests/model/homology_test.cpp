#include "model/homology.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/checked_int64.h"
#include "model/edge.h"
#include "model/spine.h"
#include "presentations/cells/boundary_curves_presentation.h"
#include "support/model_heap.h"

namespace {

using List = std::vector<std::int32_t>;

// The homology list of the spine a cell presentation gives, read and split
// into components as the document parse does.
List HomologyOf(const char* text, int mode = 1) {
  TScopedModelHeap heap;
  TSpine spine;
  TBoundaryCurvesPresentation presentation;
  EXPECT_GT(presentation.Parse(text), 0) << text;
  presentation.BuildSpine(spine);
  spine.SplitIntoComponents();
  THomologyList list;
  EXPECT_EQ(list.Compute(spine, mode), 1) << text;
  return list.Elements();
}

TEST(Homology, KnownGroups) {
  struct TCase {
    const char* manifold;
    const char* text;
    List list;
  };
  const TCase cases[] = {
      {"twice-punctured 3-sphere", "1\n2\n1 2 -1 -2", {1}},
      {"one cell five times round a loop: Z_5", "a a a a a", {5}},
      {"a torus word: Z+Z", "a b -a -b", {0, 0}},
      {"RP^3 # RP^3, two components", "a a\nb b", {2, 2}},
      {"a tree", "1 -1", {1}},
      {"relation row (4, 6): Z_2+Z", "1 1 1 1 2 2 2 2 2 2", {2, 0}},
      {"projective plane and a sphere", "a a\nb -b", {2}},
      {"a pivot of -3 is 3", "-1 -1 -1", {3}},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(HomologyOf(c.text), c.list) << c.manifold;
  }
}

TEST(Homology, ComponentsAreListedInChainOrderAndModeTwoTakesOne) {
  // The component of the first cell stays at the head; the chain lists it first.
  EXPECT_EQ(HomologyOf("a a a\nb b\nc -c"), (List{3, 2}));
  EXPECT_EQ(HomologyOf("a a a\nb b\nc -c", 2), (List{3}));
}

TEST(Homology, GeneratorsAreTheEdgesOutsideASpanningTree) {
  TScopedModelHeap heap;
  TSpine spine;
  TBoundaryCurvesPresentation presentation;
  ASSERT_GT(presentation.Parse("1 2 3 -1 -2 -3"), 0);
  presentation.BuildSpine(spine);
  TObjectList generators;
  // Three edges among how many vertices decides how many generators remain:
  // V - 1 edges form the tree.
  int vertices = spine.Objects().CountOfKind(kVertexKind);
  EXPECT_EQ(HomologyGenerators(spine, generators, nullptr), 3 - (vertices - 1));
  EXPECT_EQ(generators.Count(), 3 - (vertices - 1));
}

// A graph with a cycle but no 2-cell has no relation matrix: the computation
// fails, appends nothing, and leaves the caller's heap current with no work
// heap behind.
TEST(Homology, NoCellStopsAndRestoresTheCallersHeap) {
  TScopedModelHeap heap;
  TSpine spine;
  TObjectManager& objects = spine.Objects();
  TObjectHeader* vertex = objects.CreateObject(kVertexKind);
  TObjectHeader* loop = objects.CreateObject(kEdgeKind);
  TEdge::SetEndVertex(loop, vertex, 1);
  TEdge::SetEndVertex(loop, vertex, 2);

  THeapHandle before = CurrentHeap();
  std::size_t blocks = heap.LiveBlocks();
  THomologyList list;
  EXPECT_EQ(list.Compute(spine, 1), 0);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(CurrentHeap(), before);
  EXPECT_EQ(heap.LiveBlocks(), blocks + 1);  // the list's own body, nothing else
  EXPECT_EQ(spine.ComputeHomology(), 0);
}

TEST(Homology, OverflowAppendsNothing) {
  TScopedModelHeap heap;
  THomologyList list;
  list.AppendElement(7);
  TIntMatrix m(2, 2);
  m.Row(0)[0] = INT32_MIN;
  m.Row(0)[1] = INT32_MIN;
  m.Row(1)[0] = INT32_MIN;
  m.Row(1)[1] = INT32_MAX;
  EXPECT_THROW(list.DiagonaliseMatrix(m), Out_of_Range);
  EXPECT_EQ(list.Elements(), List{7});
}

TEST(Homology, SpineKeepsItsListAndCopiesIt) {
  TScopedModelHeap heap;
  TSpine spine;
  TBoundaryCurvesPresentation presentation;
  ASSERT_GT(presentation.Parse("a a a a a"), 0);
  presentation.BuildSpine(spine);
  EXPECT_EQ(spine.HomologyList(), nullptr);
  EXPECT_EQ(spine.ComputeHomology(), 1);
  ASSERT_NE(spine.HomologyList(), nullptr);
  EXPECT_EQ(spine.HomologyList()->Elements(), List{5});
  TSpine copy;
  spine.CopyTo(copy);
  ASSERT_NE(copy.HomologyList(), nullptr);
  EXPECT_NE(copy.HomologyList(), spine.HomologyList());
  EXPECT_EQ(copy.HomologyList()->Elements(), List{5});
}

}  // namespace
