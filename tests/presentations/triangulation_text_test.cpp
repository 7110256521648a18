#include <gtest/gtest.h>

#include <string>

#include "foundation/heap_string.h"
#include "foundation/output.h"
#include "foundation/status_reporter.h"
#include "presentations/triangulations/iso_signature_code.h"
#include "presentations/triangulations/tetrahedra.h"
#include "presentations/triangulations/triangulation_description.h"
#include "triangulation_homology_support.h"

namespace {

std::string LastStatus() {
  TString text;
  GetLastStatusText(text);
  return text.CStr();
}

TTetrahedronList FromSignature(const char* signature) {
  TTetrahedronList tetrahedra;
  std::size_t position = 0;
  EXPECT_EQ(DecodeIsoSignature(signature, tetrahedra, position), TIsoSigError::kNone);
  return tetrahedra;
}

std::string Written(const TTetrahedronList& tetrahedra) {
  TTriangulationDescription description;
  description.SetTetrahedra(tetrahedra);
  TOutput output;
  description.Write(output);
  return output.Text();
}

// The one-tetrahedron 3-sphere in named gluings, padded past the length
// below which no text is a triangulation.
constexpr const char* kOneTetrahedronSphere =
    "triangulation\n"
    "  T1(2,3,4) - T1(1,3,4)\n"
    "  T1(1,2,4) - T1(2,3,1)\n"
    "end\n";

TEST(TriangulationText, WriterGivesEachGluingOnceAndCommentsTheOtherSide) {
  EXPECT_EQ(Written(FromSignature("bkaagj")),
            "\t\ttriangulation\r\n\r\n"
            "\tT1(2,3,4) - T1(1,3,4)\r\n"
            "%\tT1(1,3,4) - T1(2,3,4)\r\n"
            "\tT1(1,2,4) - T1(2,3,1)\r\n"
            "%\tT1(1,2,3) - T1(4,1,2)\r\n"
            "\r\n\t\tend\r\n");
  TOutput output;
  TTriangulationDescription().Write(output);
  EXPECT_EQ(output.TextLength(), 0u);
}

TEST(TriangulationText, ReaderGluesVerticesInTheOrderWritten) {
  TTriangulationDescription description;
  ASSERT_EQ(description.Parse(kOneTetrahedronSphere), 1);
  ASSERT_EQ(description.TetrahedronCount(), 1);
  EXPECT_EQ(description.TetrahedronName(0), "t1");
  const TTetrahedron& t = description.Tetrahedra().At(0);
  EXPECT_EQ(t.neighbour[0], 0);
  EXPECT_EQ(t.gluing[0], (TVertexMap{1, 0, 2, 3}));
  EXPECT_EQ(t.gluing[2], (TVertexMap{1, 2, 3, 0}));
  EXPECT_EQ(CanonicalIsoSignature(description.Tetrahedra()), "bkaagj");

  // a(1,2,3) - b(1,2,4): face 3 of a onto face 2 of b, 1->1, 2->2, 3->4.
  ASSERT_EQ(description.Parse("triangulation a(1,2,3) - b(1,2,4) a(2,3,4)-b(2,3,4) "
                              "a(1,3,4)-b(1,3,4) a(1,2,4)-b(1,2,3) end"),
            1);
  const TTetrahedron& a = description.Tetrahedra().At(0);
  EXPECT_EQ(a.neighbour[3], 1);
  EXPECT_EQ(a.gluing[3], (TVertexMap{0, 1, 3, 2}));
  EXPECT_EQ(description.Tetrahedra().At(1).gluing[2], (TVertexMap{0, 1, 3, 2}));
}

TEST(TriangulationText, WrittenTextReadsBackToTheSameTriangulation) {
  for (const char* signature : {"bkaagj", "cMcabbjaj", "bkaajn", "cPcbbbdxm", "fvPQcdecedekrsnrs"}) {
    TTriangulationDescription description;
    ASSERT_EQ(description.Parse(Written(FromSignature(signature))), 1) << signature;
    EXPECT_EQ(CanonicalIsoSignature(description.Tetrahedra()), signature);
  }
}

TEST(TriangulationText, DetailLinesReadBackAsATriangulation) {
  TTetrahedronList tetrahedra = FromSignature("cPcbbbiht");
  std::vector<std::string> names = {"left", "right"};
  TOutput output;
  output.AppendText("\t\ttriangulation\r\n\r\n");
  for (int t = 0; t < tetrahedra.Count(); ++t) {
    output.NewLines(1);
    PrintTetrahedronLines(output, tetrahedra, t, names);
  }
  output.AppendText("\r\n\t\tend\r\n");
  std::string text = output.Text();
  EXPECT_NE(text.find("left(4,3,2) - "), std::string::npos) << text;
  EXPECT_NE(text.find("%right("), std::string::npos) << text;
  TTriangulationDescription description;
  ASSERT_EQ(description.Parse(text), 1) << text;
  EXPECT_EQ(description.TetrahedronName(1), "right");
  EXPECT_EQ(CanonicalIsoSignature(description.Tetrahedra()), "cPcbbbiht");

  TTetrahedronList open;
  open.Reset(1);
  TOutput lines;
  PrintTetrahedronLines(lines, open, 0, {});
  EXPECT_EQ(std::string(lines.Text()).substr(0, 22), "v1(4,3,2) - *(***)\r\nv1");
}

TEST(TriangulationText, EndIsAWordNotAPrefixOfANameAndCaseDoesNotMatter) {
  TTriangulationDescription description;
  ASSERT_EQ(description.Parse("TRIANGULATION\n"
                              " Endpoint(2,3,4) - ENDPOINT(1,3,4)\n"
                              " endpoint(1,2,4) - endpoint(2,3,1)\n"
                              "End\n"
                              "text after the end is not read ("),
            1);
  EXPECT_EQ(description.TetrahedronName(0), "endpoint");
  ASSERT_EQ(description.Parse("triangulation end(2,3,4) - end(1,3,4) end(1,2,4) - end(2,3,1) end"), 1);
  EXPECT_EQ(description.TetrahedronName(0), "end");
}

TEST(TriangulationText, RecognitionTest) {
  EXPECT_TRUE(IsTriangulationText(kOneTetrahedronSphere));
  EXPECT_TRUE(IsTriangulationText("% comment\nTriangulation a(1,2,3) - b(1,2,4) and so on"));
  EXPECT_FALSE(IsTriangulationText("triangulation a(1,2,3) - a(1,2,4) end  "));  // 42 characters
  EXPECT_FALSE(IsTriangulationText("facets [[1,2,3,4],[1,2,3,5],[1,2,4,5],[1,3,4,5],[2,3,4,5]]"));
}

TEST(TriangulationText, FailuresHaveTheirStatusAndMessage) {
  struct TCase {
    const char* gluings;
    int status;
    const char* message;
  };
  const TCase cases[] = {
      {"a(1,2,2) - b(1,2,4)", TTriangulationDescription::kRepeatedSymbol,
       "The specification 'a(1,2,2)' of tetrahedron face contains symbol '2' twice"},
      {"a(1,2,5) - b(1,2,4)", TTriangulationDescription::kUnsuitableSymbol,
       "The specification 'a(1,2,5)' of tetrahedron face contains unsuitable symbol '5'"},
      {"a(1,2) - b(1,2,4)", TTriangulationDescription::kNotThreeVertices,
       "The specification 'a(1,2)' of tetrahedron face should name three different vertices from 1 to 4"},
      {"a(1,2,3,4) - b(1,2,4)", TTriangulationDescription::kNotThreeVertices,
       "The specification 'a(1,2,3,4)' of tetrahedron face should name three different vertices from 1 to 4"},
      {"a(1,2,3) - b(1,2,4) a(1,2,3) - b(2,3,4)", TTriangulationDescription::kTetrahedronFaceRedefined,
       "Redifinition of gluing of tetrahedron 'a' face 4"},
      {"a(1,2,3) - a(3,2,1)", TTriangulationDescription::kTetrahedronFaceToItself,
       "Face 4 of tetrahedron 'a' glues with itself"},
      {"a(1,2,3) - b(1,2,4) and nothing more", TTriangulationDescription::kMissingParenthesis,
       "The specification of gluing number 2 'and nothing more end' in the singular triangulation code "
       "should contain '('"},
      {"(1,2,3) - b(1,2,4)", TTriangulationDescription::kMissingName,
       "The gluing number 1 '(1,2,3)' in the singular triangulation code names no tetrahedron before '('"},
      {"a_name_that_is_much_longer_than_forty_chars(1,2,3) - b(1,2,4)", TTriangulationDescription::kNameTooLong,
       "Tetrahedron name 'a_name_that_is_much_longer_than_forty_chars' is longer than 39 characters maximum"},
      {"a(1,2,3) - b(1,2,4) a(2,3,4)-b(2,3,4)", TTriangulationDescription::kGluingMissing,
       "The gluing of tetrahedron 'a' face 2 is not specified"},
  };
  for (const TCase& c : cases) {
    std::string text = std::string("triangulation                              ") + c.gluings + " end";
    TTriangulationDescription description;
    EXPECT_EQ(description.Parse(text), 0) << c.gluings;
    EXPECT_EQ(description.Status(), c.status) << c.gluings;
    EXPECT_EQ(LastStatus(), c.message) << c.gluings;
  }
  TTriangulationDescription description;
  EXPECT_EQ(description.Parse("triangulation                                        end"), 0);
  EXPECT_EQ(description.Status(), TTriangulationDescription::kNoGluing);
}

constexpr const char* kFacetsTriangulation =
    "triangulation [1,2,3,4] [1,2,3,5]\n"
    " (2,3,4) - (2,3,5)\n"
    " (1,3,4) - (1,3,5)\n"
    " (1,2,4) - (1,2,5)\n"
    "end";

TEST(TriangulationText, FacetsFormGluesFacesByLabels) {
  TTriangulationDescription description;
  ASSERT_EQ(description.Parse(kFacetsTriangulation), 1);
  ASSERT_EQ(description.TetrahedronCount(), 2);
  EXPECT_EQ(description.TetrahedronName(0), "");
  // Face {2,3,4} of the first (face 0) onto face {2,3,5} of the second (face 0), 4 -> 5.
  EXPECT_EQ(description.Tetrahedra().At(0).neighbour[0], 1);
  EXPECT_EQ(description.Tetrahedra().At(0).gluing[0], (TVertexMap{0, 1, 2, 3}));
  EXPECT_EQ(TriangulationHomology(description.Tetrahedra()), "0");
}

TEST(TriangulationText, FacetsFormFailures) {
  struct TCase {
    const char* gluings;
    int status;
    const char* message;
  };
  const TCase cases[] = {
      {"(2,3,4) - (2,3,6)", TTriangulationDescription::kNoSuchFace,
       "There is no tetrahedron with the face '(2,3,6)'"},
      {"(1,2,3) - (2,3,5)", TTriangulationDescription::kFaceRedefined,
       "Redefinition of gluin of the face '(1,2,3)'"},
      {"(2,3,4) - (4,3,2)", TTriangulationDescription::kFaceGluedToItself,
       "Polyhedron face '(2,3,4)' glues with itself"},
      {"(2,x,4) - (2,3,5)", TTriangulationDescription::kVertexNotANumber,
       "Unable to read number of vertex in face specification 'x'"},
      {"(2,0,4) - (2,3,5)", TTriangulationDescription::kVertexBelowOne,
       "Unsuitable number of vertex '0' in specification of polyhedron face"},
      {"(2,3,4,1) - (2,3,5)", TTriangulationDescription::kUnsuitableSymbol,
       "The specification '(2,3,4,1)' of tetrahedron face contains unsuitable symbol '1'"},
  };
  for (const TCase& c : cases) {
    std::string text = std::string("triangulation [1,2,3,4] [1,2,3,5] ") + c.gluings + " end";
    TTriangulationDescription description;
    EXPECT_EQ(description.Parse(text), 0) << c.gluings;
    EXPECT_EQ(description.Status(), c.status) << c.gluings;
    EXPECT_EQ(LastStatus(), c.message) << c.gluings;
  }
  TTriangulationDescription description;
  EXPECT_EQ(description.Parse("triangulation [1,2,3,4] [1,2,2,5] (2,3,4) - (2,3,5) end"), 0);
  EXPECT_EQ(description.Status(), TTriangulationDescription::kFacetsFailed);
  EXPECT_EQ(LastStatus(), "Facets: entry 2 [1,2,2,5] names the vertex label 2 twice");
}

}  // namespace

namespace {

// Every cut of a triangulation text is read or refused, never misread.
TEST(TriangulationText, EveryPrefixOfATextIsReadOrRefused) {
  const std::string full = Written(FromSignature("cPcbbbdxm"));
  for (std::size_t n = 0; n <= full.size(); ++n) {
    TTriangulationDescription description;
    if (description.Parse(full.substr(0, n)) == 1) {
      EXPECT_TRUE(description.Tetrahedra().IsClosed());
      EXPECT_EQ(CanonicalIsoSignature(description.Tetrahedra()), "cPcbbbdxm") << n;
    }
  }
  const std::string facets = "triangulation [1,2,3,4] [1,2,3,5] (2,3,4) - (2,3,5) (1,3,4)-(1,3,5) (1,2,4)-(1,2,5) end";
  for (std::size_t n = 0; n <= facets.size(); ++n) {
    TTriangulationDescription description;
    if (description.Parse(facets.substr(0, n)) == 1) {
      EXPECT_TRUE(description.Tetrahedra().IsClosed());
    }
  }
}

}  // namespace
