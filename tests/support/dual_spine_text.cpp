#include "support/dual_spine_text.h"

#include <vector>

#include "invariants/hyperbolic/triangulation_store.h"

std::string DualSpineCurvesText(const TTriangulationStore& store) {
  const int count = store.TetrahedronCount();
  std::vector<int> idOfPosition(static_cast<std::size_t>(count));
  std::vector<int> positionOfId;
  for (int p = 0; p < count; ++p) {
    const int id = store.TetrahedronDart(p) / 12;
    idOfPosition[static_cast<std::size_t>(p)] = id;
    if (static_cast<int>(positionOfId.size()) <= id) positionOfId.resize(static_cast<std::size_t>(id) + 1);
    positionOfId[static_cast<std::size_t>(id)] = p;
  }
  std::vector<int> faceEdge(static_cast<std::size_t>(4 * count), 0);
  int edges = 0;
  for (int p = 0; p < count; ++p) {
    for (int f = 0; f < 4; ++f) {
      if (faceEdge[static_cast<std::size_t>(4 * p + f)] != 0) continue;
      const int n = store.Next(store.TetrahedronDart(p) + DartFromLetters(f, (f + 1) % 4));
      const int other = 4 * positionOfId[static_cast<std::size_t>(n / 12)] + DartHead(n);
      ++edges;
      faceEdge[static_cast<std::size_t>(4 * p + f)] = edges;
      faceEdge[static_cast<std::size_t>(other)] = -edges;
    }
  }
  std::string text;
  for (int e = 0; e < store.EdgeCount(); ++e) {
    int d = store.Edge(e).dart;
    for (int k = 0; k < store.Edge(e).order; ++k) {
      const int p = positionOfId[static_cast<std::size_t>(d / 12)];
      if (k > 0) text += " ";
      text += std::to_string(faceEdge[static_cast<std::size_t>(4 * p + DartTail(d))]);
      d = store.Next(d);
    }
    text += "z";
  }
  return text;
}
