// Signatures and dehydrated descriptions of the spines that the codes build.
#include <gtest/gtest.h>

#include <string>

#include "foundation/heap_string.h"
#include "foundation/output.h"
#include "foundation/status_reporter.h"
#include "model/complex.h"
#include "model/object_header.h"
#include "presentations/triangulations/dehydrated_description.h"
#include "model/details_description.h"
#include "presentations/triangulations/facets.h"
#include "presentations/triangulations/iso_signature.h"
#include "presentations/triangulations/tetrahedra.h"
#include "presentations/triangulations/triangulation_description.h"
#include "presentations/triangulations/triangulation_details.h"
#include "support/model_heap.h"

namespace {

std::string LastStatus() {
  TString text;
  GetLastStatusText(text);
  return text.CStr();
}

struct TCounts {
  int vertices;
  int edges;
  int cells;
};

TCounts CountsOf(const TComplex& complex) {
  return {complex.Objects().CountOfKind(kVertexKind), complex.Objects().CountOfKind(kEdgeKind),
          complex.Objects().CountOfKind(kCellKind)};
}

TEST(SpineCodes, SignatureOfTheSpineOfASignatureIsTheSignature) {
  struct TCase {
    const char* signature;
    int cells;  // edge classes of the triangulation
  };
  const TCase cases[] = {{"bkaagj", 2}, {"cMcabbgqs", 3}, {"cMcabbjaj", 3}, {"bkaajj", 2},
                         {"bkaajn", 2}, {"cPcbbbiht", 2}, {"cPcbbbdxm", 2}, {"fvPQcdecedekrsnrs", 6}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.signature);
    TScopedModelHeap heap;
    {
      ASSERT_TRUE(IsIsoSignatureText(c.signature));
      TDetailsDescription details;
      ASSERT_EQ(IsoSignatureToDetails(c.signature, details), 1);
      TComplex spine;
      ASSERT_EQ(details.BuildComplex(spine, 1), 1);
      const int n = details.DetailCount();
      TCounts counts = CountsOf(spine);
      EXPECT_EQ(counts.vertices, n);
      EXPECT_EQ(counts.edges, 2 * n);
      EXPECT_EQ(counts.cells, c.cells);

      TIsoSignature signature;
      EXPECT_EQ(signature.ComputeOfComplex(spine, 2), c.signature);
      TTriangulationDescription canonical;
      ASSERT_EQ(canonical.Parse(signature.CanonicalText()), 1) << signature.CanonicalText();
      EXPECT_EQ(CanonicalIsoSignature(canonical.Tetrahedra()), c.signature);
      EXPECT_EQ(signature.CanonicalText().rfind("\t\ttriangulation\r\n\r\n\tT1(", 0), 0u);
    }
    EXPECT_EQ(heap.LiveBlocks(), 0u);
  }
}

TEST(SpineCodes, DehydrationsOfSpinesComeBack) {
  for (const char* dehydration : {"baaaabj", "cabbbbaei", "cabbbbapt"}) {
    SCOPED_TRACE(dehydration);
    TScopedModelHeap heap;
    TDetailsDescription details;
    ASSERT_EQ(DehydrationToDetails(dehydration, details), 1);
    TComplex spine;
    ASSERT_EQ(details.BuildComplex(spine, 1), 1);
    TDehydratedDescription description;
    EXPECT_EQ(description.FromComplex(spine), dehydration);
  }
}

TEST(SpineCodes, FacetsOfTheFourSimplexBoundaryGiveTheSpineOfTheSphere) {
  TScopedModelHeap heap;
  TFacetsDescription facets;
  ASSERT_EQ(facets.Parse("facets [[1,2,3,4],[1,2,3,5],[1,2,4,5],[1,3,4,5],[2,3,4,5]]", nullptr, 1), 1);
  TTetrahedronList tetrahedra;
  facets.ToTetrahedra(tetrahedra);
  TDetailsDescription details;
  ASSERT_TRUE(DetailsFromTetrahedra(tetrahedra, details));
  TComplex spine;
  ASSERT_EQ(details.BuildComplex(spine, 1), 1);
  TCounts counts = CountsOf(spine);
  EXPECT_EQ(counts.vertices, 5);
  EXPECT_EQ(counts.edges, 10);
  EXPECT_EQ(counts.cells, 10);
  TIsoSignature signature;
  EXPECT_FALSE(signature.ComputeOfComplex(spine, 1).empty());
}

