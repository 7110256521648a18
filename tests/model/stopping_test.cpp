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
  EXPECT_LT(stopped - requested, 500ms);
  ASSERT_NE(spine.HomologyList(), nullptr);
  EXPECT_EQ(spine.HomologyList()->Elements(), std::vector<std::int32_t>{7});
  EXPECT_EQ(spine.Objects().Count(), objects);
}

// n tetrahedra glued at random in pairs of faces by odd maps: an orientable
// triangulation whose dual spine thickens.
void GlueAtRandom(TDetailsDescription& details, int n) {
  std::vector<TObjectHeader*> tetrahedra;
  for (int i = 0; i < n; ++i) tetrahedra.push_back(details.NewDetail());
  std::vector<int> faces(static_cast<std::size_t>(4 * n));
  for (int i = 0; i < 4 * n; ++i) faces[static_cast<std::size_t>(i)] = i;
  std::mt19937 random(7);
  std::shuffle(faces.begin(), faces.end(), random);
  const int odd[3][3] = {{0, 2, 1}, {1, 0, 2}, {2, 1, 0}};
  for (std::size_t k = 0; k + 1 < faces.size(); k += 2) {
    int a = faces[k];
    int b = faces[k + 1];
    const int* map = odd[random() % 3];
    TDetail::GlueFaces(tetrahedra[static_cast<std::size_t>(a / 4)], a % 4,
                       tetrahedra[static_cast<std::size_t>(b / 4)], b % 4, map[0], map[1], map[2],
                       1);
  }
}

// The flag is seen part-way, after thick edges were made: they go again.
TEST(Stopping, AStoppedThickeningLeavesNothingBehind) {
  TStopFlagReset reset;
  TScopedModelHeap heap;
  SuppressStatus();
  {
    TDetailsDescription details;
    GlueAtRandom(details, 1000);
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
