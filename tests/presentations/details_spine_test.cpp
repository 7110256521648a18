#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/output.h"
#include "foundation/status_reporter.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/detail.h"
#include "model/homology.h"
#include "model/homology_normal_form.h"
#include "model/spine.h"
#include "model/vertex.h"
#include "presentations/details/details_reader.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

namespace {

std::string LastStatus() {
  TString text;
  GetLastStatusText(text);
  return text.CStr();
}

// Collects every status text shown while it is alive.
class TStatusTrace {
 public:
  TStatusTrace() { SetTraceOutput(&output_); }
  ~TStatusTrace() { ClearTraceOutput(); }
  std::string Text() const { return output_.Text(); }

 private:
  TOutput output_;
};

// One tetrahedron with its faces glued in two pairs. Face maps written as the
// reader takes them (positions counted from 1).
const char* const kSphere =
    "Details:\nD1 = 1: D1_2 {1 3 2} 2: D1_1 {1 3 2} 3: D1_4 {2 1 3} 4: D1_3 {2 1 3}\n";
const char* const kLens52 =
    "Details:\nD1 = 1: D1_2 {1 3 2} 2: D1_1 {1 3 2} 3: D1_4 {3 2 1} 4: D1_3 {3 2 1}\n";
const char* const kLens41 =
    "Details:\nD1 = 1: D1_2 {1 3 2} 2: D1_1 {1 3 2} 3: D1_4 {1 3 2} 4: D1_3 {1 3 2}\n";
// Glued by an even map: the tetrahedron meets itself with reversed orientation.
const char* const kNonOrientable =
    "Details:\nD1 = 1: D1_2 {1 2 3} 2: D1_1 {1 2 3} 3: D1_4 {2 3 1} 4: D1_3 {3 1 2}\n";

std::vector<int> SortedLengths(TComplex& complex) {
  std::vector<int> lengths;
  for (int n = 0;; ++n) {
    THandle cell = complex.NthCell(n);
    if (!cell.IsValid()) break;
    lengths.push_back(TCell::BoundaryLength(cell));
  }
  std::sort(lengths.begin(), lengths.end());
  return lengths;
}

std::vector<std::int32_t> Homology(TSpine& spine) {
  THomologyList list;
  list.Compute(spine, 1);
  return list.Elements();
}

struct TOneTetrahedronCase {
  const char* name;
  const char* text;
  std::vector<int> cellLengths;
  int orientable;
  std::vector<std::int32_t> homology;  // as a homology list: {1} trivial, {n} Z_n
};

TEST(DetailsSpine, OneTetrahedronGivesOneVertexTwoEdgesTwoCells) {
  const TOneTetrahedronCase cases[] = {
      {"S^3", kSphere, {1, 5}, 1, {1}},
      {"L(5,2)", kLens52, {3, 3}, 1, {5}},
      {"L(4,1)", kLens41, {2, 4}, 1, {4}},
      {"non-orientable", kNonOrientable, {1, 5}, 0, {3}},
  };
  for (const TOneTetrahedronCase& c : cases) {
    TScopedModelHeap heap;
    {
      TDetailsDescription description;
      ASSERT_EQ(ParseDetails(description, c.text, 1), 1) << c.name << ": " << LastStatus();
      TSpine spine;
      ASSERT_EQ(description.BuildSpine(spine, 1), 1) << c.name;
      EXPECT_EQ(spine.SourceKind(), kSourceDetails) << c.name;
      EXPECT_EQ(HomologyGroupsEqual(Homology(spine), c.homology), 1) << c.name;
      EXPECT_EQ(spine.Objects().CountOfKind(kVertexKind), 1) << c.name;
      EXPECT_EQ(spine.Objects().CountOfKind(kEdgeKind), 2) << c.name;
      EXPECT_EQ(spine.Objects().CountOfKind(kCellKind), 2) << c.name;
      EXPECT_EQ(SortedLengths(spine), c.cellLengths) << c.name;
      EXPECT_EQ(description.Orient(), c.orientable) << c.name;
      // Every edge passes three times and the vertex is special.
      THandle vertex(spine.Objects().First(kVertexKind));
      EXPECT_TRUE(TVertex::HasSpecialNeighbourhood(vertex)) << c.name;
      // The vertex keeps the detail's name; the edges are named by face pairs.
      EXPECT_STREQ(vertex.DisplayName(), "D1") << c.name;
      EXPECT_STREQ(THandle(spine.Objects().First(kEdgeKind)).DisplayName(), "[D1_1;D1_2]");
    }
    EXPECT_EQ(heap.LiveBlocks(), 0u) << c.name;
  }
}

TEST(DetailsSpine, BuildingTwiceGivesTheSameNumbering) {
  TScopedModelHeap heap;
  TDetailsDescription description;
  ASSERT_EQ(ParseDetails(description, kLens52, 1), 1);
  TComplex first;
  TComplex second;
  ASSERT_EQ(description.BuildComplex(first, 1), 1);
  ASSERT_EQ(description.BuildComplex(second, 1), 1);
  for (int n = 0; n < 2; ++n)
    EXPECT_EQ(SignedWord(first.NthCell(n)), SignedWord(second.NthCell(n)));
  // Mode 2 keeps the details' vertices.
  TComplex third;
  ASSERT_EQ(description.BuildComplex(third, 2), 1);
  EXPECT_EQ(TDetail::Vertex(description.DetailAt(0)).Object(), third.Objects().First(kVertexKind));
  EXPECT_EQ(description.FindDetailOfVertex(third.Objects().First(kVertexKind)).Object(),
            description.DetailAt(0).Object());
}

TEST(DetailsSpine, IncompleteDetailsBuildNothing) {
  TScopedModelHeap heap;
  TDetailsDescription description;
  ASSERT_EQ(ParseDetails(description, "Details: D1 = 1: D1_2 {1 3 2}", 2), 1);
  TComplex spine;
  EXPECT_EQ(description.BuildComplex(spine, 1), 0);
  EXPECT_TRUE(spine.IsEmpty());
  EXPECT_EQ(LastStatus(), "Detail representation error : Gluing 4 of Detail 'D1' is not defined!");
}

// Details from a spine and back: the spine comes out with the same cells.
TEST(DetailsSpine, DetailsOfASpineBuildTheSameSpine) {
  for (const char* text : {kSphere, kLens52, kLens41, kNonOrientable}) {
    TScopedModelHeap heap;
    TDetailsDescription description;
    ASSERT_EQ(ParseDetails(description, text, 1), 1);
    TSpine spine;
    ASSERT_EQ(description.BuildSpine(spine, 1), 1);

    TDetailsDescription computed;
    ASSERT_EQ(computed.FromSpine(spine), 1) << text << LastStatus();
    EXPECT_EQ(computed.DetailCount(), 1);
    EXPECT_EQ(computed.Orient(), description.Orient()) << text;
    TSpine rebuilt;
    ASSERT_EQ(computed.BuildSpine(rebuilt, 1), 1);
    EXPECT_EQ(SortedLengths(rebuilt), SortedLengths(spine)) << text;
    EXPECT_EQ(HomologyGroupsEqual(Homology(rebuilt), Homology(spine)), 1) << text;
    EXPECT_EQ(rebuilt.Objects().CountOfKind(kEdgeKind), 2);
  }
}

TEST(DetailsSpine, SpineOfTwoDetailsRoundTrips) {
  // Two details glued face to face by the same odd map.
  const char* text =
      "Details:\n"
      "A1 = 1: B2_1 {1 3 2} 2: B2_2 {1 3 2} 3: B2_3 {1 3 2} 4: B2_4 {1 3 2}\n"
      "B2 = 1: A1_1 {1 3 2} 2: A1_2 {1 3 2} 3: A1_3 {1 3 2} 4: A1_4 {1 3 2}\n";
  TScopedModelHeap heap;
  TDetailsDescription description;
  ASSERT_EQ(ParseDetails(description, text, 1), 1);
  TComplex spine;
  ASSERT_EQ(description.BuildComplex(spine, 1), 1);
  EXPECT_EQ(spine.Objects().CountOfKind(kVertexKind), 2);
  EXPECT_EQ(spine.Objects().CountOfKind(kEdgeKind), 4);
  EXPECT_EQ(description.Orient(), 1);
  TDetailsDescription computed;
  ASSERT_EQ(computed.FromSpine(spine), 1) << LastStatus();
  ASSERT_EQ(computed.DetailCount(), 2);
  TComplex rebuilt;
  ASSERT_EQ(computed.BuildComplex(rebuilt, 1), 1);
  EXPECT_EQ(SortedLengths(rebuilt), SortedLengths(spine));
}

TEST(DetailsSpine, NonSpecialSpinesGiveNoDetails) {
  TScopedModelHeap heap;
  {
    // A vertex of valency 6: three loops at one vertex.
    TComplex spine;
    BuildComplexFromWords(spine, {{1, 2, 3}, {1, -2}, {3}});
    TDetailsDescription description;
    EXPECT_EQ(description.FromSpine(spine), 0);
    EXPECT_EQ(LastStatus(),
              "Detail representation error : Valency of vertex 'v1' is 6, should be less or equal 4");
    EXPECT_EQ(description.DetailCount(), 0);
  }
  {
    // An edge of valency 4.
    TComplex spine;
    BuildComplexFromWords(spine, {{1, 2}, {1, -2}, {1, 1}});
    TDetailsDescription description;
    TStatusTrace trace;
    EXPECT_EQ(description.FromSpine(spine), 0);
    EXPECT_NE(trace.Text().find(
                  "Detail representation error : Valency of edge '1' is 4, should be 1, 2 or 3"),
              std::string::npos)
        << trace.Text();
  }
  EXPECT_EQ(heap.LiveBlocks(), 0u);
}

}  // namespace
