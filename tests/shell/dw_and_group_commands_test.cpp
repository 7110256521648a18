// The DW invariants (26) and the boundary and group presentations (22): the
// commands that no menu holds, reached by name on the command line.
#include <gtest/gtest.h>

#include <string>

#include "shell/command_names.h"
#include "shell/command_table.h"
#include "shell/document_commands.h"

namespace {

constexpr int kBoundaryGroups = 22;
constexpr int kDWInvariants = 26;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(DWAndGroupCommandsTest, HaveCommandLineNames) {
  const TDocumentCommands& commands = BuiltInDocumentCommands();
  for (int set : {kFullCommandSet, kStandardCommandSet, kReducedCommandSet}) {
    EXPECT_EQ(FindCommandLineCommand(commands, set, "dw-invariants"), kDWInvariants);
    EXPECT_EQ(FindCommandLineCommand(commands, set, "boundary-groups"), kBoundaryGroups);
    EXPECT_EQ(FindCommandLineCommand(commands, set, "26"), kDWInvariants);
  }
  EXPECT_TRUE(CaptionlessCommandName(23).empty());
}

TEST(DWAndGroupCommandsTest, ReportValues) {
  const struct {
    int id;
    const char* text;
    const char* value;
  } cases[] = {
      {kDWInvariants, "bkaajj", " T_\r\n\r\n2\r\n"},              // L(4,1)
      {kDWInvariants, "cPcbbbahh", " T_\r\n\r\n0\r\n"},           // RP^3
      {kDWInvariants, "heegaard 0 5 1 0 2 0", " T_\r\n\r\n1\r\n"},  // L(5,2)
      {kBoundaryGroups, "bkaagb", "bkaagb\r\nEmpty\r\n"},
      {kBoundaryGroups, "bkaajn", "1 generator: {"},
  };
  TOptionValues options;
  for (const auto& c : cases) {
    const TCommandResult r = RunCommandOnText(c.id, c.text, options);
    EXPECT_EQ(r.outcome, TCommandOutcome::kDone) << c.text << "\n" << r.shown;
    EXPECT_TRUE(Contains(r.shown, c.value)) << c.text << "\n" << r.shown;
  }
}

TEST(DWAndGroupCommandsTest, RefuseWhatIsNoSpecialSpine) {
  TOptionValues options;
  const TCommandResult garbage = RunCommandOnText(kDWInvariants, "no spine here", options);
  EXPECT_EQ(garbage.outcome, TCommandOutcome::kRefused);
  const TCommandResult groups = RunCommandOnText(kBoundaryGroups, "no spine here", options);
  EXPECT_EQ(groups.outcome, TCommandOutcome::kRefused);
  // A cusped manifold: coboundaries at the cusp change the weights, so no
  // number would be an invariant.
  const TCommandResult cusped = RunCommandOnText(kDWInvariants, "cPcbbbdxm", options);
  EXPECT_EQ(cusped.outcome, TCommandOutcome::kRefused);
  EXPECT_TRUE(Contains(cusped.shown, "closed manifolds only")) << cusped.shown;
}

TEST(DWAndGroupCommandsTest, TheSearchLimitIsAnOption) {
  TOptionValues options;
  ASSERT_FALSE(SetOptionFromText(options, "GroupPresentationSearchLimit", "3").has_value());
  const TCommandResult r = RunCommandOnText(kBoundaryGroups, "badc*cdab*dcba", options);
  EXPECT_TRUE(Contains(r.shown, "stopped at its limit of 3 presentations")) << r.shown;
}

}  // namespace
