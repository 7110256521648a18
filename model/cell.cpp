// 2-cells: boundary words and the operations that edit them while keeping the
// edges' cell lists and the vertices in step. See cell.h.
//
// A boundary word is two parallel lists, the edges (counted) and the
// directions (plain). Rewriting a word (rotation, reversal, cutting out a
// passage) permutes the slots without touching reference counts; replacing a
// passage moves the cell between the two edges' cell lists. An edge left
// without cells leaves the complex through RemoveEdgeFromManager, taking the
// vertices it orphans with it.
//
// Internal errors name the source "cell".
#include "model/cell.h"

#include <algorithm>
#include <vector>

#include "foundation/status_reporter.h"
#include "model/edge.h"
#include "model/objman.h"
#include "model/vertex.h"

namespace {

constexpr const char* kSourceName = "cell";
constexpr unsigned kLineDetachedWithoutVertex = 498;

int Opposite(int direction) { return direction == 2 ? 1 : 2; }
int NormalDirection(int direction) { return direction == 2 ? 2 : 1; }

TObjectHeader* EdgeOf(const TCell* cell, int i) { return cell->boundaryEdges.At(i); }
int DirectionOf(const TCell* cell, int i) { return static_cast<int>(cell->directions.ValueAt(i)); }

void FlipDirections(TCell* cell) {
  for (int i = 0; i < cell->directions.Count(); ++i)
    cell->directions.SetValueAt(i, Opposite(DirectionOf(cell, i)));
}

// The vertex at which passage i ends / starts.
TObjectHeader* PassageEnd(const TCell* cell, int i) {
  return TEdge::End(EdgeOf(cell, i), 2, DirectionOf(cell, i)).Object();
}
TObjectHeader* PassageStart(const TCell* cell, int i) {
  return TEdge::End(EdgeOf(cell, i), 1, DirectionOf(cell, i)).Object();
}

// An edge that has lost its last cell leaves the complex that holds it, with
// the vertices it orphans; without a manager it is only released.
void DropEdgeIfUnused(TObjectHeader* edge) {
  if (TEdge::Of(edge) == nullptr || TEdge::Valency(edge) != 0) return;
  THandle keep(edge);
  TObjectManager* manager = ManagerOfObject(edge);
  RemoveEdgeFromManager(manager, edge);
  if (manager != nullptr) manager->Unregister(edge);
}

// The stretch of passages from i to j (see CountSpecialVertices), visited in
// order until visit returns true.
template <typename Visit>
void VisitStretch(const TCell* cell, int i, int j, Visit visit) {
  int length = cell->boundaryEdges.Count();
  if (length == 0) return;
  if (i == -1) i = 0;
  if (j == -1) j = length - 1;
  if (i < 0 || i >= length || j < 0 || j >= length) return;
  int steps = i < j ? j - i + 1 : length - i + j + 1;
  for (int s = 0; s < steps; ++s)
    if (visit((i + s) % length)) return;
}

}  // namespace

TCell::TCell() { directions.SetWeak(2); }

TCell* TCell::Of(const TObjectHeader* object) {
  if (object == nullptr || object->kind != kCellKind) return nullptr;
  return static_cast<TCell*>(const_cast<TObjectHeader*>(object));
}

int TCell::Type(const TObjectHeader* cell) {
  const TCell* c = Of(cell);
  return c == nullptr ? 0 : c->type;
}

int TCell::BoundaryLength(const TObjectHeader* cell) {
  const TCell* c = Of(cell);
  return c == nullptr || c->type != 1 ? 0 : c->boundaryEdges.Count();
}

THandle TCell::EdgeAt(const TObjectHeader* cell, int i) {
  if (BoundaryLength(cell) == 0) return THandle();
  return THandle(EdgeOf(Of(cell), i));
}

THandle TCell::PassageAt(const TObjectHeader* cell, int i, int* direction) {
  if (direction != nullptr) *direction = DirectionAt(cell, i);
  return EdgeAt(cell, i);
}

