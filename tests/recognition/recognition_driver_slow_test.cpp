// The simplify-only search repeated at deeper levels with the polygon moves
// (slow under the address sanitizer).
#include <gtest/gtest.h>

#include "model/quiet_scope.h"
#include "moves/move_types.h"
#include "recognition/recognition_driver.h"
#include "recognition/result_table.h"
#include "driver_input_fixture.h"

namespace {

TEST(SimplifyOnlySearchSlow, DeeperRepetitionsWithThePolygonMovesKeepNoLargerASpine) {
  const int saved = DisableSurgeries.exchange(0);

  // A level bound beyond step + 1 repeats the search from the input with the
  // polygon moves; the kept spine can only get simpler.
  TDriverInput input("link code 1 -1 framing 2 end");
  ASSERT_TRUE(input.Valid());
  int once = -1;
  for (const int bound : {1, 3}) {
    SCOPED_TRACE(bound);
    TManifoldTable table;
    TRecognitionDriver driver(table, kModeSimplifyOnly);
    driver.SetSeriesSchedule(TSeriesSchedule{});
    driver.SetSimplifyFirst(0, 1, bound);
    TQuietScope quiet;
    const TRecognitionOutcome outcome = driver.Recognize(input.Spine());
    ASSERT_GE(outcome.keptVertices, 1);
    if (once == -1) once = outcome.keptVertices;
    EXPECT_LE(outcome.keptVertices, once);
    EXPECT_EQ(DisableSurgeries.load(), 0);
  }
  DisableSurgeries.store(saved);
}

}  // namespace
