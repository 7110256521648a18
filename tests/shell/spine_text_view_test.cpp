// The text view's modes and kept texts, on a plain text buffer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/status_reporter.h"
#include "shell/spine_text_view.h"

namespace {

class TBufferControl : public TTextBufferControl {
 public:
  void ViewStateChanged(int state) override { states.push_back(state); }
  std::vector<int> states;
};

// The twice-punctured 3-sphere, as three cells.
const char kSpine[] = "1\n2\n1 2 -1 -2\n";

// A command that reports a fixed text after the view's parse.
TDocumentCommands FixedReport(const char* report) {
  TDocumentCommands commands;
  commands.Set(23, [report](TCommandRun& run) {
    run.Parse();
    run.output.AppendText(report);
    return run.HasSpine() ? TCommandOutcome::kDone : TCommandOutcome::kRefused;
  });
  return commands;
}

class SpineTextViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetStatusBarSink([this](const char* text) { statusLine = text; });
  }
  void TearDown() override { SetStatusBarSink({}); }

  TBufferControl control;
  TSpineTextView view{control};
  std::string statusLine;
};

TEST_F(SpineTextViewTest, KeptTextsComeBackInReverseOrder) {
  view.PushSavedText("first");
  view.PushSavedText("second");
  view.PushSavedText(std::nullopt);  // nothing to keep: no change
  view.RestoreOriginalText();
  EXPECT_EQ(control.text, "second");
  view.RestoreOriginalText();
  EXPECT_EQ(control.text, "first");
  control.text = "edited";
  view.RestoreOriginalText();
  EXPECT_EQ(control.text, "edited") << "a third restore has nothing left";
}

TEST_F(SpineTextViewTest, AReportIsShownReadOnlyAndTheTextComesBack) {
  control.text = kSpine;
  view.RunCommand(FixedReport("H_1 = 0\r\n"), 23, TOptionValues{});
  EXPECT_TRUE(view.InformationMode());
  EXPECT_EQ(control.text, "H_1 = 0\r\n");
  EXPECT_TRUE(control.readOnly);
  EXPECT_EQ(view.ViewState(), kViewReportWithSpine);
  EXPECT_EQ(statusLine, "Click Sorvelin|Initial State to restore original text");
  // Commands and saving see the user's text, never the report.
  EXPECT_EQ(view.CommandText(), kSpine);
  EXPECT_EQ(view.DocumentTextToSave(), kSpine);

  view.OnInitialState();
  EXPECT_FALSE(view.InformationMode());
  EXPECT_EQ(control.text, kSpine);
  EXPECT_FALSE(control.readOnly);
  EXPECT_EQ(view.ViewState(), kViewEditing);
  EXPECT_EQ(statusLine, "");
  EXPECT_EQ(view.DocumentTextToSave(), kSpine);

  // The report taken down is the last information, shown again on request.
  ASSERT_TRUE(view.LastInformationKept());
  EXPECT_EQ(view.ReadText(true), "H_1 = 0\r\n");
  view.OnLastInformation();
  EXPECT_TRUE(view.InformationMode());
  EXPECT_EQ(control.text, "H_1 = 0\r\n");
  view.OnRemoveInformation();
  EXPECT_EQ(control.text, kSpine);
  EXPECT_EQ(control.states, (std::vector<int>{4, 1, 4, 1}));
}

TEST_F(SpineTextViewTest, AReportWithoutASpineGivesViewStateFive) {
  control.text = "x = {";
  view.RunCommand(FixedReport("Unable to build special polyhedron!"), 23, TOptionValues{});
  EXPECT_EQ(view.ViewState(), kViewReportWithoutSpine);
  EXPECT_TRUE(view.SpineEmpty());
  EXPECT_EQ(view.CommandText(), "x = {") << "the text the report was made from";
}

TEST_F(SpineTextViewTest, LeavingInformationModeClearsTheTransformedStateOnlyOnTheParsedText) {
  for (bool sameText : {true, false}) {
    TBufferControl c;
    TSpineTextView v(c);
    c.text = kSpine;
    v.RunCommand(FixedReport("report"), 23, TOptionValues{});
    v.SetTransformedState(true);
    v.PushSavedText(sameText ? kSpine : "another text");
    v.OnRemoveInformation();
    EXPECT_EQ(c.text, sameText ? kSpine : "another text");
    EXPECT_EQ(v.Transformed(), !sameText);
    EXPECT_EQ(c.readOnly, !sameText);
  }
}

TEST_F(SpineTextViewTest, InitialStateBringsBackTheTransformedText) {
  control.text = "user text";
  view.SaveOriginalText();
  view.WriteText("simplified", false);
  view.SetTransformedState(true);
  EXPECT_TRUE(control.readOnly);
  EXPECT_EQ(view.DocumentTextToSave(), "simplified");
  view.OnInitialState();
  EXPECT_FALSE(view.Transformed());
  EXPECT_EQ(control.text, "user text");
  EXPECT_FALSE(control.readOnly);
}

TEST_F(SpineTextViewTest, ComputationHooksSetModeAndState) {
  struct TCase {
    TTaskKind kind;
    int modeDuring;
  };
  const TCase cases[] = {{TTaskKind::SeriesRun, kViewModeSeries},
                         {TTaskKind::RecognizeAll, kViewModeRecognition},
                         {TTaskKind::TuraevViro, kViewModeOther},
                         {TTaskKind::ImportOneCuspByKnots, kViewModeOther}};
  for (const TCase& c : cases) {
    view.BeginComputation(c.kind);
    EXPECT_EQ(view.ViewMode(), c.modeDuring) << TaskKindNumber(c.kind);
    EXPECT_EQ(view.ViewState(), kViewComputing);
    EXPECT_TRUE(view.Computing());
    // A report shown while computing keeps the computing state.
    EXPECT_EQ(view.SetInformationMode(true, "partial"), kViewComputing);
    view.EndComputation(c.kind);
    EXPECT_EQ(view.ViewMode(), kViewModeOther);
    EXPECT_FALSE(view.Computing());
    EXPECT_EQ(view.ViewState(), kViewReportWithoutSpine);
    view.OnInitialState();
  }
}

