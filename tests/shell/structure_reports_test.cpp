#include "shell/structure_reports.h"

#include <gtest/gtest.h>

#include <string>

#include "model/homology.h"
#include "model/homology_normal_form.h"
#include "model/thickcell.h"
#include "shell/document_spine.h"
#include "shell/spine_reports.h"

namespace {

// S^3 with two balls removed: a torus with a meridian disc inside and a
// longitude disc outside.
const char* const kTwicePuncturedSphere = "1\n2\n1 2 -1 -2\n";
// One tetrahedron: L(5,2), and an even self-gluing whose dual spine has
// one-sided cells.
const char* const kLens52Details =
    "Details:\nD1 = 1: D1_2 {1 3 2} 2: D1_1 {1 3 2} 3: D1_4 {3 2 1} 4: D1_3 {3 2 1}\n";
const char* const kOneSidedDetails =
    "Details:\nD1 = 1: D1_2 {1 2 3} 2: D1_1 {1 2 3} 3: D1_4 {2 3 1} 4: D1_3 {3 1 2}\n";
// Two tetrahedra: an orientable manifold with a torus boundary.
const char* const kTorusDetails =
    "Details:\n"
    "A1 = 1: A1_2 {2 1 3} 2: A1_1 {2 1 3} 3: B2_1 {2 1 3} 4: B2_2 {1 3 2}\n"
    "B2 = 1: A1_3 {2 1 3} 2: A1_4 {1 3 2} 3: B2_4 {1 3 2} 4: B2_3 {1 3 2}\n";
// An edge of valency 2.
const char* const kNotThickenable = "1 2\n1 -2\n";

enum { kShortInformation = 16, kDetails = 18, kBoundary = 36 };

std::string Report(const char* text, int command) {
  TDocumentSpine document;
  document.ParseDocumentText(text, TOptionValues{});
  TOutput output;
  if (command == kShortInformation) PrintShortInformation(document, text, output);
  if (command == kDetails) PrintDetails(document, text, output, 1);
  if (command == kBoundary) PrintBoundary(document, output);
  return output.Text();
}

bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

TEST(StructureReports, ShortInformationOfTheTwicePuncturedSphere) {
  EXPECT_EQ(Report(kTwicePuncturedSphere, kShortInformation),
            "Cells    : 3\r\n"
            "Edges     :2\tFree edges : 0\r\n"
            "Vertices : 1\tSeparate vertices :0\r\n"
            "Spine is connected\r\n"
            "H_1=0\r\n"
            "2 Connected BoundaryComponent(s), 2 S^2\r\n"
            "Manifold is orientable\r\n");
}

TEST(StructureReports, ShortInformationOfKnownManifolds) {
  struct TCase {
    const char* name;
    const char* text;
    std::vector<const char*> parts;
  };
  const TCase cases[] = {
      {"L(5,2)", kLens52Details,
       {"Cells    : 2\r\n", "H_1=Z_5\r\n", "1 Connected BoundaryComponent(s), 1 S^2\r\n",
        "Manifold is orientable"}},
      {"torus boundary", kTorusDetails,
       {"Vertices : 2", "1 Connected BoundaryComponent(s), 1 T^2\r\n", "Manifold is orientable"}},
      {"Gieseking", "1 1 2 -1 -2 -2",
       {"H_1=Z\r\n", "1 Connected BoundaryComponent(s), 1 K^2\r\n",
        "Manifold is not orientable"}},
      {"edge of valency 2", kNotThickenable,
       {"Spine is not special\r\n", "Thicking error : Valency of Edge 1 equals 2\r\n"}},
      {"one-sided cells", kOneSidedDetails,
       {"Spine is not thickenable, 2 non-thickenable cells: Cell #1 Cell #2 \r\n"}},
  };
  for (const TCase& c : cases) {
    std::string report = Report(c.text, kShortInformation);
    for (const char* part : c.parts) EXPECT_TRUE(Contains(report, part)) << c.name << "\n" << report;
    EXPECT_EQ(Contains(report, "Manifold is"), c.parts.size() > 2) << c.name << "\n" << report;
  }
}

TEST(StructureReports, EmptySpine) {
  EXPECT_TRUE(Contains(Report("", kShortInformation), "Unable to build special polyhedron!"));
  EXPECT_EQ(Report("", kDetails), "There are no details!");
  EXPECT_TRUE(Contains(Report("", kBoundary), "Unable to build special polyhedron!"));
}

// What the spine of a text is made of: its counts and its homology.
struct TSpineFacts {
  int vertices = 0;
  int edges = 0;
  int cells = 0;
  int sourceKind = 0;
  std::vector<std::int32_t> homology;
};

TSpineFacts FactsOf(const char* text) {
  // One document at a time: a document's spine lives in the heap context it
  // installs.
  TDocumentSpine document;
  TSpineFacts facts;
  if (document.ParseDocumentText(text, TOptionValues{}) == 0) return facts;
  TSpine& spine = document.Spine();
  facts.vertices = spine.Objects().CountOfKind(kVertexKind);
  facts.edges = spine.Objects().CountOfKind(kEdgeKind);
  facts.cells = spine.Objects().CountOfKind(kCellKind);
  facts.sourceKind = spine.SourceKind();
  // The parse leaves the homology to the first report that asks.
  TDocumentSpine::TScope scope(document);
  spine.ComputeHomology();
  facts.homology = spine.HomologyList()->Elements();
  return facts;
}

// The details report reads back as the same spine.
TEST(StructureReports, DetailsReportBuildsTheSameSpine) {
  for (const char* text : {kTwicePuncturedSphere, kLens52Details, kTorusDetails}) {
    std::string details = Report(text, kDetails);
    ASSERT_EQ(details.rfind("\t\tDetails\r\n\r\n", 0), 0u) << details;
    TSpineFacts original = FactsOf(text);
    TSpineFacts again = FactsOf(details.c_str());
    EXPECT_EQ(again.sourceKind, kSourceDetails) << details;
    EXPECT_EQ(again.vertices, original.vertices) << details;
    EXPECT_EQ(again.edges, original.edges) << details;
    EXPECT_EQ(again.cells, original.cells) << details;
    EXPECT_EQ(HomologyGroupsEqual(again.homology, original.homology), 1) << details;
    EXPECT_EQ(Report(details.c_str(), kShortInformation), Report(text, kShortInformation));
  }
}

TEST(StructureReports, DetailsOfATextThatBuiltNothing) {
  // D2 is named but never defined: the reader's complaint appears as a
  // comment block, then what was read.
  std::string report = Report("Details:\nD1 = 1: D2_3 {1 2 3}\n", kDetails);
  EXPECT_TRUE(Contains(report, "%%\r\nDetail representation error : Gluing 2 of Detail 'D1' is "
                               "not defined!\r\n"))
      << report;
  EXPECT_TRUE(Contains(report, "%%\r\n\r\n\r\nD1 =\r\n\t1 :\tD2_3 { 1 2 3}")) << report;
}

TEST(StructureReports, ViewDetailsRewritesTheText) {
  TDocumentSpine document;
  TOutput output;
  EXPECT_EQ(ConvertPresentation(document, kTwicePuncturedSphere, kDetailsStyle, TOptionValues{},
                                output),
            1);
  EXPECT_EQ(DetectTextStyle(output.Text()), kDetailsStyle);
  TOutput unchanged;
  EXPECT_EQ(ConvertPresentation(document, kLens52Details, kDetailsStyle, TOptionValues{},
                                unchanged),
            0);
  TOutput refused;
  EXPECT_EQ(ConvertPresentation(document, "", kDetailsStyle, TOptionValues{}, refused), -1);
}

TEST(StructureReports, BoundaryOfTheTwicePuncturedSphere) {
  std::string report = Report(kTwicePuncturedSphere, kBoundary);
  EXPECT_TRUE(Contains(report, "Boundary is not connected 2 Connected BoundaryComponent(s), 2 S^2"))
      << report;
  EXPECT_TRUE(Contains(report, "Component 1 = { Cell #1+ Cell #3+ Cell #1- }")) << report;
  EXPECT_TRUE(Contains(report, "Boundary cells:")) << report;
  EXPECT_TRUE(Contains(report, "Cell #3+ = { 1_1, 2_2, -1_3, -2_2 }")) << report;
}

TEST(StructureReports, BoundaryOfKnownManifolds) {
  EXPECT_TRUE(Contains(Report(kLens52Details, kBoundary), "Boundary is connected - S^2\r\n"));
  EXPECT_TRUE(Contains(Report(kTorusDetails, kBoundary), "Boundary is connected - T^2\r\n"));
}

TEST(StructureReports, BoundaryOfASpineThatDoesNotThickenLeavesItUnthickened) {
  {
    TDocumentSpine document;
    document.ParseDocumentText(kOneSidedDetails, TOptionValues{});
    TOutput output;
    PrintBoundary(document, output);
    EXPECT_TRUE(Contains(output.Text(), "Spine is not thickenable, 2 non-thickenable cells\r\n"))
        << output.Text();
    EXPECT_FALSE(document.Spine().IsThickened());
    EXPECT_EQ(document.Spine().Objects().CountOfKind(kThickCellKind), 0);
  }
  {
    TDocumentSpine document;
    document.ParseDocumentText(kNotThickenable, TOptionValues{});
    TOutput output;
    PrintBoundary(document, output);
    EXPECT_STREQ(output.Text(), "\r\nThicking error : Valency of Edge 1 equals 2\r\n");
    EXPECT_FALSE(document.Spine().IsThickened());
    EXPECT_EQ(document.Spine().Objects().CountOfKind(kThickEdgeKind), 0);
  }
}

}  // namespace
