// Edges: ends, cell lists, labels, and removal from a complex. See edge.h.
#include "model/edge.h"

#include <cstdint>

#include "foundation/checked_int64.h"
#include "model/cell.h"
#include "model/objman.h"
#include "model/vertex.h"

namespace {

// The end slot that end number n names under direction d.
THandle* EndSlot(TEdge* edge, int n, int direction) {
  bool first = n == 1;
  if (direction == 2) first = !first;
  return first ? &edge->end1 : &edge->end2;
}

bool IsLabelIndex(int i) { return i >= 0 && i < 4; }

}  // namespace

TEdge* TEdge::Of(const TObjectHeader* object) {
  if (object == nullptr || (object->kind != kEdgeKind && object->kind != kMoleculeEdgeKind))
    return nullptr;
  return static_cast<TEdge*>(const_cast<TObjectHeader*>(object));
}

THandle TEdge::End(const TObjectHeader* edge, int n, int direction) {
  TEdge* e = Of(edge);
  return e == nullptr ? THandle() : *EndSlot(e, n, direction);
}

int TEdge::EndNumber(const TObjectHeader* edge, const TObjectHeader* vertex) {
  const TEdge* e = Of(edge);
  if (e == nullptr || vertex == nullptr) return 0;
  bool atFirst = e->end1.Object() == vertex;
  bool atSecond = e->end2.Object() == vertex;
  if (atFirst && !atSecond) return 1;
  if (atSecond && !atFirst) return 2;
  return 0;
}

bool TEdge::HasEnd(const TObjectHeader* edge, const TObjectHeader* vertex) {
  const TEdge* e = Of(edge);
  return e != nullptr && vertex != nullptr &&
         (e->end1.Object() == vertex || e->end2.Object() == vertex);
}

bool TEdge::IsLoop(const TObjectHeader* edge) {
  const TEdge* e = Of(edge);
  return e != nullptr && e->end1.IsValid() && e->end1.Object() == e->end2.Object();
}

bool TEdge::SharesEnd(const TObjectHeader* edge, const TObjectHeader* other) {
  const TEdge* e = Of(edge);
  if (e == nullptr || Of(other) == nullptr) return false;
  return HasEnd(other, e->end1) || HasEnd(other, e->end2);
}

void TEdge::SetEndVertex(TObjectHeader* edge, TObjectHeader* vertex, int n, int direction) {
  TEdge* e = Of(edge);
  if (e == nullptr) return;
  THandle keep(edge);
  THandle* slot = EndSlot(e, n, direction);
  if (slot->IsValid()) TVertex::DetachEdge(*slot, edge);
  slot->AssignObject(vertex);
  if (vertex != nullptr) TVertex::AddEdgeAndRelink(vertex, edge);
}

int TEdge::DetachEnd(TObjectHeader* edge, int n, int direction) {
  TEdge* e = Of(edge);
  if (e == nullptr) return 0;
  THandle* slot = EndSlot(e, n, direction);
  if (!slot->IsValid()) return 0;
  THandle keep(edge);
  TVertex::DetachEdge(*slot, edge);
  slot->AssignObject(nullptr);
  return 1;
}

int TEdge::DetachVertex(TObjectHeader* edge, TObjectHeader* vertex) {
  TEdge* e = Of(edge);
  if (e == nullptr || vertex == nullptr) return 0;
  int detached = 0;
  if (e->end1.Object() == vertex) detached |= DetachEnd(edge, 1);
  if (e->end2.Object() == vertex) detached |= DetachEnd(edge, 2);
  return detached;
}

void TEdge::AddCell(TObjectHeader* edge, TObjectHeader* cell) {
  TEdge* e = Of(edge);
  if (e == nullptr) return;
  e->cellList.Append(cell);
  TVertex::AddToSecondList(e->end1, cell);
  TVertex::AddToSecondList(e->end2, cell);
}

int TEdge::RemoveCell(TObjectHeader* edge, TObjectHeader* cell) {
  TEdge* e = Of(edge);
  if (e == nullptr || cell == nullptr) return 0;
  THandle keep(cell);
  if (e->cellList.Remove(cell) == 0) return 0;
  TVertex::RemoveFromSecondList(e->end1, cell);
  TVertex::RemoveFromSecondList(e->end2, cell);
  return 1;
}

THandle TEdge::CellAt(const TObjectHeader* edge, int i) {
  const TEdge* e = Of(edge);
  return e == nullptr ? THandle() : THandle(e->cellList.At(i));
}

int TEdge::Valency(const TObjectHeader* edge) {
  const TEdge* e = Of(edge);
  return e == nullptr ? 0 : e->cellList.Count();
}

THandle TEdge::CommonCell(const TObjectHeader* first, const TObjectHeader* second) {
  const TEdge* e = Of(first);
  const TEdge* f = Of(second);
  if (e == nullptr || f == nullptr) return THandle();
  for (int i = 0; i < e->cellList.Count(); ++i) {
    TObjectHeader* cell = e->cellList.At(i);
    if (cell != nullptr && f->cellList.Contains(cell)) return THandle(cell);
  }
  return THandle();
}

