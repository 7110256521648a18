// The stop flags are process-wide, and a test that stops a computation sets
// them. Each test program runs all its tests in one process (CI runs them so
// too), so the flags are cleared after every test: a stop asked for in one
// test never stops the next.
#include <gtest/gtest.h>

#include "foundation/stop_flags.h"

namespace {

class TStopFlagReset : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override {
    StopFlags().stop.store(0);
    StopFlags().seriesStop.store(0);
    StopFlags().abort.store(0);
  }
};

const bool kRegistered = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new TStopFlagReset);
  return true;
}();

}  // namespace
