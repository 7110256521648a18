// T-move searches started from descriptions: the spine comes from the entry
// text, a built cloud stands in for its text, and a description without a
// readable text is refused with its reason before anything is searched.
#include "recognition/t_move_descriptions.h"

#include <gtest/gtest.h>

#include <string>

#include "model/spine.h"
#include "moves/polyhedron_cloud.h"
#include "moves/t_move.h"
#include "presentations/triangulations/iso_signature.h"
#include "recognition/manifold_description.h"
#include "support/model_heap.h"
#include "support/thick_spine_support.h"

namespace {

constexpr const char* kL72 = "cMcabbjqw";
constexpr const char* kL51 = "cMcabbjxr";

// The signature of a spine of the manifold two T-moves above the given one.
std::string Enlarged(const char* signature) {
  TSpine spine;
  EXPECT_EQ(LoadIsoSignature(spine, signature), 1);
  TPolyhedronCloud marker;
  for (int m = 0; m < 2; ++m) {
    marker.MarkTMoveCandidates(spine, false);
    EXPECT_TRUE(PerformTMove(spine, FindTMoveEdge(spine, -1)).IsValid());
  }
  EXPECT_EQ(spine.Objects().CountOfKind(kVertexKind), 4);
  return SpineSignature(spine);
}

TManifoldDescription& WithText(TManifoldDescription& description, const std::string& text) {
  description.SetEntryText(text.c_str());
  return description;
}

TEST(TMoveDescriptionsTest, SpinesOfEntriesCompareAndSimplify) {
  TScopedModelHeap heap;
  TManifoldDescription small;
  TManifoldDescription large;
  TManifoldDescription other;
  WithText(small, kL72);
  WithText(large, Enlarged(kL72));
  WithText(other, kL51);
  const TTMoveLimits limits{0, 3};
  std::string report;
  EXPECT_EQ(ComparePolyhedraFromDescriptions(large, small, 1, false, limits, TOptionValues{},
                                             &report),
            kTMoveEquivalent);
  EXPECT_NE(report.find("Given polyhedra are equivalent"), std::string::npos) << report;
  EXPECT_EQ(ComparePolyhedraFromDescriptions(small, other, 1, false, TTMoveLimits{0, 2},
                                             TOptionValues{}, nullptr),
            kTMoveNotFound);

  TPolyhedronCloud cloud;
  int best = -1;
  report.clear();
  EXPECT_EQ(SimplifyPolyhedronFromDescription(large, 2, limits, TOptionValues{}, &report, &cloud,
                                              &best),
            0);
  EXPECT_EQ(cloud.At(best)->marks.complexity, 2u);
  EXPECT_NE(report.find("Given polyhedron can be simplified!"), std::string::npos);
  // The cloud outlives the call and still grows (its spines are not in the
  // heap of the document the text was read into).
  EXPECT_GE(cloud.ExpandNext(nullptr), 0);
}

// A built cloud stands for its description: no text is read for it.
TEST(TMoveDescriptionsTest, ABuiltCloudNeedsNoEntryText) {
  TScopedModelHeap heap;
  TManifoldDescription withoutText;
  TManifoldDescription small;
  WithText(small, kL72);
  TPolyhedronCloud cloud;
  {
    TSpine spine;
    ASSERT_EQ(LoadIsoSignature(spine, Enlarged(kL72).c_str()), 1);
    ASSERT_TRUE(cloud.Build(spine, 16));
  }
  std::string error;
  EXPECT_EQ(ComparePolyhedraFromDescriptions(withoutText, small, 1, false, TTMoveLimits{0, 3},
                                             TOptionValues{}, nullptr, &cloud, nullptr, &error),
            kTMoveEquivalent);
  EXPECT_EQ(error, "");
  ASSERT_TRUE(cloud.SwapOut());
  EXPECT_EQ(SimplifyPolyhedronFromDescription(withoutText, 1, TTMoveLimits{0, 3}, TOptionValues{},
                                              nullptr, &cloud),
            0);
}

TEST(TMoveDescriptionsTest, AnEntryWithoutASpineIsRefusedWithItsReason) {
  TScopedModelHeap heap;
  TManifoldDescription none;
  TManifoldDescription bad;
  TManifoldDescription good;
  WithText(bad, "triangulation 1 2 end");
  WithText(good, kL72);
  std::string error;
  std::string report;
  EXPECT_EQ(ComparePolyhedraFromDescriptions(good, none, 1, false, TTMoveLimits{0, 2},
                                             TOptionValues{}, &report, nullptr, nullptr, &error),
            kTMoveNoSpine);
  EXPECT_EQ(error, "The description has no entry text to read a spine from");
  EXPECT_EQ(report, "");  // nothing searched, nothing reported
  error.clear();
  EXPECT_EQ(SimplifyPolyhedronFromDescription(bad, 2, TTMoveLimits{0, 2}, TOptionValues{}, &report,
                                              nullptr, nullptr, &error),
            kTMoveNoSpine);
  EXPECT_EQ(error.rfind("The entry text of the description gives no spine: ", 0), 0u) << error;
  EXPECT_GT(error.size(), std::string("The entry text of the description gives no spine: ").size())
      << error;
  EXPECT_EQ(report, "");
}

}  // namespace