int TCell::DirectionAt(const TObjectHeader* cell, int i) {
  if (BoundaryLength(cell) == 0) return 0;
  return DirectionOf(Of(cell), i);
}

int TCell::NeighbourIndex(const TObjectHeader* cell, int i, int backward) {
  int length = BoundaryLength(cell);
  if (length == 0 || i < 0 || i >= length) return -1;
  return backward == 1 ? (i + length - 1) % length : (i + 1) % length;
}

int TCell::FindPassage(const TObjectHeader* cell, const TObjectHeader* edge, int start,
                       int backward) {
  int length = BoundaryLength(cell);
  if (length == 0) return -1;
  const TCell* c = Of(cell);
  if (start == -1) {
    for (int s = 0; s < length; ++s) {
      int p = backward == 1 ? length - 1 - s : s;
      if (EdgeOf(c, p) == edge) return p;
    }
    return -1;
  }
  if (start < 0 || start >= length || length < 2) return -1;
  for (int s = 1; s < length; ++s) {
    int p = backward == 1 ? (start - s + length) % length : (start + s) % length;
    if (EdgeOf(c, p) == edge) return p;
  }
  return -1;
}

int TCell::FindPassageNearAnEnd(const TObjectHeader* cell, const TObjectHeader* edge) {
  int length = BoundaryLength(cell);
  const TCell* c = Of(cell);
  for (int low = 0, high = length - 1; low <= high; ++low, --high) {
    if (EdgeOf(c, low) == edge) return low;
    if (EdgeOf(c, high) == edge) return high;
  }
  return -1;
}

void TCell::AppendPassage(TObjectHeader* cell, TObjectHeader* edge, int direction) {
  TCell* c = Of(cell);
  if (c == nullptr || TEdge::Of(edge) == nullptr) return;
  THandle keep(cell);
  direction = NormalDirection(direction);
  if (c->type == 2) {
    THandle vertex = c->vertex;
    if (vertex.IsValid() && !TEdge::End(edge, 1, direction).IsValid())
      TEdge::SetEndVertex(edge, vertex, 1, direction);
    DetachFromVertex(cell, nullptr);
  }
  c->type = 1;
  c->boundaryEdges.Append(edge);
  c->directions.AppendValue(direction);
  TEdge::AddCell(edge, cell);
}

void TCell::ReserveBoundary(TObjectHeader* cell, int n) {
  TCell* c = Of(cell);
  if (c == nullptr) return;
  int slots = std::max(n, c->boundaryEdges.Count());
  c->boundaryEdges.Reserve(slots);
  c->directions.Reserve(slots);
}

int TCell::AttachToVertex(TObjectHeader* cell, TObjectHeader* vertex) {
  TCell* c = Of(cell);
  if (c == nullptr || c->type != 0 || TVertex::Of(vertex) == nullptr) return 0;
  c->vertex.AssignObject(vertex);
  c->type = 2;
  TVertex::SetAttachedCell(vertex, cell);
  return 1;
}

THandle TCell::AttachedVertex(const TObjectHeader* cell) {
  const TCell* c = Of(cell);
  return c == nullptr || c->type != 2 ? THandle() : c->vertex;
}

int TCell::DetachFromVertex(TObjectHeader* cell, TObjectManager* manager) {
  TCell* c = Of(cell);
  if (c == nullptr || c->type != 2) return 0;
  if (!c->vertex.IsValid()) {
    ReportInternalError(kSourceName, kLineDetachedWithoutVertex);
    return 0;
  }
  THandle keep(cell);
  THandle vertex = c->vertex;
  // Only this cell is dropped: another cell attached there since stays.
  if (TVertex::AttachedCell(vertex).Object() == cell) TVertex::ClearAttachedCell(vertex);
  if (TVertex::Valency(vertex) == 0 && !TVertex::HasAttachedCell(vertex)) {
    ObjectReleaseByKind(vertex);
    TObjectManager* holder = manager != nullptr ? manager : ManagerOfObject(vertex);
    if (holder != nullptr) holder->Unregister(vertex);
  }
  c->vertex.AssignObject(nullptr);
  c->type = 0;
  return 1;
}

