// Progress lines of the surface searches: when they are due, what the
// reporting searches and the torus search say, and that the series' search
// and the silent torus search say nothing.
#include "invariants/surface_search_progress.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "foundation/packed_record_list.h"
#include "foundation/status_reporter.h"
#include "invariants/normal_surface.h"
#include "invariants/surface_search.h"
#include "support/parsed_document.h"

namespace {

// Collects the progress lines shown while it lives (the thickening of the
// spine has its own status lines, which are left out).
class TStatusLines {
 public:
  TStatusLines() {
    SetStatusBarSink([this](const char* text) {
      if (std::string_view(text).starts_with("Surfaces: ")) lines.emplace_back(text);
    });
  }
  ~TStatusLines() { SetStatusBarSink({}); }
  std::vector<std::string> lines;
};

TEST(SurfaceSearchProgress, EveryVectorAtFirstThenEveryThousandthThenEveryTenThousandth) {
  struct Case {
    std::uint64_t j;
    bool due;
  };
  const Case cases[] = {{1, true},     {999, true},    {1000, true},  {1001, false},
                        {2000, true},  {9999, false},  {10000, true}, {15000, false},
                        {20000, true}, {123456, false}};
  for (const Case& c : cases) EXPECT_EQ(SurfaceProgressDue(c.j), c.due) << c.j;
}

TEST(SurfaceSearchProgress, ReportingSearchesCountTheirVectorsPerDegree) {
  TParsed lens("bkaajj");  // L(4,1): two 2-cells
  {
    TStatusLines status;
    SearchNormalSurfaces(lens.Spine(), 2, 0);
    ASSERT_FALSE(status.lines.empty());
    EXPECT_EQ(status.lines.front(),
              "Surfaces: 0 MaxPlateDegree: 1 Variant 1   To stop press Ctrl+Break");
    // At degree 2 the count of vectors starts again from 1; the Klein bottle
    // of degree 1 has been found by then.
    bool secondDegree = false;
    for (const std::string& line : status.lines)
      secondDegree = secondDegree ||
                     line == "Surfaces: 1 MaxPlateDegree: 2 Variant 1   To stop press Ctrl+Break";
    EXPECT_TRUE(secondDegree);
  }
  {
    TStatusLines status;
    SearchSpineSurfaces(lens.Spine());
    ASSERT_FALSE(status.lines.empty());
    EXPECT_EQ(status.lines.front(),
              "Surfaces: 0 MaxPlateDegree: 1 Variant 1   To stop press Ctrl+Break");
  }
  {
    TStatusLines status;  // the series' search (type 2) is quiet
    TPackedRecordList list;
    SearchSurfacesIntoPackedList(lens.Spine(), list);
    EXPECT_TRUE(status.lines.empty());
  }
}

TEST(SurfaceSearchProgress, TheTorusSearchShowsItsVariantAndTheSilentOneNothing) {
  TParsed parsed("iLLAMMcacddfgghhjkaitpwas");  // a graph manifold
  TSurfaceSearchState loud;
  loud.variant = 3;
  TSurfaceSearchState silent = loud;
  std::vector<std::string> shown;
  {
    TStatusLines status;
    ASSERT_TRUE(FindNextNormalTorus(parsed.Spine(), loud, 2));
    shown = status.lines;
  }
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.front(), "Surfaces: 3 MaxPlateDegree: 1 Variant 1");
  TStatusLines status;
  ASSERT_TRUE(FindNextNormalTorus(parsed.Spine(), silent, 2, nullptr, kSilentNormalTorusSearch));
  EXPECT_TRUE(status.lines.empty());
  EXPECT_EQ(silent.cells, loud.cells);  // the same torus either way
  EXPECT_EQ(silent.degree, loud.degree);
}

}  // namespace
