// The Simplify dialog's list of moves: one entry per move the classifier
// offers for each cell (a cell without any still listed as "None"), the
// default entry the move the automatic step would choose, and a move made
// from the list rebuilds the list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/spine.h"
#include "moves/move_types.h"
#include "moves/simplify_move_list.h"
#include "moves/step_loop.h"
#include "shell/document_spine.h"
#include "shell/move_commands.h"
#include "shell/options.h"

namespace {

// The classifier's answers for every cell, in list order, as the list shows
// them (16 becomes 17; a cell without moves gives one 0).
std::vector<std::pair<int, int>> ClassifierEntries(TSpine& spine) {
  std::vector<std::pair<int, int>> entries;
  for (int i = 0; spine.NthCell(i).IsValid(); ++i) {
    int type = ClassifyCellMove(0, spine, i, 0);
    if (type == kMoveCurve4) type = kMoveCurve4FirstPiercing;
    entries.emplace_back(type, i);
    while (type != 0) {
      type = ClassifyCellMove(0, spine, i, type);
      if (type == kMoveCurve4) type = kMoveCurve4FirstPiercing;
      if (type != 0) entries.emplace_back(type, i);
    }
  }
  return entries;
}

class SimplifyMoveListTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override { PrepareMoves(TOptionValues{}); }
};

TEST_P(SimplifyMoveListTest, ListsTheClassifiersMovesAndTheDefaultMove) {
  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  ASSERT_EQ(document.ParseDocumentText(GetParam(), TOptionValues{}), 1);
  document.EnsureThickened();
  TSpine& spine = document.Spine();
  ASSERT_TRUE(spine.IsThickened());

  TSimplifyMoveList list(spine);
  list.Fill();
  std::vector<std::pair<int, int>> cellEntries;
  for (const TSimplifyEntry& entry : list.Entries()) {
    if (entry.code == kMovePolygon || entry.code == kMoveT || entry.code == kMoveInverseT) continue;
    cellEntries.emplace_back(entry.code, entry.parameter);
    EXPECT_EQ(entry.text.rfind(SimplifyMoveCaption(entry.code), 0), 0u) << entry.text;
  }
  EXPECT_EQ(cellEntries, ClassifierEntries(spine));

  TMoveChoice choice;
  ChooseNextMove(1, spine, choice, nullptr, nullptr);
  if (choice.type == 0) {
    EXPECT_EQ(list.DefaultIndex(), -1);
    return;
  }
  ASSERT_NE(list.DefaultIndex(), -1);
  const TSimplifyEntry& chosen = list.Entries()[static_cast<std::size_t>(list.DefaultIndex())];
  EXPECT_EQ(chosen.code, choice.type);
  EXPECT_EQ(chosen.parameter, choice.element);
  EXPECT_NE(list.DefaultCaption().find(SimplifyMoveCaption(choice.type)), std::string::npos);

  // The default move made from the list refills it from the spine as it is now.
  std::string text;
  ASSERT_EQ(list.MakeMove(list.DefaultIndex(), text), 1);
  EXPECT_FALSE(text.empty());
  std::vector<std::pair<int, int>> after;
  for (const TSimplifyEntry& entry : list.Entries()) {
    if (entry.code != kMovePolygon && entry.code != kMoveT && entry.code != kMoveInverseT) {
      after.emplace_back(entry.code, entry.parameter);
    }
  }
  EXPECT_EQ(after, ClassifierEntries(list.Component()));
}

INSTANTIATE_TEST_SUITE_P(Census, SimplifyMoveListTest, ::testing::Values("bkaajn", "bkaagj", "cMcabbjaj"));

TEST(SimplifyMoveListEntries, AnEntryWithoutMoveOrOutOfRangeDoesNothing) {
  PrepareMoves(TOptionValues{});
  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  ASSERT_EQ(document.ParseDocumentText("bkaajn", TOptionValues{}), 1);
  document.EnsureThickened();
  TSimplifyMoveList list(document.Spine());
  list.Fill();
  const std::size_t size = list.Entries().size();
  std::string text;
  for (int k : {-1, static_cast<int>(size), 1000}) EXPECT_EQ(list.MakeMove(k, text), 0) << k;
  EXPECT_EQ(list.Entries().size(), size);
  EXPECT_FALSE(list.HasNextComponent());
  EXPECT_FALSE(list.NextComponent());
}

}  // namespace
