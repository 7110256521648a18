// The Simplify dialog's search for normal tori: every torus found becomes an
// entry of code 10 whose move cuts the spine along it (checked with the spine
// checker); the limit of visited vectors ends the search and a search with a
// higher limit finds the same tori first.
#include "invariants/normal_torus_list_search.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "invariants/normal_surface.h"
#include "model/object_kinds.h"
#include "model/objman.h"
#include "model/spine.h"
#include "moves/move_types.h"
#include "moves/simplify_move_list.h"
#include "shell/document_spine.h"
#include "shell/move_commands.h"
#include "shell/options.h"
#include "support/spine_checker.h"

namespace {

// T x I / [ 7,3 | 2,1 ] of the closed census: the fibre does not separate.
constexpr const char* kTorusBundle = "kLLLAPPkcdgfehijijjhsxaqpixknn";
// A graph manifold whose tori separate it.
constexpr const char* kGraphManifold = "iLLAMMcacddfgghhjkaitpwas";

constexpr std::uint64_t kLimit = 200000;

class NormalTorusListSearchTest : public ::testing::Test {
 protected:
  void SetUp() override { PrepareMoves(TOptionValues{}); }
  TSpine& Load(const char* signature) {
    EXPECT_EQ(document_.ParseDocumentText(signature, TOptionValues{}), 1);
    document_.EnsureThickened();
    return document_.Spine();
  }
  static std::vector<int> TorusEntries(const TSimplifyMoveList& list) {
    std::vector<int> found;
    for (std::size_t k = 0; k < list.Entries().size(); ++k)
      if (list.Entries()[k].code == kMoveNormalTorus) found.push_back(static_cast<int>(k));
    return found;
  }

  TDocumentSpine document_;
  TDocumentSpine::TScope scope_{document_};
};

TEST_F(NormalTorusListSearchTest, EachTorusFoundIsAnEntryAfterTheCellMoves) {
  TSpine& spine = Load(kGraphManifold);
  TSimplifyMoveList list(spine);
  list.Fill();
  const std::size_t before = list.Entries().size();
  const int defaultIndex = list.DefaultIndex();
  ASSERT_NE(defaultIndex, -1);
  const TNormalTorusListSearch search = SearchNormalToriIntoList(list, kLimit);
  ASSERT_GT(search.found, 1);
  EXPECT_FALSE(search.notSpecial);
  ASSERT_EQ(list.Entries().size(), before + static_cast<std::size_t>(search.found));
  std::set<std::vector<std::uint8_t>> vectors;
  for (int k : TorusEntries(list)) {
    const TSimplifyEntry& entry = list.Entries()[static_cast<std::size_t>(k)];
    EXPECT_GE(static_cast<std::size_t>(k), before);
    EXPECT_EQ(entry.text.rfind("Cutting along normal torus S(O,0) (", 0), 0u) << entry.text;
    EXPECT_EQ(entry.plates.size(), static_cast<std::size_t>(spine.Objects().CountOfKind(kCellKind)));
    vectors.insert(entry.plates);
  }
  EXPECT_EQ(vectors.size(), static_cast<std::size_t>(search.found));  // never the same torus twice
  // A list that had a default move keeps it.
  EXPECT_EQ(list.DefaultIndex(), defaultIndex);
}

TEST_F(NormalTorusListSearchTest, TheLimitEndsTheSearchAndAHigherLimitFindsTheSameToriFirst) {
  TSpine& spine = Load(kGraphManifold);
  TSimplifyMoveList small(spine);
  small.Fill();
  const TNormalTorusListSearch first = SearchNormalToriIntoList(small, 2000);
  EXPECT_TRUE(first.limitReached);
  TSimplifyMoveList large(spine);
  large.Fill();
  const TNormalTorusListSearch second = SearchNormalToriIntoList(large, kLimit);
  ASSERT_GE(second.found, first.found);
  const std::vector<int> a = TorusEntries(small);
  const std::vector<int> b = TorusEntries(large);
  for (std::size_t i = 0; i < a.size(); ++i)
    EXPECT_EQ(small.Entries()[static_cast<std::size_t>(a[i])].plates,
              large.Entries()[static_cast<std::size_t>(b[i])].plates);
}

// Cutting from the list: the torus bundle's fibre leaves T^2 x I (H_1 = Z+Z),
// a torus of the graph manifold splits it; the spine is sound after the move,
// the move is logged as type 10, and the list is rebuilt without the tori.
TEST_F(NormalTorusListSearchTest, MakingATorusEntryCutsAlongItSoundly) {
  struct TCase {
    const char* signature;
    bool separates;
  };
  for (const TCase& c : {TCase{kTorusBundle, false}, TCase{kGraphManifold, true}}) {
    SCOPED_TRACE(c.signature);
    TDocumentSpine document;
    TDocumentSpine::TScope scope(document);
    ASSERT_EQ(document.ParseDocumentText(c.signature, TOptionValues{}), 1);
    document.EnsureThickened();
    TSpine& spine = document.Spine();
    TSpineChecker checker(spine);
    TSimplifyMoveList list(spine);
    list.Fill();
    ASSERT_GT(SearchNormalToriIntoList(list, kLimit).found, 0);
    const int k = TorusEntries(list).front();
    const int log = spine.LogCount();
    std::string text;
    ASSERT_EQ(list.MakeMove(k, text), 1);
    EXPECT_NE(text.find(c.separates ? "Cutting along separating normal torus"
                                    : "Cutting along non-separating normal torus"),
              std::string::npos)
        << text;
    EXPECT_TRUE(checker.Check(spine, false));
    ASSERT_GT(spine.LogCount(), log);
    char entry[256];
    EXPECT_EQ(spine.LogEntry(log, entry, sizeof entry), kMoveNormalTorus);
    EXPECT_TRUE(TorusEntries(list).empty());
    if (!c.separates) {
      EXPECT_EQ(ChainHomology(spine), (std::vector<std::int32_t>{0, 0}));
    }
  }
}

TEST_F(NormalTorusListSearchTest, AnEntryWithoutItsVectorIsRefusedAndChangesNothing) {
  TSpine& spine = Load(kTorusBundle);
  TSimplifyMoveList list(spine);
  list.Fill();
  // A vector that fails the edge equations (a single plate).
  std::vector<std::uint8_t> plates(static_cast<std::size_t>(spine.Objects().CountOfKind(kCellKind)), 0);
  plates[0] = 1;
  list.AddNormalTorus(plates, "odd", false);
  const int log = spine.LogCount();
  std::string text;
  EXPECT_EQ(list.MakeMove(static_cast<int>(list.Entries().size()) - 1, text), 0);
  EXPECT_EQ(spine.LogCount(), log);
}

}  // namespace
