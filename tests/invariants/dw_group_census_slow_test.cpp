// The DW invariant and the group presentations over the whole closed census
// sample (up to ten tetrahedra): DW against the order-3 Turaev-Viro sum, and
// the abelianised simplest presentation against the published homology.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <memory>

#include "invariants/dw_calculator.h"
#include "invariants/dw_cohomology_sum.h"
#include "invariants/dw_pre_reductions.h"
#include "invariants/group_presentation_search.h"
#include "invariants/turaev_viro_calculator.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "tests/support/abelianised_homology.h"
#include "support/census_table_support.h"

namespace {

TEST(DWCensus, EqualsTheOrderThreeTuraevViroSumOnEverySpine) {
  const std::vector<TClosedCensusEntry> census = ReadClosedCensusSample();
  if (census.empty()) GTEST_SKIP() << "cannot read tests/data/census/closed-census-sample.tsv";
  for (const TClosedCensusEntry& entry : census) {
    TDocumentSpine document;
    TDocumentSpine::TScope scope(document);
    ASSERT_NE(document.ParseDocumentText(entry.signature.c_str(), TOptionValues{}), 0)
        << entry.name;
    TTuraevViroCalculator turaevViro;
    turaevViro.Setup(document.Spine());
    ASSERT_EQ(turaevViro.ComputeOrder(3, kTuraevViroFull, -1, nullptr), kTuraevViroDone);
    TDWCohomologySum dw;
    dw.Setup(document.Spine());
    ASSERT_TRUE(dw.Compute()) << entry.name;
    mpq_class expected = dw.NormalisedSum();
    expected *= mpz_class(1) << (dw.Complex().SpineSphereCount() - 1);
    EXPECT_EQ(expected, turaevViro.FullResult(3)->Coefficient(0)) << entry.name;
  }
}

TEST(DWCensus, TheColouringSumEqualsTheLinearAlgebraUpToEightTetrahedra) {
  // Beyond eight tetrahedra the reduced spines have up to 24 vertices and the
  // colouring sum takes seconds per manifold.
  const std::vector<TClosedCensusEntry> census = ReadClosedCensusSample();
  if (census.empty()) GTEST_SKIP() << "cannot read tests/data/census/closed-census-sample.tsv";
  for (const TClosedCensusEntry& entry : census) {
    if (entry.tetrahedra > 8) continue;
    TDocumentSpine document;
    TDocumentSpine::TScope scope(document);
    ASSERT_NE(document.ParseDocumentText(entry.signature.c_str(), TOptionValues{}), 0)
        << entry.name;
    TDWCohomologySum check;
    check.Setup(document.Spine());
    ASSERT_TRUE(check.Compute()) << entry.name;
    std::unique_ptr<TSpine> built;
    TDWCalculator dw;
    dw.Setup(ReduceForDW(document.Spine(), built));
    ASSERT_EQ(dw.Compute(), TDWCalculator::kDone) << entry.name;
    mpq_class value(mpz_class(std::to_string(dw.Sum())));
    value /= mpz_class(1) << (dw.CornerClassCount() - 1);
    EXPECT_EQ(value, check.NormalisedSum()) << entry.name << " " << entry.signature;
  }
}

TEST(GroupPresentationCensus, AbelianisationIsTheHomologyOfEverySpine) {
  const std::vector<TClosedCensusEntry> census = ReadClosedCensusSample();
  if (census.empty()) GTEST_SKIP() << "cannot read tests/data/census/closed-census-sample.tsv";
  for (const TClosedCensusEntry& entry : census) {
    TDocumentSpine document;
    TDocumentSpine::TScope scope(document);
    ASSERT_NE(document.ParseDocumentText(entry.signature.c_str(), TOptionValues{}), 0)
        << entry.name;
    TGroupPresentation p;
    p.Build(document.Spine());
    TGroupPresentation best = p;
    SearchGroupPresentation(p, best, 20000);
    EXPECT_EQ(AbelianisedHomology(best), entry.homology) << entry.name;
    EXPECT_LE(best.GeneratorCount(), p.GeneratorCount()) << entry.name;
  }
}

}  // namespace
