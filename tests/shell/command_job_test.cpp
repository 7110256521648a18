// A command of the view run in three steps (as the desktop program runs it on
// its worker) shows exactly what the one-step run shows, and a command that
// is stopped or fails shows nothing and leaves the view as it was.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/status_reporter.h"
#include "foundation/stop_poll.h"
#include "shell/spine_text_view.h"

namespace {

// The twice-punctured 3-sphere, as three cells.
const char kSpine[] = "1\n2\n1 2 -1 -2\n";
// Three cells that meet in superfluous vertices: the cell reductions
// transform the spine.
const char kReducible[] = "a b\n-b c\nc a\n";

constexpr int kInitialState = -1;  // a step of a sequence that is no command

// Everything a user (or the frame) can observe of a view.
struct TObserved {
  std::string text;
  bool readOnly;
  bool informationMode;
  bool transformed;
  bool spineEmpty;
  bool computing;
  int viewState;
  std::string lastInformation;
  std::string toSave;
  unsigned stepCounter;
  bool operator==(const TObserved&) const = default;
};

void PrintTo(const TObserved& o, std::ostream* out) {
  *out << "{text \"" << o.text << "\" readOnly " << o.readOnly << " info " << o.informationMode
       << " transformed " << o.transformed << " empty " << o.spineEmpty << " state "
       << o.viewState << " last \"" << o.lastInformation << "\" save \"" << o.toSave
       << "\" step " << o.stepCounter << "}";
}

TObserved Observe(const TTextBufferControl& control, const TSpineTextView& view) {
  return {control.text,          control.readOnly,     view.InformationMode(),
          view.Transformed(),    view.SpineEmpty(),    view.Computing(),
          view.ViewState(),      view.ReadText(true),  view.DocumentTextToSave(),
          view.StepCounter()};
}

void RunInThreeSteps(TSpineTextView& view, const TDocumentCommands& commands, int id,
                     const TOptionValues& options) {
  std::optional<TCommandJob> job = view.PrepareCommand(commands, id, options);
  ASSERT_TRUE(job.has_value()) << id;
  view.ExecuteCommand(commands, *job);
  view.FinishCommand(*job);
}

struct TSequence {
  const char* name;
  const char* text;
  std::vector<int> steps;
};

class CommandJobTest : public ::testing::Test {
 protected:
  void SetUp() override { SetStatusBarSink([](const char*) {}); }
  void TearDown() override {
    SetStatusBarSink({});
    StopFlags().stop.store(0);
  }
  TOptionValues options;
};

TEST_F(CommandJobTest, ThreeStepsShowWhatOneStepShows) {
  const TSequence sequences[] = {
      {"report", kSpine, {23}},
      {"report on a report", kSpine, {23, 16, kInitialState, 23}},
      {"no spine", "", {23, kInitialState, 23}},
      {"unreadable text", "1 2 x\n", {16}},
      {"style switch then report", kSpine, {13, 23, kInitialState, 21}},
      {"moves then a report", kReducible, {53, 53, 39, kInitialState, 53, 23, kInitialState}},
  };
  const TDocumentCommands& commands = BuiltInDocumentCommands();
  for (const TSequence& sequence : sequences) {
    SCOPED_TRACE(sequence.name);
    TTextBufferControl oneControl;
    TTextBufferControl threeControl;
    TSpineTextView one(oneControl);
    TSpineTextView three(threeControl);
    oneControl.text = threeControl.text = sequence.text;
    for (int id : sequence.steps) {
      SCOPED_TRACE(id);
      if (id == kInitialState) {
        one.OnInitialState();
        three.OnInitialState();
      } else {
        one.RunCommand(commands, id, options);
        RunInThreeSteps(three, commands, id, options);
      }
      ASSERT_EQ(Observe(threeControl, three), Observe(oneControl, one));
    }
  }
}

TEST_F(CommandJobTest, WhileTheJobRunsTheViewIsComputingAndRefusesCommands) {
  TTextBufferControl control;
  TSpineTextView view(control);
  control.text = kSpine;
  const TDocumentCommands& commands = BuiltInDocumentCommands();
  std::optional<TCommandJob> job = view.PrepareCommand(commands, 23, options);
  ASSERT_TRUE(job.has_value());
  EXPECT_TRUE(view.Computing());
  EXPECT_TRUE(control.readOnly);
  EXPECT_EQ(view.ViewState(), kViewComputing);
  EXPECT_FALSE(view.PrepareCommand(commands, 23, options).has_value());
  EXPECT_EQ(view.RunCommand(commands, 23, options), TCommandOutcome::kRefused);
  EXPECT_FALSE(view.PrepareCommand(commands, 999, options).has_value()) << "no body";

  view.ExecuteCommand(commands, *job);
  EXPECT_EQ(control.text, kSpine) << "the worker never touches the control";
  view.FinishCommand(*job);
  EXPECT_FALSE(view.Computing());
  EXPECT_TRUE(view.InformationMode());
  EXPECT_NE(control.text.find("H_1"), std::string::npos) << control.text;
}

// Bodies that end without an answer: a polled loop that sees the stop flag,
// a body that says it was stopped, and one that fails.
TCommandOutcome StoppedInALoop(TCommandRun& run) {
  run.Parse();
  run.output.AppendText("half a report\r\n");
  RequestStop();  // as the user would, half-way through
  TStopPoll poll(16);
  for (;;) poll.Step();
}

TCommandOutcome StoppedByItsOwnWord(TCommandRun& run) {
  run.Parse();
  run.output.AppendText("half a report\r\n");
  return TCommandOutcome::kStopped;
}

TCommandOutcome Failing(TCommandRun& run) {
  run.Parse();
  throw std::runtime_error("no memory left");
}

TEST_F(CommandJobTest, AJobThatEndsWithoutAnAnswerLeavesTheViewAsItWas) {
  struct TCase {
    const char* name;
    TCommandOutcome (*body)(TCommandRun&);
    bool stopped;
    const char* failure;
  };
  const TCase cases[] = {
      {"stopped in a loop", StoppedInALoop, true, nullptr},
      {"stopped by its body", StoppedByItsOwnWord, false, nullptr},
      {"failed", Failing, false, "no memory left"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TDocumentCommands commands;
    commands.Set(23, c.body);
    commands.Set(16, *BuiltInDocumentCommands().Find(16));
    TTextBufferControl control;
    TSpineTextView view(control);
    control.text = kSpine;
    // A report is shown first: the view is in information mode with a spine.
    view.RunCommand(commands, 16, options);
    ASSERT_TRUE(view.InformationMode());
    view.OnInitialState();
    const TObserved before = Observe(control, view);

    std::optional<TCommandJob> job = view.PrepareCommand(commands, 23, options);
    ASSERT_TRUE(job.has_value());
    view.ExecuteCommand(commands, *job);
    StopFlags().stop.store(0);
    EXPECT_TRUE(job->ShowsNothing());
    EXPECT_EQ(job->stopped, c.stopped);
    EXPECT_EQ(job->failure.value_or(""), c.failure != nullptr ? c.failure : "");
    view.FinishCommand(*job);
    EXPECT_EQ(Observe(control, view), before);

    // The view works on as before.
    view.RunCommand(commands, 16, options);
    EXPECT_TRUE(view.InformationMode());
    EXPECT_FALSE(view.SpineEmpty());
  }
}

}  // namespace