int TCell::RotateBoundary(TObjectHeader* cell, int i, int reverse) {
  int length = BoundaryLength(cell);
  if (i < 0 || i >= length) return 0;
  TCell* c = Of(cell);
  if (reverse == 1) {
    // i, i - 1, ..., 0, length - 1, ..., i + 1, each passage turned round.
    c->boundaryEdges.RotateLeft(i + 1);
    c->directions.RotateLeft(i + 1);
    c->boundaryEdges.Reverse();
    c->directions.Reverse();
    FlipDirections(c);
  } else {
    c->boundaryEdges.RotateLeft(i);
    c->directions.RotateLeft(i);
  }
  return 1;
}

int TCell::CutAtPassage(TObjectHeader* cell, int i, int reverse) {
  int length = BoundaryLength(cell);
  if (i < 0 || i >= length) return 0;
  TCell* c = Of(cell);
  THandle keepCell(cell);
  THandle edge(EdgeOf(c, i));
  c->boundaryEdges.RemoveAt(i);
  c->directions.RemoveAt(i);
  int rest = length - 1;
  if (rest > 0) {
    // The word now continues from the passage that followed i.
    c->boundaryEdges.RotateLeft(i % rest);
    c->directions.RotateLeft(i % rest);
    if (reverse == 1) {
      c->boundaryEdges.Reverse();
      c->directions.Reverse();
      FlipDirections(c);
    }
  } else {
    c->type = 0;
  }
  TEdge::RemoveCell(edge, cell);
  DropEdgeIfUnused(edge);
  return 1;
}

void TCell::ReleaseWordForTeardown(TObjectHeader* cell) {
  TCell* c = Of(cell);
  if (c == nullptr || c->type != 1) return;
  THandle keepCell(cell);
  for (int last = c->boundaryEdges.Count() - 1; last >= 0; --last) {
    THandle edge(EdgeOf(c, last));
    c->boundaryEdges.RemoveAt(last);
    c->directions.RemoveAt(last);
    TEdge::RemoveCell(edge, cell);
  }
  c->type = 0;
}

int TCell::CutAtEdge(TObjectHeader* cell, TObjectHeader* edge, int reverse) {
  // The last passage of the edge; when it is the only one (the edge's cell
  // list says so) it is looked for from both ends, which keeps taking a long
  // cell apart edge by edge linear.
  int p = EdgePassageCount(cell, edge) == 1 ? FindPassageNearAnEnd(cell, edge)
                                            : FindPassage(cell, edge, -1, 1);
  if (p < 0) return 0;
  return CutAtPassage(cell, p, reverse);
}

int TCell::ReplacePassage(TObjectHeader* cell, int i, TObjectHeader* newEdge, int newDirection) {
  int length = BoundaryLength(cell);
  if (i < 0 || i >= length || TEdge::Of(newEdge) == nullptr) return 0;
  TCell* c = Of(cell);
  THandle keepCell(cell);
  THandle oldEdge(EdgeOf(c, i));
  THandle keepNew(newEdge);
  c->boundaryEdges.SetAt(i, newEdge);
  c->directions.SetValueAt(i, NormalDirection(newDirection));
  TEdge::RemoveCell(oldEdge, cell);
  TEdge::AddCell(newEdge, cell);
  DropEdgeIfUnused(oldEdge);
  return 1;
}

