// Splitting a vertex along a piece of its link. See vertex_link_split.h.
#include "moves/vertex_link_split.h"

#include <algorithm>
#include <utility>

#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/edge_labels.h"
#include "model/handle.h"
#include "model/object_header.h"
#include "model/object_kinds.h"
#include "model/objman.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "model/thickedge.h"
#include "moves/collapsing.h"
#include "moves/thick_surgery.h"

namespace {

// An edge end: the edge and its end number (1 or 2).
using TEdgeEnd = std::pair<TObjectHeader*, int>;

// The end number of the edge at the start (atStart) or the end of a passage
// running in the given direction.
int EndOfPassage(int direction, bool atStart) { return (direction == 1) == atStart ? 1 : 2; }

// The vertex where the passage ends (forward) or starts (backward) in the
// word of a part, i.e. the corner between n and m.
THandle CornerVertex(const TObjectHeader* cell, int n, bool forward) {
  int direction = 1;
  THandle edge = TCell::PassageAt(cell, n, &direction);
  return TEdge::End(edge, forward ? 2 : 1, direction);
}

THandle OtherCornerVertex(const TObjectHeader* cell, int m, bool forward) {
  int direction = 1;
  THandle edge = TCell::PassageAt(cell, m, &direction);
  return TEdge::End(edge, forward ? 1 : 2, direction);
}

// The corners' edge ends of the component that holds the given edge end.
bool ComponentEnds(const std::vector<TObjectHeader*>& edges, const TVertexLinkRecord& record, TEdgeEnd start,
                   std::vector<TEdgeEnd>& ends) {
  auto at = std::find(edges.begin(), edges.end(), start.first);
  if (at == edges.end()) return false;
  int index = static_cast<int>(at - edges.begin());
  int component = 0;
  for (const TVertexLinkCorner& c : record.corners) {
    if ((c.firstEdge == index && c.firstEnd == start.second) || (c.secondEdge == index && c.secondEnd == start.second))
      component = c.component;
  }
  if (component == 0) return false;
  auto add = [&](int edgeIndex, int end) {
    if (edgeIndex < 0 || edgeIndex >= static_cast<int>(edges.size())) return false;
    TEdgeEnd e{edges[static_cast<std::size_t>(edgeIndex)], end};
    if (std::find(ends.begin(), ends.end(), e) == ends.end()) ends.push_back(e);
    return true;
  };
  for (const TVertexLinkCorner& c : record.corners) {
    if (c.component != component) continue;
    if (!add(c.firstEdge, c.firstEnd) || !add(c.secondEdge, c.secondEnd)) return false;
  }
  return true;
}

}  // namespace