namespace {

// The failed-test code of an edge label out of range.
constexpr std::int32_t kLabelOverflow = 32;

// A label that leaves the 32-bit range is an overflow of the curve
// coordinates, reported as such, never wrapped.
std::int32_t CheckedLabel(long long value) {
  if (value < INT32_MIN || value > INT32_MAX)
    throw Out_of_Range(TInt64::FromLongLong(value), TInt64(), kLabelOverflow);
  return static_cast<std::int32_t>(value);
}

}  // namespace

int TEdge::Label(const TObjectHeader* edge, int i) {
  const TEdge* e = Of(edge);
  return e == nullptr || !IsLabelIndex(i) ? 0 : e->labels[i];
}

void TEdge::SetLabel(TObjectHeader* edge, int i, int value) {
  TEdge* e = Of(edge);
  if (e != nullptr && IsLabelIndex(i)) e->labels[i] = value;
}

void TEdge::SetLabels(TObjectHeader* edge, const int values[4], int sign) {
  TEdge* e = Of(edge);
  if (e == nullptr || values == nullptr) return;
  std::int32_t result[4];
  for (int i = 0; i < 4; ++i) result[i] = CheckedLabel(sign == 1 ? values[i] : -static_cast<long long>(values[i]));
  for (int i = 0; i < 4; ++i) e->labels[i] = result[i];
}

void TEdge::AddLabels(TObjectHeader* edge, const int values[4], int sign) {
  TEdge* e = Of(edge);
  if (e == nullptr || values == nullptr) return;
  // All four are checked before any is stored.
  std::int32_t result[4];
  for (int i = 0; i < 4; ++i) {
    long long term = sign == 1 ? values[i] : -static_cast<long long>(values[i]);
    result[i] = CheckedLabel(static_cast<long long>(e->labels[i]) + term);
  }
  for (int i = 0; i < 4; ++i) e->labels[i] = result[i];
}

bool TEdge::LabelsAreZero(const TObjectHeader* edge, int out[4]) {
  const TEdge* e = Of(edge);
  if (e == nullptr) return true;
  if (out != nullptr)
    for (int i = 0; i < 4; ++i) out[i] = e->labels[i];
  return e->labels[0] == 0 && e->labels[1] == 0 && e->labels[2] == 0 && e->labels[3] == 0;
}

void TEdge::CopyFrom(TObjectHeader* target, const TObjectHeader* source,
                     const TObjectCorrespondence& map) {
  TEdge* to = Of(target);
  const TEdge* from = Of(source);
  if (to == nullptr || from == nullptr) return;
  for (int i = 0; i < 4; ++i) to->labels[i] = from->labels[i];
  to->end1.AssignObject(map(from->end1.Object()));
  to->end2.AssignObject(map(from->end2.Object()));
  to->cellList.Clear();
  to->cellList.Reserve(from->cellList.Count());
  for (int i = 0; i < from->cellList.Count(); ++i) to->cellList.Append(map(from->cellList.At(i)));
}

void TEdgeRelease(TObjectHeader* edge) {
  TEdge* e = TEdge::Of(edge);
  if (e == nullptr || !BeginObjectRelease(edge)) return;
  TEdge::DetachEnd(edge, 1);
  TEdge::DetachEnd(edge, 2);
  // Every cell along the edge is cut at it; each cut takes one entry out of
  // the cell list (an entry whose cell does not pass the edge is dropped).
  while (e->cellList.Count() > 0) {
    int before = e->cellList.Count();
    THandle cell(e->cellList.At(before - 1));
    TCell::CutAtEdge(cell, edge, 0);
    if (e->cellList.Count() >= before) e->cellList.RemoveAt(before - 1);
  }
  e->cellList.Discard();
  EndObjectRelease(edge);
}

void TEdgeDestroy(TObjectHeader* edge) {
  TEdge* e = TEdge::Of(edge);
  if (e == nullptr) return;
  TEdgeRelease(edge);
  e->~TEdge();
}

void RemoveEdgeFromManager(TObjectManager* manager, TObjectHeader* edge) {
  if (TEdge::Of(edge) == nullptr || ObjectIsLocked(edge)) return;
  THandle keep(edge);
  for (int n = 1; n <= 2; ++n) {
    THandle vertex = TEdge::End(edge, n);
    if (!vertex.IsValid()) continue;
    TEdge::DetachEnd(edge, n);
    if (TVertex::Valency(vertex) == 0 && !TVertex::HasAttachedCell(vertex)) {
      ObjectReleaseByKind(vertex);
      TObjectManager* holder = manager != nullptr ? manager : ManagerOfObject(vertex);
      if (holder != nullptr) holder->Unregister(vertex);
    }
  }
  ObjectReleaseByKind(edge);
}

void ReleaseEdgeObject(TObjectManager* manager, TObjectHeader* edge) {
  if (TEdge::Of(edge) != nullptr) RemoveEdgeFromManager(manager, edge);
}

int EdgePassageCount(const TObjectHeader* cell, const TObjectHeader* edge) {
  const TEdge* e = TEdge::Of(edge);
  if (e == nullptr || cell == nullptr) return 0;
  int count = 0;
  for (int i = 0; i < e->cellList.Count(); ++i)
    if (e->cellList.At(i) == cell) ++count;
  return count;
}

bool EdgeBoundsCell(const TObjectHeader* cell, const TObjectHeader* edge) {
  const TEdge* e = TEdge::Of(edge);
  return e != nullptr && cell != nullptr && e->cellList.Contains(cell);
}
