// The recognition driver's own paths: the simplify-only search (surgeries
// off, the kept simplest spine), recognition after simplifying first, the
// nested deeper pass, the progress texts and the report on a hit, and a stop
// in the middle of a search.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <vector>
#include <regex>

#include "foundation/output.h"
#include "foundation/status_reporter.h"
#include "foundation/stop_poll.h"
#include "model/quiet_scope.h"
#include "model/spine.h"
#include "moves/move_types.h"
#include "recognition/recognition_driver.h"
#include "recognition/recognition_input.h"
#include "recognition/result_table.h"
#include "shell/document_commands.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "shell/spine_text_view.h"
#include "support/census_table_support.h"
#include "driver_input_fixture.h"

namespace {

// The 1/2 surgery on the figure eight: its first leaf keeps a piece that is
// named only after a few more moves.
const char* const kHalfSurgeryOnFigureEight = "link code 1 -2 3 -4 2 -1 4 -3 framing 1/2 end\n";

struct TNotation {
  const char* text;
  const char* manifold;
};

// S^3, RP^3 and lens spaces from signatures, crystallizations and surgeries
// on the unknot.
const std::vector<TNotation> kNotations = {
    {"bkaajn", "L(5,2)"},
    {"cMcabbjqs", "L(8,3)"},
    {"a*a*a", "S^3"},
    {"badc*cdab*dcba", "RP^3"},
    {"link code 1 -1 framing 7/2 end", "L(7,2)"},
    {"link code 1 -1 framing 5 end", "L(5,1)"},
    {"link code 1 -1 framing 2 end", "RP^3"},
};

// Recognises a spine into a series table, as a series item.
void SeriesFill(TManifoldTable& table, TSpine& spine, int mode) {
  TRecognitionDriver driver(table, mode);
  driver.SetSeriesSchedule(TSeriesSchedule{});
  TQuietScope quiet;
  driver.Recognize(spine);
}

TOptionValues SimplifyFirstOptions() {
  TOptionValues options;
  options.OptionsTryToSimplifySpineBeforeRecognizing = 1;
  return options;
}

// The manifold's name as the recognition command prints it.
std::string RecognisedName(const std::string& text, const TOptionValues& options) {
  const TCommandResult r = RunCommandOnText(46, text + "\n", options);
  EXPECT_EQ(r.outcome, TCommandOutcome::kDone) << text << "\n" << r.shown;
  const std::string head = "Manifold is\r\n\t";
  const std::size_t at = r.shown.find(head);
  if (at == std::string::npos) return r.shown;
  const std::size_t from = at + head.size();
  const std::string line = r.shown.substr(from, r.shown.find_first_of("\t\r", from) - from);
  // The name, without the balls and summands added to it (set off by ten blanks).
  return line.substr(0, line.find("          "));
}

// Collects the status texts while it lives.
class TStatusCapture {
 public:
  TStatusCapture() {
    SetStatusBarSink([this](const char* text) { texts.emplace_back(text != nullptr ? text : ""); });
  }
  ~TStatusCapture() { SetStatusBarSink({}); }
  TStatusCapture(const TStatusCapture&) = delete;
  TStatusCapture& operator=(const TStatusCapture&) = delete;
  std::vector<std::string> texts;
};

class TSurgeriesSwitch : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = DisableSurgeries.load();
    DisableSurgeries.store(0);
  }
  void TearDown() override { DisableSurgeries.store(saved_); }

 private:
  int saved_ = 0;
};

using SimplifyOnlySearch = TSurgeriesSwitch;
using RecognitionDriver = TSurgeriesSwitch;

TEST_F(SimplifyOnlySearch, KeepsASpecialSpineNoLargerThanTheInputAndNeverCutsIt) {
  for (const TNotation& n : kNotations) {
    SCOPED_TRACE(n.text);
    TDriverInput input(n.text);
    ASSERT_TRUE(input.Valid());
    const int vertices = CountChainVertices(input.Spine());
    TManifoldTable table;
    TRecognitionDriver driver(table, kModeSimplifyOnly);
    driver.SetSeriesSchedule(TSeriesSchedule{});
    TRecognitionOutcome outcome;
    {
      TQuietScope quiet;
      outcome = driver.Recognize(input.Spine());
    }
    // The switch is the user's again afterwards.
    EXPECT_EQ(DisableSurgeries.load(), 0);
    ASSERT_NE(outcome.entryIndex, -1);
    EXPECT_GT(outcome.variants, 0);
    EXPECT_EQ(outcome.presentations, 0);
    ASSERT_GE(outcome.keptVertices, 1);
    EXPECT_LE(outcome.keptVertices, vertices);
    // No surgery: what is kept is one special spine, not pieces of one.
    TSpine kept;
    driver.KeptSpine().CopyTo(kept);
    EXPECT_EQ(kept.Next(), nullptr);
    EXPECT_EQ(kept.IsSpecial(1), 1);
    EXPECT_EQ(CountChainVertices(kept), outcome.keptVertices);
    // The entry's text is the kept spine, one cell per line.
    const std::string* text = table.GetEntryText(outcome.entryIndex);
    ASSERT_NE(text, nullptr);
    EXPECT_FALSE(text->empty());
    // The same input recognised with and without simplifying first.
    EXPECT_EQ(RecognisedName(n.text, SimplifyFirstOptions()), n.manifold);
    EXPECT_EQ(RecognisedName(n.text, TOptionValues{}), n.manifold);
  }
}

