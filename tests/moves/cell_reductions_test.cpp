// The driver of the cell reductions on spines.
#include "moves/cell_reductions.h"

#include <gtest/gtest.h>

#include "foundation/output.h"
#include "foundation/stop_poll.h"
#include "model/object_header.h"
#include "model/spine.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

namespace {

TEST(CellReductionsTest, ATorusOfTwoSquaresBecomesOneCellAndEveryRemovalIsLogged) {
  TScopedModelHeap heap;
  TSpine* spine = new TSpine;
  BuildComplexFromWords(*spine, {{1, 2, -3, -4}, {3, 4, -1, -2}});
  TOutput report;
  int total = RunCellReductions(*spine, &report);
  EXPECT_GT(total, 0);
  EXPECT_EQ(spine->Objects().CountOfKind(kCellKind), 1);
  EXPECT_EQ(spine->Reduced(), 1);
  EXPECT_EQ(spine->LogCount(), total);
  for (int i = 0; i < spine->LogCount(); ++i) {
    char text[8];
    int code = spine->LogEntry(i, text, sizeof text);
    EXPECT_TRUE(code >= 2 && code <= 4) << code;
  }
  EXPECT_EQ(std::string(report.Text()), std::to_string(total) + " reduction(s) done");
  // Nothing is left to remove.
  EXPECT_EQ(RunCellReductions(*spine), 0);
  delete spine;
}

TEST(CellReductionsTest, SwitchedOffKindsAreSkipped) {
  TScopedModelHeap heap;
  TSpine* spine = new TSpine;
  BuildComplexFromWords(*spine, {{1}, {-1}});
  SuperfluousEdgeReductionEnabled.store(0);
  EXPECT_EQ(RunCellReductions(*spine), 0);
  EXPECT_EQ(spine->Objects().CountOfKind(kCellKind), 2);
  SuperfluousEdgeReductionEnabled.store(1);
  EXPECT_EQ(RunCellReductions(*spine), 1);
  EXPECT_EQ(spine->Objects().CountOfKind(kCellKind), 1);
  delete spine;
}

// A stopped run must not leave the driver believing a run is still going:
// every later run would then do nothing.
TEST(CellReductionsTest, AStoppedRunLeavesTheNextRunFree) {
  TScopedModelHeap heap;
  TSpine* spine = new TSpine;
  BuildComplexFromWords(*spine, {{1, 2, -3, -4}, {3, 4, -1, -2}});
  RequestStop();
  EXPECT_THROW(RunCellReductions(*spine), TComputationStopped);
  StopFlags().stop.store(0);
  EXPECT_GT(RunCellReductions(*spine), 0);
  EXPECT_EQ(spine->Objects().CountOfKind(kCellKind), 1);
  delete spine;
}

}  // namespace