int TCell::ReplaceEdge(TObjectHeader* cell, TObjectHeader* oldEdge, TObjectHeader* newEdge,
                       int orientation) {
  TCell* c = Of(cell);
  if (c == nullptr || TEdge::Of(oldEdge) == nullptr || TEdge::Of(newEdge) == nullptr) return 0;
  if (!c->boundaryEdges.Contains(oldEdge)) return 0;
  THandle keepCell(cell);
  THandle keepOld(oldEdge);
  THandle keepNew(newEdge);
  int length = c->boundaryEdges.Count();
  int first = -1;
  int replaced = 0;
  for (int p = 0; p < length; ++p) {
    if (EdgeOf(c, p) != oldEdge) continue;
    int direction = DirectionOf(c, p);
    if (orientation == 2) direction = Opposite(direction);
    c->boundaryEdges.SetAt(p, newEdge);
    c->directions.SetValueAt(p, direction);
    TEdge::RemoveCell(oldEdge, cell);
    TEdge::AddCell(newEdge, cell);
    if (first < 0) first = p;
    ++replaced;
  }
  // Join the corners of the first replaced passage: the previous passage ends
  // where the new edge starts, and the next one starts where it ends.
  int previous = (first + length - 1) % length;
  TVertex::MergeVertex(PassageEnd(c, previous), PassageStart(c, first), nullptr);
  int next = (first + 1) % length;
  TVertex::MergeVertex(PassageStart(c, next), PassageEnd(c, first), nullptr);
  DropEdgeIfUnused(oldEdge);
  return replaced;
}

int TCell::SubdivideEdge(TObjectHeader* cell, int p, TObjectHeader* f1, TObjectHeader* f2, int* s,
                         int* t) {
  int length = BoundaryLength(cell);
  if (p < 0 || p >= length || TEdge::Of(f1) == nullptr || TEdge::Of(f2) == nullptr) return 0;
  if ((s != nullptr && (*s < 0 || *s >= length)) || (t != nullptr && (*t < 0 || *t >= length)))
    return 0;
  TCell* c = Of(cell);
  THandle edge(EdgeOf(c, p));
  if (TEdge::End(f1, 1).Object() != TEdge::End(edge, 1).Object() ||
      TEdge::End(f2, 1).Object() != TEdge::End(f1, 2).Object() ||
      TEdge::End(f2, 2).Object() != TEdge::End(edge, 2).Object())
    return 0;
  THandle keepCell(cell);
  THandle keepF1(f1);
  THandle keepF2(f2);

  // The passages of e. The word is changed in place rather than copied: a
  // long word (a meridian disc that winds many times) would otherwise be
  // copied, a reference taken for every element, at each subdivision of one
  // of its edges, and a twisted filling would cost quadratic time. For the
  // same reason the passages are searched outward from p, where the
  // passages of one edge usually stand, until as many are found as e's cell
  // list holds entries for this cell (one per passage).
  const int expected = std::max(1, EdgePassageCount(cell, edge));
  std::vector<int> places{p};
  for (int step = 1; step < length && static_cast<int>(places.size()) < expected; ++step) {
    const int up = p + step;
    const int down = p - step;
    if (up >= length && down < 0) break;
    if (up < length && EdgeOf(c, up) == edge.Object()) places.push_back(up);
    if (down >= 0 && EdgeOf(c, down) == edge.Object()) places.push_back(down);
  }
  std::sort(places.begin(), places.end());
  const int replaced = static_cast<int>(places.size());
  auto passagesBefore = [&places](int q) {
    return static_cast<int>(std::lower_bound(places.begin(), places.end(), q) - places.begin());
  };
  // Trackers keep pointing at the same passages; when both point at passages
  // of e, the later one moves on to the second of its two new passages.
  int newS = s != nullptr ? *s + passagesBefore(*s) : 0;
  int newT = t != nullptr ? *t + passagesBefore(*t) : 0;
  if (s != nullptr && t != nullptr && EdgeOf(c, *s) == edge.Object() &&
      EdgeOf(c, *t) == edge.Object()) {
    if (*s < *t)
      ++newT;
    else if (*t < *s)
      ++newS;
    else if (*s == p)
      ++newT;
  }
  // Room first, so that the changes below cannot fail half-way; a word whose
  // body another list holds too is copied first, as that body may not move.
  auto unshare = [](TObjectList& list) {
    if (list.HasBody() && list.Body()->refCount > 1) {
      TObjectList own;
      list.CopyTo(own);
      list = std::move(own);
    }
  };
  unshare(c->boundaryEdges);
  unshare(c->directions);
  auto makeRoom = [length, replaced](TObjectList& list) {
    if (list.Capacity() < length + replaced)
      list.Reserve(std::max(length + replaced, list.Capacity() + list.Capacity() / 2));
  };
  makeRoom(c->boundaryEdges);
  makeRoom(c->directions);
  // From the last passage back, so that the earlier places stay where they are.
  for (auto place = places.rbegin(); place != places.rend(); ++place) {
    const int q = *place;
    const bool along = DirectionOf(c, q) == 1;
    const TListSlot direction = along ? 1 : 2;
    c->boundaryEdges.SetAt(q, along ? f1 : f2);
    c->boundaryEdges.InsertAt(q + 1, along ? f2 : f1);
    c->directions.SetValueAt(q, direction);
    c->directions.InsertAt(q + 1, reinterpret_cast<TObjectHeader*>(direction));
  }
  if (s != nullptr) *s = newS;
  if (t != nullptr) *t = newT;
  for (int k = 0; k < replaced; ++k) {
    TEdge::RemoveCell(edge, cell);
    TEdge::AddCell(f1, cell);
    TEdge::AddCell(f2, cell);
  }
  DropEdgeIfUnused(edge);
  return replaced;
}

