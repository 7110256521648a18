#include "shell/document_spine.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/output.h"
#include "model/homology.h"
#include "shell/spine_reports.h"
#include "shell/structure_reports.h"

namespace {

// The twice-punctured 3-sphere: H_1 = 0, two boundary spheres.
constexpr const char* kTwicePuncturedSphere = "1\n2\n1 2 -1 -2\n";

// The parse builds the spine only; the thickening and the homology are made
// by the first command that needs them, kept, and dropped by the next parse.
TEST(DocumentSpine, ThickeningAndHomologyWaitForTheCommandThatAsks) {
  TDocumentSpine document;
  ASSERT_EQ(document.ParseDocumentText(kTwicePuncturedSphere, TOptionValues{}), 1);
  EXPECT_EQ(document.Spine().HomologyList(), nullptr);
  EXPECT_FALSE(document.Spine().IsThickened());

  TOutput first;
  EXPECT_EQ(PrintHomologyGroupReport(document, first, 0), 1);
  EXPECT_STREQ(first.Text(), "H_1=0");
  const THomologyList* kept = document.Spine().HomologyList();
  ASSERT_NE(kept, nullptr);
  TOutput again;
  PrintHomologyGroupReport(document, again, 0);
  EXPECT_STREQ(again.Text(), "H_1=0");
  EXPECT_EQ(document.Spine().HomologyList(), kept);
  EXPECT_FALSE(document.Spine().IsThickened());

  document.EnsureThickened();
  EXPECT_TRUE(document.Spine().IsThickened());
  EXPECT_EQ(document.Spine().BoundaryCount(), 2);

  ASSERT_EQ(document.ParseDocumentText("1 1 1\n", TOptionValues{}), 1);
  EXPECT_EQ(document.Spine().HomologyList(), nullptr);
  EXPECT_FALSE(document.Spine().IsThickened());
  TOutput lens;
  PrintHomologyGroupReport(document, lens, 0);
  EXPECT_STREQ(lens.Text(), "H_1=Z_3");
}

// A report that describes the thickening makes it itself.
TEST(DocumentSpine, TheShortInformationThickensOnItsOwn) {
  TDocumentSpine document;
  ASSERT_EQ(document.ParseDocumentText(kTwicePuncturedSphere, TOptionValues{}), 1);
  TOutput output;
  PrintShortInformation(document, kTwicePuncturedSphere, output);
  EXPECT_TRUE(document.Spine().IsThickened());
  EXPECT_NE(std::string(output.Text()).find("Manifold is orientable"), std::string::npos)
      << output.Text();
}

}  // namespace
