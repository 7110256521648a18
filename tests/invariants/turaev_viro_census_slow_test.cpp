// The Turaev-Viro state sums over the whole closed census sample (up to ten
// tetrahedra): the structural identities hold on every spine.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "invariants/turaev_viro_calculator.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "support/census_table_support.h"

namespace {

TEST(TuraevViroCensus, OddOrdersSplitIntoTheTrivialPartAndOrderThree) {
  const std::vector<TClosedCensusEntry> census = ReadClosedCensusSample();
  if (census.empty()) GTEST_SKIP() << "cannot read tests/data/census/closed-census-sample.tsv";
  int checked = 0;
  for (const TClosedCensusEntry& entry : census) {
    if (entry.tetrahedra > 10) continue;
    TDocumentSpine document;
    TDocumentSpine::TScope scope(document);
    ASSERT_NE(document.ParseDocumentText(entry.signature.c_str(), TOptionValues{}), 0)
        << entry.name;
    TTuraevViroCalculator calculator;
    calculator.Setup(document.Spine());
    ASSERT_EQ(calculator.ComputeOrder(3, kTuraevViroFull, -1, nullptr), kTuraevViroDone);
    const TCyclotomicNumber* t3 = calculator.FullResult(3);
    ASSERT_EQ(t3->CoefficientCount(), 2);
    const mpq_class order3 = t3->Coefficient(0);
    for (int r : {5, 7}) {
      ASSERT_EQ(calculator.ComputeOrder(r, kTuraevViroBoth, -1, nullptr), kTuraevViroDone);
      TCyclotomicNumber product = *calculator.TrivialPartResult(r);
      product.MultiplyByRational(order3);
      EXPECT_TRUE(product.Equals(*calculator.FullResult(r)))
          << entry.name << " r=" << r << ": " << calculator.FullResult(r)->ToText();
    }
    // The even order agrees between the single variants and the joint one.
    TTuraevViroCalculator single;
    single.Setup(document.Spine());
    ASSERT_EQ(calculator.ComputeOrder(6, kTuraevViroBoth, -1, nullptr), kTuraevViroDone);
    ASSERT_EQ(single.ComputeOrder(6, kTuraevViroFull, -1, nullptr), kTuraevViroDone);
    ASSERT_EQ(single.ComputeOrder(6, kTuraevViroTrivialPart, -1, nullptr), kTuraevViroDone);
    EXPECT_TRUE(single.FullResult(6)->Equals(*calculator.FullResult(6))) << entry.name;
    EXPECT_TRUE(single.TrivialPartResult(6)->Equals(*calculator.TrivialPartResult(6)))
        << entry.name;
    ++checked;
  }
  EXPECT_GE(checked, 250);
}

}  // namespace
