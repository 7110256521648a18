#include "presentations/crystallization_support.h"

#include <algorithm>
#include <numeric>

#include "presentations/crystallizations/crystallization_code.h"

TIntMatrix RandomRelabelling(const TIntMatrix& graph, std::mt19937& random) {
  const TIntMatrix adjacency = CodeAdjacency(graph);
  const std::uint32_t colours = adjacency.Rows();
  const std::uint32_t n = graph.Columns();
  std::vector<std::uint32_t> colourOf(colours);  // old colour of each new colour
  std::iota(colourOf.begin(), colourOf.end(), 0u);
  std::shuffle(colourOf.begin(), colourOf.end(), random);
  const int evenSide = std::uniform_int_distribution<int>(0, 1)(random);
  std::vector<std::int32_t> pairOrder(n);  // old pair index of each new pair
  std::iota(pairOrder.begin(), pairOrder.end(), 0);
  std::shuffle(pairOrder.begin(), pairOrder.end(), random);

  // The pairs of the new colour 0, each named by its vertex on the chosen side.
  std::vector<std::int32_t> sideVertex;
  for (std::uint32_t v = 0; v < 2 * n; ++v) {
    if (static_cast<int>(v % 2) == evenSide) sideVertex.push_back(static_cast<std::int32_t>(v));
  }
  std::vector<std::int32_t> number(2 * n);
  for (std::uint32_t t = 0; t < n; ++t) {
    const std::int32_t x = sideVertex[pairOrder[t]];
    number[x] = static_cast<std::int32_t>(2 * t);
    number[adjacency.Row(colourOf[0])[x]] = static_cast<std::int32_t>(2 * t + 1);
  }
  TIntMatrix result(colours - 1, n);
  for (std::uint32_t c = 1; c < colours; ++c) {
    for (std::uint32_t t = 0; t < n; ++t) {
      const std::int32_t x = sideVertex[pairOrder[t]];
      result.Row(c - 1)[t] = (number[adjacency.Row(colourOf[c])[x]] - 1) / 2;
    }
  }
  return result;
}

TIntMatrix CodeFromWords(const std::vector<std::vector<std::int32_t>>& words) {
  TIntMatrix graph(static_cast<std::uint32_t>(words.size()),
                   static_cast<std::uint32_t>(words.front().size()));
  for (std::uint32_t r = 0; r < graph.Rows(); ++r) std::copy(words[r].begin(), words[r].end(), graph.Row(r));
  return graph;
}

std::vector<TIntMatrix> AllCodes(std::uint32_t words, std::uint32_t n) {
  std::vector<std::vector<std::int32_t>> permutations;
  std::vector<std::int32_t> p(n);
  std::iota(p.begin(), p.end(), 0);
  do permutations.push_back(p);
  while (std::next_permutation(p.begin(), p.end()));

  std::vector<TIntMatrix> codes;
  std::vector<std::size_t> choice(words, 0);
  for (;;) {
    std::vector<std::vector<std::int32_t>> rows;
    for (std::size_t k : choice) rows.push_back(permutations[k]);
    codes.push_back(CodeFromWords(rows));
    std::size_t r = words;
    while (r > 0 && ++choice[r - 1] == permutations.size()) choice[--r] = 0;
    if (r == 0) break;
  }
  return codes;
}

int BicolouredCycles(const TIntMatrix& graph, std::uint32_t a, std::uint32_t b) {
  const TIntMatrix adjacency = CodeAdjacency(graph);
  std::vector<bool> seen(adjacency.Columns(), false);
  int cycles = 0;
  for (std::int32_t v = 0; v < static_cast<std::int32_t>(adjacency.Columns()); ++v) {
    if (seen[v]) continue;
    ++cycles;
    std::int32_t u = v;
    do {
      seen[u] = true;
      u = adjacency.Row(a)[u];
      seen[u] = true;
      u = adjacency.Row(b)[u];
    } while (u != v);
  }
  return cycles;
}

int ComponentsWithout(const TIntMatrix& graph, int c) {
  const TIntMatrix adjacency = CodeAdjacency(graph);
  const std::int32_t vertices = static_cast<std::int32_t>(adjacency.Columns());
  std::vector<std::int32_t> parent(vertices);
  std::iota(parent.begin(), parent.end(), 0);
  auto find = [&](std::int32_t x) {
    while (parent[x] != x) x = parent[x] = parent[parent[x]];
    return x;
  };
  int components = vertices;
  for (std::uint32_t colour = 0; colour < adjacency.Rows(); ++colour) {
    if (static_cast<int>(colour) == c) continue;
    for (std::int32_t v = 0; v < vertices; ++v) {
      const std::int32_t x = find(v);
      const std::int32_t y = find(adjacency.Row(colour)[v]);
      if (x != y) {
        parent[x] = y;
        --components;
      }
    }
  }
  return components;
}

TIntMatrix ConnectedSum(const TIntMatrix& first, const TIntMatrix& second) {
  const TIntMatrix a = CodeAdjacency(first);
  const TIntMatrix b = CodeAdjacency(second);
  const std::int32_t offset = static_cast<std::int32_t>(a.Columns());
  const std::int32_t vertices = offset + static_cast<std::int32_t>(b.Columns());
  const std::uint32_t colours = a.Rows();
  std::vector<std::vector<std::int32_t>> adjacency(colours, std::vector<std::int32_t>(vertices));
  for (std::uint32_t c = 0; c < colours; ++c) {
    for (std::int32_t v = 0; v < offset; ++v) adjacency[c][v] = a.Row(c)[v];
    for (std::int32_t v = 0; v < vertices - offset; ++v) adjacency[c][offset + v] = offset + b.Row(c)[v];
    const std::int32_t x = a.Row(c)[0];
    const std::int32_t y = offset + b.Row(c)[1];
    adjacency[c][x] = y;
    adjacency[c][y] = x;
  }
  // Even vertices of both graphs but vertex 0 of the first name the pairs.
  std::vector<std::int32_t> sideVertex;
  for (std::int32_t v = 2; v < vertices; v += 2) sideVertex.push_back(v);
  std::vector<std::int32_t> number(vertices, -1);
  for (std::size_t t = 0; t < sideVertex.size(); ++t) {
    number[sideVertex[t]] = static_cast<std::int32_t>(2 * t);
    number[adjacency[0][sideVertex[t]]] = static_cast<std::int32_t>(2 * t + 1);
  }
  TIntMatrix result(colours - 1, static_cast<std::uint32_t>(sideVertex.size()));
  for (std::uint32_t c = 1; c < colours; ++c) {
    for (std::size_t t = 0; t < sideVertex.size(); ++t) {
      result.Row(c - 1)[t] = (number[adjacency[c][sideVertex[t]]] - 1) / 2;
    }
  }
  return result;
}
