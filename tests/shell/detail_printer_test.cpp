#include "shell/detail_printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/output.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/detail.h"
#include "presentations/details/details_reader.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

namespace {

const char* const kLens52Details =
    "Details:\nD1 = 1: D1_2 {1 3 2} 2: D1_1 {1 3 2} 3: D1_4 {3 2 1} 4: D1_3 {3 2 1}\n";

std::string PrintAll(TDetailsDescription& description) {
  TOutput output;
  output.AppendText("Details");
  std::vector<const TObjectHeader*> written;
  for (int i = 0; i < description.DetailCount(); ++i) {
    output.NewLines(1);
    THandle detail = description.DetailAt(i);
    PrintDetail(output, detail, &written);
    written.push_back(detail.Object());
  }
  return output.Text();
}

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

TEST(DetailPrinter, WritesEachGluingOnceAndCommentsTheRest) {
  TScopedModelHeap heap;
  TDetailsDescription description;
  ASSERT_EQ(ParseDetails(description, kLens52Details, 1), 1);
  EXPECT_EQ(PrintAll(description),
            "Details\r\n"
            "D1 =\r\n"
            "\t1 :\tD1_2 { 1 3 2}\r\n"
            "%\t2 :\tD1_1 { 1 3 2}\r\n"
            "\t3 :\tD1_4 { 3 2 1}\r\n"
            "%\t4 :\tD1_3 { 3 2 1}");
}

TEST(DetailPrinter, MissingGluingsAndNullDetails) {
  TScopedModelHeap heap;
  TDetailsDescription description;
  ASSERT_EQ(ParseDetails(description, "Details: A = 1: B_2 {2 1 3}", 2), 1);
  TOutput output;
  PrintDetail(output, description.DetailAt(1), nullptr);
  EXPECT_STREQ(output.Text(),
               "B =\r\n\t1 :\t*\t_* { * * *}\r\n\t2 :\tA_1 { 2 1 3}\r\n"
               "\t3 :\t*\t_* { * * *}\r\n\t4 :\t*\t_* { * * *}");
  TOutput empty;
  PrintDetail(empty, nullptr, nullptr);
  EXPECT_STREQ(empty.Text(), "EmptyObject");
}

// A spine, its details printed, read back and built: the same spine.
TEST(DetailPrinter, DetailsOfASpineReadBackAsTheSameSpine) {
  const std::vector<std::vector<std::vector<int>>> spines = {
      {{1}, {2}, {1, 2, -1, -2}},
      {{1, 1, 2, -1, -2, -2}},
  };
  for (const auto& words : spines) {
    TScopedModelHeap heap;
    TComplex spine;
    BuildComplexFromWords(spine, words);
    TDetailsDescription computed;
    ASSERT_EQ(computed.FromSpine(spine), 1);
    std::string text = PrintAll(computed);
    EXPECT_NE(text.find("% Edge 1 beginning"), std::string::npos) << text;
    TDetailsDescription read;
    ASSERT_EQ(ParseDetails(read, text.c_str(), 1), 1) << text;
    TComplex rebuilt;
    ASSERT_EQ(read.BuildComplex(rebuilt, 1), 1);
    EXPECT_EQ(SortedLengths(rebuilt), SortedLengths(spine)) << text;
    EXPECT_EQ(rebuilt.Objects().CountOfKind(kEdgeKind), spine.Objects().CountOfKind(kEdgeKind));
    EXPECT_EQ(rebuilt.Objects().CountOfKind(kVertexKind),
              spine.Objects().CountOfKind(kVertexKind));
  }
}

}  // namespace
