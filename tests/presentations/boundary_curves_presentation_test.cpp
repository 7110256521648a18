#include "presentations/cells/boundary_curves_presentation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/status_reporter.h"
#include "model/cell.h"
#include "model/edge.h"
#include "model/homology.h"
#include "presentations/cells/cell_word_text.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

namespace {

struct TSummary {
  int vertices = 0;
  int edges = 0;
  int cells = 0;
  std::vector<std::int32_t> homology;
  std::vector<std::vector<int>> words;  // each cell's word as signed edge numbers
  bool operator==(const TSummary&) const = default;
};

TSummary Summarise(TSpine& spine) {
  TSummary summary;
  const TObjectManager& objects = spine.Objects();
  summary.vertices = objects.CountOfKind(kVertexKind);
  summary.edges = objects.CountOfKind(kEdgeKind);
  summary.cells = objects.CountOfKind(kCellKind);
  THomologyList list;
  list.Compute(spine, 1);
  summary.homology = list.Elements();
  for (int i = 0; i < objects.Count(); ++i) {
    const TObjectHeader* cell = objects.At(i);
    if (cell != nullptr && cell->kind == kCellKind) summary.words.push_back(SignedWord(cell));
  }
  return summary;
}

int Build(TSpine& spine, const char* text) {
  TBoundaryCurvesPresentation presentation;
  if (presentation.Parse(text) == 0) return 0;
  return presentation.BuildSpine(spine);
}

std::string Written(const TComplex& complex, int mode) {
  TString text;
  TBoundaryCurvesPresentation::Write(text, complex, mode);
  return text.CStr();
}

// The twice-punctured 3-sphere in the three styles, with names in two of them.
TEST(BoundaryCurvesPresentation, ThreeStylesGiveTheSameSpine) {
  TScopedModelHeap heap;
  const char* texts[] = {
      "A = { 1 }\nB = { 2 }\nC = { 1, 2, -1, -2 }\n",
      "{1} {2}\n{1 2 -1 -2}\n",
      "1\n2\n1 2 -1 -2\n",
      "% the same, commented\nA: 1 %% a block\ncomment %%\nB: 2\nC: 1 2 -1 -2\n",
  };
  std::vector<TSummary> summaries;
  for (const char* text : texts) {
    TSpine spine;
    ASSERT_EQ(Build(spine, text), 3) << text;
    summaries.push_back(Summarise(spine));
  }
  for (const TSummary& summary : summaries) EXPECT_EQ(summary, summaries[0]);
  EXPECT_EQ(summaries[0].vertices, 1);
  EXPECT_EQ(summaries[0].edges, 2);
  EXPECT_EQ(summaries[0].homology, (std::vector<std::int32_t>{1}));
}

TEST(BoundaryCurvesPresentation, WriteThenReadGivesTheSameSpine) {
  const char* texts[] = {
      "1\n2\n1 2 -1 -2",
      "top = {e, f, -e, -f}\nbottom: e\nside : f",
      "5 7\n-7 -5\n9 9 9",
      "x = {1, 1, 1, 1, 2, 2, 2, 2, 2, 2}",
  };
  for (const char* text : texts) {
    TScopedModelHeap heap;
    TSpine first;
    ASSERT_GT(Build(first, text), 0) << text;
    std::string written = Written(first, kCellsNamed);
    TSpine second;
    ASSERT_GT(Build(second, written.c_str()), 0) << written;
    EXPECT_EQ(Summarise(second), Summarise(first)) << text;
    EXPECT_EQ(Written(second, kCellsNamed), written);
  }
}

TEST(BoundaryCurvesPresentation, NamesAndNumbers) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_EQ(Build(spine, "x = {e, -f}\ny = {f, -e}"), 2);
  EXPECT_EQ(Written(spine, kCellsNamed), "x = { e, -f }\r\ny = { f, -e }\r\n");
  TObjectHeader* e = spine.Objects().FindByNumber(kEdgeKind, 1);
  TObjectHeader* f = spine.Objects().FindByNumber(kEdgeKind, 2);
  EXPECT_STREQ(ObjectNameText(e), "e");
  EXPECT_STREQ(ObjectNameText(f), "f");

  TSpine numbered;
  ASSERT_EQ(Build(numbered, "5 7\n-7 -5"), 2);
  EXPECT_EQ(numbered.Objects().CountOfKind(kEdgeKind), 2);
  EXPECT_NE(numbered.Objects().FindByNumber(kEdgeKind, 5), nullptr);
  EXPECT_NE(numbered.Objects().FindByNumber(kEdgeKind, 7), nullptr);
  EXPECT_EQ(ObjectNameText(numbered.Objects().FindByNumber(kEdgeKind, 5)), nullptr);
  // Edges made later never take a number the text gave.
  EXPECT_GT(ObjectNumber(numbered.Objects().CreateObject(kEdgeKind)), 7);

  TSpine named;
  ASSERT_EQ(Build(named, "a = {1 -2}"), 1);
  EXPECT_EQ(Written(named, kCellsNamed), "a = { 1, -2 }\r\n");
  TSpine unnamed;
  ASSERT_EQ(Build(unnamed, "{1 -2}"), 1);
  EXPECT_EQ(Written(unnamed, kCellsNamed), "Cell #1 = { 1, -2 }\r\n");
}

