// The virtual boundary: on spines that thicken it is the boundary of the
// thickening (sphere, torus, Klein bottle, two spheres), whatever the
// numbering; on a spine that does not thicken it is what the short
// information and the boundary report list.
#include "invariants/virtual_boundary.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/status_reporter.h"
#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "model/details_description.h"
#include "model/spine.h"
#include "shell/document_commands.h"
#include "shell/options.h"
#include "support/model_heap.h"
#include "support/parsed_document.h"
#include "support/random_triangulation.h"

namespace {

constexpr int kShortInformationCommand = 16;
constexpr int kBoundaryCommand = 36;

const char* const kOneSidedDetails =
    "Details:\nD1 = 1: D1_2 {1 2 3} 2: D1_1 {1 2 3} 3: D1_4 {2 3 1} 4: D1_3 {3 1 2}\n";

TEST(VirtualBoundary, IsTheBoundaryOfTheThickeningWhenThereIsOne) {
  struct Case {
    const char* name;
    const char* text;
    const char* listing;
  };
  const Case cases[] = {
      {"L(4,1), closed", "bkaajj", " O2"},
      {"S^3/Q_8, closed", "cPcbbbqxh", " O2"},
      {"RP^3 with two balls removed", "cPcbbbahh", " 2O2"},
      {"a torus cusp", "dLQbcccdero", " O0"},
      {"Gieseking, a Klein bottle cusp", "1 1 2 -1 -2 -2", " N0"},
  };
  for (const Case& c : cases) {
    TParsed parsed(c.text);
    EXPECT_EQ(VirtualBoundaryListing(parsed.Spine()), c.listing) << c.name;
  }
}

// Before the reductions every corner triangle is a cell, every edge is on
// two of them, and renumbering the details changes nothing.
TEST(VirtualBoundary, CornerTrianglesAreGluedEdgeToEdge) {
  TParsed parsed("dLQbcccdero");
  TScopedModelHeap heap;
  TDetailsDescription details;
  ASSERT_EQ(details.FromSpine(parsed.Spine()), 1);
  TSpine triangles;
  ASSERT_EQ(BuildDetailBoundaryComplex(triangles, details, 1), 1);
  const int n = details.DetailCount();
  EXPECT_EQ(triangles.Objects().CountOfKind(kCellKind), 4 * n);
  EXPECT_EQ(triangles.Objects().CountOfKind(kEdgeKind), 6 * n);
  EXPECT_TRUE(triangles.IsClosedSurface());
  EXPECT_TRUE(triangles.IsOrientableSurface());
  for (int i = 0; i < n; ++i) details.DetailAt(i).SetNumber(n - i + 7);
  TSpine again;
  ASSERT_EQ(BuildDetailBoundaryComplex(again, details, 2), 1);
  EXPECT_EQ(again.Objects().CountOfKind(kCellKind), 1);
}

TEST(VirtualBoundary, AnUngluedFaceGivesNothing) {
  TScopedModelHeap heap;
  TDetailsDescription details;
  details.NewDetail();
  TSpine spine;
  EXPECT_EQ(BuildDetailBoundaryComplex(spine, details, 2), 0);
  EXPECT_TRUE(spine.IsEmpty());
}

// A stop while the details are read from a large spine leaves the status
// texts on, as they were before the listing began.
TEST(VirtualBoundary, AStoppedListingLeavesTheStatusTextsOn) {
  TScopedModelHeap heap;
  TDetailsDescription details;
  GlueTetrahedraAtRandom(details, 1000, 7);
  TSpine spine;
  details.BuildComplex(spine, 1);
  const unsigned before = StatusSuppressionCount();
  RequestStop();
  EXPECT_THROW(VirtualBoundaryListing(spine), TComputationStopped);
  EXPECT_EQ(StatusSuppressionCount(), before);
}

TEST(VirtualBoundary, ReportsOfASpineThatDoesNotThickenListIt) {
  const TCommandResult shortInformation =
      RunCommandOnText(kShortInformationCommand, kOneSidedDetails, TOptionValues{});
  EXPECT_NE(shortInformation.shown.find("Cell #1 Cell #2 \r\nVirtual Boundary:  N0\r\n"),
            std::string::npos)
      << shortInformation.shown;
  const TCommandResult boundary =
      RunCommandOnText(kBoundaryCommand, kOneSidedDetails, TOptionValues{});
  EXPECT_NE(boundary.shown.find("2 non-thickenable cells\r\nVirtual Boundary:  N0\r\n"),
            std::string::npos)
      << boundary.shown;
  // A spine that thickens has a real boundary and no virtual one.
  EXPECT_EQ(RunCommandOnText(kShortInformationCommand, "bkaajj", TOptionValues{})
                .shown.find("Virtual Boundary"),
            std::string::npos);
}

}  // namespace
