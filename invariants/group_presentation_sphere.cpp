#include "invariants/group_presentation_sphere.h"

#include <unordered_set>
#include <vector>

#include "foundation/stop_poll.h"
#include "invariants/group_presentation.h"
#include "model/cell.h"
#include "model/edge.h"
#include "model/handle.h"
#include "model/homology.h"
#include "model/object_list.h"
#include "model/thickedge.h"
#include "moves/boundary_path.h"

namespace {

std::vector<TObjectHeader*> CellsOf(const TComplex& complex) {
  std::vector<TObjectHeader*> cells;
  for (int i = 0; i < complex.Objects().Count(); ++i) {
    TObjectHeader* object = complex.Objects().At(i);
    if (ObjectKind(object) == kCellKind) cells.push_back(object);
  }
  return cells;
}

// The spine edge under an edge of a boundary surface (a side of its thick edge).
const TObjectHeader* SpineEdgeUnder(const TSpine& spine, const TObjectHeader* side) {
  return TThickEdge::Edge(ThickEdgeOfObject(spine, side).Object()).Object();
}

// The surface vertex at end 1, taken with the passage's direction, of the
// first passage of the cell, with that passage's edge and direction.
struct TCorner {
  TObjectHeader* edge = nullptr;
  int direction = 1;
  TObjectHeader* vertex = nullptr;
};

TCorner FirstCorner(const TObjectHeader* cell) {
  TCorner corner;
  if (TCell::BoundaryLength(cell) < 1) return corner;
  corner.edge = TCell::PassageAt(cell, 0, &corner.direction).Object();
  corner.vertex = TEdge::End(corner.edge, 1, corner.direction).Object();
  return corner;
}

}  // namespace

TPresentationSphere::TPresentationSphere(const TSpine& spine) {
  if (!spine.IsThickened() || spine.BoundaryCount() == 0) return;
  spine.CopyTo(copy_);
  active_ = true;
  const std::vector<TObjectHeader*> cells = CellsOf(*copy_.BoundaryAt(0));
  if (cells.empty()) return;
  const TCorner corner = FirstCorner(cells.front());
  if (corner.edge == nullptr) return;
  root_ = TEdge::End(SpineEdgeUnder(copy_, corner.edge), 1, corner.direction).Object();
}

std::string TPresentationSphere::Report(const TGroupPresentation& presentation) {
  std::string text = "\r\n\r\n";
  if (!active_) return text;
  TComplex* sphere = copy_.BoundaryAt(0);
  if (sphere == nullptr || sphere->SurfaceClass() != 1) return text + "is not sphere\r\n\r\n";
  TObjectList list;
  HomologyGenerators(copy_, list, root_);
  std::unordered_set<const TObjectHeader*> generators;
  for (int i = 0; i < list.Count(); ++i) generators.insert(list.At(i));

  const std::vector<TObjectHeader*> cells = CellsOf(*sphere);
  const std::string firstName = ObjectDisplayName(cells.front());
  text += firstName + " -> " + firstName + " = {}";
  const TCorner start = FirstCorner(cells.front());
  TStopPoll poll(64);
  for (std::size_t k = 1; k < cells.size(); ++k) {
    poll.Step();
    text += "\r\n" + firstName + " -> " + ObjectDisplayName(cells[k]) + " = {";
    const TCorner target = FirstCorner(cells[k]);
    if (start.vertex != nullptr && target.vertex != nullptr && start.vertex != target.vertex) {
      std::vector<THandle> path;
      struct TStep {
        const TObjectHeader* edge;
        int sign;
      };
      std::vector<TStep> steps;
      if (FindBoundaryPath(start.vertex, target.vertex, start.edge, start.direction, nullptr, nullptr,
                           nullptr, sphere, 0, &path) != 0) {
        if (path.empty()) {
          // The first edge reaches the target by itself.
          steps.push_back({start.edge, start.direction == 1 ? 1 : -1});
        }
        for (const THandle& edge : path) steps.push_back({edge.Object(), TEdge::Label(edge.Object(), 0)});
      }
      // The path comes from the target back to the start: the last step first.
      TGroupPresentation::TWord word;
      for (std::size_t i = 0; i < steps.size(); ++i) {
        const TObjectHeader* under = SpineEdgeUnder(copy_, steps[i].edge);
        const std::int32_t number = ObjectNumber(under, 0);
        const std::int32_t letter = steps[i].sign < 0 ? -number : number;
        if (i > 0) text += ",";
        if (generators.count(under) != 0) {
          text += "!";
          word.push_back(letter);
        }
        text += std::to_string(letter);
      }
      presentation.ApplyReplacements(word);
      text += "}={";
      for (std::size_t i = 0; i < word.size(); ++i) {
        if (i > 0) text += ",";
        text += std::to_string(word[i]);
      }
    }
    text += "}";
  }
  text += "\r\n\r\n";
  for (const TObjectHeader* cell : CellsOf(copy_)) {
    poll.Step();
    text += std::string(ObjectDisplayName(cell)) + " ={";
    bool first = true;
    for (int p = 0; p < TCell::BoundaryLength(cell); ++p) {
      int direction = 0;
      const THandle edge = TCell::PassageAt(cell, p, &direction);
      if (generators.count(edge.Object()) == 0) continue;
      if (!first) text += ",";
      first = false;
      if (direction == 2) text += "-";
      text += edge.DisplayName();
    }
    text += "}\r\n";
  }
  return text + "\r\n\r\n";
}