TEST_F(SimplifyOnlySearch, SimplifiesASpineMadeLargerOnPurpose) {
  // The surgery descriptions give spines of 6 to 10 vertices; each of these
  // lens spaces has a special spine of at most 2.
  for (const char* text : {"link code 1 -1 framing 7/2 end", "link code 1 -1 framing 5 end"}) {
    SCOPED_TRACE(text);
    TDriverInput input(text);
    ASSERT_TRUE(input.Valid());
    ASSERT_GT(CountChainVertices(input.Spine()), 2);
    TManifoldTable table;
    TRecognitionDriver driver(table, kModeSimplifyOnly);
    driver.SetSeriesSchedule(TSeriesSchedule{});
    TQuietScope quiet;
    EXPECT_LE(driver.Recognize(input.Spine()).keptVertices, 2);
  }
}

TEST_F(SimplifyOnlySearch, CompareOnlyLooksTheSpineUpAsItStandsUnlessAskedToSimplify) {
  TDriverInput input("link code 1 -1 framing 5 end");
  ASSERT_TRUE(input.Valid());
  for (const int simplifyFirst : {0, 1}) {
    SCOPED_TRACE(simplifyFirst);
    TManifoldTable table;
    TRecognitionDriver driver(table, kModeCompareOnly);
    driver.SetSeriesSchedule(TSeriesSchedule{});
    driver.SetSimplifyFirst(simplifyFirst, 2, 2);
    TQuietScope quiet;
    const TRecognitionOutcome outcome = driver.Recognize(input.Spine());
    ASSERT_NE(outcome.entryIndex, -1);
    if (simplifyFirst == 0) {
      EXPECT_EQ(outcome.variants, 1);
      EXPECT_EQ(outcome.keptVertices, -1);
    } else {
      EXPECT_GT(outcome.variants, 1);
      EXPECT_LE(outcome.keptVertices, 2);
    }
  }
}

// Simplifying first makes an entry only to keep the simplest spine, and
// removes it again; its spine text must not then be written through the
// index it had, which by then belongs to another entry of the table.
TEST_F(SimplifyOnlySearch, TheRemovedEntryLeavesItsNeighboursAlone) {
  // One document for all inputs, parsed as a series parses its items; the
  // table's descriptions live in its heap.
  TOptionValues options;
  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  std::vector<std::unique_ptr<TCommandRun>> runs;
  auto parse = [&](const char* text) {
    TDocumentSpine::TScope itemScope(document);
    runs.push_back(std::make_unique<TCommandRun>(document, text, options, false, nullptr, [&document, text, &options] {
      return document.ParseDocumentText(text, options, kViewModeSeries);
    }));
    std::string homology;
    return RecognitionInput(*runs.back(), homology);
  };
  TManifoldTable table;
  for (const char* text : {"cMcabbjqs", "bkaajn", "cMcabbjqw", "eLAkbcbddhhjhk"}) {
    TSpine* spine = parse(text);
    ASSERT_NE(spine, nullptr);
    SeriesFill(table, *spine, kModeTillMain);
  }
  // Unsimplified spines, entered as they stand, sort after the simplest
  // spine of the item below.
  for (const char* text : {"link code 1 -1 framing 7/2 end", "link code 1 -1 framing 9/2 end"}) {
    TSpine* spine = parse(text);
    ASSERT_NE(spine, nullptr);
    SeriesFill(table, *spine, kModeCompareOnly);
  }
  const int before = table.CountEntries();
  ASSERT_GE(before, 3);
  TSpine* spine = parse("link code 1 -1 framing 5 end");
  ASSERT_NE(spine, nullptr);
  TRecognitionDriver driver(table, kModeTillMain);
  TSeriesSchedule schedule;
  driver.SetSeriesSchedule(schedule);
  driver.SetSimplifyFirst(1, 2, 2);
  TRecognitionOutcome outcome;
  {
    TQuietScope quiet;
    outcome = driver.Recognize(*spine);
  }
  EXPECT_GE(outcome.keptVertices, 1);
  ASSERT_NE(outcome.entryIndex, -1);
  EXPECT_EQ(table.CountEntries(), before + 1);
  for (int i = 0; i < table.CountEntries(); ++i) {
    const std::string* text = table.GetEntryText(i);
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->empty()) << i << ": " << *text;
  }
}