int SplitVertexByLinkPiece(TSpine& spine, TObjectHeader* thickCell, int n, int m,
                           const std::vector<TObjectHeader*>& edges, const TVertexLinkRecord& record) {
  if (n == m || CanSplitThickCell(spine, thickCell, n, m) == 0) return 0;
  THandle keep(thickCell);
  THandle cell = TThickCell::Part(thickCell, 1);
  THandle plus = TThickCell::Part(thickCell, 2);
  THandle minus = TThickCell::Part(thickCell, 3);
  int length = TCell::BoundaryLength(cell);
  bool forward = m == (n + 1) % length;
  if (!forward && n != (m + 1) % length) return 0;

  // The corner at v in all three parts, on one boundary vertex in both copies.
  THandle v = CornerVertex(cell, n, forward);
  THandle vPrime = CornerVertex(plus, n, forward);
  if (!v.IsValid() || !vPrime.IsValid() || OtherCornerVertex(cell, m, forward).Object() != v.Object() ||
      OtherCornerVertex(plus, m, forward).Object() != vPrime.Object() ||
      CornerVertex(minus, n, forward).Object() != vPrime.Object() ||
      OtherCornerVertex(minus, m, forward).Object() != vPrime.Object()) {
    return 0;
  }
  TComplex* surface = spine.BoundarySurfaceOf(plus);
  if (surface == nullptr || spine.BoundarySurfaceOf(minus) != surface) return 0;

  // The edge ends of m's link component move; n's must not be among them.
  int directionM = TCell::DirectionAt(cell, m);
  int directionN = TCell::DirectionAt(cell, n);
  TEdgeEnd endM{TCell::EdgeAt(cell, m).Object(), EndOfPassage(directionM, forward)};
  TEdgeEnd endN{TCell::EdgeAt(cell, n).Object(), EndOfPassage(directionN, !forward)};
  std::vector<TEdgeEnd> moving;
  if (!ComponentEnds(edges, record, endM, moving)) return 0;
  if (std::find(moving.begin(), moving.end(), endN) != moving.end()) return 0;
  // Every other corner of the cell at v must stay whole: both its edge ends
  // move or neither does (a free arc through v would be torn otherwise).
  auto moves = [&](TEdgeEnd e) { return std::find(moving.begin(), moving.end(), e) != moving.end(); };
  int bridge = forward ? n : m;
  for (int k = 0; k < length; ++k) {
    int next = (k + 1) % length;
    int d1 = 1;
    int d2 = 1;
    THandle e1 = TCell::PassageAt(cell, k, &d1);
    THandle e2 = TCell::PassageAt(cell, next, &d2);
    if (k == bridge || TEdge::End(e1, 2, d1).Object() != v.Object()) continue;
    if (moves({e1.Object(), EndOfPassage(d1, false)}) != moves({e2.Object(), EndOfPassage(d2, true)})) return 0;
  }
  std::vector<TEdgeEnd> movingSides;
  for (const TEdgeEnd& e : moving) {
    if (TEdge::End(e.first, e.second).Object() != v.Object()) return 0;
    THandle thick = ThickEdgeOfObject(spine, e.first);
    if (!thick.IsValid()) return 0;
    // A side runs parallel to its edge: its end of the same number lies in
    // the link of v, on the boundary vertex of one region there.
    for (int k = 0; k < 3; ++k) {
      THandle side = TThickEdge::Side(thick, k);
      if (side.IsValid() && TEdge::End(side, e.second).Object() == vPrime.Object())
        movingSides.push_back({side.Object(), e.second});
    }
  }

  // Nothing has changed so far; from here on every step succeeds.
  TThickCell::RotateParts(thickCell, m, forward ? 0 : 1);
  TObjectManager& objects = spine.Objects();
  TObjectManager& boundary = surface->Objects();
  THandle u(objects.CreateObject(kVertexKind));
  THandle uPrime(boundary.CreateObject(kVertexKind));
  THandle edge(objects.CreateObject(kEdgeKind));
  THandle side(boundary.CreateObject(kEdgeKind));
  TEdge::SetEndVertex(edge, v, 1);
  TEdge::SetEndVertex(side, vPrime, 1);
  for (const TEdgeEnd& e : moving) TEdge::SetEndVertex(e.first, u, e.second);
  for (const TEdgeEnd& e : movingSides) TEdge::SetEndVertex(e.first, uPrime, e.second);
  // The curves that crossed V' between a moved side and a staying one.
  int open[4] = {0, 0, 0, 0};
  VertexLabelBalance(uPrime, open);
  TEdge::AddLabels(side, open, -1);
  TEdge::SetEndVertex(edge, u, 2);
  TEdge::SetEndVertex(side, uPrime, 2);

  // The new edge goes in front of passage 0 (now m) in all three parts.
  TCell::AppendPassage(cell, edge, 1);
  TCell::AppendPassage(plus, side, 1);
  TCell::AppendPassage(minus, side, 1);
  TThickCell::RotateParts(thickCell, length, 0);
  THandle thick(objects.CreateObject(kThickEdgeKind));
  TThickEdge::CopyNameToObject(thick, edge);
  TThickEdge::AddSide(thick, side, 0);
  return 1;
}
