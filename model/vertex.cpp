// Vertices: incidence bookkeeping, merging, and the special vertex test.
//
// At a true vertex of a special polyhedron four edges meet and six sheets:
// the link of the vertex (the boundary of a small ball around it, cut by the
// polyhedron) is the complete graph K4, whose four nodes are the four edge
// ends and whose six arcs are the corners of the cells at the vertex. The test
// in HasSpecialNeighbourhood reads this off the boundary words: a corner of a
// cell joins edge ends i and j when the cell arrives at the vertex through end
// i and leaves through end j at once (or the reverse). The vertex is special
// when each of the six pairs of ends is joined by some corner.
#include "model/vertex.h"

#include <vector>

#include "model/cell.h"
#include "model/edge.h"
#include "model/objman.h"

TVertex* TVertex::Of(const TObjectHeader* object) {
  if (object == nullptr || (object->kind != kVertexKind && object->kind != kMoleculeVertexKind))
    return nullptr;
  return static_cast<TVertex*>(const_cast<TObjectHeader*>(object));
}

int TVertex::Valency(const TObjectHeader* vertex) {
  const TVertex* v = Of(vertex);
  return v == nullptr ? 0 : v->edgeList.Count();
}

THandle TVertex::EdgeAt(const TObjectHeader* vertex, int i) {
  const TVertex* v = Of(vertex);
  return v == nullptr ? THandle() : THandle(v->edgeList.At(i));
}

THandle TVertex::SecondListAt(const TObjectHeader* vertex, int i) {
  const TVertex* v = Of(vertex);
  return v == nullptr ? THandle() : THandle(v->cellList.At(i));
}

THandle TVertex::AttachedCell(const TObjectHeader* vertex) {
  const TVertex* v = Of(vertex);
  return v == nullptr ? THandle() : v->attachedCell;
}

bool TVertex::HasAttachedCell(const TObjectHeader* vertex) {
  const TVertex* v = Of(vertex);
  return v != nullptr && v->attachedCell.IsValid();
}

int TVertex::EdgeIndex(const TObjectHeader* vertex, const TObjectHeader* edge) {
  const TVertex* v = Of(vertex);
  if (v == nullptr || edge == nullptr) return -1;
  return v->edgeList.IndexOf(edge);
}

int TVertex::SwapEdges(TObjectHeader* vertex, int i, int j) {
  TVertex* v = Of(vertex);
  if (v == nullptr || i < 0 || j < 0 || i >= v->edgeList.Count() || j >= v->edgeList.Count())
    return 0;
  v->edgeList.Swap(i, j);
  return 1;
}

void TVertex::AddEdgeAndRelink(TObjectHeader* vertex, TObjectHeader* edge) {
  TVertex* v = Of(vertex);
  const TEdge* e = TEdge::Of(edge);
  if (SuspendVertexBookkeeping != 0 || v == nullptr || e == nullptr) return;
  v->edgeList.Append(edge);
  for (int i = 0; i < e->cellList.Count(); ++i) v->cellList.Append(e->cellList.At(i));
}

int TVertex::DetachEdge(TObjectHeader* vertex, TObjectHeader* edge) {
  TVertex* v = Of(vertex);
  const TEdge* e = TEdge::Of(edge);
  if (SuspendVertexBookkeeping != 0 || v == nullptr || e == nullptr) return 0;
  if (!v->edgeList.Contains(edge)) return 0;
  THandle keep(edge);
  v->edgeList.Remove(edge);
  for (int i = 0; i < e->cellList.Count(); ++i) v->cellList.Remove(e->cellList.At(i));
  return 1;
}