TEST_F(SpineTextViewTest, RecognitionForgetsTheParsedSpineAtItsEnd) {
  control.text = kSpine;
  view.RunCommand(FixedReport("report"), 23, TOptionValues{});
  view.OnInitialState();
  EXPECT_FALSE(view.SpineEmpty());
  view.BeginComputation(TTaskKind::DefaultMoves);
  view.EndComputation(TTaskKind::DefaultMoves);
  EXPECT_FALSE(view.SpineEmpty());
  EXPECT_EQ(view.ViewState(), kViewReportWithSpine);
  view.BeginComputation(TTaskKind::RecognizeTillMain);
  view.EndComputation(TTaskKind::RecognizeTillMain);
  EXPECT_TRUE(view.SpineEmpty());
  EXPECT_EQ(view.ViewState(), kViewReportWithoutSpine);
}

}  // namespace

// The parse cache: the spine is marked after the first parse; a parse that is
// skipped keeps the mark, a real one builds a fresh spine without it.
TEST_F(SpineTextViewTest, TheSpineIsParsedOnceUntilTheTextOrTheMoveListSettingChanges) {
  constexpr int kMark = 99;
  TOptionValues options;
  struct TStep {
    const char* text;  // null: keep the text
    int moveList;
    bool parsedAgain;
  };
  const TStep steps[] = {
      {kSpine, 0, true},          // first parse
      {nullptr, 0, false},        // unchanged: cached
      {nullptr, 1, true},         // the move-list setting changes what the parse names
      {nullptr, 1, false},
      {"1\n2\n1 2 -1 -2 \n", 1, true},  // one character more
  };
  for (const TStep& step : steps) {
    if (step.text != nullptr) control.text = step.text;
    options.OptionsOutputMoveList = step.moveList;
    ASSERT_EQ(view.ParseDocumentText(options), 1);
    EXPECT_EQ(view.Document().Spine().SourceKind() != kMark, step.parsedAgain)
        << (step.text ? step.text : "(same text)") << " move list " << step.moveList;
    view.Document().Spine().SetSourceKind(kMark);
  }
  // An empty spine is always parsed again.
  control.text = "x = {";
  EXPECT_EQ(view.ParseDocumentText(options), 0);
  EXPECT_EQ(view.ParseDocumentText(options), 0);
  EXPECT_TRUE(view.SpineEmpty());
}

TEST_F(SpineTextViewTest, InInformationModeCommandsUseTheSpineOfTheKeptText) {
  control.text = kSpine;
  const TDocumentCommands& commands = BuiltInDocumentCommands();
  ASSERT_EQ(view.RunCommand(commands, 23, TOptionValues{}), TCommandOutcome::kDone);
  EXPECT_EQ(control.text.rfind("H_1=0", 0), 0u) << control.text;
  // The report is shown; a second command works on the spine behind it.
  ASSERT_EQ(view.RunCommand(commands, 17, TOptionValues{}), TCommandOutcome::kDone);
  EXPECT_NE(control.text.find("Cell #3 = { 1, 2, -1, -2 }"), std::string::npos) << control.text;
  EXPECT_EQ(view.ParseDocumentText(TOptionValues{}), 0) << "a report is never parsed";
  EXPECT_TRUE(control.readOnly);
  view.OnInitialState();
  EXPECT_EQ(control.text, kSpine);
  EXPECT_FALSE(control.readOnly);
}

TEST_F(SpineTextViewTest, NoCommandRunsWhileAComputationRuns) {
  control.text = kSpine;
  view.BeginComputation(TTaskKind::TuraevViro);
  EXPECT_EQ(view.RunCommand(BuiltInDocumentCommands(), 23, TOptionValues{}),
            TCommandOutcome::kRefused);
  EXPECT_EQ(control.text, kSpine);
  EXPECT_FALSE(view.InformationMode());
  view.EndComputation(TTaskKind::TuraevViro);
}

TEST_F(SpineTextViewTest, SavingWhileAReportIsShownWritesTheUsersText) {
  control.text = kSpine;
  view.RunCommand(BuiltInDocumentCommands(), 23, TOptionValues{});
  ASSERT_TRUE(view.InformationMode());
  EXPECT_EQ(view.DocumentTextToSave(), kSpine);
  // A report shown again from the last information is no document either.
  view.OnRemoveInformation();
  view.OnLastInformation();
  EXPECT_EQ(view.DocumentTextToSave(), kSpine);
}

TEST_F(SpineTextViewTest, AStyleSwitchReplacesTheTextWhichThenCountsAsParsed) {
  control.text = "Details\n";  // no details: nothing to convert, nothing changes
  EXPECT_EQ(view.RunCommand(BuiltInDocumentCommands(), 11, TOptionValues{}),
            TCommandOutcome::kRefused);
  EXPECT_EQ(control.text, "Details\n");
  EXPECT_FALSE(view.InformationMode());
  control.text = kSpine;  // already boundary curves: stays
  EXPECT_EQ(view.RunCommand(BuiltInDocumentCommands(), 11, TOptionValues{}),
            TCommandOutcome::kDone);
  EXPECT_EQ(control.text, kSpine);
}
