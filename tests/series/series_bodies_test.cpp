// The line series (dehydrated descriptions, crystallization codes) and the
// search schedule of a series item with its time limit.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/stop_flags.h"
#include "model/quiet_scope.h"
#include "recognition/recognition_driver.h"
#include "recognition/recognition_input.h"
#include "recognition/result_table.h"
#include "series/ext_heegaard_class.h"
#include "series/series_runner.h"
#include "shell/document_commands.h"
#include "shell/document_spine.h"
#include "shell/computation_task.h"
#include "shell/options.h"
#include "shell/task_bodies.h"
#include "support/recording_task_view.h"

namespace {

TOptionValues DefaultOptions() {
  TOptionValues options;
  TOptions::Preset(1, options).Apply(options);
  return options;
}

TEST(LineSeries, EachAcceptedLineIsRecognisedAndCounted) {
  struct Case {
    const char* text;
    std::vector<const char*> lines;  // what the report must hold
    int entries;
  };
  const std::vector<Case> cases = {
      // L(5,2) and m004 as dehydrated descriptions; a comment line is skipped.
      {"baaaabn\n% a comment\ncabbbbaei\n",
       {"1:\tbaaaabn\t\tL(5,2)\tH_1=Z_5", "2:\tcabbbbaei\t\tQ2_2 ('cPcbbbiht')\tH_1=Z", "2 dehydrated descriptions handled"},
       2},
      // Crystallizations: S^3, RP^3 (their spines have two balls removed); a
      // line that is no code is skipped, a code that is no manifold is
      // counted as incorrect.
      {"a*a*a\nnot a code\nbadc*cdab*dcba\nabc*bca*cab\n",
       {"1:\ta*a*a\r\n\tS^3          #2D^3\tH_1=0", "2:\tbadc*cdab*dcba\r\n\tRP^3          #2D^3\tH_1=Z_2",
        "2 crystallizations handled, incorrect crystallizations: 1"},
       2},
  };
  for (const Case& c : cases) {
    const TOptionValues options = DefaultOptions();
    TOutput output;
    TSeriesRunner runner(options, output);
    ASSERT_EQ(runner.Run(c.text), 1) << c.text;
    const std::string report = output.Text();
    for (const char* line : c.lines) EXPECT_NE(report.find(line), std::string::npos) << line << "\n" << report;
    EXPECT_EQ(runner.Table()->CountEntries(), c.entries) << report;
  }
}

// The spines of crystallizations have two balls removed: the summary lines
// of the items and of the table report show them ("#2D^3") unless the
// setting to ignore added 3-balls is on. With the setting on, a series also
// describes its spines without the balls, so the entries count none (a
// manifold and its punctured copies are one entry).
TEST(LineSeries, TheSettingToIgnoreAddedBallsHoldsForSummaryLinesAndEntries) {
  for (const int ignore : {0, 1}) {
    SCOPED_TRACE(ignore);
    TOptionValues options = DefaultOptions();
    options.EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls = ignore;
    TOutput output;
    TSeriesRunner runner(options, output);
    ASSERT_EQ(runner.Run("a*a*a\nbadc*cdab*dcba\n"), 1);
    const std::string report = output.Text();
    const std::size_t table = report.find("Manifolds\t2");
    ASSERT_NE(table, std::string::npos) << report;
    if (ignore == 0) {
      EXPECT_NE(report.find("#2D^3", table), std::string::npos) << report;
    } else {
      EXPECT_EQ(report.find("D^3"), std::string::npos) << report;
      EXPECT_NE(report.find("2:\tbadc*cdab*dcba\r\n\tRP^3\tH_1=Z_2"), std::string::npos) << report;
      EXPECT_NE(report.find("RP^3\tH_1=Z_2", table), std::string::npos) << report;
    }
    ASSERT_EQ(runner.Table()->CountEntries(), 2);
    for (int i = 0; i < 2; ++i) {
      int balls = -1;
      int s2xs1 = -1;
      int solidTori = -1;
      runner.Table()->GetEntry(i)->GetBoundaryCounts(balls, s2xs1, solidTori);
      EXPECT_EQ(balls, ignore == 0 ? 2 : 0) << i;
    }
  }
}

// A list of dehydrated descriptions in the order of the atom table checks
// itself: line i must give the atom Q.._i; a line that does not is marked.
TEST(LineSeries, DehydratedListMarksAtomsOutOfTableOrder) {
  struct Case {
    const char* text;
    std::vector<const char*> present;
    std::vector<const char*> absent;
  };
  const std::vector<Case> cases = {
      // m003 then m004: Q2_1 and Q2_2 in their places.
      {"cabbbbapt\ncabbbbaei\n", {"1:\tcabbbbapt\t\tQ2_1", "2:\tcabbbbaei\t\tQ2_2"}, {"!!"}},
      // Swapped: both out of place.
      {"cabbbbaei\ncabbbbapt\n", {"1:\tcabbbbaei\t!!\tQ2_2", "2:\tcabbbbapt\t!!\tQ2_1"}, {}},
      // A lens space has no atom: never marked.
      {"baaaabn\ncabbbbaei\n", {"1:\tbaaaabn\t\tL(5,2)", "2:\tcabbbbaei\t\tQ2_2"}, {"!!"}},
      // Fillings of Q2_1: the k-th molecule with a table atom must hold
      // Q2_.._k. The count starts again with every run, so the same list
      // run twice is marked alike.
      {"jbpbfaabfefghiihikxwaqdknww\njcpbfaabfefghiihinawxqdnnww\n",
       {"1:\tjbpbfaabfefghiihikxwaqdknww\t\tDehn filling Q2_1", "2:\tjcpbfaabfefghiihinawxqdnnww\t!!\tDehn filling Q2_1"},
       {}},
      {"jbpbfaabfefghiihikxwaqdknww\njcpbfaabfefghiihinawxqdnnww\n",
       {"1:\tjbpbfaabfefghiihikxwaqdknww\t\tDehn filling Q2_1", "2:\tjcpbfaabfefghiihinawxqdnnww\t!!\tDehn filling Q2_1"},
       {}},
  };
  for (const Case& c : cases) {
    const TOptionValues options = DefaultOptions();
    TOutput output;
    TSeriesRunner runner(options, output);
    ASSERT_EQ(runner.Run(c.text), 1) << c.text;
    const std::string report = output.Text();
    for (const char* line : c.present) EXPECT_NE(report.find(line), std::string::npos) << line << "\n" << report;
    for (const char* line : c.absent) EXPECT_EQ(report.find(line), std::string::npos) << line << "\n" << report;
  }
}

// Two fillings of Q2_1 (the Weeks manifold, H_1 = Z_5+Z_5, and a manifold
// with H_1 = Z_5) are two entries with their own slopes and volumes: a slope
// left in the piece's own coordinates once gave both one name, one entry and
// one volume.
TEST(LineSeries, TwoFillingsOfOneAtomAreTwoEntries) {
  TOptionValues options = DefaultOptions();
  options.MaxAllVariantsTime = 2000;  // ms, a bound should naming ever fail
  TOutput output;
  TSeriesRunner runner(options, output);
  ASSERT_EQ(runner.Run("jbpbfaabfefghiihikxwaqdknww\njcpbfaabfefghiihinawxqdnnww\n"), 1);
  const std::string report = output.Text();
  EXPECT_NE(report.find("Manifolds\t2"), std::string::npos) << report;
  EXPECT_NE(report.find("Dehn filling Q2_1(2,1)\tH_1=Z_5+Z_5\tVolume=0.942707362777"), std::string::npos) << report;
  EXPECT_NE(report.find("Dehn filling Q2_1(-1,3)\tH_1=Z_5\tVolume=0.981368828892"), std::string::npos) << report;
}

// The crystallization series copies its report, item by item, to the work
// file in the current folder, which it empties first.
TEST(LineSeries, CrystallizationReportIsCopiedToTheWorkFile) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / "sorvelin_series_work_file";
  fs::create_directories(folder);
  const fs::path previous = fs::current_path();
  fs::current_path(folder);
  { std::ofstream("Temp.out") << "left from an earlier run\n"; }
  const TOptionValues options = DefaultOptions();
  TOutput output;
  TSeriesRunner runner(options, output);
  EXPECT_EQ(runner.Run("a*a*a\nbadc*cdab*dcba\n"), 1);
  std::ifstream file("Temp.out", std::ios::binary);
  std::ostringstream work;
  work << file.rdbuf();
  file.close();
  fs::current_path(previous);
  fs::remove_all(folder);
  const std::string report = output.Text();
  const std::string summary = "2 crystallizations handled, incorrect crystallizations: 0\r\n\r\n\r\n";
  ASSERT_NE(report.find(summary), std::string::npos) << report;
  // The file holds the report up to the summary: both items, not the table.
  EXPECT_EQ(work.str(), report.substr(0, report.find(summary) + summary.size()));
  EXPECT_NE(work.str().find("1:\ta*a*a"), std::string::npos) << work.str();
  EXPECT_NE(work.str().find("2:\tbadc*cdab*dcba"), std::string::npos) << work.str();
}

