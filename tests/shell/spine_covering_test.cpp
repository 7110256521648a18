// The covering test of special spines and the "Is Covering For" command.
#include "shell/spine_covering.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "foundation/message_box.h"
#include "shell/covering_check.h"
#include "shell/document_commands.h"

namespace {

const char kTwicePuncturedSphere[] = "1\n2\n1 2 -1 -2\n";
// One-vertex special spines with two cells of lengths 1 and 5.
const char kLensSpaceL31[] = "2\n-2 1 2 1 1\n";  // H_1=Z_3
const char kThreeSphere[] = "-1\n1 2 -1 -2 -2\n";  // H_1=0

std::string Document(const std::string& preimage, const std::string& image) {
  return "Preimage spine\n" + preimage + "Image spine\n" + image;
}

TCommandResult Covering(const std::string& text) {
  return RunCommandOnText(37, text, TOptionValues{});
}

TEST(SpineCovering, ASpineCoversItselfByTheIdentity) {
  TCommandResult r = Covering(Document(kTwicePuncturedSphere, kTwicePuncturedSphere));
  EXPECT_EQ(r.outcome, TCommandOutcome::kDone);
  const std::string expected =
      "\r\n\r\nImages of edges:\r\n\t1\t1\r\n\t2\t2\r\n"
      "\r\nImages of vertices:\r\n\t1\t1\r\n"
      "\r\nImages of cells:\r\n"
      "\t1 -> 1 orientation forward shift 0\r\n"
      "\t2 -> 2 orientation forward shift 0\r\n"
      "\t3 -> 3 orientation forward shift 0\r\n";
  EXPECT_NE(r.shown.find(expected), std::string::npos) << r.shown;
  EXPECT_EQ(r.shown.rfind("Preimage spine", 0), 0u) << "the report begins with the document";
}

TEST(SpineCovering, TheDoubleCoverOfTheTrefoilExteriorCoversIt) {
  std::ifstream in(std::string(SORVELIN_TEST_DATA_DIR) + "/trefoil-double-cover.txt");
  std::stringstream text;
  text << in.rdbuf();
  ASSERT_FALSE(text.str().empty());
  TCommandResult r = Covering(text.str());
  ASSERT_EQ(r.outcome, TCommandOutcome::kDone) << r.shown;
  // Degree 2: every cell of the exterior is the image of two cells.
  for (int cell = 1; cell <= 14; ++cell) {
    std::size_t hits = 0;
    const std::string arrow = " -> " + std::to_string(cell) + " orientation";
    for (std::size_t at = r.shown.find(arrow); at != std::string::npos;
         at = r.shown.find(arrow, at + 1)) {
      ++hits;
    }
    EXPECT_EQ(hits, 2u) << "cell " << cell;
  }
}

TEST(SpineCovering, SpinesThatCannotCoverFail) {
  struct TCase {
    const char* preimage;
    const char* image;
  };
  const TCase cases[] = {
      // Same counts, different manifolds: no isomorphism.
      {kLensSpaceL31, kThreeSphere},
      // One vertex cannot cover two.
      {kTwicePuncturedSphere, "a b -a -b\nc\nd\ne\n"},
      // Equal vertex counts, different cell counts.
      {kTwicePuncturedSphere, kLensSpaceL31},
  };
  for (const TCase& c : cases) {
    TCommandResult r = Covering(Document(c.preimage, c.image));
    EXPECT_EQ(r.outcome, TCommandOutcome::kRefused) << c.preimage << " over " << c.image;
    EXPECT_NE(r.shown.find("\r\n\r\nFailure!\r\n"), std::string::npos) << r.shown;
  }
}

TEST(SpineCovering, TheVertexMapOfACoveringIsHandedBack) {
  TDocumentSpine a;
  TDocumentSpine b;
  ASSERT_EQ(a.ParseDocumentText(kLensSpaceL31, TOptionValues{}), 1);
  ASSERT_EQ(b.ParseDocumentText(kLensSpaceL31, TOptionValues{}), 1);
  TOutput output;
  TDocumentSpine::TScope scope(a);
  std::vector<int> vertexMap;
  EXPECT_EQ(IsCoveringFor(a.Spine(), b.Spine(), output, &vertexMap), 1) << output.Text();
  EXPECT_EQ(vertexMap, std::vector<int>{1});
}

TEST(SpineCovering, MissingMarkersAndUnreadableSpinesAreRefused) {
  struct TCase {
    std::string text;
    const char* message;
  };
  const TCase cases[] = {
      {kTwicePuncturedSphere, "Cannot find the string 'Preimage spine'"},
      {"Preimage spine\n1\n2\n1 2 -1 -2\n", "Cannot find the string 'Image spine'"},
      {Document("x = {\n", kTwicePuncturedSphere), "Cannot initialize preimage spine"},
      {Document(kTwicePuncturedSphere, "x = {\n"), "Cannot initialize image spine"},
  };
  for (const TCase& c : cases) {
    ClearMessageBoxLog();
    TCommandResult r = Covering(c.text);
    EXPECT_EQ(r.outcome, TCommandOutcome::kRefused);
    ASSERT_FALSE(MessageBoxLog().empty()) << c.message;
    EXPECT_EQ(MessageBoxLog().back(), c.message);
  }
  // A spine that is not special is taken when the user says OK (the default
  // answer here): "a b -a -b" has edges of valency 2.
  ClearMessageBoxLog();
  TCommandResult r = Covering(Document("a b -a -b\n", kTwicePuncturedSphere));
  EXPECT_EQ(MessageBoxLog(), std::vector<std::string>{"Preimage spine is not special"});
  EXPECT_NE(r.shown.find("Failure!"), std::string::npos);
}

}  // namespace
