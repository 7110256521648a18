// The series runner: census signatures recognised as their own atoms, the
// walk over listed files, its messages, refusals and a stop.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "foundation/stop_flags.h"
#include "recognition/result_table.h"
#include "series/series_runner.h"
#include "shell/document_commands.h"
#include "shell/options.h"
#include "recognition/result_table_printer.h"
#include "support/census_table_support.h"

namespace {

namespace fs = std::filesystem;

TOptionValues DefaultOptions() {
  TOptionValues options;
  TOptions::Preset(1, options).Apply(options);
  return options;
}

std::string SignaturesUpTo(int tetrahedra, std::vector<TCensusEntry>* entries = nullptr) {
  std::string text;
  for (const TCensusEntry& e : ReadCensusTable(FullCensusPath())) {
    if (e.tetrahedra > tetrahedra) continue;
    text += e.signature + "\n";
    if (entries != nullptr) entries->push_back(e);
  }
  return text;
}

// A folder of files for one test, removed afterwards.
class SeriesFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("sorvelin_series_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::string Write(const std::string& name, const std::string& text) {
    const fs::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }
  // Items "k" (one line each, separated by headings) numbered 1 to n.
  std::string NumberedItems(int n) {
    std::string text;
    for (int k = 1; k <= n; ++k) text += "Item\r\n" + std::to_string(k) + "\r\n";
    return text;
  }
  fs::path folder_;
};

TEST(SignatureSeries, EveryCensusManifoldUpToFourTetrahedraIsItsOwnAtom) {
  std::vector<TCensusEntry> census;
  const std::string text = SignaturesUpTo(4, &census);
  ASSERT_EQ(census.size(), 67U);
  const TOptionValues options = DefaultOptions();
  TOutput output;
  TSeriesRunner runner(options, output);
  ASSERT_EQ(runner.Run(text), 1);
  const std::string report = output.Text();
  EXPECT_NE(report.find("67 isomorphism signature(s) handled"), std::string::npos);
  TManifoldTable& table = *runner.Table();
  ASSERT_EQ(table.CountEntries(), 67);
  std::set<std::string> named;
  for (const TCensusEntry& e : census) {
    // "n:<tab>signature<tab><tab>Qc_k ('signature')": the record of the item's
    // own census manifold with the record's isomorphism signature. An atom of
    // several free cusps is a compound whose molecule line names the record.
    const std::string line = ":\t" + e.signature + "\t\t";
    const std::size_t at = report.find(line);
    ASSERT_NE(at, std::string::npos) << e.name;
    const std::size_t end = report.find('\n', at);
    std::string rest = report.substr(at + line.size(), end - at - line.size());
    if (e.cusps > 1) {
      EXPECT_EQ(rest.rfind("Compound", 0), 0U) << e.signature << " -> " << rest;
      rest = report.substr(end + 1, report.find('\n', end + 1) - end - 1);
    }
    EXPECT_NE(rest.find("('" + e.signature + "')"), std::string::npos) << e.signature << " -> " << rest;
    EXPECT_EQ(rest.rfind("Q", 0), 0U) << rest;
    named.insert(rest.substr(0, rest.find(' ')));
  }
  EXPECT_EQ(named.size(), 67U);  // 67 different atoms
  // The table's report lists each entry with its source spine.
  EXPECT_NE(report.find("Manifolds\t67"), std::string::npos);
  EXPECT_NE(report.find("Table ordered only by parameters of manifolds:"), std::string::npos);
  EXPECT_NE(report.find("[4_56]"), std::string::npos);
}

TEST(SignatureSeries, AStopUndoesTheInterruptedItemAndKeepsTheFinishedOnes) {
  const std::string text = SignaturesUpTo(3);
  const TOptionValues options = DefaultOptions();
  TOutput output;
  TSeriesRunner runner(options, output);
  runner.SetItemObserver([](unsigned item) {
    if (item == 4) RequestStop();
  });
  ASSERT_EQ(runner.Run(text), 1);
  EXPECT_TRUE(runner.Stopped());
  EXPECT_EQ(runner.Table()->CountEntries(), 3);
  const std::string report = output.Text();
  EXPECT_NE(report.find("3 isomorphism signature(s) handled"), std::string::npos) << report;
  EXPECT_NE(report.find("Manifolds\t3"), std::string::npos);
  EXPECT_EQ(report.find("4:\t"), std::string::npos);
}

TEST(SeriesRefusals, KindsWithoutEngineReportTypeAndHeaderLines) {
  struct Case {
    const char* text;
    int reportType;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"heegaard 0 5 1 0 2 0\n", 1, "Error : the Heegaard diagram series cannot run: its engine is not built yet"},
      {"link code 1 -2 3 -1 2 -3 end\n", 1, "link framing series cannot run"},
      {"KnotTable\n", 1, "knot table series"},
      {"cPcbbbiht\n", 2, "Error : In this series cannot useOptions|Series Report Type|Cut Only"},
      {"BinaryTableLoad=/nonexistent/t.bin\ncPcbbbiht\n", 1,
       "Unable to load table from '/nonexistent/t.bin'! The file cannot be opened or read."},
      {"BinaryTableSave=my table.bin\ncPcbbbiht\n", 1, "'my table.bin'"},
  };
  for (const Case& c : cases) {
    TOptionValues options = DefaultOptions();
    options.SeriesReportType = c.reportType;
    TOutput output;
    TSeriesRunner runner(options, output);
    EXPECT_EQ(runner.Run(c.text), 0) << c.text;
    EXPECT_NE(std::string(output.Text()).find(c.message), std::string::npos) << c.text << "\n" << output.Text();
  }
}

