// Default moves on the built-in examples (closed manifolds, knot exteriors,
// Heegaard diagrams, link surgeries), the spine checker after every step:
// piercings and cuttings change the spine's homology, never its soundness,
// and every piece they cut off is in the molecule.
#include <gtest/gtest.h>

#include <string>

#include "model/spine.h"
#include "moves/move_types.h"
#include "shell/document_spine.h"
#include "shell/examples.h"
#include "shell/options.h"
#include "support/checked_steps.h"
#include "support/spine_checker.h"

namespace {

TEST(ExampleMovesTest, EveryStepLeavesASoundSpine) {
  InitMoveOrderTable();
  int moved = 0;
  for (int n = 1; n <= 12; ++n) {
    SCOPED_TRACE("example " + std::to_string(n));
    const std::string text(ExampleText(n).value_or(""));
    TDocumentSpine document;
    TDocumentSpine::TScope scope(document);
    if (document.ParseDocumentText(text.c_str(), TOptionValues{}) == 0) continue;
    document.EnsureThickened();
    TSpine& spine = document.Spine();
    if (!spine.IsThickened()) continue;
    TSpineChecker checker(spine);
    if (MakeCheckedSteps(spine, checker, TMoveChoice{}, 200) > 0) ++moved;
    EXPECT_TRUE(checker.Check(spine, false));
  }
  EXPECT_GE(moved, 8);
}

}  // namespace
