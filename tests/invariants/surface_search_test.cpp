// Surfaces of plate degree 1 in special spines: the wing tables, the
// equations, the counts 2^m - 1 of closed manifolds, the cross-check with the
// order-3 Turaev-Viro invariant, and the report.
#include "invariants/surface_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "foundation/packed_record_list.h"
#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "invariants/surface_spine_snapshot.h"
#include "invariants/turaev_viro_calculator.h"
#include "model/spine.h"
#include "shell/document_commands.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "support/parsed_document.h"

namespace {

constexpr int kSearchCommand = 33;

TEST(SurfaceWingTables, VertexRecordsKeepOppositeWingsOpposite) {
  struct Row {
    std::array<std::int32_t, 6> wings;  // neighbourhood order
    std::array<std::int32_t, 6> arranged;
  };
  const Row rows[] = {
      {{5, 4, 3, 2, 1, 0}, {5, 4, 3, 2, 1, 0}},
      // The largest at position 4: it and the pair (5, 2) change places,
      // then positions 0..2 are sorted with their partners.
      {{0, 1, 2, 3, 9, 5}, {9, 5, 0, 1, 2, 3}},
      {{0, 1, 2, 3, 4, 7}, {7, 3, 1, 2, 0, 4}},
  };
  for (const Row& row : rows) {
    const TVertexWingRecord record = TVertexWingTable::Arrange(row.wings);
    EXPECT_EQ(record.cells, row.arranged);
    // Opposite pairs are the same unordered pairs as before.
    std::multiset<std::pair<int, int>> before;
    std::multiset<std::pair<int, int>> after;
    for (std::size_t i = 0; i < 3; ++i) {
      before.insert(std::minmax(row.wings[i], row.wings[i + 3]));
      after.insert(std::minmax(record.cells[i], record.cells[i + 3]));
    }
    EXPECT_EQ(before, after);
  }
}

TEST(SurfaceWingTables, EdgeRecordsAreDescendingAndCountRepeatedWings) {
  TParsed parsed("bkaajj");  // cell 1 = {1 1 2 2}, cell 2 = {1 -2}
  TSurfaceSpineSnapshot snapshot;
  snapshot.Load(parsed.Spine());
  EXPECT_EQ(snapshot.Edges().Dump(), "Edges: 2\n1 0 0\n1 0 0\n");
  EXPECT_EQ(snapshot.VertexCount(), 1);
}

TEST(SurfaceEquations, EdgeAndVertexEquationsWithSkip) {
  TEdgeWingTable empty;
  int skip = 5;
  EXPECT_TRUE(CheckEdgeEquations(empty, {}, skip));
  TParsed parsed("bkaajj");
  TSurfaceSpineSnapshot snapshot;
  snapshot.Load(parsed.Spine());
  struct Row {
    std::vector<std::uint8_t> plates;
    bool edges;
    int skip;
  };
  const Row rows[] = {
      {{1, 0}, true, 1},   // cell 1 alone: each edge meets it twice
      {{0, 1}, false, 1},  // one wing at each edge: odd
      {{1, 1}, false, 1},  // three wings: odd
      {{2, 2}, true, 1},   // 4 + 2: even, 2 <= 4 + 2 - 2
      {{0, 2}, false, 1},  // 2 > 0 + 0: more sheets than the others can take
  };
  for (const Row& row : rows) {
    int at = 1;
    EXPECT_EQ(CheckEdgeEquations(snapshot.Edges(), row.plates, at), row.edges);
    EXPECT_EQ(at, row.skip);
  }
  // Cell 1 alone is a quadrilateral at the one vertex.
  int at = 1;
  const std::vector<std::uint8_t> quad{1, 0};
  EXPECT_TRUE(CheckVertexEquations(snapshot.Vertices(), quad, at));
  EXPECT_EQ(snapshot.Vertices().At(0).quads, 1u);
}

struct Known {
  const char* name;
  const char* signature;
  long long expected;  // -1: a spine with two boundary spheres
  std::size_t found;
  int orientable;
  int nonorientable;
  int disconnected;
};

const Known kKnown[] = {
    {"L(4,1)", "bkaajj", 1, 1, 0, 1, 0},
    {"L(8,3)", "cMcabbjqs", 1, 1, 0, 1, 0},
    {"S^3/Q_8", "cPcbbbqxh", 3, 3, 0, 3, 0},
    {"S^2xS^1", "cMcabbjaj", 1, 1, 0, 1, 0},
    {"L(5,2)", "bkaajn", 0, 0, 0, 0, 0},
    {"L(3,1)", "cPcbbbaai", -1, 1, 1, 0, 0},
    {"RP^3", "cPcbbbahh", -1, 3, 1, 2, 0},
    {"Z_2+Z_6", "eLAkbccddemken", 3, 3, 0, 3, 0},
    {"Z+Z+Z_2", "hvLPQkcedgffggnnkumeiw", 7, 7, 3, 4, 0},
    {"Z_2+Z_2+Z_22", "kLALAMzkbcceffghijjemkbemsqhhw", 7, 7, 0, 6, 1},
    {"Z+Z_6", "kLLLAPPkcdgfehijijjhsxaqpixknn", 3, 3, 1, 2, 0},
};

TEST(SurfaceSearch, KnownCountsAndClasses) {
  for (const Known& row : kKnown) {
    TParsed parsed(row.signature);
    const TSurfaceSearchResult result = SearchSpineSurfaces(parsed.Spine());
    EXPECT_EQ(result.expected, row.expected) << row.name;
    EXPECT_EQ(result.surfaces.size(), row.found) << row.name;
    int orientable = 0;
    int nonorientable = 0;
    int disconnected = 0;
    for (const TFoundSurface& surface : result.surfaces) {
      ASSERT_FALSE(surface.components.empty()) << row.name;
      if (surface.components.size() > 1) {
        ++disconnected;
      } else {
        (surface.components[0].orientable != 0 ? orientable : nonorientable) += 1;
      }
    }
    EXPECT_EQ(orientable, row.orientable) << row.name;
    EXPECT_EQ(nonorientable, row.nonorientable) << row.name;
    EXPECT_EQ(disconnected, row.disconnected) << row.name;
  }
}

// 1 + the sum of (-1)^chi over the surfaces of plate degree 1 is the order-3
// Turaev-Viro invariant (a state sum over the 2-cycles mod 2).
TEST(SurfaceSearch, EulerCharacteristicsMatchOrderThreeTuraevViro) {
  for (const Known& row : kKnown) {
    TParsed parsed(row.signature);
    const TSurfaceSearchResult result = SearchSpineSurfaces(parsed.Spine());
    long long sum = 1;
    for (const TFoundSurface& surface : result.surfaces) {
      int chi = 0;
      for (const TSurfaceComponent& part : surface.components) chi += part.euler;
      sum += chi % 2 == 0 ? 1 : -1;
    }
    TTuraevViroCalculator calculator;
    calculator.Setup(parsed.Spine());
    ASSERT_EQ(calculator.ComputeOrder(3, kTuraevViroFull, -1, nullptr), kTuraevViroDone);
    EXPECT_EQ(calculator.FullResult(3)->ToText(), std::to_string(sum)) << row.name;
  }
}

TEST(SurfaceSearch, ReportOfOneSurfaceAndOfNone) {
  const std::string one = RunCommandOnText(kSearchCommand, "bkaajj", TOptionValues{}).shown;
  EXPECT_EQ(one.rfind("1 surface is found:\r\n\t1 Nonorientable: S(N,0)\r\n\r\n\tS(N,0) {1} !!!\r\n"
                      "\r\nSource spine: H_1=Z_4\r\n",
                      0),
            0u)
      << one;
  const TCommandResult none = RunCommandOnText(kSearchCommand, "bkaajn", TOptionValues{});
  EXPECT_EQ(none.outcome, TCommandOutcome::kDone);
  EXPECT_EQ(none.shown.rfind("No surface was found\r\n\r\nSource spine: H_1=Z_5\r\n", 0), 0u)
      << none.shown;
}

TEST(SurfaceSearch, ReportOfSeveralSurfacesNumbersThemAcrossClasses) {
  const std::string shown = RunCommandOnText(kSearchCommand, "cPcbbbahh", TOptionValues{}).shown;
  EXPECT_EQ(shown.rfind("3 surfaces are found:\r\n\t1 Orientable: S(O,0)\r\n"
                        "\t2 Nonorientable: 2S(N,1)\r\n\r\nOrientable:\r\n\t1. S(O,0) {1,2}",
                        0),
            0u)
      << shown;
  EXPECT_NE(shown.find("Nonorientable:\r\n\t2. S(N,1) {"), std::string::npos);
  EXPECT_NE(shown.find("\t3. S(N,1) {"), std::string::npos);
}

TEST(SurfaceSearch, SeriesListCountsSurfaceTypes) {
  struct Row {
    const char* signature;
    unsigned found;
    std::vector<std::tuple<int, int, int>> keyed;  // orientable, chi, multiplicity
  };
  const Row rows[] = {
      {"cPcbbbqxh", 3, {{0, 0, 3}}},
      {"cPcbbbahh", 3, {{1, 0, 1}, {0, 1, 2}}},
      {"bkaajn", 0, {}},
  };
  for (const Row& row : rows) {
    TParsed parsed(row.signature);
    TPackedRecordList list;
    EXPECT_EQ(SearchSurfacesIntoPackedList(parsed.Spine(), list), row.found) << row.signature;
    std::vector<std::tuple<int, int, int>> keyed;
    for (int i = 0; i < list.Count(); ++i) {
      const TPackedRecordEntry& entry = list.Entry(i);
      EXPECT_TRUE(entry.IsKeyed()) << row.signature;
      keyed.emplace_back(entry.key1, entry.key2, entry.multiplicity);
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::tuple<int, int, int>> expected = row.keyed;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(keyed, expected) << row.signature;
  }
}

TEST(SurfaceSearch, StopsWhenAsked) {
  TParsed parsed("iLLAMMcacddfgghhjkaitpwas");
  RequestStop();
  EXPECT_THROW(SearchSpineSurfaces(parsed.Spine()), TComputationStopped);
  EXPECT_EQ(RunCommandOnText(kSearchCommand, "iLLAMMcacddfgghhjkaitpwas", TOptionValues{}).outcome,
            TCommandOutcome::kStopped);
  StopFlags().stop.store(0);
}

TEST(SurfaceSearch, DisconnectedSurfacesAreNamedByTheirComponents) {
  const std::string shown =
      RunCommandOnText(kSearchCommand, "kLALAMzkbcceffghijjemkbemsqhhw", TOptionValues{}).shown;
  EXPECT_NE(shown.find("\t1 Disconnected(S(N,0))#(S(N,-1))\r\n\r\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("Disconnected:\r\n\t7. (S(N,0))#(S(N,-1)) {"), std::string::npos) << shown;
}

TEST(SurfaceSearch, SurfaceNames) {
  EXPECT_EQ(FormatSurfaceName(1, 0), "S(O,2)");
  EXPECT_EQ(FormatSurfaceName(1, 1), "S(O,0)");
  EXPECT_EQ(FormatSurfaceName(0, 1), "S(N,1)");
  EXPECT_EQ(FormatSurfaceName(0, 2), "S(N,0)");
}

TEST(SurfaceSearch, RefusesAnUnreadableDocument) {
  for (const char* text : {"(((", ""}) {
    const TCommandResult result = RunCommandOnText(kSearchCommand, text, TOptionValues{});
    EXPECT_EQ(result.outcome, TCommandOutcome::kRefused) << text;
    EXPECT_TRUE(result.shown == "Is realized for special polyhedra only!" ||
                result.shown.rfind("Unable to build special polyhedron!", 0) == 0)
        << result.shown;
  }
}

}  // namespace
