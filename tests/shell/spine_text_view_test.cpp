// The text view's modes and kept texts, on a plain text buffer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/status_reporter.h"
#include "shell/spine_text_view.h"

namespace {

class TBufferControl : public TViewControl {
 public:
  std::string ControlText() const override { return text; }
  void SetControlText(std::string_view t) override { text = std::string(t); }
  void SetControlReadOnly(bool r) override { readOnly = r; }
  void ViewStateChanged(int state) override { states.push_back(state); }

  std::string text;
  bool readOnly = false;
  std::vector<int> states;
};

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
  control.text = "1 2 -1 -2";
  view.ShowCommandReport("H_1 = 0\r\n", "1 2 -1 -2", true);
  EXPECT_TRUE(view.InformationMode());
  EXPECT_EQ(control.text, "H_1 = 0\r\n");
  EXPECT_TRUE(control.readOnly);
  EXPECT_EQ(view.ViewState(), kViewReportWithSpine);
  EXPECT_EQ(statusLine, "Click Sorvelin|Initial State to restore original text");
  // Commands and saving see the user's text, never the report.
  EXPECT_EQ(view.CommandText(), "1 2 -1 -2");
  EXPECT_EQ(view.DocumentTextToSave(), "1 2 -1 -2");
  EXPECT_FALSE(view.LastInformationKept());

  view.OnInitialState();
  EXPECT_FALSE(view.InformationMode());
  EXPECT_EQ(control.text, "1 2 -1 -2");
  EXPECT_FALSE(control.readOnly);
  EXPECT_EQ(view.ViewState(), kViewEditing);
  EXPECT_EQ(statusLine, "");
  EXPECT_EQ(view.DocumentTextToSave(), "1 2 -1 -2");

  // The report taken down is the last information, shown again on request.
  ASSERT_TRUE(view.LastInformationKept());
  EXPECT_EQ(view.ReadText(true), "H_1 = 0\r\n");
  view.OnLastInformation();
  EXPECT_TRUE(view.InformationMode());
  EXPECT_EQ(control.text, "H_1 = 0\r\n");
  view.OnRemoveInformation();
  EXPECT_EQ(control.text, "1 2 -1 -2");
  EXPECT_EQ(control.states, (std::vector<int>{4, 1, 4, 1}));
}

TEST_F(SpineTextViewTest, AReportWithoutASpineGivesViewStateFive) {
  control.text = "garbage";
  view.ShowCommandReport("Unable to build special polyhedron!", "garbage", false);
  EXPECT_EQ(view.ViewState(), kViewReportWithoutSpine);
  EXPECT_TRUE(view.SpineEmpty());
  EXPECT_EQ(view.CommandText(), "") << "no parsed text to work on";
}

TEST_F(SpineTextViewTest, LeavingInformationModeClearsTheTransformedStateOnlyOnTheParsedText) {
  for (bool sameText : {true, false}) {
    TBufferControl c;
    TSpineTextView v(c);
    c.text = "spine";
    v.ShowCommandReport("report", "spine", true);
    v.SetTransformedState(true);
    v.PushSavedText(sameText ? "spine" : "another text");
    v.OnRemoveInformation();
    EXPECT_EQ(c.text, sameText ? "spine" : "another text");
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
  control.text = "spine";
  view.ShowCommandReport("report", "spine", true);
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
