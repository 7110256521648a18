// The DW invariant of Z/2 with the cocycle abc: known values, the identity
// with the order-3 Turaev-Viro sum over the small census, independence
// of the presentation and of the subdivision, and stopping.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "invariants/dw_cohomology_sum.h"
#include "invariants/turaev_viro_calculator.h"
#include "shell/document_spine.h"
#include "shell/options.h"
#include "support/census_table_support.h"

namespace {

// DW(M) of the manifold in the text (a census signature or any notation).
mpq_class DWOf(const std::string& text, bool forceSubdivision = false,
               TDWCohomologySum* out = nullptr) {
  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  EXPECT_NE(document.ParseDocumentText(text.c_str(), TOptionValues{}), 0) << text;
  TDWCohomologySum calculator;
  calculator.Setup(document.Spine(), forceSubdivision);
  EXPECT_TRUE(calculator.Compute());
  if (out != nullptr) *out = calculator;
  return calculator.NormalisedSum();
}

TEST(DWCalculator, KnownValues) {
  // Sum over x in H^1(M;Z_2) of (-1)^<x^3,[M]>: a lens space L(2k,q) has
  // x^3 != 0 exactly when k is odd.
  const struct {
    const char* name;
    const char* text;
    int value;
  } cases[] = {
      {"S3", "bkaagb", 1},          {"RP3", "cPcbbbahh", 0},   {"L(4,1)", "bkaajj", 2},
      {"L(5,2)", "bkaajn", 1},      {"L(6,1)", "dLQbcbchhjs", 0}, {"S2 x S1", "cMcabbjaj", 2},
  };
  for (const auto& c : cases) EXPECT_EQ(DWOf(c.text), c.value) << c.name;
}

TEST(DWCalculator, RawSumIsTwoToTheVerticesLessOneTimesTheInvariant) {
  for (const char* text : {"bkaajj", "cMcabbjaj", "badc*cdab*dcba"}) {
    TDWCohomologySum calculator;
    const mpq_class value = DWOf(text, false, &calculator);
    ASSERT_TRUE(calculator.IsClosed()) << text;
    mpz_class expected = value.get_num();
    expected <<= calculator.Complex().VertexCount() - 1;
    EXPECT_EQ(calculator.RawSum(), expected) << text;
  }
}

TEST(DWCalculator, OneVertexTriangulationsAreSubdividedAndReducedOnesAreNot) {
  TDWCohomologySum oneVertex;
  DWOf("bkaajn", false, &oneVertex);
  EXPECT_FALSE(oneVertex.Complex().WasReduced());
  EXPECT_TRUE(oneVertex.Complex().IsSubdivided());
  EXPECT_EQ(oneVertex.Complex().TetrahedronCount(), 24);

  // The crystallization of RP^3 has four vertices, one of each colour, so
  // every tetrahedron has its corners in four classes.
  TDWCohomologySum plain;
  const mpq_class direct = DWOf("badc*cdab*dcba", false, &plain);
  EXPECT_TRUE(plain.Complex().WasReduced());
  EXPECT_FALSE(plain.Complex().IsSubdivided());
  // The branching by vertex classes and the one by dimensions agree.
  EXPECT_EQ(DWOf("badc*cdab*dcba", true), direct);
}

TEST(DWCalculator, TwoPresentationsOfOneManifoldAgree) {
  EXPECT_EQ(DWOf("heegaard 0 5 1 0 2 0"), DWOf("bkaajn"));   // L(5,2)
  EXPECT_EQ(DWOf("badc*cdab*dcba"), DWOf("cPcbbbahh"));      // RP^3
}

TEST(DWCalculator, EqualsTheOrderThreeTuraevViroInvariantOnTheSmallCensus) {
  const std::vector<TClosedCensusEntry> census = ReadClosedCensusSample();
  if (census.empty()) GTEST_SKIP() << "cannot read tests/data/census/closed-census-sample.tsv";
  int checked = 0;
  for (const TClosedCensusEntry& entry : census) {
    if (entry.tetrahedra > 4) continue;
    TDocumentSpine document;
    TDocumentSpine::TScope scope(document);
    ASSERT_NE(document.ParseDocumentText(entry.signature.c_str(), TOptionValues{}), 0)
        << entry.name;
    TTuraevViroCalculator turaevViro;
    turaevViro.Setup(document.Spine());
    ASSERT_EQ(turaevViro.ComputeOrder(3, kTuraevViroFull, -1, nullptr), kTuraevViroDone);
    const mpq_class order3 = turaevViro.FullResult(3)->Coefficient(0);
    TDWCohomologySum dw;
    dw.Setup(document.Spine());
    ASSERT_TRUE(dw.Compute());
    // The Turaev-Viro sum of a spine counts the balls its thickening leaves
    // out: a factor 2 (w^2 at order 3) for every boundary sphere after the first.
    mpq_class expected = dw.NormalisedSum();
    expected *= mpz_class(1) << (dw.Complex().SpineSphereCount() - 1);
    EXPECT_EQ(expected, order3) << entry.name << " " << entry.signature;
    ++checked;
  }
  EXPECT_GE(checked, 20);
}

TEST(DWCalculator, StopsWhenAsked) {
  TDocumentSpine document;
  TDocumentSpine::TScope scope(document);
  ASSERT_NE(document.ParseDocumentText("bkaajj", TOptionValues{}), 0);
  TDWCohomologySum calculator;
  RequestStop();
  EXPECT_THROW(
      {
        calculator.Setup(document.Spine());
        calculator.Compute();
      },
      TComputationStopped);
  StopFlags().stop.store(0);
}

}  // namespace
