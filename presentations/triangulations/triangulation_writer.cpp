// Writing triangulations as text that the triangulation reader reads back.
#include <string>

#include "foundation/output.h"
#include "foundation/text_format.h"
#include "model/handle.h"
#include "presentations/triangulations/triangulation_description.h"

namespace {

// The vertices of face i counted from 1, in increasing order.
constexpr int kFaceVerticesAscending[4][3] = {{2, 3, 4}, {1, 3, 4}, {1, 2, 4}, {1, 2, 3}};
// The corners of face i at positions 0, 1, 2 (the details' order).
constexpr int kFaceCorners[4][3] = {{3, 2, 1}, {2, 3, 0}, {1, 0, 3}, {0, 1, 2}};

// A gluing is written in full from the side met first: the tetrahedron
// earlier in the list, or for a tetrahedron glued to itself the lower face.
bool WrittenBefore(const TTetrahedronList& tetrahedra, int t, int f) {
  const int other = tetrahedra.At(t).neighbour[f];
  const int otherFace = tetrahedra.At(t).gluing[f][static_cast<std::size_t>(f)];
  return other < t || (other == t && otherFace < f);
}

std::string NameOf(const TTetrahedronList& tetrahedra, int t, const std::vector<std::string>& names) {
  if (t >= 0 && static_cast<std::size_t>(t) < names.size() && !names[static_cast<std::size_t>(t)].empty()) {
    return names[static_cast<std::size_t>(t)];
  }
  if (tetrahedra.At(t).detail != nullptr) return ObjectDisplayName(tetrahedra.At(t).detail);
  return "v" + std::to_string(tetrahedra.At(t).number);
}

}  // namespace

void TTriangulationDescription::Write(TOutput& output) const {
  if (tetrahedra_.Count() == 0) return;
  output.AppendText("\t\ttriangulation\r\n\r\n");
  for (int t = 0; t < tetrahedra_.Count(); ++t) {
    const TTetrahedron& tetrahedron = tetrahedra_.At(t);
    for (int f = 0; f < 4; ++f) {
      const int other = tetrahedron.neighbour[f];
      if (other < 0) continue;
      const TVertexMap& map = tetrahedron.gluing[f];
      const int* v = kFaceVerticesAscending[f];
      std::string line = FormatText(
          "T%u(%u,%u,%u) - T%u(%u,%u,%u)\r\n", tetrahedron.number, v[0], v[1], v[2],
          tetrahedra_.At(other).number, map[static_cast<std::size_t>(v[0] - 1)] + 1,
          map[static_cast<std::size_t>(v[1] - 1)] + 1, map[static_cast<std::size_t>(v[2] - 1)] + 1);
      output.AppendText(WrittenBefore(tetrahedra_, t, f) ? "%\t" : "\t");
      output.AppendText(line.c_str());
    }
  }
  output.AppendText("\r\n\t\tend\r\n");
}

void PrintTetrahedronLines(TOutput& output, const TTetrahedronList& tetrahedra, int tetrahedron,
                           const std::vector<std::string>& names) {
  const TTetrahedron& t = tetrahedra.At(tetrahedron);
  const std::string name = NameOf(tetrahedra, tetrahedron, names);
  for (int f = 0; f < 4; ++f) {
    const int* c = kFaceCorners[f];
    const int other = t.neighbour[f];
    if (other >= 0 && WrittenBefore(tetrahedra, tetrahedron, f)) output.AppendText("%");
    std::string line = FormatText("%s(%u,%u,%u) - ", name, c[0] + 1, c[1] + 1, c[2] + 1);
    if (other < 0) {
      line += "*(***)";
    } else {
      const TVertexMap& map = t.gluing[f];
      line += FormatText("%s( %u, %u, %u )", NameOf(tetrahedra, other, names),
                         map[static_cast<std::size_t>(c[0])] + 1, map[static_cast<std::size_t>(c[1])] + 1,
                         map[static_cast<std::size_t>(c[2])] + 1);
    }
    line += "\r\n";
    output.AppendText(line.c_str());
  }
}
