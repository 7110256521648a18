// The exterior spine builder on spines: source kinds, specialness, homology
// and the failures that leave the spine empty.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/status_reporter.h"
#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/homology.h"
#include "model/object_header.h"
#include "model/spine.h"
#include "presentations/links/link.h"
#include "support/model_heap.h"

namespace {

std::vector<int> Homology(TSpine& spine) {
  std::vector<int> list;
  if (spine.ComputeHomology() == 0 || spine.HomologyList() == nullptr) return list;
  for (int i = 0; i < spine.HomologyList()->Count(); ++i) list.push_back(spine.HomologyList()->ElementAt(i));
  return list;
}

// The trefoil with the given framing, as link text.
std::string FramedTrefoilText(const char* framing) {
  return std::string("link code 1 -2 3 -1 2 -3 framing ") + framing + " end";
}

// Reads the link text and builds its exterior spine.
::testing::AssertionResult BuildExteriorSpineOf(const std::string& text, TSpine& spine) {
  TLink link;
  if (link.Parse(text.c_str(), kLinkParseOrdinary) != 1) {
    return ::testing::AssertionFailure() << "cannot read " << text;
  }
  if (link.BuildExteriorSpine(spine) != 1) return ::testing::AssertionFailure() << "cannot build " << text;
  return ::testing::AssertionSuccess();
}

class LinkSpineTest : public ::testing::Test {
 protected:
  void SetUp() override { SuppressStatus(); }
  void TearDown() override { UnsuppressStatus(); }
  TScopedModelHeap heap_;
};

TEST_F(LinkSpineTest, ClassicalDiagramsGiveSpecialSpinesOfSourceKindFour) {
  struct Case {
    const char* text;
    std::vector<int> homology;  // torsion, then 0 per free summand; {1} trivial
  };
  const Case cases[] = {
      {"link code 1 -2 3 -1 2 -3 end", {0}},
      {"link code 1 -1 framing 5/2 end", {5}},
      {"link code 1 -1 framing 1/0 end", {1}},
      {"link code 1 -2 framing 2 code 2 -1 framing 3 end", {5}},
      {"link code 1 -2 code 2 -1 end", {0, 0}},
  };
  for (const Case& c : cases) {
    TLink link;
    ASSERT_EQ(link.Parse(c.text, kLinkParseOrdinary), 1) << c.text;
    TSpine* spine = new TSpine;
    EXPECT_EQ(link.BuildExteriorSpine(*spine), 1) << c.text;
    EXPECT_EQ(spine->SourceKind(), kSourceLinkExterior) << c.text;
    EXPECT_EQ(spine->IsSpecial(1), 1) << c.text;
    spine->SplitIntoComponents();
    EXPECT_EQ(Homology(*spine), c.homology) << c.text;
    delete spine;
  }
}

TEST_F(LinkSpineTest, SurfaceDiagramsAreGluedAndReduced) {
  TLink link;
  ASSERT_EQ(link.Parse("link t^2 signs 1 1 code -1 2 t1 1 -2 l1 end", kLinkParseOrdinary), 1);
  TSpine* spine = new TSpine;
  ASSERT_EQ(link.BuildExteriorSpine(*spine), 1);
  EXPECT_EQ(spine->SourceKind(), kSourceLinkExteriorOnSurface);
  EXPECT_EQ(spine->IsSpecial(1), 1);
  EXPECT_EQ(spine->Reduced(), 1);
  EXPECT_GT(spine->LogCount(), 0);
  EXPECT_EQ(Homology(*spine), (std::vector<int>{0, 0, 0}));
  delete spine;
}

TEST_F(LinkSpineTest, FailuresLeaveTheSpineEmpty) {
  struct Case {
    const char* text;
    unsigned status;
    const char* message;
  };
  const Case cases[] = {
      {"link code 1 -2 3 -1 2 -3 signs 1 -1 1 end", 27, "The given signs are not valid"},
      {"link t^2 signs 1 code 1 -1 l1 t1 end", 37,
       "Cannot build special spine of link exterior.\r\nAdd trivial loop on each component"},
  };
  for (const Case& c : cases) {
    TLink link;
    ASSERT_EQ(link.Parse(c.text, kLinkParseOrdinary), 1) << c.text;
    TSpine* spine = new TSpine;
    TLink filler;
    ASSERT_EQ(filler.Parse("link code 1 -1 end", kLinkParseOrdinary), 1);
    ASSERT_EQ(filler.BuildExteriorSpine(*spine), 1);
    EXPECT_EQ(link.BuildExteriorSpine(*spine), 0) << c.text;
    EXPECT_TRUE(spine->IsEmpty()) << c.text;
    EXPECT_EQ(link.Status(), c.status) << c.text;
    EXPECT_STREQ(link.ErrorText().CStr(), c.message) << c.text;
    delete spine;
  }
  // A link that failed to parse builds nothing.
  TLink failed;
  EXPECT_EQ(failed.Parse("link code 1 -2 -1 2 end", kLinkParseOrdinary), 0);
  TSpine* spine = new TSpine;
  EXPECT_EQ(failed.BuildExteriorSpine(*spine), 0);
  EXPECT_TRUE(spine->IsEmpty());
  delete spine;
}

}  // namespace

