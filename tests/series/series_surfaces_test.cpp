// Series with the search for surfaces: the entries of minimal spines keep
// the closed surfaces of their spines, and the summary lines show them.
#include <gtest/gtest.h>

#include <string>

#include "foundation/output.h"
#include "foundation/packed_record_list.h"
#include "recognition/result_table.h"
#include "series/series_runner.h"
#include "shell/options.h"
#include "shell/surface_set_printer.h"

namespace {

TOptionValues SeriesOptions(int searchForSurfaces) {
  TOptionValues options;
  TOptions::Preset(1, options).Apply(options);
  options.EnumerationOfManifoldsSearchForSurfaces = searchForSurfaces;
  return options;
}

// Three Klein bottles in a minimal spine of a Seifert manifold
// (cPcbbbqxh); none in the one-vertex spine of L(5,2) (bkaajn), whose
// homology has odd order. The two-vertex spine cPcbbbahh (a torus and two
// projective planes) is of RP^3, of complexity 0: not minimal, so it is not
// searched.
constexpr const char* kSignatures = "cPcbbbqxh\ncPcbbbahh\nbkaajn\n";

TEST(SurfaceSeries, SummaryLinesShowTheSurfacesOnlyWithTheSetting) {
  for (const int search : {0, 1}) {
    SCOPED_TRACE(search);
    TOutput output;
    TSeriesRunner runner(SeriesOptions(search), output);
    ASSERT_EQ(runner.Run(kSignatures), 1);
    const std::string report = output.Text();
    const std::size_t table = report.find("Manifolds\t3");
    ASSERT_NE(table, std::string::npos) << report;
    ASSERT_EQ(runner.Table()->CountEntries(), 3) << report;
    for (const char* text : {"\t3 surfaces:3K^2", "\tNo surfaces"}) {
      // In the item's line and in both listings of the table.
      const std::size_t item = report.find(text);
      if (search == 1) {
        ASSERT_NE(item, std::string::npos) << text << "\n" << report;
        EXPECT_LT(item, table) << text;
        const std::size_t listed = report.find(text, table);
        ASSERT_NE(listed, std::string::npos) << text << "\n" << report;
        EXPECT_NE(report.find(text, listed + 1), std::string::npos) << text << "\n" << report;
      } else {
        EXPECT_EQ(item, std::string::npos) << text << "\n" << report;
      }
    }
    EXPECT_EQ(report.find("RP^3\tH_1=Z_2\t"), std::string::npos) << report;
    EXPECT_EQ(report.find("T^2"), std::string::npos) << report;
    if (search == 1) {
      int searched = 0;
      for (int i = 0; i < 3; ++i) searched += runner.Table()->GetEntrySurfaces(i) != nullptr ? 1 : 0;
      EXPECT_EQ(searched, 2);
    }
    if (search == 0) {
      EXPECT_EQ(report.find("surface"), std::string::npos) << report;
      for (int i = 0; i < 3; ++i) EXPECT_EQ(runner.Table()->GetEntrySurfaces(i), nullptr) << i;
    }
  }
}

TEST(SurfaceSetPrinter, ListsAndSetsOfLists) {
  // A torus, a Klein bottle counted twice, and a disconnected surface of a
  // sphere and a torus found twice. The sphere is no surface of its own
  // (count 0): it is shown only as a component.
  TPackedRecordList list;
  list.AddKeyed(true, 1, 0, false);
  list.AddKeyed(true, 0, 0, false);
  list.AddKeyed(true, 0, 0, false);
  int whole = -1;
  list.AddKeyed(false, -1, 3, false, &whole);
  int sphere = -1;
  list.AddKeyed(true, 1, 2, true, &sphere);
  int torus = -1;
  list.AddKeyed(true, 1, 0, true, &torus);
  list.Entry(whole).neighbours = {static_cast<std::int16_t>(sphere), static_cast<std::int16_t>(torus), -1, -1};
  list.Entry(whole).multiplicity = 2;
  TOutput one;
  PrintSurfaceSet(one, list);
  EXPECT_STREQ(one.Text(), "2([S^2+T^2]),T^2,2K^2");

  TOutput empty;
  PrintSurfaceSet(empty, TPackedRecordList());
  EXPECT_STREQ(empty.Text(), "Surfaces information is empty!");

  TPackedRecordListSet sets;
  TOutput none;
  PrintSurfaceSets(none, sets);
  EXPECT_STREQ(none.Text(), "No surfaces");

  TPackedRecordList single;
  single.AddKeyed(true, 0, 1, false);
  sets.Add(single);
  TOutput first;
  PrintSurfaceSets(first, sets);
  EXPECT_STREQ(first.Text(), "1 surface:RP^2");

  // The count is that of the first list; each list in braces.
  sets.Add(list);
  TOutput both;
  PrintSurfaceSets(both, sets);
  const std::string text = both.Text();
  // The lists in descending rank: the one with plain entries first.
  EXPECT_EQ(text, "5 surfaces:(2 sets){2([S^2+T^2]),T^2,2K^2};{RP^2}");
}

// A damaged list (a slot beyond its entries, as a bad image could give)
// prints a mark instead of reading past the end.
TEST(SurfaceSetPrinter, SlotOutsideTheListIsMarked) {
  TPackedRecordList list;
  int whole = -1;
  list.AddKeyed(false, -1, 3, false, &whole);
  list.Entry(whole).neighbours = {7, -1, -1, -1};
  TOutput output;
  PrintSurfaceSet(output, list);
  EXPECT_STREQ(output.Text(), "[?]");
}

}  // namespace