int TVertex::ReplaceEdgeAt(TObjectHeader* vertex, int p, int oldEnd, TObjectHeader* newEdge,
                           int newEnd) {
  TVertex* v = Of(vertex);
  if (SuspendVertexBookkeeping != 0 || v == nullptr || TEdge::Of(newEdge) == nullptr) return 0;
  if (p < 0 || p >= v->edgeList.Count()) return 0;
  THandle keepVertex(vertex);
  THandle oldEdge(v->edgeList.At(p));
  THandle keepNew(newEdge);
  v->edgeList.SetAt(p, newEdge);
  {
    // Move the ends without letting the vertex's edge list be touched again.
    TSuspendVertexBookkeepingScope suspend;
    TEdge::DetachEnd(oldEdge, oldEnd, 1);
    TEdge::SetEndVertex(newEdge, vertex, newEnd, 1);
  }
  if (const TEdge* g = TEdge::Of(oldEdge))
    for (int i = 0; i < g->cellList.Count(); ++i) v->cellList.Remove(g->cellList.At(i));
  const TEdge* f = TEdge::Of(newEdge);
  for (int i = 0; i < f->cellList.Count(); ++i) v->cellList.Append(f->cellList.At(i));
  return 1;
}

int TVertex::ReplaceEdge(TObjectHeader* vertex, TObjectHeader* oldEdge, int oldEnd,
                         TObjectHeader* newEdge, int newEnd) {
  int p = EdgeIndex(vertex, oldEdge);
  if (p < 0) return 0;
  return ReplaceEdgeAt(vertex, p, oldEnd, newEdge, newEnd);
}

void TVertex::SetAttachedCell(TObjectHeader* vertex, TObjectHeader* cell) {
  TVertex* v = Of(vertex);
  if (SuspendVertexBookkeeping != 0 || v == nullptr) return;
  v->attachedCell.AssignObject(cell);
}

void TVertex::ClearAttachedCell(TObjectHeader* vertex) {
  TVertex* v = Of(vertex);
  if (SuspendVertexBookkeeping != 0 || v == nullptr) return;
  v->attachedCell.AssignObject(nullptr);
}

void TVertex::AddToSecondList(TObjectHeader* vertex, TObjectHeader* cell) {
  TVertex* v = Of(vertex);
  if (SuspendVertexBookkeeping != 0 || v == nullptr) return;
  v->cellList.Append(cell);
}

void TVertex::RemoveFromSecondList(TObjectHeader* vertex, TObjectHeader* cell) {
  TVertex* v = Of(vertex);
  if (SuspendVertexBookkeeping != 0 || v == nullptr) return;
  v->cellList.Remove(cell);
}

void TVertex::MergeVertex(TObjectHeader* vertex, TObjectHeader* other, TObjectManager* manager) {
  TVertex* u = Of(vertex);
  TVertex* w = Of(other);
  if (u == nullptr || w == nullptr || u == w) return;
  THandle keepU(vertex);
  THandle keepW(other);
  // The edge list of w shrinks as its ends move; work from a snapshot.
  std::vector<THandle> edges;
  for (int i = 0; i < w->edgeList.Count(); ++i) edges.emplace_back(w->edgeList.At(i));
  for (const THandle& edge : edges) {
    if (TEdge::End(edge, 1).Object() == other) TEdge::SetEndVertex(edge, vertex, 1);
    if (TEdge::End(edge, 2).Object() == other) TEdge::SetEndVertex(edge, vertex, 2);
  }
  THandle cell = w->attachedCell;
  if (TCell* c = TCell::Of(cell)) {
    c->vertex.AssignObject(vertex);
    SetAttachedCell(vertex, cell);
    ClearAttachedCell(other);
  }
  ObjectReleaseByKind(other);
  TObjectManager* holder = manager != nullptr ? manager : ManagerOfObject(other);
  if (holder != nullptr) holder->Unregister(other);
}

THandle TVertex::CommonEdge(const TObjectHeader* first, const TObjectHeader* second) {
  const TVertex* u = Of(first);
  const TVertex* w = Of(second);
  if (u == nullptr || w == nullptr) return THandle();
  for (int i = 0; i < u->edgeList.Count(); ++i) {
    TObjectHeader* edge = u->edgeList.At(i);
    if (edge != nullptr && w->edgeList.Contains(edge)) return THandle(edge);
  }
  return THandle();
}