TEST(SeriesRefusals, TheCommandRefusesWithTheReasonAlone) {
  const TCommandResult result = RunCommandOnText(66, "heegaard 0 5 1 0 2 0\n", DefaultOptions());
  EXPECT_EQ(result.outcome, TCommandOutcome::kRefused);
  EXPECT_TRUE(result.message);
  EXPECT_NE(result.shown.find("not built yet"), std::string::npos);
}

// The items a Cut Only run printed, in order.
std::vector<unsigned> CutItems(const std::string& report, const std::string& name) {
  std::vector<unsigned> items;
  const std::string mark = "'" + name + "' Spine ";
  for (std::size_t at = report.find(mark); at != std::string::npos; at = report.find(mark, at + 1))
    items.push_back(static_cast<unsigned>(std::stoul(report.substr(at + mark.size()))));
  return items;
}

TEST_F(SeriesFiles, ListLinesWalkExactlyTheirItems) {
  const std::string f = Write("f.txt", NumberedItems(8));
  struct Case {
    std::string line;
    std::vector<unsigned> items;
  };
  const std::vector<Case> cases = {
      {f + " 3 - 5", {3, 4, 5}},  {f + " 7", {7}},        {f + " 2 >", {2, 3, 4, 5, 6, 7, 8}},
      {f + " 6 - 0", {6, 7, 8}},  {f + " 6 - 2", {6, 7, 8}}, {f + " 3 7 2", {3, 7, 2}},
      {f, {0}},
  };
  for (const Case& c : cases) {
    TOptionValues options = DefaultOptions();
    options.SeriesReportType = 2;  // Cut Only: the items are printed, not recognised
    TOutput output;
    TSeriesRunner runner(options, output);
    ASSERT_EQ(runner.Run(c.line + "\n"), 1);
    EXPECT_EQ(CutItems(output.Text(), f), c.items) << c.line;
  }
}

TEST_F(SeriesFiles, MissingItemsAndFilesGiveTheirMessages) {
  const std::string f = Write("f.txt", NumberedItems(3));
  const std::string none = Write("none.txt", "no numbered line here\n");
  const std::string missing = (folder_ / "missing.txt").string();
  struct Case {
    std::string line;
    std::string message;
    std::vector<unsigned> items;
  };
  const std::vector<Case> cases = {
      {f + " 2 - 5", "Error : file '" + f + "' contains only 3 spine(s)", {2, 3}},
      // The file holds three items; the message says so, not the number of
      // the first missing one.
      {f + " 5", "Error : file '" + f + "' contains 3 spine(s)", {}},
      {none + " 1 - 2", "Error : No spines found in file '" + none + "'", {}},
      {missing + " 1", "Error : Cannot read file '" + missing + "'", {}},
      {f + " 2 >", "", {2, 3}},  // to the end: no message
  };
  for (const Case& c : cases) {
    TOptionValues options = DefaultOptions();
    options.SeriesReportType = 2;
    TOutput output;
    TSeriesRunner runner(options, output);
    // A file that cannot be read does not end the list: the next line runs.
    ASSERT_EQ(runner.Run(c.line + "\n" + f + " 1\n"), 1);
    const std::string report = output.Text();
    if (!c.message.empty()) {
      EXPECT_NE(report.find(c.message), std::string::npos) << c.line << "\n" << report;
    }
    EXPECT_EQ(report.find("Error : file '" + f + "' contains only 0"), std::string::npos);
    std::vector<unsigned> items = c.items;
    items.push_back(1);
    EXPECT_EQ(CutItems(report, f), items) << c.line;
  }
}

TEST_F(SeriesFiles, AMinimalRunRecognisesTheItemsOfAFileIntoOneTable) {
  // L(5,2) written as a triangulation block, the twice-punctured 3-sphere one
  // cell per line, and L(5,2) again: two manifolds.
  const std::string triangulation =
      "\t\ttriangulation\r\nv1(4,3,2) - v1( 1, 4, 3 )\r\nv1(2,1,4) - v1( 1, 3, 2 )\r\n\t\tend\r\n";
  const std::string f = Write("mixed.txt", triangulation + "\r\n1\r\n2\r\n1 2 -1 -2\r\n" + "\r\n" + triangulation);
  TOptionValues options = DefaultOptions();
  TOutput output;
  TSeriesRunner runner(options, output);
  ASSERT_EQ(runner.Run("% three items\n" + f + " 1 >\n"), 1);
  TManifoldTable& table = *runner.Table();
  const std::string report = output.Text();
  EXPECT_NE(report.find("L(5,2)"), std::string::npos) << report;
  EXPECT_LE(table.CountEntries(), 2) << report;
  // The entry's source text is the item that made it.
  bool hasBlock = false;
  for (int i = 0; i < table.CountEntries(); ++i)
    hasBlock = hasBlock || table.GetEntryText(i)->find("triangulation") != std::string::npos;
  EXPECT_TRUE(hasBlock);
}

