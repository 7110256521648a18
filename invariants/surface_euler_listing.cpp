#include "invariants/surface_euler_listing.h"

#include <algorithm>
#include <vector>

#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/objman.h"

namespace {

struct TPolygon {
  int euler = 2;
  bool orientable = true;
};

TPolygon ReadPolygon(const TObjectHeader* cell) {
  const int length = TCell::BoundaryLength(cell);
  std::vector<const TObjectHeader*> vertices;
  std::vector<std::pair<const TObjectHeader*, int>> passages;
  bool sameDirectionTwice = false;
  for (int p = 0; p < length; ++p) {
    int direction = 0;
    const THandle edge = TCell::PassageAt(cell, p, &direction);
    const TObjectHeader* start = TEdge::End(edge.Object(), 1, direction).Object();
    if (std::find(vertices.begin(), vertices.end(), start) == vertices.end()) vertices.push_back(start);
    const std::pair<const TObjectHeader*, int> passage{edge.Object(), direction};
    if (std::find(passages.begin(), passages.end(), passage) != passages.end()) sameDirectionTwice = true;
    passages.push_back(passage);
  }
  TPolygon polygon;
  // A cell attached at a vertex is a sphere of one vertex and no edge.
  polygon.euler = length == 0 ? 2 : static_cast<int>(vertices.size()) - length / 2 + 1;
  polygon.orientable =
      polygon.euler == 2 || (polygon.euler % 2 == 0 && !sameDirectionTwice);
  return polygon;
}

std::string Term(int count, const char* shortName, const char* longName, int style, int euler) {
  std::string text = " ";
  if (count > 1) text += std::to_string(count);
  text += style == 1 ? shortName : longName;
  text += std::to_string(euler);
  return text;
}

}  // namespace

std::string SurfaceEulerCharacteristics(const TComplex& complex, int style) {
  std::vector<TPolygon> polygons;
  const TObjectManager& objects = complex.Objects();
  TStopPoll poll;
  for (int i = 0; i < objects.Count(); ++i) {
    poll.Step();
    const TObjectHeader* object = objects.At(i);
    if (object != nullptr && ObjectKind(object) == kCellKind) polygons.push_back(ReadPolygon(object));
  }
  std::string text;
  std::size_t counted = 0;
  for (int euler = 2; counted < polygons.size(); --euler) {
    int orientable = 0;
    int nonorientable = 0;
    for (const TPolygon& polygon : polygons) {
      if (polygon.euler != euler) continue;
      ++counted;
      ++(polygon.orientable ? orientable : nonorientable);
    }
    if (orientable > 0) text += Term(orientable, "O", "OrientableChi", style, euler);
    if (nonorientable > 0) text += Term(nonorientable, "N", "Non-orientableChi", style, euler);
  }
  return text;
}