namespace {

// Surgery with coefficient p/q on a knot gives H_1 = Z_|p|: the filling must
// wind the meridian disc exactly as often as the framing says, also when it
// winds it many times (the twisted and the chained fillings change long cell
// words in place).
TEST_F(LinkSpineTest, LargeFramingsOfTheTrefoilGiveCyclicHomology) {
  struct Case {
    const char* framing;
    int order;
  };
  const Case cases[] = {{"200", 200}, {"-151", 151}, {"301/4", 301}, {"-257/9", 257}, {"97/40", 97}};
  for (const Case& c : cases) {
    const std::string text = FramedTrefoilText(c.framing);
    TSpine spine;
    ASSERT_TRUE(BuildExteriorSpineOf(text, spine));
    EXPECT_EQ(spine.IsSpecial(1), 1) << text;
    EXPECT_EQ(Homology(spine), std::vector<int>{c.order}) << text;
  }
}

// A twist keeps the long cell beside it turned while it runs (so that its
// new passages are added at the end of the word) and turns it back after: the
// cell words must come out exactly as when every passage was inserted in
// place. The figures are fingerprints of every cell word (edge numbers and
// directions) as built by plain insertion.
TEST_F(LinkSpineTest, TwistsLeaveTheCellWordsAsPlainInsertionBuildsThem) {
  struct Case {
    const char* framing;
    std::uint64_t words;
  };
  const Case cases[] = {
      {"7", 0x455b65d8c8e0f1b2ull},    {"-9", 0x6d7c80e8d2e4a796ull},
      {"333", 0x34374d4206a61d44ull},  {"-333", 0xc242f901f732380eull},
      {"1200", 0x97d29c5c1058280aull}, {"-1201", 0xcba0d114be0b1a8eull},
  };
  for (const Case& c : cases) {
    const std::string text = FramedTrefoilText(c.framing);
    TSpine spine;
    ASSERT_TRUE(BuildExteriorSpineOf(text, spine));
    std::uint64_t h = 1469598103934665603ull;  // FNV-1a over the words
    auto mix = [&h](std::int64_t v) { h = (h ^ static_cast<std::uint64_t>(v)) * 1099511628211ull; };
    for (int i = 0; i < spine.Objects().Count(); ++i) {
      TObjectHeader* cell = spine.Objects().At(i);
      if (cell == nullptr || ObjectKind(cell) != kCellKind) continue;
      mix(-1);
      for (int k = 0; k < TCell::BoundaryLength(cell); ++k) {
        int direction = 0;
        THandle edge = TCell::PassageAt(cell, k, &direction);
        mix(ObjectNumber(edge.Object()));
        mix(direction);
      }
    }
    EXPECT_EQ(h, c.words) << text;
  }
}

TEST_F(LinkSpineTest, AFillingStopsWhenAskedTo) {
  for (const char* framing : {"29999", "29999/2"}) {
    const std::string text = FramedTrefoilText(framing);
    TLink link;
    ASSERT_EQ(link.Parse(text.c_str(), kLinkParseOrdinary), 1);
    TSpine spine;
    RequestStop();
    EXPECT_THROW(link.BuildExteriorSpine(spine), TComputationStopped) << framing;
    StopFlags().stop.store(0);
  }
}

}  // namespace
