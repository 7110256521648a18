// The manifold test of 4-coloured graphs.
//
// A 4-coloured graph G glues a 3-dimensional pseudo-complex K(G): one
// tetrahedron per vertex, its four faces coloured 0..3, and one face gluing per
// edge (the two faces of the edge's colour, matched so that the colours of the
// vertices opposite to them agree). A vertex of K(G) opposite to the faces of
// colour c corresponds to a connected component of G with colour c removed, a
// 3-coloured residue R, and the link of that vertex is the surface that R
// represents: its triangles are the vertices of R, its edges the edges of R,
// and its vertices the bicoloured cycles of R. Hence
//
//     chi(link) = (bicoloured cycles of R) - (vertices of R) / 2,
//
// since the 3p/2 edges and p triangles of p vertices contribute p - 3p/2.
// K(G) is a closed 3-manifold exactly when every link is a 2-sphere, that is
// when every residue has Euler characteristic 2. (Every closed surface has
// chi <= 2, so the test is the classical count of the bicoloured cycles.) The
// graphs of our codes are bipartite, so the manifold is orientable.
//
// A code can pass the syntax of a crystallization and still fail here:
// "abc*bca*cab" has a residue representing a torus; gluing its tetrahedra
// gives a cone on a torus, not a manifold, and no special spine of a
// 3-manifold can come from it.
#include "presentations/crystallizations/crystallization_manifold_check.h"

#include <vector>

#include "presentations/crystallizations/crystallization_code.h"

namespace {

constexpr std::uint32_t kColours = 4;

}  // namespace

int IsManifoldCrystallization(const TIntMatrix& graph, TResidueDefect* defect) {
  const TIntMatrix adjacency = CodeAdjacency(graph);
  const std::uint32_t vertices = adjacency.Columns();
  std::vector<std::int32_t> residue(vertices);
  std::vector<std::int32_t> queue;
  std::vector<bool> onCycle(vertices);

  for (std::uint32_t missing = 0; missing < kColours; ++missing) {
    std::array<std::uint32_t, 3> colours{};
    for (std::uint32_t c = 0, k = 0; c < kColours; ++c) {
      if (c != missing) colours[k++] = c;
    }

    // Residues: components of the graph without the missing colour, numbered
    // in the order of their lowest vertices.
    std::fill(residue.begin(), residue.end(), -1);
    std::vector<std::int32_t> vertexCount;
    for (std::uint32_t v = 0; v < vertices; ++v) {
      if (residue[v] >= 0) continue;
      const std::int32_t r = static_cast<std::int32_t>(vertexCount.size());
      vertexCount.push_back(0);
      residue[v] = r;
      queue.assign(1, static_cast<std::int32_t>(v));
      while (!queue.empty()) {
        const std::int32_t u = queue.back();
        queue.pop_back();
        ++vertexCount[r];
        for (std::uint32_t c : colours) {
          const std::int32_t w = adjacency.Row(c)[u];
          if (residue[w] < 0) {
            residue[w] = r;
            queue.push_back(w);
          }
        }
      }
    }

    // Bicoloured cycles of the three pairs, each counted in its residue.
    std::vector<std::int32_t> cycles(vertexCount.size(), 0);
    for (std::uint32_t a = 0; a < 3; ++a) {
      for (std::uint32_t b = a + 1; b < 3; ++b) {
        std::fill(onCycle.begin(), onCycle.end(), false);
        for (std::uint32_t v = 0; v < vertices; ++v) {
          if (onCycle[v]) continue;
          ++cycles[residue[v]];
          std::int32_t u = static_cast<std::int32_t>(v);
          do {
            onCycle[u] = true;
            const std::int32_t partner = adjacency.Row(colours[a])[u];
            onCycle[partner] = true;
            u = adjacency.Row(colours[b])[partner];
          } while (u != static_cast<std::int32_t>(v));
        }
      }
    }

    for (std::size_t r = 0; r < vertexCount.size(); ++r) {
      const int chi = cycles[r] - vertexCount[r] / 2;
      if (chi == 2) continue;
      if (defect != nullptr) {
        defect->missingColour = missing;
        defect->colours = colours;
        defect->vertexCount = static_cast<std::uint32_t>(vertexCount[r]);
        defect->eulerCharacteristic = chi;
      }
      return 0;
    }
  }
  return 1;
}