TEST_F(RecognitionDriver, AStopMidSearchStillCompletesTheEntry) {
  TDriverInput input("cMcabbjqs");  // L(8,3): Try All looks up many variants
  ASSERT_TRUE(input.Valid());
  for (const int simplifyFirst : {0, 1}) {
    SCOPED_TRACE(simplifyFirst);
    TManifoldTable table;
    table.SetKind(kTableSingleCommand);
    TRecognitionDriver driver(table, kModeAllPresentations);
    std::atomic<int> stop{0};
    driver.SetStopFlag(&stop);
    driver.SetSimplifyFirst(simplifyFirst, 2, 2);
    // Every leaf reports its progress; the first report asks for a stop.
    driver.SetProgressInterval(std::chrono::milliseconds(0));
    TStatusCapture status;
    SetStatusBarSink([&stop](const char* text) {
      if (text != nullptr && std::string(text).find(", Variant ") != std::string::npos) stop.store(1);
    });
    TQuietScope quiet;
    EXPECT_THROW(driver.Recognize(input.Spine()), TComputationStopped);
    EXPECT_EQ(DisableSurgeries.load(), 0);
    if (simplifyFirst == 0) {
      // The entry of the first leaf is there, with the homology of the input.
      ASSERT_EQ(table.CountEntries(), 1);
      const std::vector<std::int32_t>* homology = table.GetEntryHomology(0);
      ASSERT_NE(homology, nullptr);
      EXPECT_EQ(*homology, std::vector<std::int32_t>{8});
    } else {
      // Stopped while simplifying: the entry of that search is removed.
      EXPECT_EQ(table.CountEntries(), 0);
    }
  }
}

TEST_F(RecognitionDriver, ALeafItCannotNameIsSearchedDeeper) {
  // At level 1 the 1/2 surgery on the figure eight is not named; the nested
  // pass then looks a few levels further from that leaf. A leaf that is
  // named (the lens spaces) needs no nested pass.
  const struct {
    const char* signature;
    bool namedAtLevelOne;
  } cases[] = {{"bkaajn", true}, {"cMcabbjqs", true}, {kHalfSurgeryOnFigureEight, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.signature);
    TDriverInput input(c.signature);
    ASSERT_TRUE(input.Valid());
    TManifoldTable table;
    table.SetKind(kTableSingleCommand);
    TRecognitionDriver driver(table, kModeTillFirst);
    driver.SetLastStage(1);
    TQuietScope quiet;
    const TRecognitionOutcome outcome = driver.Recognize(input.Spine());
    EXPECT_EQ(outcome.presentations > 0, c.namedAtLevelOne);
    if (c.namedAtLevelOne)
      EXPECT_EQ(outcome.variants, 1);
    else
      EXPECT_GT(outcome.variants, 1);
  }
}

