// Group presentations of spines: the word operations, the text form, the
// elimination search, and the abelianised presentation of every small census
// manifold against its published homology.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "invariants/group_presentation_search.h"
#include "tests/support/abelianised_homology.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "support/census_table_support.h"

namespace {

using TWord = TGroupPresentation::TWord;

TEST(GroupPresentationWords, FreeReduction) {
  const struct {
    TWord in;
    TWord out;
  } cases[] = {
      {{}, {}},
      {{3}, {3}},
      {{1, -1}, {}},
      {{1, 2, -2, -1, 3}, {3}},  // cancels pairs that meet after an inner pair went
      {{2, 1, -2}, {2, 1, -2}},  // not cyclically
      {{1, 1, -1, 2}, {1, 2}},
  };
  for (const auto& c : cases) {
    TWord word = c.in;
    EXPECT_EQ(TGroupPresentation::ReduceWord(word), static_cast<int>(c.out.size()));
    EXPECT_EQ(word, c.out);
  }
}

TEST(GroupPresentationWords, SolvingASubstitutionAndItsInverse) {
  TGroupPresentation p;
  const std::int32_t relation[] = {2, 1, 3};
  p.AddRelation(relation, 3);
  // 2 1 3 = 1 rotated to 1 3 2: 1 = (3 2)^-1 = -2 -3.
  ASSERT_TRUE(p.OccursOnce(1, 0));
  const int i = p.SolveRelationFor(1, 0);
  EXPECT_EQ(p.Replacement(i), (TWord{1, -2, -3}));
  TWord word{1, 4, -1};
  ASSERT_TRUE(p.SubstituteInWord(word, i));
  EXPECT_EQ(word, (TWord{-2, -3, 4, 3, 2}));
  TWord untouched{4, 5};
  EXPECT_FALSE(p.SubstituteInWord(untouched, i));
  // A negative letter keeps the word as it stands.
  const std::int32_t letters[] = {5, 6};
  EXPECT_EQ(p.Replacement(p.AddReplacement(-7, letters, 2)), (TWord{7, 5, 6}));
}

TEST(GroupPresentationWords, ATrivialGeneratorVanishesAndEmptiedRelationsGo) {
  TGroupPresentation p;
  const std::int32_t r1[] = {1, 2, -1};
  const std::int32_t r2[] = {3, 2};
  p.AddRelation(r1, 3);
  p.AddRelation(r2, 2);
  const int trivial = p.AddReplacement(2, nullptr, 0);
  EXPECT_TRUE(p.SubstituteEverywhere(trivial));
  // 1 2 -1 becomes 1 -1, reduced to nothing and removed.
  ASSERT_EQ(p.RelationCount(), 1);
  EXPECT_EQ(p.Relation(0), (TWord{3}));
}

TEST(GroupPresentationText, Forms) {
  TGroupPresentation empty;
  EXPECT_EQ(empty.Text(), "Empty\r\n");

  TGroupPresentation one;
  one.AddGenerator(2);
  const std::int32_t r[] = {2, 2, 2};
  one.AddRelation(r, 3);
  EXPECT_EQ(one.Text(),
            "1 generator: {2}\r\n\r\n1 relation:\r\n\t1: {2,2,2}\r\n\r\n0 replacement\r\n");

  TGroupPresentation free;
  free.AddGenerator(1);
  free.AddGenerator(4);
  free.AddRelation(nullptr, 0);
  free.AddReplacement(3, nullptr, 0);
  EXPECT_EQ(free.Text(),
            "2 generators: {1,4}\r\n\r\n1 relation:\r\n\t1: {}\r\n\r\n1 replacement:\r\n"
            "\t1: 3={}\r\n\r\n");
}

TEST(GroupPresentationSearch, EliminatesToTheSmallestTerminalPresentation) {
  // <1,2,3 | 1 2, 2 3 -1, 3 3 3>: two eliminations leave one generator and
  // one relation of length 6 (the group is Z_6).
  TGroupPresentation p;
  for (int g : {1, 2, 3}) p.AddGenerator(g);
  const std::int32_t a[] = {1, 2};
  const std::int32_t b[] = {2, 3, -1};
  const std::int32_t c[] = {3, 3, 3};
  p.AddRelation(a, 2);
  p.AddRelation(b, 3);
  p.AddRelation(c, 3);
  const TGroupPresentation entry = p;
  TGroupPresentation best = p;
  const TGroupSearchOutcome outcome = SearchGroupPresentation(p, best, 0);
  EXPECT_FALSE(outcome.limitReached);
  EXPECT_EQ(p.Text(), entry.Text());  // left as it came
  EXPECT_EQ(best.GeneratorCount(), 1);
  ASSERT_EQ(best.RelationCount(), 1);
  EXPECT_EQ(best.Relation(0).size(), 6U);

  // A tie does not replace the best found first.
  TGroupPresentation tie = best;
  TGroupPresentation other = best;
  EXPECT_FALSE(other.IsBetterThan(tie));

  // The limit ends the search early and says so.
  TGroupPresentation limited = entry;
  TGroupPresentation limitedBest = entry;
  const TGroupSearchOutcome cut = SearchGroupPresentation(limited, limitedBest, 2);
  EXPECT_TRUE(cut.limitReached);
  EXPECT_EQ(cut.visited, 2U);
}

TEST(GroupPresentationSearch, AStopLeavesTheEntryPresentation) {
  TGroupPresentation p;
  p.AddGenerator(1);
  const std::int32_t r[] = {1};
  p.AddRelation(r, 1);
  TGroupPresentation best = p;
  const std::string before = p.Text();
  RequestStop();
  EXPECT_THROW(SearchGroupPresentation(p, best, 0), TComputationStopped);
  StopFlags().stop.store(0);
  EXPECT_EQ(p.Text(), before);
}

// The presentation of the spine of the text after the search.
TGroupPresentation SimplestPresentation(const std::string& text) {
  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  EXPECT_NE(document.ParseDocumentText(text.c_str(), TOptionValues{}), 0) << text;
  TGroupPresentation p;
  p.Build(document.Spine());
  TGroupPresentation best = p;
  SearchGroupPresentation(p, best, 20000);
  return best;
}

TEST(GroupPresentationSpines, SmallSpinesOfSpheresAndLensSpaces) {
  EXPECT_EQ(SimplestPresentation("bkaagb").Text(), "Empty\r\n");
  // Minimal spines of lens spaces: one generator, one relation of length p.
  for (const auto& [text, p] : {std::pair{"bkaajj", 4}, std::pair{"bkaajn", 5}}) {
    const TGroupPresentation best = SimplestPresentation(text);
    ASSERT_EQ(best.GeneratorCount(), 1) << text;
    ASSERT_EQ(best.RelationCount(), 1) << text;
    EXPECT_EQ(static_cast<int>(best.Relation(0).size()), p) << text;
  }
}

TEST(GroupPresentationSpines, AbelianisationIsTheCensusHomology) {
  int checked = 0;
  for (const TClosedCensusEntry& entry : ReadClosedCensusSample()) {
    if (entry.tetrahedra > 5) continue;
    EXPECT_EQ(AbelianisedHomology(SimplestPresentation(entry.signature)), entry.homology)
        << entry.name << " " << entry.signature;
    ++checked;
  }
  if (checked == 0) GTEST_SKIP() << "cannot read tests/data/census/closed-census-sample.tsv";
  EXPECT_GE(checked, 20);
}

}  // namespace
