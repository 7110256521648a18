#include <gtest/gtest.h>

#include <string>

#include "foundation/output.h"
#include "foundation/status_reporter.h"
#include "model/homology.h"
#include "shell/document_commands.h"
#include "shell/document_spine.h"
#include "shell/graph_code_report.h"
#include "shell/spine_reports.h"

namespace {

TEST(CrystallizationParse, ACodeInTheFirstLineIsReadAsACrystallization) {
  struct TCase {
    const char* text;
    const char* homology;
  } cases[] = {
      {"a*a*a", "H_1=0"},
      {"% the real projective space\r\n badc * cdab * dcba \r\n", "H_1=Z_2"},
      {"acdb*badc*dbac\r\nlater lines do not count", "H_1=Z"},
  };
  for (const TCase& c : cases) {
    TDocumentSpine document;
    TDocumentSpine::TScope scope(document);
    ASSERT_EQ(document.ParseDocumentText(c.text, TOptionValues{}), 1) << c.text;
    EXPECT_EQ(document.Spine().SourceKind(), kSourceCrystallization) << c.text;
    TOutput output;
    PrintHomologyGroupReport(document, output, 0);
    EXPECT_STREQ(output.Text(), c.homology) << c.text;
  }
}

TEST(CrystallizationParse, ANonManifoldCodeGivesNoSpineAndSaysWhy) {
  while (StatusSuppressionCount() != 0) UnsuppressStatus();
  UnmuteStatusLog();
  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  EXPECT_EQ(document.ParseDocumentText("abc*bca*cab", TOptionValues{}), 0);
  EXPECT_TRUE(document.Spine().IsEmpty());
  const std::string status = document.StatusText().CStr();
  EXPECT_EQ(status,
            "line 1: the crystallization \"abc*bca*cab\" is not a closed 3-manifold: its residue of "
            "colours 2, 3, 4 is a surface of Euler characteristic 0, not a sphere");
  TOutput output;
  EXPECT_EQ(PrintGraphCode(document, output), 0);
  EXPECT_NE(std::string(output.Text()).find("Unable to build special polyhedron!"), std::string::npos);
}

TEST(CrystallizationParse, OtherTextsStillReachTheCellPresentation) {
  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  ASSERT_EQ(document.ParseDocumentText("1\n2\n1 2 -1 -2\n", TOptionValues{}), 1);
  EXPECT_EQ(document.Spine().SourceKind(), kSourceBoundaryCurves);
}

TEST(GraphCodeReport, SaysSoWhenTheSpineHasNoGraphPart) {
  TDocumentSpine connected;
  TDocumentSpine::TScope connectedScope(connected);
  ASSERT_EQ(connected.ParseDocumentText("badc*cdab*dcba", TOptionValues{}), 1);
  TOutput one;
  EXPECT_EQ(PrintGraphCode(connected, one), 1);
  EXPECT_STREQ(one.Text(),
               "\r\n%\tSpine is connected\r\n"
               "Graph code : none (no free edges, no separate vertices)\r\n\r\n");

  // Two disjoint copies of the two-vertex crystallization of S^3.
  TDocumentSpine twoComponents;
  TDocumentSpine::TScope twoComponentsScope(twoComponents);
  ASSERT_EQ(twoComponents.ParseDocumentText("ab*ab*ab", TOptionValues{}), 1);
  TOutput two;
  EXPECT_EQ(PrintGraphCode(twoComponents, two), 1);
  EXPECT_STREQ(two.Text(),
               "\r\n%\tSpine is not connected : 2 connected components\r\n"
               "\tComponent 1\r\nGraph code : none (no free edges, no separate vertices)\r\n"
               "\r\n\r\n\tComponent 2\r\nGraph code : none (no free edges, no separate vertices)"
               "\r\n\r\n");
}

TEST(GraphCodeReport, IsABuiltInCommandOfTheView) {
  ASSERT_TRUE(BuiltInDocumentCommands().Has(32));
  TCommandResult report = RunCommandOnText(32, "ab*ab*ab", TOptionValues{});
  EXPECT_EQ(report.outcome, TCommandOutcome::kDone);
  EXPECT_NE(report.shown.find("\tComponent 2\r\n"), std::string::npos) << report.shown;
  TCommandResult refused = RunCommandOnText(32, "abc*bca*cab", TOptionValues{});
  EXPECT_EQ(refused.outcome, TCommandOutcome::kRefused);
  EXPECT_NE(refused.shown.find("Unable to build special polyhedron!"), std::string::npos);
}

}  // namespace
