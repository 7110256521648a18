#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "model/homology.h"
#include "model/spine.h"
#include "presentations/cells/boundary_curves_presentation.h"
#include "presentations/crystallizations/crystallization_code.h"
#include "presentations/crystallizations/crystallization_manifold_check.h"
#include "presentations/crystallizations/crystallization_reader.h"
#include "presentations/crystallizations/crystallization_spine.h"
#include "presentations/crystallization_support.h"
#include "support/model_heap.h"

namespace {

std::string LastStatus() {
  TString text;
  GetLastStatusText(text);
  return text.CStr();
}

std::vector<std::int32_t> Homology(TSpine& spine) {
  EXPECT_EQ(spine.ComputeHomology(), 1);
  return spine.HomologyList() == nullptr ? std::vector<std::int32_t>{}
                                         : spine.HomologyList()->Elements();
}

TEST(LoadCrystallization, BuildsSpinesWithTheHomologyOfTheManifold) {
  struct TCase {
    const char* text;
    std::vector<std::int32_t> homology;  // torsion, then one 0 per free summand; 1 trivial
  } cases[] = {
      {"a*a*a", {1}},
      {"% RP^3\r\nbadc * cdab * dcba\r\n", {2}},
      {"acdb*badc*dbac", {0}},
  };
  for (const TCase& c : cases) {
    TScopedModelHeap heap;
    {
      TSpine spine;
      ASSERT_EQ(LoadCrystallization(spine, c.text), 1) << c.text << ": " << LastStatus();
      EXPECT_EQ(spine.SourceKind(), kSourceCrystallization);
      EXPECT_EQ(spine.IsSpecial(1), 1) << c.text;
      EXPECT_EQ(Homology(spine), c.homology) << c.text;
    }
    EXPECT_EQ(heap.LiveBlocks(), 0u) << c.text;
  }
}

TEST(LoadCrystallization, ARefusedCodeLeavesTheSpineEmpty) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_EQ(LoadCrystallization(spine, "a*a*a"), 1);
  while (StatusSuppressionCount() != 0) UnsuppressStatus();
  UnmuteStatusLog();
  EXPECT_EQ(LoadCrystallization(spine, "abc*bca*cab"), 0);
  EXPECT_TRUE(spine.IsEmpty());
  EXPECT_NE(LastStatus().find("\"abc*bca*cab\" is not a closed 3-manifold"), std::string::npos)
      << LastStatus();
  EXPECT_EQ(LoadCrystallization(spine, "ab*ba"), 0);
  EXPECT_TRUE(spine.IsEmpty());
}

TEST(LoadCrystallization, ANonEmptySpineIsEmptiedBeforeBuilding) {
  TScopedModelHeap heap;
  TSpine spine;
  ASSERT_EQ(LoadCrystallization(spine, "badc*cdab*dcba"), 1);
  ASSERT_EQ(LoadCrystallization(spine, "a*a*a"), 1);
  EXPECT_EQ(spine.Objects().CountOfKind(kVertexKind), 2);
  EXPECT_EQ(spine.Objects().CountOfKind(kEdgeKind), 4);
  EXPECT_EQ(spine.Objects().CountOfKind(kCellKind), 6);
}

// Written as boundary curves and read back, the spine keeps its size and its
// homology: no two edges share a name, even where colours run in parallel.
TEST(CrystallizationSpine, BoundaryCurvesReadBackToTheSameSpine) {
  const TIntMatrix projective = [] {
    TIntMatrix g;
    IsCrystallizationText("badc*cdab*dcba", &g);
    return g;
  }();
  std::vector<TIntMatrix> graphs;
  for (std::uint32_t n = 1; n <= 3; ++n) {
    for (const TIntMatrix& graph : AllCodes(3, n)) {
      if (IsManifoldCrystallization(graph)) graphs.push_back(graph);
    }
  }
  graphs.push_back(ConnectedSum(projective, projective));
  std::mt19937 random(5);
  graphs.push_back(RandomRelabelling(graphs.back(), random));
  for (const TIntMatrix& graph : graphs) {
    const std::string code = CrystallizationCodeText(graph);
    TScopedModelHeap heap;
    TSpine spine;
    BuildCrystallizationSpine(spine, graph);
    TString text;
    ASSERT_GT(TBoundaryCurvesPresentation::Write(text, spine, kCellsNamed), 0) << code;
    TBoundaryCurvesPresentation presentation;
    ASSERT_GT(presentation.Parse(text.CStr()), 0) << code;
    TSpine again;
    presentation.BuildSpine(again);
    for (int kind : {kVertexKind, kEdgeKind, kCellKind}) {
      EXPECT_EQ(again.Objects().CountOfKind(kind), spine.Objects().CountOfKind(kind))
          << code << " kind " << kind << "\n" << text.CStr();
    }
    EXPECT_EQ(Homology(again), Homology(spine)) << code;
  }
}

}  // namespace
