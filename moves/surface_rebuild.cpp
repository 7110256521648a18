// Surface repairs after a new cell is glued along a curve. See surface_rebuild.h.
#include "moves/surface_rebuild.h"

#include <algorithm>
#include <unordered_set>

#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/handle.h"
#include "model/object_header.h"
#include "model/object_kinds.h"
#include "model/spine.h"
#include "model/spine_consistency.h"
#include "model/vertex.h"

void RebuildSurfaceVertices(TComplex& surface, const std::vector<TObjectHeader*>& oldVertices) {
  std::vector<THandle> keep;
  std::vector<THandle> cells;
  std::unordered_set<const TObjectHeader*> seen;
  for (TObjectHeader* v : oldVertices) keep.emplace_back(v);
  std::vector<THandle> edges;
  for (TObjectHeader* v : oldVertices)
    for (int i = 0; i < TVertex::Valency(v); ++i) edges.push_back(TVertex::EdgeAt(v, i));
  for (const THandle& edge : edges) {
    for (int i = 0; i < TEdge::Valency(edge); ++i) {
      THandle cell = TEdge::CellAt(edge, i);
      if (seen.insert(cell.Object()).second) cells.push_back(cell);
    }
    for (int n = 1; n <= 2; ++n) {
      TObjectHeader* end = TEdge::End(edge, n).Object();
      if (std::find(oldVertices.begin(), oldVertices.end(), end) != oldVertices.end() &&
          TEdge::End(edge, n).IsValid())
        TEdge::DetachEnd(edge, n);
    }
  }
  for (const THandle& cell : cells) TCell::JoinCorners(cell, surface.Objects());
  for (const THandle& v : keep) {
    if (TVertex::Valency(v) == 0 && !TVertex::HasAttachedCell(v) && surface.Objects().Contains(v)) {
      ObjectReleaseByKind(v);
      surface.Objects().Unregister(v);
    }
  }
}

bool RebuildIsSound(TSpine& spine) {
  if (CheckObjects(spine) == 0 || CheckBoundarySurfaces(spine) == 0) return false;
  const TObjectManager& objects = spine.Objects();
  int chi = objects.CountOfKind(kVertexKind) - objects.CountOfKind(kEdgeKind) + objects.CountOfKind(kCellKind);
  int boundary = 0;
  for (int i = 0; i < spine.BoundaryCount(); ++i) {
    int euler = 0;
    spine.BoundarySurfaceClass(spine.BoundaryAt(i), &euler);
    boundary += euler;
  }
  return boundary == 2 * chi;
}
