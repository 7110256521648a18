// Heegaard diagram texts in the parse of a document: each notation is read by
// its own reader, and the spine feeds the commands that work on spines.
#include <gtest/gtest.h>

#include <string>

#include "foundation/output.h"
#include "model/spine.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "shell/spine_reports.h"

namespace {

std::string HomologyReport(const char* text, int* sourceKind = nullptr) {
  TDocumentSpine document;
  TOptionValues options;
  document.ParseDocumentText(text, options);
  if (sourceKind != nullptr) *sourceKind = document.Spine().SourceKind();
  TOutput output;
  PrintHomologyGroupReport(document, output, 0);
  return output.Text();
}

TEST(HeegaardParse, DiagramsGiveTheirManifolds) {
  int kind = 0;
  EXPECT_EQ(HomologyReport("% the 3-sphere\r\nheegaard 0 1 1 0 0 0\r\n", &kind).find("H_1=0"), 0u);
  EXPECT_EQ(kind, kSourceHeegaardDiagram);
  EXPECT_EQ(HomologyReport("heegaard 0 5 1 0 2 0").find("H_1=Z_5"), 0u);
  EXPECT_EQ(HomologyReport("Heegaard 0 12 1 0 5 0").find("H_1=Z_12"), 0u);
}

TEST(HeegaardParse, ExtendedTextIsNeverReadAsPlain) {
  int kind = 0;
  EXPECT_EQ(HomologyReport("extheegaard 3 1 1 0 0 2", &kind).find("H_1="), 0u);
  EXPECT_EQ(kind, kSourceExtHeegaardDiagram);
}

TEST(HeegaardParse, UnreadableDiagramNamesItsToken) {
  const std::string report = HomologyReport("heegaard 0 1 1 0 0 x");
  EXPECT_NE(report.find("Unable to build special polyhedron!"), std::string::npos);
  EXPECT_NE(report.find("a number is expected at \"x\""), std::string::npos);
}

}  // namespace
