// Paths in the 1-skeleton. See boundary_path.h.
#include "moves/boundary_path.h"

#include <unordered_map>

#include "foundation/stop_poll.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/object_header.h"
#include "model/objman.h"
#include "model/vertex.h"

namespace {

// How a vertex was reached: by which edge, walked from which end.
struct TStep {
  TObjectHeader* edge = nullptr;
  int fromEnd = 0;
  TObjectHeader* previous = nullptr;
};

}  // namespace

int FindBoundaryPath(TObjectHeader* start, TObjectHeader* target, TObjectHeader* edge, int direction,
                     const TObjectHeader* x1, const TObjectHeader* x2, const TObjectHeader* x3, TComplex* labels,
                     int labelIndex, std::vector<THandle>* path) {
  if (TEdge::Of(edge) == nullptr) return 0;
  TObjectHeader* first = TEdge::End(edge, 2, direction).Object();
  if (first == target) return 1;
  std::unordered_map<const TObjectHeader*, TStep> reached;
  std::unordered_map<const TObjectHeader*, bool> used;
  used[edge] = true;
  reached[first] = {edge, direction == 1 ? 1 : 2, start};
  std::vector<TObjectHeader*> frontier{first};
  bool found = false;
  TStopPoll poll;
  while (!frontier.empty() && !found) {
    std::vector<TObjectHeader*> next;
    for (TObjectHeader* v : frontier) {
      for (int i = 0; i < TVertex::Valency(v) && !found; ++i) {
        poll.Step();
        TObjectHeader* e = TVertex::EdgeAt(v, i).Object();
        if (e == nullptr || TEdge::IsLoop(e) || used[e] || e == x1 || e == x2 || e == x3) continue;
        used[e] = true;
        int fromEnd = TEdge::End(e, 1).Object() == v ? 1 : 2;
        TObjectHeader* w = TEdge::End(e, fromEnd == 1 ? 2 : 1).Object();
        if (w == nullptr || reached.count(w) != 0) continue;
        reached[w] = {e, fromEnd, v};
        if (w == target) found = true;
        next.push_back(w);
      }
      if (found) break;
    }
    frontier.swap(next);
  }
  if (!found) return 0;
  if (labels != nullptr && labelIndex >= 0 && labelIndex <= 3) {
    labels->ResetEdgeLabels(labelIndex);
    // Back from the target to the first edge (the target may be the start).
    for (const TObjectHeader* v = target; v != nullptr;) {
      const TStep& step = reached[v];
      TEdge::SetLabel(step.edge, labelIndex, step.fromEnd == 1 ? 1 : -1);
      if (path != nullptr) path->push_back(THandle(step.edge));
      if (step.edge == edge) break;
      v = step.previous;
    }
  }
  return 1;
}
