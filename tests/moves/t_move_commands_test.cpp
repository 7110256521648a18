// The two T-move commands on document texts: their reports and refusals.
#include "shell/t_move_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/document_commands.h"

namespace {

constexpr int kSimplify = 55;
constexpr int kCompare = 56;

TEST(TMoveCommandsTest, ReportsOnTheDocument) {
  TOptionValues options;
  TCommandResult simplified = RunCommandOnText(kSimplify, "dLQbcbchhjs\n", options);
  EXPECT_EQ(simplified.outcome, TCommandOutcome::kDone);
  EXPECT_NE(simplified.shown.find("\tStart complexity: 3,"), std::string::npos) << simplified.shown;
  TCommandResult same = RunCommandOnText(kCompare, "cMcabbjqw\n<->\ncMcabbjqw\n", options);
  EXPECT_EQ(same.outcome, TCommandOutcome::kDone);
  EXPECT_EQ(same.shown.rfind("Given polyhedra are homeomorphic", 0), 0u) << same.shown;
  TCommandResult different = RunCommandOnText(kCompare, "cMcabbjxr <-> cMcabbjqw", options);
  EXPECT_EQ(different.outcome, TCommandOutcome::kDone);
  EXPECT_EQ(different.shown.rfind("Sequence of moves is not found", 0), 0u) << different.shown;
}

TEST(TMoveCommandsTest, RefusalsNameTheReason) {
  struct TCase {
    int id;
    const char* text;
    const char* message;
  };
  const TCase cases[] = {
      {kSimplify, "", "Unable to build special polyhedron!"},
      {kCompare, "cMcabbjqw", "The sequence '<->' separating polyhedra is missing"},
      {kCompare, "cMcabbjqw <-> bkaajn", "The second spine should be complexity >=2"},
      {kCompare, "bkaajn <-> cMcabbjqw", "The first spine should be complexity >=2"},
      {kCompare, "cMcabbjqw <-> ", "Incorrect spine presentation after '<->'"},
  };
  TOptionValues options;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text);
    TCommandResult result = RunCommandOnText(c.id, c.text, options);
    EXPECT_EQ(result.outcome, TCommandOutcome::kRefused);
    EXPECT_NE(result.shown.find(c.message), std::string::npos) << result.shown;
  }
}

}  // namespace
