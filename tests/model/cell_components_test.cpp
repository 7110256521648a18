#include "model/cell_components.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <vector>

#include "foundation/stop_poll.h"

#include "model/cell.h"
#include "model/edge.h"
#include "model/vertex.h"
#include "model/cell_word_list.h"
#include "support/complex_builder.h"
#include "support/model_heap.h"

namespace {

TEST(CellComponents, GroupsCellsThatMeetAlongEdges) {
  TScopedModelHeap heap;
  TComplex complex;
  // Cells 1 and 2 share edge 1; cell 3 passes edge 4 twice; cell 4 stands alone.
  TBuiltComplex built = BuildComplexFromWords(complex, {{1, 2}, {-1, 3}, {4, 4}, {5, -5}});
  TCellWordList components;
  EXPECT_EQ(CellComponents(complex, &components), 0);
  ASSERT_EQ(components.CellCount(), 3);
  EXPECT_EQ(components.WordLength(0), 2);
  EXPECT_EQ(components.ObjectAt(0, 0), built.cells[0].Object());
  EXPECT_EQ(components.ObjectAt(0, 1), built.cells[1].Object());
  EXPECT_EQ(components.WordLength(1), 1);  // listed once though it passes edge 4 twice
  EXPECT_EQ(components.ObjectAt(1, 0), built.cells[2].Object());
  EXPECT_EQ(components.ObjectAt(2, 0), built.cells[3].Object());
  EXPECT_EQ(CellListsContain(components, built.cells[3]), 1);
  EXPECT_EQ(complex.ComponentCount(), 3);

  TObjectList closure = CellComponentClosure(built.cells[1]);
  ASSERT_EQ(closure.Count(), 2);
  EXPECT_EQ(closure.At(0), built.cells[1].Object());
}

TEST(CellComponents, CellsMeetingAtAVertexOnlyAreApart) {
  TScopedModelHeap heap;
  TComplex complex;
  // Two discs on two loops, then the loops' vertices made one.
  TBuiltComplex built = BuildComplexFromWords(complex, {{1}, {2}});
  TVertex::MergeVertex(TEdge::End(built.edges[0], 1), TEdge::End(built.edges[1], 1),
                       &complex.Objects());
  ASSERT_EQ(complex.Objects().CountOfKind(kVertexKind), 1);
  EXPECT_EQ(CellComponents(complex, nullptr), 0);
  TCellWordList components;
  CellComponents(complex, &components);
  EXPECT_EQ(components.CellCount(), 2);
}

TEST(CellComponents, NoCellsGiveNoComponent) {
  TScopedModelHeap heap;
  TComplex complex;
  TCellWordList components;
  TObjectList word;
  components.Append(word, nullptr);
  EXPECT_EQ(CellComponents(complex, &components), 0);
  EXPECT_EQ(components.CellCount(), 0);
}

TEST(CellComponents, OneComponentGivesOne) {
  TScopedModelHeap heap;
  TComplex complex;
  BuildComplexFromWords(complex, {{1, 2, -1, -2}, {1}, {2}});
  EXPECT_EQ(CellComponents(complex, nullptr), 1);
}

}  // namespace

namespace {

// The grouping of a presentation of many components, of every size, with
// cells listed in shuffled order, against a union-find over the words: the
// same partition, components in the order of their first cells.
TEST(CellComponents, ManyComponentsOfAShuffledPresentationMatchAUnionFind) {
  TScopedModelHeap heap;
  std::mt19937 random(5);
  std::vector<std::vector<int>> words;
  int nextEdge = 1;
  for (int component = 0; component < 150; ++component) {
    // A component: a few edges, cells on random words over them (each edge
    // used, so that the cells are joined along a chain of edges).
    const int edges = 1 + static_cast<int>(random() % 6);
    const int cells = 1 + static_cast<int>(random() % 5);
    for (int c = 0; c < cells; ++c) {
      std::vector<int> word;
      for (int e = 0; e < edges; ++e)
        if (c == 0 || e == c % edges || random() % 3 == 0) word.push_back(nextEdge + e);
      for (int& letter : word)
        if (random() % 2 == 0) letter = -letter;
      words.push_back(word);
    }
    nextEdge += edges;
  }
  std::shuffle(words.begin(), words.end(), random);

  std::vector<int> parent(words.size());
  std::iota(parent.begin(), parent.end(), 0);
  auto find = [&parent](int x) {
    while (parent[x] != x) x = parent[x] = parent[parent[x]];
    return x;
  };
  std::map<int, int> firstCellOfEdge;
  for (int c = 0; c < static_cast<int>(words.size()); ++c) {
    for (int letter : words[c]) {
      auto [at, fresh] = firstCellOfEdge.emplace(std::abs(letter), c);
      if (!fresh) parent[find(c)] = find(at->second);
    }
  }
  // The expected components: sets of cell positions, by first cell.
  std::map<int, std::set<int>> byRoot;
  std::vector<int> order;
  for (int c = 0; c < static_cast<int>(words.size()); ++c) {
    if (byRoot.find(find(c)) == byRoot.end()) order.push_back(find(c));
    byRoot[find(c)].insert(c);
  }

  TComplex complex;
  TBuiltComplex built = BuildComplexFromWords(complex, words);
  std::map<const TObjectHeader*, int> positionOfCell;
  for (int c = 0; c < static_cast<int>(built.cells.size()); ++c)
    positionOfCell[built.cells[c].Object()] = c;
  TCellWordList components;
  EXPECT_EQ(CellComponents(complex, &components), 0);
  ASSERT_EQ(components.CellCount(), static_cast<int>(order.size()));
  for (int k = 0; k < components.CellCount(); ++k) {
    std::set<int> got;
    for (int j = 0; j < components.WordLength(k); ++j) got.insert(positionOfCell.at(components.ObjectAt(k, j)));
    EXPECT_EQ(got, byRoot[order[k]]) << "component " << k;
    EXPECT_EQ(static_cast<int>(got.size()), components.WordLength(k)) << "a cell listed twice";
    EXPECT_EQ(positionOfCell.at(components.ObjectAt(k, 0)), *got.begin());
  }
}

TEST(CellComponents, AStoppedGroupingLeavesTheOutListAlone) {
  TScopedModelHeap heap;
  TComplex complex;
  std::vector<std::vector<int>> words;
  for (int i = 1; i <= 3000; ++i) words.push_back({i, i + 1, -i});
  BuildComplexFromWords(complex, words);
  TCellWordList components;
  TObjectList word;
  components.Append(word, nullptr);
  RequestStop();
  EXPECT_THROW(CellComponents(complex, &components), TComputationStopped);
  StopFlags().stop.store(0);
  EXPECT_EQ(components.CellCount(), 1);
  EXPECT_EQ(CellComponents(complex, &components), 1);
}

}  // namespace