TEST(SpineCodes, TriangulationOfASpineReadsBackAsTheSameTriangulation) {
  TScopedModelHeap heap;
  TDetailsDescription details;
  ASSERT_EQ(IsoSignatureToDetails("fvPQcdecedekrsnrs", details), 1);
  TComplex spine;
  ASSERT_EQ(details.BuildComplex(spine, 1), 1);
  TTriangulationDescription triangulation;
  ASSERT_EQ(triangulation.FromComplex(spine), 1);
  EXPECT_EQ(triangulation.TetrahedronName(0), "v1");
  TOutput output;
  output.AppendText("\t\ttriangulation\r\n\r\n");
  for (int t = 0; t < triangulation.TetrahedronCount(); ++t) {
    output.NewLines(1);
    PrintTetrahedronLines(output, triangulation.Tetrahedra(), t, {"v1", "v2", "v3", "v4", "v5"});
  }
  output.AppendText("\r\n\t\tend\r\n");
  TTriangulationDescription back;
  ASSERT_EQ(back.Parse(output.Text()), 1) << output.Text();
  EXPECT_EQ(CanonicalIsoSignature(back.Tetrahedra()), "fvPQcdecedekrsnrs");

  // A complex that is no special spine has no triangulation.
  TComplex empty;
  TTriangulationDescription none;
  EXPECT_EQ(none.FromComplex(empty), 0);
  EXPECT_EQ(none.TetrahedronCount(), 0);
}

TEST(SpineCodes, DetailsAndTetrahedraConvertBothWays) {
  TScopedModelHeap heap;
  TTetrahedronList tetrahedra;
  std::size_t position = 0;
  ASSERT_EQ(DecodeIsoSignature("fvPQcdecedekrsnrs", tetrahedra, position), TIsoSigError::kNone);
  TDetailsDescription details;
  ASSERT_TRUE(DetailsFromTetrahedra(tetrahedra, details, nullptr));
  EXPECT_EQ(details.CheckComplete(1), 1);
  EXPECT_EQ(details.DetailAt(4).Number(), 5);
  TTetrahedronList back;
  std::vector<std::string> names;
  ASSERT_TRUE(TetrahedraFromDetails(details, back, &names));
  ASSERT_EQ(back.Count(), 5);
  for (int t = 0; t < 5; ++t) {
    EXPECT_EQ(back.At(t).detail, details.DetailAt(t).Object());
    for (int f = 0; f < 4; ++f) {
      EXPECT_EQ(back.At(t).neighbour[f], tetrahedra.At(t).neighbour[f]);
      EXPECT_EQ(back.At(t).gluing[f], tetrahedra.At(t).gluing[f]);
    }
  }
  EXPECT_EQ(names, std::vector<std::string>(5));
}

TEST(SpineCodes, UnreadableCodesAddNoDetailsAndSayWhy) {
  TScopedModelHeap heap;
  {
    TDetailsDescription details;
    EXPECT_EQ(IsoSignatureToDetails("  bkabgj  % destination out of range", details), 0);
    EXPECT_EQ(details.DetailCount(), 0);
    EXPECT_EQ(LastStatus(),
              "'bkabgj' is not an isomorphism signature: character 4 'b' names a tetrahedron beyond the 1 it has");
    EXPECT_EQ(IsoSignatureToDetails("bkaa*j", details), 0);
    EXPECT_EQ(LastStatus(), "'bkaa*j' is not an isomorphism signature: character 5 '*' is outside the signature alphabet");
    EXPECT_EQ(IsoSignatureToDetails("baaagj", details), 0);
    EXPECT_EQ(LastStatus(),
              "'baaagj' is not the isomorphism signature of a closed triangulation: character 2 'a' leaves a face unglued");
  }
  {
    TDetailsDescription details;
    EXPECT_EQ(DehydrationToDetails("baaacbj", details), 0);
    EXPECT_EQ(details.DetailCount(), 0);
    EXPECT_EQ(LastStatus(),
              "'baaacbj' is not a dehydrated description: letter 5 'c' names a tetrahedron beyond the 1 it has");
    EXPECT_EQ(DehydrationToDetails("babaaaa", details), 0);
    EXPECT_EQ(LastStatus(),
              "'babaaaa' is not a dehydrated description: its gluing bits call for 1 gluings to reached "
              "tetrahedra, not 2");
  }
}

}  // namespace
