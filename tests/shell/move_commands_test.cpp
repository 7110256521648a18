// Cell reductions run from the view: the step header, the step counter and
// the transformed state.
#include "shell/move_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/spine_text_view.h"

namespace {

TEST(MoveCommands, CellReductionsCountStepsAndTransformTheSpine) {
  TTextBufferControl control;
  // Three cells that meet in superfluous vertices.
  control.text = "a b\n-b c\nc a\n";
  TSpineTextView view(control);
  const TDocumentCommands& commands = BuiltInDocumentCommands();
  ASSERT_EQ(view.RunCommand(commands, 53, TOptionValues{}), TCommandOutcome::kDone);
  EXPECT_EQ(control.text, "\t*** Step 1 ***\r\n3 reduction(s) done\r\n\r\n");
  EXPECT_TRUE(view.Transformed());
  EXPECT_EQ(view.StepCounter(), 1u);
  EXPECT_TRUE(view.InformationMode());

  // Nothing is left to reduce: the header names the step still to come.
  ASSERT_EQ(view.RunCommand(commands, 53, TOptionValues{}), TCommandOutcome::kDone);
  EXPECT_EQ(control.text, "\t*** Step 2 ***\r\n0 reduction(s) done\r\n\r\n");
  EXPECT_EQ(view.StepCounter(), 1u);

  // Result only writes the header of this step type all the same.
  TOptionValues resultOnly;
  resultOnly.ReportType = 1;
  view.RunCommand(commands, 53, resultOnly);
  EXPECT_EQ(control.text.rfind("\t*** Step 2 ***", 0), 0u);

  view.OnInitialState();
  EXPECT_EQ(control.text, "a b\n-b c\nc a\n");
  EXPECT_FALSE(view.Transformed());
  EXPECT_EQ(view.StepCounter(), 0u);
}

TEST(MoveCommands, NoSpineNoReductions) {
  TCommandResult r = RunCommandOnText(53, "x = {", TOptionValues{});
  EXPECT_EQ(r.outcome, TCommandOutcome::kRefused);
  EXPECT_NE(r.shown.find("Unable to build special polyhedron!"), std::string::npos);
}

}  // namespace
