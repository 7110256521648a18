#include "shell/spine_reports.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/status_reporter.h"
#include "model/homology.h"
#include "shell/document_spine.h"
#include "shell/object_printers.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

namespace {

std::string Report(const char* text, int command) {
  TDocumentSpine document;
  document.ParseDocumentText(text, TOptionValues{});
  TOutput output;
  if (command == 23) PrintHomologyGroupReport(document, output, 1);
  if (command == 17) PrintBoundaryCurves(document, output);
  return output.Text();
}

TEST(ObjectPrinters, HomologyGroups) {
  struct TCase {
    std::vector<std::int32_t> list;
    const char* text;
  };
  const TCase cases[] = {
      {{1}, "H_1=0"},
      {{0}, "H_1=Z"},
      {{0, 2, 3}, "H_1=Z+Z_2+Z_3"},
      {{}, "Error : Homology group is not initialized"},
  };
  for (const TCase& c : cases) {
    TScopedModelHeap heap;
    THomologyList list;
    for (std::int32_t entry : c.list) list.AppendElement(entry);
    TOutput output;
    EXPECT_EQ(PrintHomologyGroup(output, &list), static_cast<int>(c.list.size()));
    EXPECT_STREQ(output.Text(), c.text);
  }
  TOutput output;
  EXPECT_EQ(PrintHomologyGroup(output, nullptr), 0);
}

TEST(ObjectPrinters, SurfaceNames) {
  struct TCase {
    int orientable;
    int euler;
    int circles;
    const char* name;
  };
  const TCase cases[] = {
      {1, -2, 0, "S(O,-2)"}, {1, 1, 1, "D^2"},     {1, -1, 3, "S^2#3D^2"},
      {1, -1, 1, "T^2#D^2"}, {1, 0, 2, "A^2"},     {1, 2, 0, "S^2"},
      {1, 0, 0, "T^2"},      {0, 0, 0, "K^2"},     {0, 1, 0, "RP^2"},
      {0, 0, 1, "M^2"},      {0, -1, 0, "S(N,-1)"}, {0, -2, 2, "K^2#2D^2"}, {0, -1, 2, "RP^2#2D^2"},
  };
  for (const TCase& c : cases) {
    TOutput output;
    PrintSurfaceName(output, c.orientable, c.euler, c.circles);
    EXPECT_STREQ(output.Text(), c.name);
  }
}

TEST(ObjectPrinters, CellsAndCellLists) {
  TScopedModelHeap heap;
  TSpine spine;
  TBuiltComplex built = BuildComplexFromWords(spine, {{1, -2, 3}, {2}});
  ObjectSetNameText(built.cells[0], nullptr, "c1");
  TOutput full;
  PrintCell(full, built.cells[0], 0);
  EXPECT_STREQ(full.Text(), "c1 = { 1, -2, 3, }");
  TOutput compact;
  PrintCell(compact, built.cells[0], 1);
  EXPECT_STREQ(compact.Text(), " 1 -2 3");
  TOutput empty;
  PrintCell(empty, nullptr, 0);
  EXPECT_STREQ(empty.Text(), "EmptyObject");

  TOutput counts;
  PrintCellList(counts, &spine, 0);
  std::string vertices = std::to_string(spine.Objects().CountOfKind(kVertexKind));
  std::string euler = std::to_string(2 - 3 + spine.Objects().CountOfKind(kVertexKind));
  EXPECT_EQ(std::string(counts.Text()),
            "Component 1 : " + euler + " = 2 -3 +" + vertices +
                "\r\nc1 = { 1, -2, 3, }\r\nCell #2 = { 2, }\r\n");
  TOutput oneLine;
  PrintCellList(oneLine, &spine, 4);
  EXPECT_STREQ(oneLine.Text(), "{ 1 -2 3}{ 2}");
  TOutput numbered;
  PrintCellList(numbered, &spine, 2);
  EXPECT_STREQ(numbered.Text(), "1: 1 -2 3\r\n2: 2\r\n");
}

TEST(SpineReports, HomologyGroupReport) {
  EXPECT_EQ(Report("1\n2\n1 2 -1 -2\n", 23), "H_1=0\r\n\r\n\r\n");
  EXPECT_EQ(Report("a a\nb b b\n", 23),
            "H_1=Z_2+Z_3\r\n\r\n%\tSpine is not connected : 2 connected components\r\n\r\n\r\n");
}

TEST(SpineReports, BoundaryCurvesReport) {
  EXPECT_EQ(Report("1\n2\n1 2 -1 -2\n", 17),
            "\r\n%\tH_1=0\r\nCell #1 = { 1 }\r\nCell #2 = { 2 }\r\nCell #3 = { 1, 2, -1, -2 }\r\n"
            "\r\n\r\n");
  EXPECT_EQ(Report("a a\nb b b\n", 17),
            "\r\n%\tSpine is not connected : 2 connected components\r\n\r\n"
            "%\tComponent 1\r\n%\tH_1=Z_2\r\nComponent 1\r\nCell #1 = { a, a }\r\n\r\n"
            "%\tComponent 2\r\n%\tH_1=Z_3\r\nComponent 2\r\nCell #2 = { b, b, b }\r\n\r\n\r\n");
}

TEST(SpineReports, EmptySpineRepeatsTheReadersComplaint) {
  ShowStatusText("");
  std::string report = Report("{1 , : 2}", 23);
  EXPECT_EQ(report,
            "Unable to build special polyhedron!\r\n\r\nEdge name expected:\r\n': 2}'\r\n\r\n"
            "Click Sorvelin|Initial State to restore original text");
  ShowStatusText("");
  report = Report("", 17);
  EXPECT_EQ(report,
            "Unable to build special polyhedron!\r\n\r\n"
            "Click Sorvelin|Initial State to restore original text");
}

TEST(DocumentSpine, ParsesAnUnchangedTextOnce) {
  TDocumentSpine document;
  TOptionValues options;
  ASSERT_EQ(document.ParseDocumentText("a a a", options), 1);
  document.Spine().LogEvent(3, "marks this spine");
  ASSERT_EQ(document.ParseDocumentText("a a a", options), 1);
  EXPECT_EQ(document.Spine().LogCount(), 1);
  ASSERT_EQ(document.ParseDocumentText("a a a a", options), 1);
  EXPECT_EQ(document.Spine().LogCount(), 0);
  EXPECT_EQ(document.ParseDocumentText("", options), 0);
  EXPECT_TRUE(document.Spine().IsEmpty());
}

// The reader decides how the objects made later from the spine are named
// (unnamed cells: no names unless the move list is printed); the parse keeps
// that for the document and leaves the process-wide switch as it was.
TEST(DocumentSpine, NamingFollowsTheTextAndTheMoveListOption) {
  TOptionValues options;
  SuppressObjectNames.store(0);
  {
    TDocumentSpine document;
    document.ParseDocumentText("1 2 -1 -2", options);
    EXPECT_EQ(document.CellsNamed(), 0);
    EXPECT_EQ(document.SuppressNamesAfterParse(), 1);
    options.OptionsOutputMoveList = 1;
    document.ParseDocumentText("1 2 -1 -2 1", options);
    EXPECT_EQ(document.SuppressNamesAfterParse(), 0);
    options.OptionsOutputMoveList = 0;
    document.ParseDocumentText("c = {1 2 -1 -2}", options);
    EXPECT_EQ(document.CellsNamed(), 1);
    EXPECT_EQ(document.SuppressNamesAfterParse(), 0);
  }
  EXPECT_EQ(SuppressObjectNames.load(), 0);
}

TEST(DocumentSpine, TextStyles) {
  EXPECT_EQ(DetectTextStyle("1 2 -1 -2"), kBoundaryCurvesStyle);
  EXPECT_EQ(DetectTextStyle("% comment\nDetails\n"), kDetailsStyle);
  TDocumentSpine document;
  TOutput output;
  EXPECT_EQ(ConvertPresentation(document, "1 2 -1 -2", kBoundaryCurvesStyle, TOptionValues{}, output),
            0);
  EXPECT_STREQ(output.Text(), "");
}

}  // namespace
