#include <gtest/gtest.h>

#include <string>

#include "shell/document_commands.h"
#include "shell/options.h"

namespace {

constexpr int kRecognize = 46;

// +1 surgery on the trefoil is a homology sphere; the search runs through
// hundreds of variants before it answers.
TEST(RecognizeSurgery, TrefoilPlusOneIsAHomologySphere) {
  const TCommandResult trefoil =
      RunCommandOnText(kRecognize, "link code 1 -2 3 -1 2 -3 framing 1 end\n", TOptionValues{});
  ASSERT_EQ(trefoil.outcome, TCommandOutcome::kDone);
  EXPECT_NE(trefoil.shown.find("H_1=0"), std::string::npos) << trefoil.shown;
}

}  // namespace
