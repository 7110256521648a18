// Canonical codes of edge-coloured graphs by exhaustive traversal.
//
// A code fixes a numbering of the vertices in which colour 0 joins 2t and
// 2t + 1 and every other colour joins an even vertex to an odd one. Such a
// numbering can be produced from the graph alone, given an order (i, j, k[, l])
// of the colours and a start vertex:
//
//   * walk the (i, j)-coloured cycle through the start vertex: the vertices
//     reached along colour j (the start first) get even numbers, each one's
//     colour-i neighbour the next odd number; in the new numbering colour i
//     becomes colour 0 (2t with 2t + 1) and colour j colour 1 (2t + 1 with
//     2t + 2, the last odd number closing back to the cycle's first);
//   * the odd vertices of the walked cycles wait on a stack; the vertex on top
//     looks along colour k (new colour 2) and, once that neighbour is
//     numbered, along colour l (new colour 3); an unnumbered neighbour starts
//     the next (i, j) cycle, numbered from the next even number.
//
// Every step depends on the coloured graph only, so an isomorphism that
// permutes the colours carries the traversal from (order, start) onto the
// traversal from (permuted order, image of the start), and both give the same
// renumbered graph. The set of renumbered graphs over all (w + 1)! colour
// orders and all 2n start vertices is therefore an invariant of the coloured
// graph, and its greatest member is the canonical code. Members are compared
// by the neighbours of the even vertices, colour 1 first, vertex by vertex:
// exactly the letters of the code in reading order.
//
// A traversal that numbers fewer than 2n vertices means the graph is not
// connected; such a graph has no canonical code. The count of (i, j) cycles a
// full traversal walks is the number of bicoloured cycles of that pair.
//
// Cost: with n <= 26 letters, at most 24 * 52 traversals of O(n) steps.
#include "presentations/crystallizations/canonical_graph_code.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "presentations/crystallizations/crystallization_code.h"

namespace {

struct TTraversal {
  const TIntMatrix& adjacency;
  std::array<std::uint32_t, 4> order{};  // old colour of each new colour
  std::uint32_t colours = 0;
  std::vector<std::int32_t> number;      // new number of each old vertex, -1 unnumbered
  TIntMatrix renumbered;                 // adjacency in the new numbering
  std::vector<std::int32_t> stack;       // old vertices waiting to look along k and l
  std::int32_t next = 0;
  int cycles = 0;

  explicit TTraversal(const TIntMatrix& a) : adjacency(a) {}

  std::int32_t Neighbour(std::uint32_t newColour, std::int32_t vertex) const {
    return adjacency.Row(order[newColour])[vertex];
  }

  void Join(std::uint32_t newColour, std::int32_t first, std::int32_t second) {
    renumbered.Row(newColour)[first] = second;
    renumbered.Row(newColour)[second] = first;
  }

  void WalkCycle(std::int32_t start) {
    const std::int32_t first = next;
    std::int32_t vertex = start;
    do {
      const std::int32_t partner = Neighbour(0, vertex);
      number[vertex] = next;
      number[partner] = next + 1;
      Join(0, next, next + 1);
      if (next > first) Join(1, next - 1, next);
      stack.push_back(partner);
      next += 2;
      vertex = Neighbour(1, partner);
    } while (vertex != start);
    Join(1, next - 1, first);
    ++cycles;
  }

  // Looks from the vertex on top of the stack along new colour c; returns
  // true when the neighbour was numbered already.
  bool Look(std::uint32_t c, std::int32_t vertex) {
    const std::int32_t neighbour = Neighbour(c, vertex);
    if (number[neighbour] >= 0) {
      Join(c, number[vertex], number[neighbour]);
      return true;
    }
    Join(c, number[vertex], next);
    WalkCycle(neighbour);
    return false;
  }

  // Renumbers from the start vertex; false when not every vertex is reached.
  bool Run(std::int32_t start) {
    const std::uint32_t vertices = adjacency.Columns();
    number.assign(vertices, -1);
    renumbered = TIntMatrix(colours, vertices);
    stack.clear();
    next = 0;
    cycles = 0;
    WalkCycle(start);
    while (!stack.empty()) {
      const std::int32_t vertex = stack.back();
      if (!Look(2, vertex)) continue;  // a new cycle lies on top of it now
      stack.pop_back();
      if (colours == 4) Look(3, vertex);
    }
    return next == static_cast<std::int32_t>(vertices);
  }
};

// Compares two renumbered adjacencies by the neighbours of even vertices,
// colour 1 first: <0, 0, >0.
int CompareCodes(const TIntMatrix& a, const TIntMatrix& b) {
  for (std::uint32_t c = 1; c < a.Rows(); ++c) {
    for (std::uint32_t v = 0; v < a.Columns(); v += 2) {
      const std::int32_t x = a.Row(c)[v];
      const std::int32_t y = b.Row(c)[v];
      if (x != y) return x < y ? -1 : 1;
    }
  }
  return 0;
}

}  // namespace

int CanonicalGraphCode(TIntMatrix& graph, int* leastCycles) {
  const std::uint32_t n = graph.Columns();
  if (n <= 1) {
    if (leastCycles != nullptr) *leastCycles = 0;
    return 1;
  }
  const TIntMatrix adjacency = CodeAdjacency(graph);
  TTraversal traversal(adjacency);
  traversal.colours = graph.Rows() + 1;

  std::array<std::uint32_t, 4> order{0, 1, 2, 3};
  TIntMatrix best;
  bool haveBest = false;
  int fewestCycles = 0;
  do {
    traversal.order = order;
    for (std::uint32_t start = 0; start < 2 * n; ++start) {
      if (!traversal.Run(static_cast<std::int32_t>(start))) return 0;
      if (start == 0 && (!haveBest || traversal.cycles < fewestCycles)) {
        fewestCycles = traversal.cycles;
      }
      if (!haveBest || CompareCodes(traversal.renumbered, best) > 0) {
        best = traversal.renumbered;
        haveBest = true;
      }
    }
  } while (std::next_permutation(order.begin(), order.begin() + traversal.colours));

  graph = AdjacencyCode(best);
  if (leastCycles != nullptr) *leastCycles = fewestCycles - 1;
  return 1;
}
