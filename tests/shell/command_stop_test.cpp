// A command stopped by the user: the engine's TComputationStopped becomes the
// stopped outcome, nothing half-done is shown, and the document is usable
// again. And the naming switch the readers set never outlives a command.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "model/object_header.h"
#include "shell/document_commands.h"
#include "shell/spine_text_view.h"

namespace {

using namespace std::chrono_literals;

constexpr int kHomologyGroup = 23;
constexpr int kStoppable = 9999;  // a test command, not in any menu
const char kTwicePuncturedSphere[] = "1\n2\n1 2 -1 -2\n";

// The built-in commands and one more: it parses, starts a report and then
// loops until stopped, as a long engine does.
TDocumentCommands CommandsWithALongOne(std::atomic<bool>& started) {
  TDocumentCommands commands = BuiltInDocumentCommands();
  commands.Set(kStoppable, [&started](TCommandRun& run) {
    run.Parse();
    run.output.AppendText("half a report");
    started = true;
    TStopPoll poll(64);
    for (;;) poll.Step();
    return TCommandOutcome::kDone;
  });
  return commands;
}

class CommandStopTest : public ::testing::Test {
 protected:
  void TearDown() override { StopFlags().stop.store(0); }

  // Runs the long command in the view and asks it to stop once it runs.
  TCommandOutcome RunAndStop(TSpineTextView& view, std::string& composed) {
    std::atomic<bool> started{false};
    TDocumentCommands commands = CommandsWithALongOne(started);
    std::thread stopper([&] {
      while (!started.load()) std::this_thread::sleep_for(1ms);
      RequestStop();
    });
    const auto begin = std::chrono::steady_clock::now();
    TCommandOutcome outcome =
        view.RunCommand(commands, kStoppable, TOptionValues{}, &StopFlags().stop, &composed);
    stopper.join();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 2s);
    StopFlags().stop.store(0);
    return outcome;
  }
};

TEST_F(CommandStopTest, AStoppedCommandShowsNothingAndTheDocumentStaysUsable) {
  TTextBufferControl control;
  control.text = kTwicePuncturedSphere;
  TSpineTextView view(control);

  // A report is on show; the stop brings the document back, not the report.
  std::string composed;
  ASSERT_EQ(view.RunCommand(BuiltInDocumentCommands(), kHomologyGroup, TOptionValues{}, nullptr,
                            &composed),
            TCommandOutcome::kDone);
  ASSERT_TRUE(view.InformationMode());
  view.OnRemoveInformation();

  EXPECT_EQ(RunAndStop(view, composed), TCommandOutcome::kStopped);
  EXPECT_EQ(composed, "");
  EXPECT_FALSE(view.InformationMode());
  EXPECT_EQ(control.text, kTwicePuncturedSphere);
  EXPECT_FALSE(control.readOnly);

  // The next command reads the text again and answers in full.
  ASSERT_EQ(view.RunCommand(BuiltInDocumentCommands(), kHomologyGroup, TOptionValues{}, nullptr,
                            &composed),
            TCommandOutcome::kDone);
  EXPECT_EQ(composed.substr(0, composed.find('\r')), "H_1=0");
}

TEST_F(CommandStopTest, StoppingWhileAReportIsShownReturnsToTheDocument) {
  TTextBufferControl control;
  control.text = kTwicePuncturedSphere;
  TSpineTextView view(control);
  std::string composed;
  ASSERT_EQ(view.RunCommand(BuiltInDocumentCommands(), kHomologyGroup, TOptionValues{}, nullptr,
                            &composed),
            TCommandOutcome::kDone);
  ASSERT_TRUE(view.InformationMode());

  EXPECT_EQ(RunAndStop(view, composed), TCommandOutcome::kStopped);
  EXPECT_FALSE(view.InformationMode());
  EXPECT_EQ(control.text, kTwicePuncturedSphere);
}

TEST_F(CommandStopTest, RunCommandOnTextGivesNothingWhenStopped) {
  std::atomic<bool> started{false};
  TDocumentCommands commands = CommandsWithALongOne(started);
  std::thread stopper([&] {
    while (!started.load()) std::this_thread::sleep_for(1ms);
    RequestStop();
  });
  TCommandResult result =
      RunCommandOnText(kStoppable, kTwicePuncturedSphere, TOptionValues{}, &StopFlags().stop, commands);
  stopper.join();
  EXPECT_EQ(result.outcome, TCommandOutcome::kStopped);
  EXPECT_EQ(result.shown, "");
}

// The recognition driver installs its caller's flag this way, so that the
// moves and lookups it runs, which poll only the thread's flag, stop with it.
TEST(StopFlagScope, NestsAndRestoresTheFlagOfTheThread) {
  std::atomic<int> outer{0};
  std::atomic<int> inner{1};
  {
    TStopFlagScope a(&outer);
    EXPECT_FALSE(IsStopRequested());
    {
      TStopFlagScope b(&inner);
      EXPECT_TRUE(IsStopRequested());
      TStopFlagScope none(nullptr);  // keeps the inner flag in force
      EXPECT_TRUE(IsStopRequested());
      bool seenElsewhere = true;
      std::thread([&] { seenElsewhere = IsStopRequested(); }).join();
      EXPECT_FALSE(seenElsewhere);
    }
    EXPECT_FALSE(IsStopRequested());
  }
  inner.store(0);
  EXPECT_FALSE(IsStopRequested());
}

// Every reader sets the switch for what it builds (names kept for details,
// facets and triangulations, off again when they fail; cells by whether the
// text named them); after the command the switch is as it was before, so
// later work in the process names its objects as it expects.
TEST(CommandNaming, TheNamingSwitchIsRestoredAfterEveryParse) {
  const char* const texts[] = {
      kTwicePuncturedSphere,                               // cells, unnamed
      "Details:\nD1 = 1: D1_2 {1 3 2} 2: D1_1 {1 3 2} 3: D1_4 {3 2 1} 4: D1_3 {3 2 1}\n",
      "Details:\nD1 = 1: D9_2 {1 3 2}\n",                  // details that do not glue
      "bkaajn\n",                                          // an isomorphism signature
      "",                                                  // no spine
  };
  for (int before : {0, 1}) {
    for (const char* text : texts) {
      SuppressObjectNames.store(before);
      RunCommandOnText(kHomologyGroup, text, TOptionValues{});
      EXPECT_EQ(SuppressObjectNames.load(), before) << "after parsing: " << text;
    }
  }
  SuppressObjectNames.store(0);
}

// Within one command the moves still name objects as the reader chose: a
// command that parses an unnamed cell text works with names off.
TEST(CommandNaming, ACommandSeesTheSwitchItsReaderChose) {
  TDocumentCommands commands = BuiltInDocumentCommands();
  int seen = -1;
  commands.Set(kStoppable, [&seen](TCommandRun& run) {
    run.Parse();
    seen = SuppressObjectNames.load();
    return TCommandOutcome::kDone;
  });
  SuppressObjectNames.store(0);
  RunCommandOnText(kStoppable, kTwicePuncturedSphere, TOptionValues{}, nullptr, commands);
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(SuppressObjectNames.load(), 0);
}

}  // namespace
