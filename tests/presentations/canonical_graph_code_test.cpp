#include "presentations/crystallizations/canonical_graph_code.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "presentations/crystallizations/crystallization.h"
#include "presentations/crystallizations/crystallization_code.h"
#include "presentations/crystallization_support.h"

namespace {

std::string Canonical(const TIntMatrix& graph) {
  TIntMatrix copy = graph;
  if (!CanonicalGraphCode(copy)) return "";
  return CrystallizationCodeText(copy);
}

TIntMatrix Graph(const char* code) {
  TIntMatrix graph;
  if (!IsCrystallizationText(code, &graph)) {
    EXPECT_EQ(ReadGraphCodeLine(code, &graph), 1) << code;
  }
  return graph;
}

bool RowsArePermutations(const TIntMatrix& graph) {
  for (std::uint32_t r = 0; r < graph.Rows(); ++r) {
    std::vector<std::int32_t> row(graph.Row(r), graph.Row(r) + graph.Columns());
    std::sort(row.begin(), row.end());
    for (std::uint32_t i = 0; i < graph.Columns(); ++i) {
      if (row[i] != static_cast<std::int32_t>(i)) return false;
    }
  }
  return true;
}

// A random connected code of `words` rows and n letters.
TIntMatrix RandomConnectedCode(std::uint32_t words, std::uint32_t n, std::mt19937& random) {
  for (;;) {
    std::vector<std::vector<std::int32_t>> rows(words, std::vector<std::int32_t>(n));
    for (auto& row : rows) {
      std::iota(row.begin(), row.end(), 0);
      std::shuffle(row.begin(), row.end(), random);
    }
    TIntMatrix graph = CodeFromWords(rows);
    if (ComponentsWithout(graph, -1) == 1) return graph;
  }
}

// The least adjacency over every colour permutation and vertex bijection: an
// isomorphism invariant computed by brute force, for tiny graphs only.
std::vector<std::int32_t> BruteForceInvariant(const TIntMatrix& graph) {
  const TIntMatrix adjacency = CodeAdjacency(graph);
  const std::uint32_t colours = adjacency.Rows();
  const std::int32_t vertices = static_cast<std::int32_t>(adjacency.Columns());
  std::vector<std::uint32_t> colourOf(colours);
  std::iota(colourOf.begin(), colourOf.end(), 0u);
  std::vector<std::int32_t> best;
  do {
    std::vector<std::int32_t> image(vertices);  // new number of each old vertex
    std::iota(image.begin(), image.end(), 0);
    do {
      std::vector<std::int32_t> permuted(colours * vertices);
      for (std::uint32_t c = 0; c < colours; ++c) {
        for (std::int32_t v = 0; v < vertices; ++v) {
          permuted[c * vertices + image[v]] = image[adjacency.Row(colourOf[c])[v]];
        }
      }
      if (best.empty() || permuted < best) best = permuted;
    } while (std::next_permutation(image.begin(), image.end()));
  } while (std::next_permutation(colourOf.begin(), colourOf.end()));
  return best;
}

TEST(CanonicalGraphCode, InvariantUnderRandomRelabellings) {
  std::mt19937 random(20261210);
  std::vector<TIntMatrix> graphs;
  for (const char* code : {"badc*cdab*dcba", "acdb*badc*dbac", "ab*ba", "bca*cab"}) {
    graphs.push_back(Graph(code));
  }
  for (std::uint32_t n = 2; n <= 9; ++n) {
    graphs.push_back(RandomConnectedCode(2, n, random));
    graphs.push_back(RandomConnectedCode(3, n, random));
  }
  for (const TIntMatrix& graph : graphs) {
    const std::string expected = Canonical(graph);
    ASSERT_FALSE(expected.empty()) << CrystallizationCodeText(graph);
    for (int trial = 0; trial < 25; ++trial) {
      const TIntMatrix relabelled = RandomRelabelling(graph, random);
      ASSERT_EQ(Canonical(relabelled), expected)
          << CrystallizationCodeText(graph) << " relabelled as " << CrystallizationCodeText(relabelled);
    }
  }
}

TEST(CanonicalGraphCode, CanonicalCodesAreCodesOfTheirOwnForm) {
  std::mt19937 random(7);
  for (std::uint32_t n = 2; n <= 8; ++n) {
    for (std::uint32_t words : {2u, 3u}) {
      TIntMatrix graph = RandomConnectedCode(words, n, random);
      int leastCycles = -1;
      ASSERT_EQ(CanonicalGraphCode(graph, &leastCycles), 1);
      EXPECT_TRUE(RowsArePermutations(graph)) << CrystallizationCodeText(graph);
      TIntMatrix again = graph;
      ASSERT_EQ(CanonicalGraphCode(again), 1);
      EXPECT_EQ(again, graph) << "canonical form is a fixed point";

      int fewest = INT32_MAX;
      for (std::uint32_t a = 0; a <= words; ++a) {
        for (std::uint32_t b = a + 1; b <= words; ++b) fewest = std::min(fewest, BicolouredCycles(graph, a, b));
      }
      EXPECT_EQ(leastCycles, fewest - 1) << CrystallizationCodeText(graph);
    }
  }
}

// Equal canonical codes exactly when the coloured graphs are isomorphic, over
// every connected code of three letters (graph codes and crystallizations).
TEST(CanonicalGraphCode, SeparatesExactlyTheIsomorphismClassesOfSmallGraphs) {
  for (std::uint32_t words : {2u, 3u}) {
    std::map<std::string, std::set<std::vector<std::int32_t>>> invariantsOfCode;
    std::map<std::vector<std::int32_t>, std::set<std::string>> codesOfInvariant;
    for (const TIntMatrix& graph : AllCodes(words, 3)) {
      if (ComponentsWithout(graph, -1) != 1) continue;
      const std::string code = Canonical(graph);
      const std::vector<std::int32_t> invariant = BruteForceInvariant(graph);
      invariantsOfCode[code].insert(invariant);
      codesOfInvariant[invariant].insert(code);
    }
    for (const auto& [code, invariants] : invariantsOfCode) EXPECT_EQ(invariants.size(), 1u) << code;
    for (const auto& [invariant, codes] : codesOfInvariant) EXPECT_EQ(codes.size(), 1u) << *codes.begin();
    EXPECT_GT(invariantsOfCode.size(), 1u);
  }
}

TEST(CanonicalGraphCode, DisconnectedGraphsHaveNoCanonicalCode) {
  for (const char* code : {"ab*ab", "ab*ab*ab", "abdc*badc*abdc"}) {
    TIntMatrix graph = Graph(code);
    const TIntMatrix before = graph;
    EXPECT_EQ(CanonicalGraphCode(graph), 0) << code;
    EXPECT_EQ(graph, before);
  }
}

TEST(CanonicalGraphCode, OneLetterIsCanonicalAlready) {
  TIntMatrix graph = Graph("a*a*a");
  int leastCycles = -1;
  EXPECT_EQ(CanonicalGraphCode(graph, &leastCycles), 1);
  EXPECT_EQ(CrystallizationCodeText(graph), "a*a*a");
  EXPECT_EQ(leastCycles, 0);
}

TEST(CanonicalGraphCode, TellsRealProjectiveSpaceFromSphereTimesCircle) {
  EXPECT_NE(Canonical(Graph("badc*cdab*dcba")), Canonical(Graph("acdb*badc*dbac")));
}

TEST(GraphCodeValue, ReadsCanonicalCodesThatCompareAcrossRelabellings) {
  std::mt19937 random(3);
  const TIntMatrix graph = RandomConnectedCode(2, 6, random);
  const TIntMatrix relabelled = RandomRelabelling(graph, random);
  TGraphCode first;
  TGraphCode second;
  int leastCycles = -1;
  ASSERT_EQ(first.ReadNext(("% a graph\r\n" + CrystallizationCodeText(graph)).c_str(), &leastCycles), 1);
  ASSERT_EQ(second.ReadNext(CrystallizationCodeText(relabelled).c_str()), 1);
  EXPECT_EQ(first.Order(), 6);
  EXPECT_GE(leastCycles, 0);
  EXPECT_STREQ(first.Text(), Canonical(graph).c_str());
  EXPECT_TRUE(first.Equals(second));

  TGraphCode disconnected;
  EXPECT_EQ(disconnected.ReadNext("ab*ab"), 0);
  EXPECT_EQ(disconnected.Order(), 2);
  EXPECT_FALSE(disconnected.Equals(first));

  TGraphCode none;
  EXPECT_EQ(none.ReadNext("abc*bca*cab"), 0);  // a crystallization, no graph code
  EXPECT_EQ(none.Order(), 0);
  EXPECT_STREQ(none.Text(), "");
  first.Free();
  EXPECT_EQ(first.Order(), 0);
  EXPECT_STREQ(first.Text(), "");
}

TEST(CrystallizationValue, BuildsItsTextFromTheGraphAndComparesCodes) {
  TCrystallization empty;
  EXPECT_EQ(empty.TextPointer(), nullptr);
  EXPECT_STREQ(empty.Text(), "");

  TCrystallization first;
  first.SetGraph(Graph("ba dc*cdab*dcba"));
  EXPECT_EQ(first.TextPointer(), nullptr);
  EXPECT_STREQ(first.Text(), "badc*cdab*dcba");
  EXPECT_STREQ(first.TextPointer(), "badc*cdab*dcba");

  TCrystallization second(first);
  ASSERT_NE(second.Graph(), nullptr);
  EXPECT_NE(second.Graph(), first.Graph());
  EXPECT_EQ(second.SameCode(first), 1);
  EXPECT_EQ(empty.SameCode(first), 0);

  TCrystallization byText;
  byText.SetText("badc*cdab*dcba");
  EXPECT_EQ(byText.SameCode(first), 1);
  byText.SetText("a*a*a");
  EXPECT_EQ(byText.SameCode(first), 0);

  second.Free();
  EXPECT_EQ(second.Graph(), nullptr);
  EXPECT_EQ(second.TextPointer(), nullptr);
  EXPECT_STREQ(first.Text(), "badc*cdab*dcba");
}

}  // namespace