namespace {

// JoinCorners, making new vertices in the given manager, or else in the one
// that holds the cell.
void JoinCornersIn(TObjectHeader* cell, TObjectManager* manager) {
  int length = TCell::BoundaryLength(cell);
  if (length == 0) return;
  TCell* c = TCell::Of(cell);
  THandle keepCell(cell);
  for (int i = 0; i < length; ++i) {
    int j = (i + 1) % length;
    THandle u(PassageEnd(c, i));
    THandle w(PassageStart(c, j));
    if (!u.IsValid() && !w.IsValid()) {
      THandle vertex(manager != nullptr ? manager->CreateObject(kVertexKind)
                                        : CreateObjectLike(kVertexKind, cell));
      if (!vertex.IsValid()) continue;
      TEdge::SetEndVertex(EdgeOf(c, i), vertex, 2, DirectionOf(c, i));
      TEdge::SetEndVertex(EdgeOf(c, j), vertex, 1, DirectionOf(c, j));
    } else if (!w.IsValid()) {
      TEdge::SetEndVertex(EdgeOf(c, j), u, 1, DirectionOf(c, j));
    } else if (!u.IsValid()) {
      TEdge::SetEndVertex(EdgeOf(c, i), w, 2, DirectionOf(c, i));
    } else if (u.Object() != w.Object()) {
      TVertex::MergeVertex(u, w, manager);
    }
  }
}

}  // namespace

void TCell::JoinCorners(TObjectHeader* cell) { JoinCornersIn(cell, nullptr); }

void TCell::JoinCorners(TObjectHeader* cell, TObjectManager& manager) {
  JoinCornersIn(cell, &manager);
}

bool TCell::SharesEdgeWith(const TObjectHeader* cell, const TObjectHeader* other) {
  const TCell* c = Of(cell);
  const TCell* o = Of(other);
  if (c == nullptr || o == nullptr) return false;
  for (int i = 0; i < c->boundaryEdges.Count(); ++i) {
    TObjectHeader* edge = EdgeOf(c, i);
    if (edge != nullptr && o->boundaryEdges.Contains(edge)) return true;
  }
  return false;
}

int TCell::CornerVertexCount(const TObjectHeader* cell) {
  const TCell* c = Of(cell);
  if (c == nullptr) return 0;
  int length = c->boundaryEdges.Count();
  if (length < 2) return 1;
  std::vector<const TObjectHeader*> seen;
  for (int i = 0; i < length; ++i) {
    const TObjectHeader* vertex = PassageStart(c, i);
    if (std::find(seen.begin(), seen.end(), vertex) == seen.end()) seen.push_back(vertex);
  }
  return static_cast<int>(seen.size());
}

