#include <gtest/gtest.h>

#include <string>

#include "shell/document_commands.h"
#include "shell/options.h"

namespace {

constexpr int kSearchForSymmetries = 34;
constexpr int kMakeAssembling = 41;

}  // namespace

TEST(RecognitionCommands, SymmetriesOfALensSpaceSpine) {
  const TCommandResult r = RunCommandOnText(kSearchForSymmetries, "bkaajn\n", TOptionValues{});
  ASSERT_EQ(r.outcome, TCommandOutcome::kDone);
  EXPECT_NE(r.shown.find("3 symmetries were found:"), std::string::npos) << r.shown;
  EXPECT_NE(r.shown.find("Symmetry 3:"), std::string::npos);
  EXPECT_NE(r.shown.find("\t Sphere 1 -> Sphere 1"), std::string::npos);
}

TEST(RecognitionCommands, MakeAssemblingReportsTheItemAndTheHomology) {
  const TCommandResult r = RunCommandOnText(kMakeAssembling, "bkaajn\n", TOptionValues{});
  ASSERT_EQ(r.outcome, TCommandOutcome::kDone);
  EXPECT_EQ(r.shown.rfind("Manifold Is :", 0), 0u) << r.shown;
  EXPECT_NE(r.shown.find("H_1=Z_5"), std::string::npos) << r.shown;
}

TEST(RecognitionCommands, EmptyDocumentIsRefused) {
  for (int id : {kSearchForSymmetries, kMakeAssembling})
    EXPECT_EQ(RunCommandOnText(id, "", TOptionValues{}).outcome, TCommandOutcome::kRefused) << id;
}