TEST(BoundaryCurvesPresentation, WriterModes) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_EQ(Build(spine, "1 2 -3\n3 -1"), 2);
  EXPECT_EQ(Written(spine, kCellsPlain), "1 2 -33 -1");
  EXPECT_EQ(Written(spine, kCellsNamed), "Cell #1 = { 1, 2, -3 }\r\nCell #2 = { 3, -1 }\r\n");
  EXPECT_EQ(Written(spine, kCellsNumbered), "1: { 1 2 -3 }\r\n2: { 3 -1 }\r\n");
  EXPECT_EQ(Written(spine, kCellsBraced), "{1 2 -3 }{3 -1 }");
  EXPECT_EQ(Written(spine, kCellsChained), "1 2 -3z3 -1z");
  TSpine empty;
  TString text;
  EXPECT_EQ(TBoundaryCurvesPresentation::Write(text, empty, kCellsNamed), 0);
  EXPECT_STREQ(text.CStr(), "\r\nSpine Is empty.\r\n");
}

TEST(BoundaryCurvesPresentation, LongNamesAreWrittenWhole) {
  TScopedModelHeap heap;
  // Two names that agree in their first 40 characters stay two edges.
  std::string a(40, 'q');
  std::string text = "{" + a + "x " + a + "y}";
  TSpine first;
  ASSERT_EQ(Build(first, text.c_str()), 1);
  std::string written = Written(first, kCellsNamed);
  TSpine second;
  ASSERT_EQ(Build(second, written.c_str()), 1);
  EXPECT_EQ(second.Objects().CountOfKind(kEdgeKind), 2);
}

TEST(BoundaryCurvesPresentation, SuppressedNames) {
  TScopedModelHeap heap;
  {
    TSuppressObjectNamesScope suppress(1);
    TSpine spine;
    ASSERT_EQ(Build(spine, "c = {#3 -#4}"), 1);
    EXPECT_EQ(Written(spine, kCellsNamed), "Cell #1 = { 3, -4 }\r\n");
    TSpine refused;
    EXPECT_EQ(Build(refused, "a b"), 0);
    EXPECT_TRUE(refused.IsEmpty());
  }
}

// Every failure of the reader, with the message it reports.
TEST(BoundaryCurvesPresentation, ParseErrors) {
  struct TCase {
    std::string text;
    std::string message;
  };
  const TCase cases[] = {
      {std::string(64, 'n') + " = {1}",
       "The cell name\r\n'" + std::string(63, 'n') + "'\r\nis longer than the 63 character maximum"},
      {"{1 , : 2}", "Edge name expected:\r\n': 2}'"},
      {"1 2\nlonely:", "Edge name expected:\r\n'lonely:'"},
      {"{1 " + std::string(70, 'e') + "}",
       "The edge name\r\n'" + std::string(63, 'e') + "'\r\nis longer than the 63 character maximum"},
      {"1 12345678901234567890",
       "The edge number\r\n'12345678901234567890'\r\nis larger than the 999999999 maximum"},
  };
  for (const TCase& c : cases) {
    TScopedModelHeap heap;
    ShowStatusText("");
    TCellWordText words;
    EXPECT_EQ(words.Parse(c.text.c_str()), 0) << c.text;
    EXPECT_EQ(words.CellCount(), 0);
    TString status;
    GetLastStatusText(status);
    EXPECT_EQ(std::string(status.CStr()), c.message) << c.text;
  }
}

TEST(CellWordList, AccessCopyAndShape) {
  TScopedModelHeap heap;
  TCellWordText words;
  ASSERT_EQ(words.Parse("a: 1 -2 3\n{4}"), 2);
  EXPECT_EQ(words.WordLength(0), 3);
  EXPECT_EQ(words.WordLength(5), 0);
  EXPECT_EQ(words.EntryAt(0, 1), -2);
  EXPECT_EQ(words.EntryAt(0, 3), 0);
  EXPECT_EQ(words.EntryAt(-1, 0), 0);
  EXPECT_NE(words.CellName(0), nullptr);
  EXPECT_EQ(words.CellName(1), nullptr);
  EXPECT_EQ(words.CellName(2), nullptr);

  TCellWordText copy(words);
  EXPECT_EQ(copy.SetEntry(0, 1, 9), 1);
  EXPECT_EQ(copy.EntryAt(0, 1), 9);
  EXPECT_EQ(words.EntryAt(0, 1), -2);  // the words were copied
  EXPECT_EQ(copy.SetEntry(0, 3, 9), 0);
  EXPECT_EQ(copy.CellName(0), words.CellName(0));  // the names are shared

  TCellWordList shape;
  words.CopyShape(shape, 0);
  ASSERT_EQ(shape.CellCount(), 2);
  EXPECT_EQ(shape.WordLength(0), 3);
  EXPECT_EQ(shape.ObjectAt(0, 2), nullptr);
  EXPECT_EQ(shape.SetName(1, words.CellName(0)), 1);
  EXPECT_EQ(shape.SetName(2, nullptr), 0);
}

}  // namespace
