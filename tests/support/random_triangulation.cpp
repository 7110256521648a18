#include "support/random_triangulation.h"

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

#include "model/detail.h"
#include "model/details_description.h"
#include "presentations/triangulations/vertex_map.h"

void GlueTetrahedraAtRandom(TDetailsDescription& details, int n, unsigned seed) {
  std::vector<TObjectHeader*> tetrahedra;
  for (int i = 0; i < n; ++i) tetrahedra.push_back(details.NewDetail());
  std::vector<int> faces(static_cast<std::size_t>(4 * n));
  for (int i = 0; i < 4 * n; ++i) faces[static_cast<std::size_t>(i)] = i;
  std::mt19937 random(seed);
  std::shuffle(faces.begin(), faces.end(), random);
  // The three odd maps of a face's corners: each fixes one corner and swaps two.
  const int odd[3][3] = {{0, 2, 1}, {1, 0, 2}, {2, 1, 0}};
  for (std::size_t k = 0; k + 1 < faces.size(); k += 2) {
    const int a = faces[k];
    const int b = faces[k + 1];
    const int* map = odd[random() % 3];
    TDetail::GlueFaces(tetrahedra[static_cast<std::size_t>(a / 4)], a % 4,
                       tetrahedra[static_cast<std::size_t>(b / 4)], b % 4, map[0], map[1], map[2], 1);
  }
}

TTetrahedronList RandomTriangulation(int n, unsigned seed) {
  std::mt19937 random(seed);
  TTetrahedronList tetrahedra;
  tetrahedra.Reset(n);
  for (int t = 0; t + 1 < n; ++t) tetrahedra.Glue(t, 3, t + 1, {0, 1, 3, 2});
  std::vector<std::pair<int, int>> free;
  for (int t = 0; t < n; ++t) {
    for (int f = 0; f < 4; ++f) {
      if (!tetrahedra.IsGlued(t, f)) free.emplace_back(t, f);
    }
  }
  std::shuffle(free.begin(), free.end(), random);
  for (std::size_t i = 0; i + 1 < free.size(); i += 2) {
    auto [a, fa] = free[i];
    auto [b, fb] = free[i + 1];
    // A random map that sends fa to fb.
    for (;;) {
      TVertexMap map = VertexMapFromIndex(static_cast<int>(random() % 24));
      if (map[static_cast<std::size_t>(fa)] == fb) {
        tetrahedra.Glue(a, fa, b, map);
        break;
      }
    }
  }
  return tetrahedra;
}