// Runs one series item's search on a signature with a clock that moves a
// second at every reading.
TRecognitionOutcome SearchWithClock(const char* signature, std::chrono::milliseconds limit) {
  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  const TOptionValues options = DefaultOptions();
  TCommandRun run(document, signature, options);
  std::string homology;
  TSpine* spine = RecognitionInput(run, homology);
  EXPECT_NE(spine, nullptr);
  TManifoldTable table;
  TRecognitionDriver driver(table, kModeAllPresentations);
  TSeriesSchedule schedule;
  schedule.step = 2;
  schedule.timeLimit = limit;
  driver.SetSeriesSchedule(schedule);
  auto now = std::chrono::steady_clock::time_point{};
  driver.SetClock([&now] { return now += std::chrono::seconds(1); });
  TQuietScope quiet;
  return driver.Recognize(*spine);
}

TEST(SeriesSchedule, ATimeLimitEndsAnItemThatHasFoundSomething) {
  const TRecognitionOutcome unlimited = SearchWithClock("cMcabbjqs", std::chrono::milliseconds(0));
  ASSERT_GT(unlimited.variants, 1);
  ASSERT_GT(unlimited.presentations, 0);
  // All presentations run the passes up to level 32 without a limit.
  EXPECT_GT(unlimited.stages, 2);
  const TRecognitionOutcome limited = SearchWithClock("cMcabbjqs", std::chrono::milliseconds(500));
  EXPECT_EQ(limited.variants, 1);
  EXPECT_EQ(limited.presentations, 1);
  EXPECT_EQ(limited.stages, 1);
}

