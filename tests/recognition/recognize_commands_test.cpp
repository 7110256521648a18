#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "shell/computation_task.h"
#include "shell/document_commands.h"
#include "shell/options.h"
#include "shell/task_bodies.h"
#include "shell/task_view.h"
#include "support/census_table_support.h"
#include "support/recording_task_view.h"

namespace {

constexpr int kRecognize = 46;
constexpr int kTillFirst = 48;
constexpr int kTillMain = 49;
constexpr int kTryAll = 50;

// A lens space L(p,q) as printed: its p, and q up to orientation and the
// choice of core (q, -q, 1/q, -1/q modulo p). S^3 is L(1,0), RP^3 L(2,1),
// S^2xS^1 L(0,1).
struct TLens {
  int p = -1;
  int q = 0;
};

bool SameLens(const TLens& a, const TLens& b) {
  if (a.p != b.p) return false;
  if (a.p <= 2) return true;
  const int p = a.p;
  for (int sign : {1, -1}) {
    const int q = ((sign * a.q) % p + p) % p;
    if (q == b.q % p) return true;
    if ((q * b.q) % p == 1) return true;
  }
  return false;
}

TLens PrintedLens(const std::string& shown) {
  std::smatch m;
  if (std::regex_search(shown, m, std::regex(R"(\tL\((\d+),(\d+)\))"))) return {std::stoi(m[1]), std::stoi(m[2])};
  if (shown.find("\tS^3") != std::string::npos) return {1, 0};
  if (shown.find("\tRP^3") != std::string::npos) return {2, 1};
  if (shown.find("\tS^2xS^1") != std::string::npos) return {0, 1};
  return {};
}

TLens CensusLens(const std::string& name) {
  std::smatch m;
  if (std::regex_match(name, m, std::regex(R"(L\((\d+),(\d+)\))"))) return {std::stoi(m[1]), std::stoi(m[2])};
  if (name == "S3") return {1, 0};
  if (name == "RP3") return {2, 1};
  if (name == "S2 x S1") return {0, 1};
  return {};
}

int CountOf(const std::string& shown, const std::string& what) {
  std::smatch m;
  if (!std::regex_search(shown, m, std::regex(what + R"( (\d+))"))) return -1;
  return std::stoi(m[1]);
}

std::vector<TClosedCensusEntry> CensusLensSpaces(int maxTetrahedra) {
  std::vector<TClosedCensusEntry> lines;
  for (const TClosedCensusEntry& entry : ReadClosedCensusSample())
    if (entry.tetrahedra <= maxTetrahedra && CensusLens(entry.name).p >= 0) lines.push_back(entry);
  return lines;
}

}  // namespace

TEST(RecognizeCommands, LensSpacesFromCensusSignatures) {
  const std::vector<TClosedCensusEntry> lines = CensusLensSpaces(4);
  ASSERT_GE(lines.size(), 20u);
  for (const TClosedCensusEntry& line : lines) {
    const TCommandResult r = RunCommandOnText(kRecognize, line.signature + "\n", TOptionValues{});
    ASSERT_EQ(r.outcome, TCommandOutcome::kDone) << line.name;
    const TLens printed = PrintedLens(r.shown);
    EXPECT_TRUE(SameLens(printed, CensusLens(line.name))) << line.name << " printed\n" << r.shown;
    EXPECT_NE(r.shown.find("H_1=" + (line.homology == "0" ? std::string("0") : line.homology)), std::string::npos)
        << line.name << "\n" << r.shown;
  }
}

TEST(RecognizeCommands, SurgeriesOnTheUnknot) {
  const struct {
    const char* framing;
    TLens lens;
  } cases[] = {{"1", {1, 0}}, {"2", {2, 1}}, {"5", {5, 1}}, {"7/2", {7, 2}}, {"0/1", {0, 1}}, {"-12/5", {12, 5}}};
  for (const auto& c : cases) {
    const std::string text = std::string("link code 1 -1 framing ") + c.framing + " end\n";
    const TCommandResult r = RunCommandOnText(kTillMain, text, TOptionValues{});
    ASSERT_EQ(r.outcome, TCommandOutcome::kDone) << c.framing;
    EXPECT_TRUE(SameLens(PrintedLens(r.shown), c.lens)) << c.framing << "\n" << r.shown;
  }
}

TEST(RecognizeCommands, TheDoneWhenExamples) {
  const TCommandResult lens = RunCommandOnText(kRecognize, "bkaajn\n", TOptionValues{});
  ASSERT_EQ(lens.outcome, TCommandOutcome::kDone);
  EXPECT_NE(lens.shown.find("Manifold is\r\n\tL(5,2)"), std::string::npos) << lens.shown;
  // The trefoil surgery searches hundreds of variants: it runs with the slow
  // tests.
}

