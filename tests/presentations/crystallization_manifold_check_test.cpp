#include "presentations/crystallizations/crystallization_manifold_check.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "presentations/crystallizations/crystallization_code.h"
#include "presentations/crystallizations/crystallization_reader.h"
#include "presentations/crystallization_support.h"

namespace {

TIntMatrix Graph(const char* code) {
  TIntMatrix graph;
  EXPECT_EQ(IsCrystallizationText(code, &graph), 1) << code;
  return graph;
}

TEST(CrystallizationManifoldCheck, KnownManifoldsPass) {
  // S^3, RP^3, S^2 x S^1, and two disjoint copies of S^3 (not contracted,
  // still a closed manifold).
  for (const char* code : {"a*a*a", "badc*cdab*dcba", "acdb*badc*dbac", "ab*ab*ab"}) {
    TResidueDefect defect;
    EXPECT_EQ(IsManifoldCrystallization(Graph(code), &defect), 1) << code;
  }
}

TEST(CrystallizationManifoldCheck, ATorusResidueIsRefused) {
  TResidueDefect defect;
  ASSERT_EQ(IsManifoldCrystallization(Graph("abc*bca*cab"), &defect), 0);
  // Without colour 0 every pair of the other colours closes one cycle through
  // all six vertices: chi = 3 - 6/2 = 0, a torus (the graph is bipartite).
  EXPECT_EQ(defect.missingColour, 0u);
  EXPECT_EQ(defect.colours, (std::array<std::uint32_t, 3>{1, 2, 3}));
  EXPECT_EQ(defect.vertexCount, 6u);
  EXPECT_EQ(defect.eulerCharacteristic, 0);
}

// Summed over all residues, chi = 2 * (bicoloured cycles) - 2 * (vertices);
// since no closed surface has chi > 2, the graph is a manifold exactly when
// (bicoloured cycles) - 2n equals the number of residues. This checks the
// residue walk against a count made with other means (union-find components,
// whole-graph cycle counts) over every code with up to four letters.
TEST(CrystallizationManifoldCheck, AgreesWithTheGlobalCycleCountOnAllSmallCodes) {
  int manifolds = 0;
  int refused = 0;
  for (std::uint32_t n = 1; n <= 4; ++n) {
    for (const TIntMatrix& graph : AllCodes(3, n)) {
      int cycles = 0;
      for (std::uint32_t a = 0; a < 4; ++a) {
        for (std::uint32_t b = a + 1; b < 4; ++b) cycles += BicolouredCycles(graph, a, b);
      }
      int residues = 0;
      for (int c = 0; c < 4; ++c) residues += ComponentsWithout(graph, c);
      const int expected = cycles - 2 * static_cast<int>(n) == residues ? 1 : 0;
      ASSERT_EQ(IsManifoldCrystallization(graph), expected) << CrystallizationCodeText(graph);
      (expected ? manifolds : refused) += 1;
    }
  }
  EXPECT_GT(manifolds, 0);
  EXPECT_GT(refused, 0);
}

class CrystallizationReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    while (StatusSuppressionCount() != 0) UnsuppressStatus();
    UnmuteStatusLog();
    ShowStatusText("");
  }
  static std::string Last() {
    TString text;
    GetLastStatusText(text);
    return text.CStr();
  }
};

TEST_F(CrystallizationReaderTest, AcceptsManifoldCodes) {
  TIntMatrix graph;
  ASSERT_EQ(ReadCrystallizationCode("% RP^3\r\nba dc*cdab*dcba\r\n", graph), 1);
  EXPECT_EQ(CrystallizationCodeText(graph), "badc*cdab*dcba");
  EXPECT_EQ(Last(), "");
}

TEST_F(CrystallizationReaderTest, RefusalsNameTheLineAndTheCode) {
  struct TCase {
    const char* text;
    const char* message;
  } cases[] = {
      {"\r\n\r\nab c*bca*cab",
       "line 3: the crystallization \"abc*bca*cab\" is not a closed 3-manifold: its residue of "
       "colours 2, 3, 4 is a surface of Euler characteristic 0, not a sphere"},
      {"% comment\r\nabc*bcd*cab\r\n", "line 2: \"abc*bcd*cab\" is not a crystallization code"},
      {"  % nothing else", "There is no crystallization code in the text"},
  };
  for (const TCase& c : cases) {
    TIntMatrix graph(1, 1);
    graph.Row(0)[0] = 5;
    EXPECT_EQ(ReadCrystallizationCode(c.text, graph), 0) << c.text;
    EXPECT_EQ(Last(), c.message);
    EXPECT_EQ(graph.Row(0)[0], 5) << "a refused code leaves the graph alone";
  }
}

}  // namespace