TEST_F(SeriesFiles, AMinimalRunPassesOverItemsItsBoundaryRestrictionOrOrientabilityRefuse) {
  // L(5,2) as a triangulation block, the non-orientable Gieseking manifold
  // (a Klein bottle boundary) and the twice-punctured 3-sphere, one cell per line.
  const std::string lens =
      "\t\ttriangulation\r\nv1(4,3,2) - v1( 1, 4, 3 )\r\nv1(2,1,4) - v1( 1, 3, 2 )\r\n\t\tend\r\n";
  const std::string f = Write("items.txt", lens + "\r\n1 1 2 -1 -2 -2\r\n\r\n1\r\n2\r\n1 2 -1 -2\r\n");
  struct Case {
    int boundarySetting;
    std::vector<std::string> entered;  // the items entered, by name
  };
  const std::vector<Case> cases = {
      {1, {"lens", "sphere"}},  // no restriction
      {3, {"lens", "sphere"}},  // spheres only
      {2, {}},                  // at least one torus
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.boundarySetting);
    TOptionValues options = DefaultOptions();
    options.EnumerationOfManifoldsRestrictionOnBoundary = c.boundarySetting;
    TOutput output;
    TSeriesRunner runner(options, output);
    ASSERT_EQ(runner.Run(f + " 1 >\n"), 1);
    TManifoldTable& table = *runner.Table();
    std::vector<std::string> entered;
    for (int i = 0; i < table.CountEntries(); ++i)
      for (const auto& [name, word] : {std::pair{"lens", "triangulation"}, {"gieseking", "-2 -2"}, {"sphere", "\r\n2\r\n"}})
        if (table.GetEntryText(i)->find(word) != std::string::npos) entered.push_back(name);
    std::sort(entered.begin(), entered.end());
    // The non-orientable item is never recognised: mode 2 names manifolds.
    EXPECT_EQ(entered, c.entered) << output.Text();
  }
}

// The report of a table alone: what the table holds, without the run's
// numbering of its items.
std::string TableReport(TManifoldTable& table) {
  TOutput output;
  PrintResultTable(output, table, TResultTableStyle{});
  return output.Text();
}

TEST_F(SeriesFiles, AStoppedRunSavesItsTableAndTheResumedRunEndsWithTheSameTable) {
  std::vector<TCensusEntry> census;
  const std::string all = SignaturesUpTo(3, &census);
  ASSERT_EQ(census.size(), 11U);
  const TOptionValues options = DefaultOptions();

  TOutput whole;
  TSeriesRunner uninterrupted(options, whole);
  ASSERT_EQ(uninterrupted.Run("BinaryTableSave=" + (folder_ / "whole.bin").string() + "\n" + all), 1);
  ASSERT_FALSE(uninterrupted.Stopped());
  const std::string expected = TableReport(*uninterrupted.Table());

  // Stopped while item 6 runs: items 1 to 5 are in the saved table.
  const std::string part = (folder_ / "part.bin").string();
  TOutput first;
  TSeriesRunner stopped(options, first);
  stopped.SetItemObserver([](unsigned item) {
    if (item == 6) RequestStop();
  });
  ASSERT_EQ(stopped.Run("BinaryTableSave=" + part + "\n" + all), 1);
  ASSERT_TRUE(stopped.Stopped());
  EXPECT_EQ(stopped.Table()->CountEntries(), 5);
  StopFlags().stop.store(0);

  // Resumed from item 6 with the saved table.
  std::string rest;
  for (std::size_t i = 5; i < census.size(); ++i) rest += census[i].signature + "\n";
  TOutput second;
  TSeriesRunner resumed(options, second);
  ASSERT_EQ(resumed.Run("BinaryTableLoad=" + part + "\n" + rest), 1) << second.Text();
  EXPECT_EQ(resumed.Table()->CountEntries(), 11);
  EXPECT_EQ(TableReport(*resumed.Table()), expected);
}

TEST_F(SeriesFiles, AnUnwritableSaveNameIsReportedAndTheTableStillShown) {
  TOutput output;
  TSeriesRunner runner(DefaultOptions(), output);
  ASSERT_EQ(runner.Run("BinaryTableSave=" + (folder_ / "no/such/folder/t.bin").string() + "\ncPcbbbiht\n"), 1);
  const std::string report = output.Text();
  EXPECT_NE(report.find("Error : the table could not be saved to"), std::string::npos) << report;
  EXPECT_NE(report.find("Q2_2 ('cPcbbbiht')"), std::string::npos);
}

}  // namespace