TEST_F(RecognitionDriver, ASingleCommandReportsItsProgressAndASeriesItemDoesNot) {
  const std::regex exceptional(R"(Exceptional spine complexity \d+, Variant \d+, Level \d+, To stop press Ctrl\+Break)");
  const std::regex simplifying(R"(Spine complexity \d+, Variant \d+, Level \d+, To stop press Ctrl\+Break)");
  const std::regex presentations(R"(Presentations \d+, Variant \d+, Level \d+, To stop press Ctrl\+Break)");
  auto count = [](const std::vector<std::string>& texts, const std::regex& re) {
    int n = 0;
    for (const std::string& t : texts) n += std::regex_match(t, re) ? 1 : 0;
    return n;
  };
  // Unnamed at level 1, named later.
  TDriverInput input(kHalfSurgeryOnFigureEight);
  ASSERT_TRUE(input.Valid());
  for (const bool series : {false, true}) {
    SCOPED_TRACE(series);
    TManifoldTable table;
    TRecognitionDriver driver(table, kModeAllPresentations);
    driver.SetProgressInterval(std::chrono::milliseconds(0));
    driver.SetSimplifyFirst(1, 2, 2);
    driver.SetLastStage(4);
    // All presentations of this manifold take long to search: the time
    // limit ends the search once the three kinds of progress were shown.
    const std::chrono::milliseconds limit(1500);
    driver.SetTimeLimit(limit);
    TSeriesSchedule schedule;
    schedule.timeLimit = limit;
    if (series) driver.SetSeriesSchedule(schedule);
    TStatusCapture status;
    TRecognitionOutcome outcome;
    {
      TQuietScope quiet;
      outcome = driver.Recognize(input.Spine());
    }
    ASSERT_GT(outcome.presentations, 0);
    // The moves report too; only the driver's own texts are counted.
    const int shown = series ? 0 : 1;
    EXPECT_EQ(count(status.texts, simplifying) > 0 ? 1 : 0, shown);
    EXPECT_EQ(count(status.texts, exceptional) > 0 ? 1 : 0, shown);
    EXPECT_EQ(count(status.texts, presentations) > 0 ? 1 : 0, shown);
  }
}

}  // namespace

// A single command with the recognition time limit of the settings, on a
// clock that moves a second at every reading.
TRecognitionOutcome RecogniseWithClock(const char* signature, std::chrono::milliseconds limit) {
  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  const TOptionValues options;
  TCommandRun run(document, signature, options);
  std::string homology;
  TSpine* spine = RecognitionInput(run, homology);
  EXPECT_NE(spine, nullptr);
  TManifoldTable table;
  table.SetKind(kTableSingleCommand);
  TRecognitionDriver driver(table, kModeAllPresentations);
  driver.SetLastStage(3);
  driver.SetTimeLimit(limit);
  auto now = std::chrono::steady_clock::time_point{};
  driver.SetClock([&now] { return now += std::chrono::seconds(1); });
  TQuietScope quiet;
  return driver.Recognize(*spine);
}

TEST(RecognitionTimeLimit, EndsASingleCommandWithWhatItHasFound) {
  // L(8,3): every leaf names it, so the quarter of the limit applies at once.
  const TRecognitionOutcome unlimited = RecogniseWithClock("cMcabbjqs", std::chrono::milliseconds(0));
  ASSERT_GT(unlimited.variants, 2);
  EXPECT_EQ(unlimited.stages, 3);
  const TRecognitionOutcome limited = RecogniseWithClock("cMcabbjqs", std::chrono::milliseconds(2000));
  EXPECT_EQ(limited.variants, 1);
  EXPECT_EQ(limited.presentations, 1);
  EXPECT_EQ(limited.stages, 1);
  EXPECT_NE(limited.entryIndex, -1);
  // With a presentation found the search may run a quarter of the limit (3 s
  // of the clock here): a few more leaves, far fewer than without a limit.
  const TRecognitionOutcome longer = RecogniseWithClock("cMcabbjqs", std::chrono::milliseconds(12000));
  EXPECT_GT(longer.variants, 1);
  EXPECT_LT(longer.variants, unlimited.variants);
}

namespace {

// The first two stages are quick looks: whatever the goal, each ends at its
// first presentation (the first stage has a single leaf, the second one per
// cell and move). So after two stages a search has at most two presentations
// however many leaves would name the manifold; a Till Main search used to go
// on through all of them until the manifold was recognised, and a search for
// all presentations through every leaf.
TEST(RecognitionStages, TheFirstTwoStagesEndAtTheirFirstPresentationInEveryMode) {
  const std::vector<TClosedCensusEntry> census = ReadClosedCensusSample();
  ASSERT_FALSE(census.empty());
  int named = 0;
  for (const TClosedCensusEntry& e : census) {
    if (e.tetrahedra > 4) continue;
    SCOPED_TRACE(e.signature + " " + e.name);
    TDriverInput input(e.signature);
    ASSERT_TRUE(input.Valid());
    for (const int mode : {kModeTillMain, kModeAllPresentations}) {
      SCOPED_TRACE(mode);
      TManifoldTable table;
      table.SetKind(kTableSingleCommand);
      TRecognitionDriver driver(table, mode);
      driver.SetLastStage(2);
      TRecognitionOutcome outcome;
      {
        TQuietScope quiet;
        outcome = driver.Recognize(input.Spine());
      }
      EXPECT_LE(outcome.presentations, outcome.stages);
      if (mode == kModeAllPresentations && outcome.presentations > 0) ++named;
    }
  }
  EXPECT_GE(named, 10);
}

}  // namespace
