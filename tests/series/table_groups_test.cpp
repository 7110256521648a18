// The heads of the groups in a series' table report: consecutive entries of
// one kind are headed by their number, and over the whole table by their
// count at each complexity.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "foundation/output.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "recognition/fibres.h"
#include "recognition/manifold_description.h"
#include "recognition/piece_code.h"
#include "recognition/result_table.h"
#include "recognition/result_table_printer.h"
#include "series/series_runner.h"
#include "shell/options.h"
#include "support/model_heap.h"

namespace {

std::string RunSeries(const char* text) {
  TOptionValues options;
  TOptions::Preset(1, options).Apply(options);
  TOutput output;
  TSeriesRunner runner(options, output);
  EXPECT_EQ(runner.Run(text), 1) << text;
  return output.Text();
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// S^3, RP^3, L(4,1), L(5,2), S^2xS^1 of complexity 1 and L(3,1) of
// complexity 2 (closed census signatures).
constexpr const char* kMixed = "bkaagb\nbkaajj\nbkaajn\ncMcabbjaj\ncPcbbbahh\ncPcbbbaai\n";

TEST(TableGroups, GroupsAreHeadedByComplexityAndOverTheWholeTable) {
  const std::string report = RunSeries(kMixed);
  const std::string byParameters = "Table ordered only by parameters of manifolds:";
  const std::size_t split = report.find(byParameters);
  ASSERT_NE(split, std::string::npos) << report;
  const std::string listing = report.substr(0, split);
  const std::string ordered = report.substr(split);

  // By complexity: complexity 1 has 3 lens spaces (RP^3 among them) after
  // S^3, then S^2xS^1 alone; the lone L(3,1) of complexity 2 is its whole
  // complexity and gets no head.
  EXPECT_NE(listing.find("1_1\t\tS^3\tH_1=0\r\n\r\n\t\t************\r\n\t\t3 Lens\r\n\r\n1_2\t\tRP^3"), std::string::npos)
      << listing;
  EXPECT_NE(listing.find("\r\n\t\t************\r\n\t\t1 Reducible manifold\r\n\r\n1_5\t\tS^2xS^1"), std::string::npos)
      << listing;
  EXPECT_EQ(Occurrences(listing, "************"), 2U) << listing;
  EXPECT_EQ(listing.find("Complexity       Manifolds"), std::string::npos) << listing;

  // Over the whole table the 4 lens spaces are one group, counted by
  // complexity; each head is written in its kind's summary and again in the
  // listing, the lens summary before the reducible one.
  const std::string lensHead =
      "\t\t************\r\n\t\t4 Lens\r\n\r\nComplexity       Manifolds\r\n"
      "       1             3\r\n       2             1\r\n\r\n";
  const std::string reducibleHead =
      "\t\t************\r\n\t\t1 Reducible manifold\r\n\r\nComplexity       Manifolds\r\n"
      "       1             1\r\n       2             0\r\n";
  EXPECT_EQ(Occurrences(ordered, lensHead), 2U) << ordered;
  EXPECT_EQ(Occurrences(ordered, reducibleHead), 2U) << ordered;
  EXPECT_LT(ordered.find(lensHead), ordered.find(reducibleHead)) << ordered;
  EXPECT_LT(ordered.find(reducibleHead), ordered.find("1\t[1_1]")) << ordered;
  // In the listing the lens head stands before its first member.
  EXPECT_NE(ordered.find(lensHead + "2\t[1_2]\t\tRP^3"), std::string::npos) << ordered;
}

TEST(TableGroups, AGroupThatIsTheWholeTableHasNoHead) {
  // L(4,1) and L(5,2): one complexity, one group.
  const std::string report = RunSeries("bkaajj\nbkaajn\n");
  EXPECT_NE(report.find("Manifolds\t2"), std::string::npos) << report;
  EXPECT_EQ(report.find("************"), std::string::npos) << report;
  EXPECT_EQ(report.find("Complexity       Manifolds"), std::string::npos) << report;
}

// After the table, each presentation's sources: the name it was read
// under and the numbers of the items that gave it ("!" when several).
TEST(TableSources, EachEntryListsTheItemsItCameFrom) {
  struct Case {
    int sourceList;
    const char* expected;  // empty: no source section
  };
  const std::vector<Case> cases = {
      {1, "Source Spine information\r\n\r\n1_1\r\n\t\ta*a*a 1\r\n2_1!\r\n\t\tbadc*cdab*dcba 2 4\r\n\r\n"},
      {0, ""},
  };
  // The crystallization series writes its work file in the current folder.
  const std::filesystem::path saved = std::filesystem::current_path();
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "sorvelin_series_sources";
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  for (const Case& c : cases) {
    TOptionValues options;
    TOptions::Preset(1, options).Apply(options);
    options.EnumerationOfManifoldsOutputSourceSpineList = c.sourceList;
    TOutput output;
    TSeriesRunner runner(options, output);
    // S^3, RP^3, a code that is no manifold, RP^3 again.
    ASSERT_EQ(runner.Run("a*a*a\nbadc*cdab*dcba\nabc*bca*cab\nbadc*cdab*dcba\n"), 1);
    const std::string report = output.Text();
    if (*c.expected != 0) {
      EXPECT_NE(report.find(c.expected), std::string::npos) << report;
    } else {
      EXPECT_EQ(report.find("Source Spine information"), std::string::npos) << report;
    }
  }
  std::filesystem::current_path(saved);
  std::filesystem::remove_all(folder);
}

// A Seifert manifold over S^2 with the given fibres (a, b).
std::unique_ptr<TManifoldDescription> SeifertOverSphere(const std::vector<std::pair<int, int>>& fibres) {
  auto d = std::make_unique<TManifoldDescription>();
  auto* molecule = new TObjectTable;
  d->SetMolecule(molecule);
  THandle v(molecule->NewAtom(kSeifertAtom));
  TMoleculeVertex::ResetByType(v, kBaseSphere);
  for (const auto& [a, b] : fibres) AddFibre(v, a, b);
  NormalizeFibres(v, 1);
  d->SetPieceCode(BuildPieceCode(v, 1));
  d->SetComplexity(5);
  return d;
}

TEST(TableGroups, SeifertGroupsNameTheirBaseAndFibres) {
  TScopedModelHeap heap;
  TManifoldTable table;
  for (const std::vector<std::pair<int, int>>& fibres :
       {std::vector<std::pair<int, int>>{{2, 1}, {3, 1}, {5, -4}}, {{2, 1}, {3, 1}, {7, -5}}}) {
    int index = -1;
    table.LookUp(index, SeifertOverSphere(fibres));
    ASSERT_GE(index, 0);
  }
  ASSERT_EQ(table.CountEntries(), 2);
  TOutput output;
  PrintResultTable(output, table, TResultTableStyle{});
  const std::string report = output.Text();
  // The head is shown even for a group that is the whole table; over the
  // whole table its count by complexity follows.
  const std::string head = "\t\t************\r\n\t\t2 Seifert manifolds over S^2 with 3 exceptional fibers\r\n";
  EXPECT_EQ(Occurrences(report, head), 3U) << report;
  EXPECT_NE(report.find(head + "\r\nComplexity       Manifolds\r\n         5         2\r\n\r\n"), std::string::npos)
      << report;
}

// The sources of a presentation read from graphs (subpositions): the item
// numbers of one graph are bracketed after its number, and a source read
// from no graph closes the bracket.
TEST(TableSources, GraphGroupsAreBracketed) {
  struct Case {
    std::vector<std::pair<int, int>> sources;  // (position, subposition)
    const char* expected;
  };
  const std::vector<Case> cases = {
      {{{3, 1}, {5, 1}}, "\r\n\t\tg Graph 1[ 3 5 ]\r\n"},
      {{{3, 1}, {5, 2}}, "\r\n\t\tg Graph 1[ 3] Graph 2[ 5 ]\r\n"},
      {{{3, 1}, {5, 1}, {7, -1}}, "\r\n\t\tg Graph 1[ 3 5 ] 7\r\n"},
      {{{4, -1}}, "\r\n\t\tg 4\r\n"},
  };
  for (const Case& c : cases) {
    TScopedModelHeap heap;
    TManifoldTable table;
    table.SetCurrentSourceName("g");
    for (const auto& [position, sub] : c.sources) {
      table.SetSourcePosition(position, sub);
      int index = -1;
      table.LookUp(index, SeifertOverSphere({{2, 1}, {3, 1}, {5, -4}}));
      ASSERT_EQ(index, 0);
    }
    ASSERT_EQ(table.CountEntries(), 1);
    TOutput output;
    TResultTableStyle style;
    style.sourceList = true;
    PrintResultTable(output, table, style);
    const std::string report = output.Text();
    const std::string expected = std::string("Source Spine information\r\n\r\n5_1") +
                                 (c.sources.size() > 1 ? "!" : "") + c.expected;
    EXPECT_NE(report.find(expected), std::string::npos) << c.expected << "\n" << report;
  }
}

}  // namespace
