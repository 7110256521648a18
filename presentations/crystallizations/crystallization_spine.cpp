// The special spine of a crystallization.
//
// A 4-coloured graph G of a closed 3-manifold M glues M from tetrahedra, one
// per vertex of G, the edges of G gluing faces (see the residue check). The
// dual 2-complex of that triangulation has a vertex per tetrahedron, an edge
// per glued pair of faces and a 2-cell per edge of the triangulation. An edge
// of a tetrahedron lies in exactly two of its faces, of colours k and l say,
// so going round that edge one crosses faces of colours k and l alternately:
// the tetrahedra met form a (k, l)-coloured cycle of G. The dual 2-complex is
// therefore G itself with a disc glued into each bicoloured cycle.
//
// That 2-complex is a special spine of M with its vertices removed (with one
// ball removed per 3-residue, four for a contracted graph): every edge lies
// on the three cells of its colour paired with each other colour, and every
// vertex sees the six cells of its six colour pairs, like the dual of a
// tetrahedron. Its homology is that of M.
//
// For the code a*a*a (the crystallization of S^3 with two vertices) the spine
// has 2 vertices, 4 edges and 6 cells, each a cycle of length 2.
#include "presentations/crystallizations/crystallization_spine.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "foundation/string_table.h"
#include "foundation/text_format.h"
#include "model/cell.h"
#include "model/edge.h"
#include "model/handle.h"
#include "model/object_header.h"
#include "presentations/crystallizations/crystallization_code.h"

namespace {

constexpr int kEdgeNameTextId = 9503;
constexpr int kCellNameTextId = 9504;
constexpr int kParallelEdgeNameTextId = 9505;

std::string_view Text(int id, const char* fallback) {
  const std::optional<std::string_view> text = StringTableText(id);
  return text ? *text : std::string_view(fallback);
}

}  // namespace

void BuildCrystallizationCells(TComplex& complex, const TIntMatrix& graph) {
  TObjectManager& objects = complex.Objects();
  objects.SetCreationTag(1);
  const std::uint32_t words = graph.Rows();
  const std::uint32_t n = graph.Columns();
  const std::uint32_t colours = words + 1;
  const TIntMatrix adjacency = CodeAdjacency(graph);
  const bool named = SuppressObjectNames == 0;
  const std::string_view edgeFormat = Text(kEdgeNameTextId, "v%dv%d");
  const std::string_view cellFormat = Text(kCellNameTextId, "Colors%u&%u #%u");
  const std::string_view parallelFormat = Text(kParallelEdgeNameTextId, "v%dv%d_%u");
  // Edges of several colours may join one pair of vertices; the first keeps
  // the plain name and the others add their colour, so that no two edges
  // share a name and the spine written as boundary curves reads back as it is.
  std::set<std::pair<std::int32_t, std::int32_t>> namedPairs;

  std::vector<TObjectHeader*> vertex(2 * n);
  for (std::uint32_t v = 0; v < 2 * n; ++v) {
    vertex[v] = objects.CreateObject(kVertexKind);
    ObjectSetNumber(vertex[v], static_cast<int>(v + 1));
  }

  // edge[c][i]: the colour-c edge at the even vertex 2i.
  std::vector<std::vector<TObjectHeader*>> edge(colours, std::vector<TObjectHeader*>(n));
  for (std::uint32_t c = 0; c < colours; ++c) {
    for (std::uint32_t i = 0; i < n; ++i) {
      const std::int32_t odd = adjacency.Row(c)[2 * i];
      TObjectHeader* e = objects.CreateObject(kEdgeKind);
      ObjectSetNumber(e, static_cast<int>(n * c + i + 1));
      TEdge::SetEndVertex(e, vertex[2 * i], 1);
      TEdge::SetEndVertex(e, vertex[odd], 2);
      if (named) {
        const std::int32_t first = static_cast<std::int32_t>(2 * i + 1);
        const std::string name = namedPairs.insert({first, odd + 1}).second
                                     ? FormatText(edgeFormat, first, odd + 1)
                                     : FormatText(parallelFormat, first, odd + 1, c + 1);
        ObjectSetNameText(e, nullptr, name.c_str());
      }
      edge[c][i] = e;
    }
  }

  std::vector<bool> onCycle(n);
  for (std::uint32_t k = 0; k < colours; ++k) {
    for (std::uint32_t l = k + 1; l < colours; ++l) {
      std::fill(onCycle.begin(), onCycle.end(), false);
      unsigned cycle = 0;
      for (std::uint32_t start = 0; start < n; ++start) {
        if (onCycle[start]) continue;
        TObjectHeader* cell = objects.CreateObject(kCellKind);
        if (named) {
          const std::string name = FormatText(cellFormat, k + 1, l + 1, ++cycle);
          ObjectSetNameText(cell, nullptr, name.c_str());
        }
        // Along colour k from the even vertex 2i to its odd neighbour, back
        // along colour l (against that edge) to the next even vertex.
        std::uint32_t i = start;
        do {
          onCycle[i] = true;
          TCell::AppendPassage(cell, edge[k][i], 1);
          const std::int32_t odd = adjacency.Row(k)[2 * i];
          const std::uint32_t back = static_cast<std::uint32_t>(adjacency.Row(l)[odd]) / 2;
          TCell::AppendPassage(cell, edge[l][back], 2);
          i = back;
        } while (i != start);
      }
    }
  }
}

void BuildCrystallizationSpine(TSpine& spine, const TIntMatrix& graph) {
  if (!spine.IsEmpty()) spine.Clear();
  BuildCrystallizationCells(spine, graph);
  spine.SetSourceKind(kSourceCrystallization);
}