bool TVertex::HasSpecialNeighbourhood(const TObjectHeader* vertex, int* out) {
  const TVertex* v = Of(vertex);
  if (v == nullptr || v->edgeList.Count() != 4) return false;
  TObjectHeader* edges[4];
  for (int k = 0; k < 4; ++k) {
    edges[k] = v->edgeList.At(k);
    if (TEdge::Valency(edges[k]) != 3) return false;
  }
  // Each entry stands for one end of its edge: the end at this vertex, or for
  // a loop end 1 at its first entry and end 2 at its second. A passage in the
  // arriving direction ends here through that end; one in the leaving
  // direction starts here.
  int arriving[4];
  int leaving[4];
  for (int k = 0; k < 4; ++k) {
    int end;
    if (TEdge::IsLoop(edges[k])) {
      bool earlier = false;
      for (int m = 0; m < k; ++m) earlier = earlier || edges[m] == edges[k];
      end = earlier ? 2 : 1;
    } else {
      end = TEdge::EndNumber(edges[k], vertex);
      if (end == 0) return false;  // an entry whose edge does not end here
    }
    arriving[k] = end == 1 ? 2 : 1;
    leaving[k] = end == 1 ? 1 : 2;
  }
  static constexpr int kPairs[6][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};
  int joiningCell[6];
  for (int pair = 0; pair < 6; ++pair) {
    int i = kPairs[pair][0];
    int j = kPairs[pair][1];
    bool joined = false;
    for (int wing = 0; wing < 3 && !joined; ++wing) {
      TObjectHeader* cell = TEdge::CellAt(edges[i], wing);
      if (!EdgeBoundsCell(cell, edges[j])) continue;
      const TCell* x = TCell::Of(cell);
      int length = TCell::BoundaryLength(cell);
      for (int p = 0; p < length && !joined; ++p) {
        if (x->boundaryEdges.At(p) != edges[i]) continue;
        int direction = static_cast<int>(x->directions.ValueAt(p));
        if (direction == arriving[i]) {
          int q = (p + 1) % length;
          joined = x->boundaryEdges.At(q) == edges[j] &&
                   static_cast<int>(x->directions.ValueAt(q)) == leaving[j];
        } else if (direction == leaving[i]) {
          int q = (p + length - 1) % length;
          joined = x->boundaryEdges.At(q) == edges[j] &&
                   static_cast<int>(x->directions.ValueAt(q)) == arriving[j];
        }
        if (joined) joiningCell[pair] = cell->number;
      }
    }
    if (!joined) return false;
  }
  if (out != nullptr) {
    // Pairs (0,1), (0,2), (0,3), (2,3), (1,3), (1,2).
    static constexpr int kOrder[6] = {0, 1, 2, 5, 4, 3};
    for (int k = 0; k < 6; ++k) out[k] = joiningCell[kOrder[k]];
  }
  return true;
}

void TVertex::CopyFrom(TObjectHeader* target, const TObjectHeader* source,
                       const TObjectCorrespondence& map) {
  TVertex* to = Of(target);
  const TVertex* from = Of(source);
  if (to == nullptr || from == nullptr) return;
  to->edgeList.Clear();
  to->cellList.Clear();
  to->edgeList.Reserve(from->edgeList.Count());
  for (int i = 0; i < from->edgeList.Count(); ++i) to->edgeList.Append(map(from->edgeList.At(i)));
  to->attachedCell.AssignObject(map(from->attachedCell.Object()));
  to->cellList.Reserve(from->cellList.Count());
  for (int i = 0; i < from->cellList.Count(); ++i) to->cellList.Append(map(from->cellList.At(i)));
}

void TVertexReleaseData(TVertex* v) {
  if (v == nullptr) return;
  v->edgeList.Discard();
  v->cellList.Discard();
  v->attachedCell.AssignObject(nullptr);
}

void TVertexRelease(TObjectHeader* vertex) {
  TVertex* v = TVertex::Of(vertex);
  if (v == nullptr || !BeginObjectRelease(vertex)) return;
  TVertexReleaseData(v);
  EndObjectRelease(vertex);
}

void TVertexDestroy(TObjectHeader* vertex) {
  TVertex* v = TVertex::Of(vertex);
  if (v == nullptr) return;
  TVertexRelease(vertex);
  v->~TVertex();
}