TEST(SeriesTask, TheDesktopTaskShowsTheTableEvenWhenStopped) {
  for (const bool stop : {false, true}) {
    SCOPED_TRACE(stop);
    TRecordingTaskView view;
    TComputationTask task;
    task.SetKind(&view, TTaskKind::SeriesRun);
    task.SetDocumentText("cPcbbbdxm\ncPcbbbiht\n");
    const TTaskBodies bodies = BuiltInTaskBodies();
    const TTaskBody* body = bodies.Find(TTaskKind::SeriesRun);
    ASSERT_NE(body, nullptr);
    if (stop) RequestStop();
    (*body)(task);
    StopFlags().stop.store(0);
    EXPECT_EQ(view.ended, 1);
    ASSERT_EQ(view.reports.size(), 1u);
    // A stop before the first item leaves an empty table, still shown.
    EXPECT_NE(view.reports[0].find(stop ? "Manifolds\t0" : "Q2_2 ('cPcbbbiht')"), std::string::npos) << view.reports[0];
  }
}

}  // namespace

namespace {

TExtHeegaardDiagram Diagram(int a0, int a1, int a2, int b0, int b1, int b2) {
  TExtHeegaardDiagram d;
  d.Set(a0, a1, a2, b0, b1, b2);
  return d;
}

TEST(ExtHeegaardClass, MirrorsAreEqualAndReducibleClassesAreNotMinimal) {
  const TExtHeegaardDiagram d = Diagram(3, 3, 1, 2, 2, 2);
  TExtHeegaardDiagram mirror = Diagram(3, 3, 1, 4 - 2, 4 - 2, 6 - 2);
  mirror.Normalize();
  TExtHeegaardDiagram normal = d;
  normal.Normalize();
  EXPECT_EQ(ExtHeegaardEqualUpToMirror(normal, normal), 1);
  EXPECT_EQ(ExtHeegaardEqualUpToMirror(normal, mirror), 1);
  EXPECT_EQ(ExtHeegaardEqualUpToMirror(normal, Diagram(5, 3, 1, 2, 2, 2)), 0);

  // A family of one arc without twist: visibly reducible, never kept.
  TExtHeegaardDiagram reducible = Diagram(3, 1, 1, 0, 0, 0);
  ASSERT_EQ(reducible.IsReducible(), 1);
  TExtHeegaardList list;
  TExtHeegaardExploration record;
  EXPECT_EQ(ExploreExtHeegaardClass(reducible, list, record), 0);
  EXPECT_EQ(record.reducibleFound, 1);
  // What one exploration met is known to the next: the same start is then
  // found in the list.
  int position = -1;
  EXPECT_EQ(list.Find(reducible, position), 1);
  EXPECT_EQ(position, 0);
}

TEST(ExtHeegaardSeries, KeepsMinimalDiagramsOfTheRangeAndRefusesAnUnreadableEnd) {
  TOutput output;
  TSeriesRunner runner(DefaultOptions(), output);
  ASSERT_EQ(runner.Run("extheegaard 1 1 1 0 0 0\nextheegaard 5 3 1 2 2 2\n"), 1);
  const std::string report = output.Text();
  TManifoldTable& table = *runner.Table();
  ASSERT_GT(table.CountEntries(), 0) << report;
  EXPECT_NE(report.find(std::to_string(table.CountEntries()) + " diagrams handled"), std::string::npos) << report;
  for (int i = 0; i < table.CountEntries(); ++i) {
    const int c = table.GetEntry(i)->GetComplexity();
    EXPECT_GE(c, 3);
    EXPECT_LE(c, 9);
  }
  TOutput refused;
  TSeriesRunner second(DefaultOptions(), refused);
  EXPECT_EQ(second.Run("extheegaard 3 3 1 2 2 2\nextheegaard 5 x\n"), 0);
  EXPECT_NE(std::string(refused.Text()), "");
}

}  // namespace