int TCell::CountSpecialVertices(const TObjectHeader* cell, int i, int j) {
  const TCell* c = Of(cell);
  if (c == nullptr || c->type != 1) return 0;
  std::vector<int> numbers;
  VisitStretch(c, i, j, [&](int p) {
    TObjectHeader* vertex = PassageEnd(c, p);
    if (vertex == nullptr || !TVertex::HasSpecialNeighbourhood(vertex)) return false;
    if (std::find(numbers.begin(), numbers.end(), vertex->number) == numbers.end())
      numbers.push_back(vertex->number);
    return false;
  });
  return static_cast<int>(numbers.size());
}

int TCell::HasMoreSpecialVertices(const TObjectHeader* cell, int n, int i, int j) {
  const TCell* c = Of(cell);
  if (c == nullptr || c->type != 1) return 0;
  std::vector<int> numbers;
  bool more = false;
  VisitStretch(c, i, j, [&](int p) {
    TObjectHeader* vertex = PassageEnd(c, p);
    if (vertex == nullptr || !TVertex::HasSpecialNeighbourhood(vertex)) return false;
    if (std::find(numbers.begin(), numbers.end(), vertex->number) == numbers.end())
      numbers.push_back(vertex->number);
    more = static_cast<int>(numbers.size()) > n;
    return more;
  });
  return more ? 1 : 0;
}

void TCell::CopyFrom(TObjectHeader* target, const TObjectHeader* source,
                     const TObjectCorrespondence& map) {
  TCell* to = Of(target);
  const TCell* from = Of(source);
  if (to == nullptr || from == nullptr) return;
  to->type = from->type;
  to->boundaryEdges.Clear();
  to->directions.Clear();
  int length = from->boundaryEdges.Count();
  to->boundaryEdges.Reserve(length);
  to->directions.Reserve(length);
  for (int i = 0; i < length; ++i) {
    to->boundaryEdges.Append(map(EdgeOf(from, i)));
    to->directions.AppendValue(DirectionOf(from, i));
  }
  to->vertex.AssignObject(from->type == 2 ? map(from->vertex.Object()) : nullptr);
}

void TCellRelease(TObjectHeader* cell) {
  TCell* c = TCell::Of(cell);
  if (c == nullptr || !BeginObjectRelease(cell)) return;
  for (int i = 0; i < c->boundaryEdges.Count(); ++i) TEdge::RemoveCell(EdgeOf(c, i), cell);
  c->boundaryEdges.Discard();
  c->directions.Discard();
  if (c->vertex.IsValid()) {
    if (TVertex::AttachedCell(c->vertex).Object() == cell) TVertex::ClearAttachedCell(c->vertex);
    c->vertex.AssignObject(nullptr);
  }
  c->type = 0;
  EndObjectRelease(cell);
}

void TCellDestroy(TObjectHeader* cell) {
  TCell* c = TCell::Of(cell);
  if (c == nullptr) return;
  TCellRelease(cell);
  c->~TCell();
}

bool CellHasEndVertex(const TObjectHeader* cell, const TObjectHeader* vertex) {
  const TCell* c = TCell::Of(cell);
  if (c == nullptr || vertex == nullptr) return false;
  for (int i = 0; i < c->boundaryEdges.Count(); ++i)
    if (TEdge::HasEnd(EdgeOf(c, i), vertex)) return true;
  return false;
}

int CellAlgebraicPassages(const TObjectHeader* cell, const TObjectHeader* edge) {
  const TCell* c = TCell::Of(cell);
  if (c == nullptr || edge == nullptr) return 0;
  int sum = 0;
  for (int i = 0; i < c->boundaryEdges.Count(); ++i)
    if (EdgeOf(c, i) == edge) sum += DirectionOf(c, i) == 1 ? 1 : -1;
  return sum;
}
