// Long model work (homology, thickening) stops within a moment of the stop
// flag and leaves the spine exactly as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "foundation/status_reporter.h"
#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "model/detail.h"
#include "model/homology.h"
#include "model/spine.h"
#include "support/random_triangulation.h"
#include "presentations/cells/boundary_curves_presentation.h"
#include "model/details_description.h"
#include "support/model_heap.h"

namespace {

using namespace std::chrono_literals;

// Clears the stop flag however the test ends.
struct TStopFlagReset {
  TStopFlagReset() { StopFlags().stop.store(0); }
  ~TStopFlagReset() { StopFlags().stop.store(0); }
};

// n cells, each a word of n random edges out of 2n with random directions:
// a dense relation matrix whose exact elimination runs for minutes.
std::string DenseCellText(int n) {
  std::mt19937 random(5);
  std::string text;
  for (int i = 0; i < n; ++i) {
    for (int k = 0; k < n; ++k) {
      int edge = 1 + static_cast<int>(random() % (2 * n));
      text += (random() % 2 == 0 ? "-" : "") + std::to_string(edge) + " ";
    }
    text += "\n";
  }
  return text;
}

TEST(Stopping, HomologyStopsQuicklyAndKeepsTheSpinesList) {
  TStopFlagReset reset;
  TScopedModelHeap heap;
  TSpine spine;
  TBoundaryCurvesPresentation presentation;
  ASSERT_GT(presentation.Parse(DenseCellText(300).c_str()), 0);
  presentation.BuildSpine(spine);
  THomologyList earlier;
  earlier.AppendElement(7);
  spine.SetHomologyList(&earlier);
  const int objects = spine.Objects().Count();

  std::chrono::steady_clock::time_point requested;
  std::thread stopper([&] {
    std::this_thread::sleep_for(100ms);
    requested = std::chrono::steady_clock::now();
    RequestStop();
  });
  EXPECT_THROW(spine.ComputeHomology(), TComputationStopped);
  auto stopped = std::chrono::steady_clock::now();
  stopper.join();
  EXPECT_LT(stopped - requested, 2000ms);  // generous for loaded machines and sanitizers
  ASSERT_NE(spine.HomologyList(), nullptr);
  EXPECT_EQ(spine.HomologyList()->Elements(), std::vector<std::int32_t>{7});
  EXPECT_EQ(spine.Objects().Count(), objects);
}


// The flag is seen part-way, after thick edges were made: they go again.
TEST(Stopping, AStoppedThickeningLeavesNothingBehind) {
  TStopFlagReset reset;
  TScopedModelHeap heap;
  SuppressStatus();
  {
    TDetailsDescription details;
    GlueTetrahedraAtRandom(details, 1000, 7);
    TSpine spine;
    details.BuildComplex(spine, 1);
    const int objects = spine.Objects().Count();
    RequestStop();
    EXPECT_THROW(spine.Thicken(1), TComputationStopped);
    EXPECT_EQ(spine.Objects().Count(), objects);
    EXPECT_EQ(spine.BoundaryCount(), 0);
    EXPECT_FALSE(spine.IsThickened());
    StopFlags().stop.store(0);
    EXPECT_EQ(spine.Thicken(1), 1);
  }
  UnsuppressStatus();
}

}  // namespace
