#include "shell/triangulation_reports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/output.h"
#include "foundation/status_reporter.h"
#include "model/object_header.h"
#include "presentations/triangulations/iso_signature.h"
#include "presentations/triangulations/iso_signature_code.h"
#include "presentations/triangulations/tetrahedra.h"
#include "shell/document_commands.h"
#include "shell/document_spine.h"
#include "shell/spine_reports.h"
#include "support/census_table_support.h"

namespace {

// The summands of a group written "Z+Z_5" or "H_1=Z_5+Z", in a fixed order.
std::vector<std::string> Summands(std::string group) {
  if (group.rfind("H_1=", 0) == 0) group = group.substr(4);
  std::vector<std::string> summands;
  std::stringstream in(group);
  std::string summand;
  while (std::getline(in, summand, '+')) summands.push_back(summand);
  std::sort(summands.begin(), summands.end());
  return summands;
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\r')); }

struct TDocument {
  explicit TDocument(const std::string& text) : text(text) {
    nonEmpty = document.ParseDocumentText(text.c_str(), options);
  }
  std::string Homology() {
    TDocumentSpine::TScope scope(document);
    TOutput output;
    PrintHomologyGroupReport(document, output, 0);
    return output.Text();
  }
  std::string Signature(int* result = nullptr) {
    TDocumentSpine::TScope scope(document);
    TOutput output;
    int printed = PrintIsoSignature(document, output);
    if (result != nullptr) *result = printed;
    return output.Text();
  }
  std::string Dehydration(int* result = nullptr) {
    TDocumentSpine::TScope scope(document);
    TOutput output;
    int printed = PrintDehydratedDescription(document, output);
    if (result != nullptr) *result = printed;
    return output.Text();
  }
  std::string Triangulation(int fromText, int* result = nullptr) {
    TDocumentSpine::TScope scope(document);
    TOutput output;
    int printed = PrintTriangulation(document, text.c_str(), output, fromText);
    if (result != nullptr) *result = printed;
    return output.Text();
  }

  std::string text;
  TOptionValues options;
  TDocumentSpine document;
  int nonEmpty = 0;
};

// The closed chain of n tetrahedra (each folded onto itself, consecutive ones
// glued): a special spine with n vertices, given by its signature.
std::string ChainSignature(int n) {
  TTetrahedronList chain;
  chain.Reset(n);
  for (int t = 0; t < n; ++t) {
    chain.Glue(t, 0, t, {1, 0, 2, 3});
    chain.Glue(t, 2, (t + 1) % n, {0, 1, 3, 2});
  }
  return CanonicalIsoSignature(chain);
}

TEST(TriangulationReports, PublishedCodesParseToTheirManifolds) {
  struct TCase {
    const char* text;
    const char* homology;
  };
  const TCase cases[] = {
      {"bkaagj", "0"},
      {"cMcabbgqs", "0"},
      {"cMcabbjaj", "Z"},
      {"bkaajj", "Z_4"},
      {"bkaajn", "Z_5"},
      {"cPcbbbiht", "Z"},
      {"cPcbbbdxm", "Z+Z_5"},
      {"fvPQcdecedekrsnrs", "0"},
      {"cabbbbaei", "Z"},
      {"cabbbbapt", "Z+Z_5"},
      {"baaaabj", "0"},
      {"% the boundary of the 4-simplex\nfacets [[1,2,3,4],[1,2,3,5],[1,2,4,5],[1,3,4,5],[2,3,4,5]]", "0"},
  };
  for (const TCase& c : cases) {
    TDocument document(c.text);
    ASSERT_EQ(document.nonEmpty, 1) << c.text;
    EXPECT_EQ(Summands(FirstLine(document.Homology())), Summands(c.homology)) << c.text;
  }
  TDocument facets("facets [[1,2,3,4],[1,2,3,5],[1,2,4,5],[1,3,4,5],[2,3,4,5]]");
  TDocumentSpine::TScope scope(facets.document);
  TSpine& spine = facets.document.Spine();
  EXPECT_EQ(spine.Objects().CountOfKind(kVertexKind), 5);
  EXPECT_EQ(spine.Objects().CountOfKind(kEdgeKind), 10);
  EXPECT_EQ(spine.Objects().CountOfKind(kCellKind), 10);
  EXPECT_EQ(spine.SourceKind(), kSourceFacets);
  EXPECT_EQ(TDocument("cabbbbaei").document.Spine().SourceKind(), kSourceDehydrated);
}

TEST(TriangulationReports, SignatureReportGivesThePublishedStringBack) {
  for (const char* signature : {"bkaagj", "cMcabbgqs", "cMcabbjaj", "bkaajj", "bkaajn", "cPcbbbiht",
                                "cPcbbbdxm", "fvPQcdecedekrsnrs"}) {
    TDocument document(signature);
    int printed = 0;
    std::string report = document.Signature(&printed);
    EXPECT_EQ(printed, 1);
    EXPECT_EQ(report.rfind(std::string("%\tIsomorphism signature:\r\n\r\n") + signature + "\r\n\r\n"
                               "%\tCanonical labelling of specified triangulation:\r\n\r\n"
                               "\t\ttriangulation\r\n\r\n",
                           0),
              0u)
        << report;
  }
  EXPECT_EQ(TDocument("bkaajn").Signature(),
            "%\tIsomorphism signature:\r\n\r\nbkaajn\r\n\r\n"
            "%\tCanonical labelling of specified triangulation:\r\n\r\n"
            "\t\ttriangulation\r\n\r\n"
            "\tT1(2,3,4) - T1(3,4,1)\r\n"
            "%\tT1(1,3,4) - T1(4,2,3)\r\n"
            "\tT1(1,2,4) - T1(3,1,2)\r\n"
            "%\tT1(1,2,3) - T1(2,4,1)\r\n"
            "\r\n\t\tend\r\n\r\n");
}

TEST(TriangulationReports, DehydrationReportGivesTheCensusStringBack) {
  for (const char* text : {"cabbbbaei", "cabbbbapt", "baaaabj", "cPcbbbiht"}) {
    TDocument document(text);
    int printed = 0;
    std::string report = document.Dehydration(&printed);
    EXPECT_EQ(printed, 1) << text;
    if (std::string(text) == "cPcbbbiht") {
      EXPECT_EQ(report, "cabbbbaei\r\n");
    } else {
      EXPECT_EQ(report, std::string(text) + "\r\n");
    }
  }
}

TEST(TriangulationReports, SpinesWithoutACodeAreRefusedAndNeverGiveAStaleCode) {
  const std::string hint = "\r\n\r\n\r\nClick Sorvelin|Initial State to restore original text\r\n";
  struct TCase {
    std::string text;
    std::string signature;
    std::string dehydration;
  };
  const TCase cases[] = {
      {"a a a\nb b b\n", "Isomorphism signature is implemented for connected spines only",
       "Dehydrated description is defined for connected spines only"},
      {"1 2 -1 -2\n", "Isomorphism signature is implemented for special spines only",
       "Dehydrated description is defined for special spines only"},
  };
  for (const TCase& c : cases) {
    TDocument document(c.text);
    int printed = -1;
    EXPECT_EQ(document.Signature(&printed), c.signature + hint);
    EXPECT_EQ(printed, 0);
    EXPECT_EQ(document.Dehydration(&printed), c.dehydration + hint);
    EXPECT_EQ(printed, 0);
  }
  // One object computing for a special spine and then for others: the text
  // goes empty instead of keeping the earlier code.
  TIsoSignature signature;
  TDocument sphere("fvPQcdecedekrsnrs");
  TDocument disconnected("a a a\nb b b\n");
  TDocument notSpecial("1 2 -1 -2\n");
  auto compute = [&](TDocument& document, int mode) {
    TDocumentSpine::TScope scope(document.document);
    return signature.Compute(document.document.Spine(), mode);
  };
  EXPECT_EQ(compute(sphere, 2), "fvPQcdecedekrsnrs");
  EXPECT_EQ(compute(disconnected, 2), "");
  EXPECT_EQ(signature.CanonicalText(), "");
  EXPECT_EQ(compute(sphere, 1), "fvPQcdecedekrsnrs");
  EXPECT_EQ(compute(notSpecial, 1), "");
}

TEST(TriangulationReports, DehydrationStopsAtTwentyFiveVertices) {
  TDocument twentyFive(ChainSignature(25));
  ASSERT_EQ(twentyFive.document.Spine().Objects().CountOfKind(kVertexKind), 25);
  int printed = 0;
  std::string dehydration = twentyFive.Dehydration(&printed);
  EXPECT_EQ(printed, 1);
  EXPECT_EQ(dehydration.size(), 2u * 25 + 14 + 3 + 2);
  // The description reads back to the same spine.
  TDocument back(dehydration);
  EXPECT_EQ(FirstLine(back.Signature()).empty(), false);
  EXPECT_NE(back.Signature().find(ChainSignature(25)), std::string::npos);

  TDocument twentySix(ChainSignature(26));
  EXPECT_EQ(twentySix.Dehydration(&printed),
            "Dehydrated description is defined for spines with <=25 vertices only\r\n\r\n\r\n"
            "Click Sorvelin|Initial State to restore original text\r\n");
  EXPECT_EQ(printed, 0);
  EXPECT_NE(twentySix.Signature().find(ChainSignature(26)), std::string::npos);
}

TEST(TriangulationReports, UnreadableCodesBuildNoSpine) {
  for (const char* text : {"baaacbj", "baaaaby", "bkabgj", "bkaagy"}) {
    TDocument document(text);
    EXPECT_EQ(document.nonEmpty, 0) << text;
    EXPECT_TRUE(document.document.Spine().IsEmpty()) << text;
    std::string report = document.Signature();
    EXPECT_EQ(report.rfind("Unable to build special polyhedron!\r\n\r\n'", 0), 0u) << report;
    EXPECT_NE(report.find(std::string("'") + text + "' is not"), std::string::npos) << report;
  }
}

TEST(TriangulationReports, ParseOrderOfTheNotations) {
  // A signature is read from the first word; what follows is not read.
  EXPECT_EQ(TDocument("bkaajn and some words").nonEmpty, 1);
  // A dehydrated description before a signature: "baaaabj" has seven letters.
  EXPECT_EQ(TDocument("baaaabj").document.Spine().SourceKind(), kSourceDehydrated);
  EXPECT_EQ(TDocument("bkaagj").document.Spine().SourceKind(), kSourceDetails);
  // Texts that no recogniser takes fall back to the cell presentation.
  EXPECT_EQ(TDocument("a a a").document.Spine().SourceKind(), kSourceBoundaryCurves);
  EXPECT_EQ(DetectTextStyle("triangulation a(1,2,3) - b(1,2,4) and so on and so on"), kTriangulationStyle);
}

TEST(TriangulationReports, TriangulationReportReadsBackAndShowsWhatIsMissing) {
  int printed = 0;
  std::string report;
  {
    TDocument sphere("fvPQcdecedekrsnrs");
    report = sphere.Triangulation(1, &printed);
  }
  EXPECT_EQ(printed, 1);
  EXPECT_EQ(report.rfind("\t\ttriangulation\r\n\r\n\r\nv1(4,3,2) - v", 0), 0u) << report;
  EXPECT_EQ(report.substr(report.size() - 7), "\t\tend\r\n");
  {
    TDocument back(report);
    ASSERT_EQ(back.nonEmpty, 1) << report;
    EXPECT_NE(back.Signature().find("fvPQcdecedekrsnrs"), std::string::npos);
  }
  {
    // A triangulation text with a face left unglued: the reader's message in
    // a comment block, then what was read, the missing gluing shown.
    TDocument broken("triangulation\n a(1,2,3) - b(1,2,4)\n a(2,3,4) - b(2,3,4)\n"
                     " a(1,3,4) - b(1,3,4)\nend\n");
    EXPECT_EQ(broken.nonEmpty, 0);
    report = broken.Triangulation(1, &printed);
    EXPECT_EQ(printed, 1);
    EXPECT_NE(report.find("%%\r\nThe gluing of tetrahedron 'a' face 3 is not specified\r\n%%\r\n"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("a(2,1,4) - *(***)\r\n"), std::string::npos) << report;
  }
  {
    TDocument none("");
    EXPECT_EQ(none.Triangulation(1, &printed), "No gluing was found");
    EXPECT_EQ(printed, 0);
  }
}

TEST(TriangulationReports, ViewSwitchWritesATriangulationThatCountsAsParsed) {
  TDocument document("cPcbbbdxm");
  TDocumentSpine::TScope scope(document.document);
  TOutput output;
  ASSERT_EQ(ConvertPresentation(document.document, "cPcbbbdxm", kTriangulationStyle, document.options,
                                output),
            1);
  std::string text = output.Text();
  EXPECT_EQ(DetectTextStyle(text.c_str()), kTriangulationStyle);
  TOutput again;
  EXPECT_EQ(ConvertPresentation(document.document, text.c_str(), kTriangulationStyle, document.options,
                                again),
            0);
  TDocument back(text);
  EXPECT_EQ(Summands(FirstLine(back.Homology())), Summands("Z+Z_5"));
}

TEST(TriangulationReports, CensusSampleThroughTheSpine) {
  std::vector<TCensusEntry> entries = ReadCensusTable(CensusSamplePath());
  ASSERT_GE(entries.size(), 100u);
  for (const TCensusEntry& entry : entries) {
    TDocument document(entry.signature);
    ASSERT_EQ(document.nonEmpty, 1) << entry.name;
    EXPECT_EQ(Summands(FirstLine(document.Homology())), Summands(entry.homology)) << entry.name;
    EXPECT_NE(document.Signature().find("\r\n\r\n" + entry.signature + "\r\n\r\n"), std::string::npos)
        << entry.name;
  }
}

TEST(TriangulationReports, CommandsRunThroughTheView) {
  TOptionValues options;
  TCommandResult result = RunCommandOnText(21, "bkaajn\n", options);
  EXPECT_EQ(result.outcome, TCommandOutcome::kDone);
  EXPECT_NE(result.shown.find("\r\nbkaajn\r\n"), std::string::npos) << result.shown;

  result = RunCommandOnText(20, "cPcbbbiht", options);
  EXPECT_EQ(result.outcome, TCommandOutcome::kDone);
  EXPECT_EQ(result.shown, "cabbbbaei\r\n");

  result = RunCommandOnText(20, "a a a\nb b b\n", options);
  EXPECT_EQ(result.outcome, TCommandOutcome::kRefused);

  result = RunCommandOnText(12, "cPcbbbiht", options);
  EXPECT_EQ(result.outcome, TCommandOutcome::kDone);
  EXPECT_EQ(DetectTextStyle(result.shown.c_str()), kTriangulationStyle);
  // A text already in the style stays.
  TCommandResult again = RunCommandOnText(12, result.shown, options);
  EXPECT_EQ(again.outcome, TCommandOutcome::kDone);
  EXPECT_EQ(again.shown, result.shown);

  result = RunCommandOnText(19, "bkaagj", options);
  EXPECT_EQ(result.outcome, TCommandOutcome::kDone);
  EXPECT_EQ(result.shown.rfind("\t\ttriangulation\r\n\r\n\r\nv1(4,3,2) - v1(", 0), 0u) << result.shown;
}

}  // namespace
