// A move that fails half-way leaves its spine as it was: the rollback puts
// the copy back on a refusal and on an exception, once for nested moves.
#include "moves/move_rollback.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "foundation/stop_poll.h"
#include "model/molecule_vertex.h"
#include "model/object_kinds.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "moves/move_families.h"
#include "moves/move_types.h"
#include "moves/piercing.h"
#include "support/model_heap.h"
#include "support/spine_checker.h"
#include "support/thick_spine_support.h"

namespace {

class MoveRollbackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitMoveOrderTable();
    ASSERT_TRUE(LoadThickenedSpine(spine_, "bkaajn"));
    before_ = SpineSignature(spine_);
    cells_ = spine_.Objects().CountOfKind(kCellKind);
  }
  // The spine is special and whole again, as before the move.
  void ExpectUnchanged() {
    EXPECT_EQ(SpineSignature(spine_), before_);
    EXPECT_EQ(spine_.Objects().CountOfKind(kCellKind), cells_);
    EXPECT_TRUE(spine_.IsThickened());
  }

  TScopedModelHeap heap_;
  TSpine spine_;
  std::string before_;
  int cells_ = 0;
};

// A piercing made and then failed (a refusal after the work, an exception)
// is undone; the nested piercing relies on the outer rollback.
TEST_F(MoveRollbackTest, AMoveThatFailsAfterItsWorkIsUndone) {
  EXPECT_EQ(PerformWithRollback(spine_, [&] { return PierceCellQuietly(spine_, 0) != 0 ? 0 : 1; }), 0);
  ExpectUnchanged();
  EXPECT_THROW(PerformWithRollback(spine_,
                                   [&]() -> int {
                                     PierceCellQuietly(spine_, 0);
                                     throw TComputationStopped();
                                   }),
               TComputationStopped);
  ExpectUnchanged();
  EXPECT_THROW(PerformWithRollback(spine_,
                                   [&]() -> int {
                                     PierceCell(spine_, 0, nullptr);
                                     throw std::runtime_error("half-way");
                                   }),
               std::runtime_error);
  ExpectUnchanged();
  TSpineChecker checker(spine_);
  EXPECT_TRUE(checker.Check(spine_));
}

TEST_F(MoveRollbackTest, AMoveThatSucceedsIsKept) {
  EXPECT_EQ(PerformWithRollback(spine_, [&] { return PierceCell(spine_, 0, nullptr); }), 1);
  EXPECT_NE(SpineSignature(spine_), before_);
  EXPECT_EQ(spine_.MoleculeTable()->CountAtomsOfType(kSolidTorusAtom), 1);
}

}  // namespace