TEST(RecognizeCommands, ModesSearchAsFarAsTheirGoal) {
  // L(5,1): a spine without quadrangle candidates. The deepest stages make
  // every polygon move at every depth, and on a spine with many (L(8,3)'s
  // has ten) that tree takes minutes.
  const std::string text = "cMcabbjxr\n";
  const TCommandResult first = RunCommandOnText(kTillFirst, text, TOptionValues{});
  const TCommandResult all = RunCommandOnText(kTryAll, text, TOptionValues{});
  ASSERT_EQ(first.outcome, TCommandOutcome::kDone);
  ASSERT_EQ(all.outcome, TCommandOutcome::kDone);
  EXPECT_EQ(CountOf(first.shown, "Stages"), 1) << first.shown;
  EXPECT_GE(CountOf(all.shown, "Variants"), CountOf(first.shown, "Variants")) << all.shown;
  EXPECT_GE(CountOf(all.shown, "Presentations"), CountOf(first.shown, "Presentations"));
  // No presentation contradicts the homology (Z_5).
  EXPECT_EQ(all.shown.find("L(0,1)"), std::string::npos) << all.shown;
  // The later stages repeat the deepest one; once a repetition finds
  // nothing new the schedule ends instead of running all 31.
  EXPECT_LT(CountOf(all.shown, "Stages"), 31) << all.shown;
  EXPECT_TRUE(SameLens(PrintedLens(all.shown), {5, 1})) << all.shown;
}

TEST(RecognizeCommands, BadOrEmptyInputIsRefused) {
  for (int id : {kRecognize, kTillFirst, kTillMain, kTryAll}) {
    EXPECT_EQ(RunCommandOnText(id, "", TOptionValues{}).outcome, TCommandOutcome::kRefused) << id;
    const TCommandResult bad = RunCommandOnText(id, "link code 1 -2 framing end\n", TOptionValues{});
    EXPECT_NE(bad.outcome, TCommandOutcome::kDone) << id << "\n" << bad.shown;
  }
}

TEST(RecognizeCommands, AStopRequestEndsTheSearch) {
  std::atomic<int> stop{1};
  const TCommandResult r = RunCommandOnText(kTryAll, "bkaajn\n", TOptionValues{}, &stop);
  EXPECT_NE(r.outcome, TCommandOutcome::kDone);
}

namespace {

TEST(RecognizeTasks, TheDesktopTasksShowTheNameOfTheManifold) {
  for (TTaskKind kind : {TTaskKind::RecognizeTillFirst, TTaskKind::RecognizeTillMain, TTaskKind::RecognizeAll}) {
    SCOPED_TRACE(TaskKindNumber(kind));
    TRecordingTaskView view;
    TComputationTask task;
    task.SetKind(&view, kind);
    task.SetDocumentText("bkaajn");
    const TTaskBodies bodies = BuiltInTaskBodies();
    const TTaskBody* body = bodies.Find(kind);
    ASSERT_NE(body, nullptr);
    (*body)(task);
    EXPECT_EQ(view.begun, 1);
    EXPECT_EQ(view.ended, 1);
    ASSERT_FALSE(view.reports.empty());
    EXPECT_NE(view.reports.back().find("L(5,2)"), std::string::npos) << view.reports.back();
    // A search for all presentations shows each presentation it finds while
    // it goes on: the input, the table so far and how to stop.
    if (kind == TTaskKind::RecognizeAll) {
      ASSERT_EQ(view.reports.size(), 2u);
      const std::string& hit = view.reports[0];
      EXPECT_EQ(hit.rfind("bkaajn", 0), 0u) << hit;
      EXPECT_NE(hit.find("L(5,2)"), std::string::npos) << hit;
      EXPECT_NE(hit.find("To stop recognition press Ctrl+Break"), std::string::npos) << hit;
    } else {
      EXPECT_EQ(view.reports.size(), 1u);
    }
    // Every report shown on a hit comes with a beep; the final one without.
    EXPECT_EQ(view.beeps, static_cast<int>(view.reports.size()) - 1);
  }
}

}  // namespace

// The entry of a hyperbolic manifold is completed with its volume: the Weeks
// manifold, 0.9427073627769277 (its census value).
TEST(RecognizeCommands, AHyperbolicManifoldIsPrintedWithItsVolume) {
  TOptionValues options;
  options.MaxAllVariantsTime = 3000;  // milliseconds
  const TCommandResult r = RunCommandOnText(kTillMain, "jLvAMPQadfgghhiiijaqgjqxims\n", options);
  ASSERT_EQ(r.outcome, TCommandOutcome::kDone) << r.shown;
  EXPECT_NE(r.shown.find("Volume=0.942707362777"), std::string::npos) << r.shown;
}

// The spine of a crystallization has two balls cut off: the answer of a
// recognition and every table report shown on a hit say so ("#2D^3") unless
// the setting to ignore added 3-balls is on.
TEST(RecognizeTasks, TheSettingToIgnoreAddedBallsHoldsForTheAnswerAndTheHitReports) {
  for (const int ignore : {0, 1}) {
    SCOPED_TRACE(ignore);
    TRecordingTaskView view;
    TComputationTask task;
    task.SetKind(&view, TTaskKind::RecognizeAll);
    TOptionValues options;
    options.EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls = ignore;
    options.MaxAllVariantsTime = 1000;  // milliseconds
    task.SetOptions(options);
    task.SetDocumentText("badc*cdab*dcba");
    const TTaskBodies bodies = BuiltInTaskBodies();
    const TTaskBody* body = bodies.Find(TTaskKind::RecognizeAll);
    ASSERT_NE(body, nullptr);
    (*body)(task);
    ASSERT_GE(view.reports.size(), 2u);  // at least one hit, then the answer
    for (const std::string& report : view.reports) {
      SCOPED_TRACE(report);
      EXPECT_NE(report.find("RP^3"), std::string::npos);
      EXPECT_EQ(report.find("#2D^3") != std::string::npos, ignore == 0);
    }
  }
}
