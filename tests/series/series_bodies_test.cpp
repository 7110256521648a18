// The line series (dehydrated descriptions, crystallization codes) and the
// search schedule of a series item with its time limit.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "foundation/stop_flags.h"
#include "model/quiet_scope.h"
#include "recognition/recognition_driver.h"
#include "recognition/recognition_input.h"
#include "recognition/result_table.h"
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
       {"1:\tbaaaabn\t\tL(5,2)\tH_1=Z_5", "2:\tcabbbbaei\t\tQ2_2 ('m004')\tH_1=Z", "2 dehydrated descriptions handled"},
       2},
      // Crystallizations: S^3, RP^3; a line that is no code is skipped, a
      // code that is no manifold is counted as incorrect.
      {"a*a*a\nnot a code\nbadc*cdab*dcba\nabc*bca*cab\n",
       {"1:\ta*a*a\r\n\tS^3\tH_1=0", "2:\tbadc*cdab*dcba\r\n\tRP^3\tH_1=Z_2",
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
    EXPECT_NE(view.reports[0].find(stop ? "Manifolds\t0" : "Q2_2 ('m004')"), std::string::npos) << view.reports[0];
  }
}

}  // namespace
