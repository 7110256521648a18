// The cell reductions on a complex that is not thickened. See reduction.h.
#include "moves/reduction.h"

#include <utility>
#include <vector>

#include "foundation/status_reporter.h"
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
#include "model/vertex.h"

namespace {

constexpr int kSuperfluousVertexMove = 2;
constexpr int kSuperfluousEdgeMove = 3;
constexpr int kNeedleMove = 4;

// The distinct edges at the vertex.
std::vector<TObjectHeader*> EdgesAt(const TObjectHeader* vertex) {
  std::vector<TObjectHeader*> edges;
  for (int i = 0; i < TVertex::Valency(vertex); ++i) {
    TObjectHeader* e = TVertex::EdgeAt(vertex, i).Object();
    bool seen = false;
    for (TObjectHeader* f : edges) seen |= f == e;
    if (e != nullptr && !seen) edges.push_back(e);
  }
  return edges;
}

void AttachToNewVertex(TComplex& complex, TObjectHeader* cell) {
  if (TCell::Type(cell) != 0) return;
  THandle vertex(complex.Objects().CreateObject(kVertexKind));
  TCell::AttachToVertex(cell, vertex);
}

void RemoveEdge(TComplex& complex, TObjectHeader* edge) {
  if (!complex.Objects().Contains(edge)) return;
  THandle keep(edge);
  RemoveEdgeFromManager(&complex.Objects(), edge);
  complex.Objects().Unregister(edge);
}

// The thick cell of a cell of the thickened spine, or null.
THandle ThickCellOf(TSpine* thick, TObjectHeader* cell) {
  return thick == nullptr ? THandle() : ThickCellOfCell(*thick, cell);
}

// Releases a thick edge whose spine edge and sides are gone or going: the
// sides still held by a boundary surface leave it.
void DropThickEdge(TSpine& spine, TObjectHeader* thickEdge) {
  if (thickEdge == nullptr || !spine.Objects().Contains(thickEdge)) return;
  THandle keep(thickEdge);
  for (int k = 2; k >= 0; --k) {
    THandle side = TThickEdge::Side(thickEdge, k);
    if (!side.IsValid()) continue;
    TThickEdge::Detach(thickEdge, side);
    if (TComplex* surface = spine.BoundarySurfaceOf(side)) RemoveEdge(*surface, side);
  }
  ObjectReleaseByKind(thickEdge);
  spine.Objects().Unregister(thickEdge);
}

// Cuts passage p out of the cell and, on a thickened spine, out of its two
// copies at the same position, so that the three words stay aligned.
void CutPassageEverywhere(TComplex& complex, TSpine* thick, TObjectHeader* cell, int p) {
  THandle thickCell = ThickCellOf(thick, cell);
  TCell::CutAtPassage(cell, p, 0);
  AttachToNewVertex(complex, cell);
  if (!thickCell.IsValid()) return;
  for (int part = 2; part <= 3; ++part) {
    THandle copy = TThickCell::Part(thickCell, part);
    TComplex* surface = thick->BoundarySurfaceOf(copy);
    if (surface == nullptr) continue;
    TCell::CutAtPassage(copy, p, 0);
    AttachToNewVertex(*surface, copy);
  }
}

// ContractEdge on a complex, or on a thickened spine (thick not null), where
// the sides of the edge's thick edge are contracted with it.
void ContractEdgeIn(TComplex& complex, TSpine* thick, TObjectHeader* edge, TObjectHeader* vertex) {
  THandle keepEdge(edge);
  THandle keepVertex(vertex);
  THandle thickEdge = thick != nullptr ? ThickEdgeOfObject(*thick, edge) : THandle();
  if (thickEdge.IsValid()) {
    for (int k = 0; k < 3; ++k) {
      THandle side = TThickEdge::Side(thickEdge, k);
      TComplex* surface = thick->BoundarySurfaceOf(side);
      if (surface == nullptr || TEdge::IsLoop(side)) continue;
      THandle a = TEdge::End(side, 1);
      THandle b = TEdge::End(side, 2);
      if (a.IsValid() && b.IsValid()) TVertex::MergeVertex(a, b, &surface->Objects());
    }
  }
  int end = TEdge::EndNumber(edge, vertex);
  if (end != 0) {
    THandle other = TEdge::End(edge, end == 1 ? 2 : 1);
    if (other.IsValid()) TVertex::MergeVertex(other, vertex, &complex.Objects());
  }
  while (TEdge::Valency(edge) > 0) {
    THandle cell = TEdge::CellAt(edge, 0);
    int p = TCell::FindPassage(cell, edge, -1, 0);
    if (p < 0) break;
    CutPassageEverywhere(complex, thick, cell, p);
  }
  RemoveEdge(complex, edge);
  if (thickEdge.IsValid()) DropThickEdge(*thick, thickEdge);
}

// The superfluous edge of a thickened spine between two different cells: on
// each side of its thick edge the copy of a that runs along the side absorbs
// the copy of b beside it; then a absorbs b, and b's thick cell goes.
int UniteAcrossThickEdge(TSpine& spine, TObjectHeader* a, TObjectHeader* b, TObjectHeader* edge) {
  THandle thickEdge = ThickEdgeOfObject(spine, edge);
  THandle thickA = ThickCellOfCell(spine, a);
  THandle thickB = ThickCellOfCell(spine, b);
  if (!thickEdge.IsValid() || !thickA.IsValid() || !thickB.IsValid()) return 0;
  auto isPartOf = [](const THandle& thickCell, const TObjectHeader* copy) {
    return TThickCell::Part(thickCell, 2).Object() == copy || TThickCell::Part(thickCell, 3).Object() == copy;
  };
  // Check every side before changing anything.
  for (int k = 0; k < 3; ++k) {
    THandle side = TThickEdge::Side(thickEdge, k);
    if (!side.IsValid()) continue;
    THandle x = TEdge::CellAt(side, 0);
    THandle y = TEdge::CellAt(side, 1);
    if (TEdge::Valency(side) != 2 || spine.BoundarySurfaceOf(side) == nullptr) return 0;
    bool fits = (isPartOf(thickA, x) && isPartOf(thickB, y)) || (isPartOf(thickA, y) && isPartOf(thickB, x));
    if (!fits) return 0;
  }
  THandle keepB(thickB);
  for (int k = 2; k >= 0; --k) {
    THandle side = TThickEdge::Side(thickEdge, k);
    if (!side.IsValid()) continue;
    TComplex* surface = spine.BoundarySurfaceOf(side);
    THandle x = TEdge::CellAt(side, 0);
    THandle y = TEdge::CellAt(side, 1);
    if (!isPartOf(thickA, x)) std::swap(x, y);
    TThickEdge::Detach(thickEdge, side);
    // A curve drawn along the side is pushed across x first (an isotopy on
    // the surface), so that it survives the side's removal.
    EdgeAddLabelsAroundCell(x, side, -1);
    UniteCellsAlongEdge(*surface, x, y, side);
  }
  UniteCellsAlongEdge(spine, a, b, edge);
  DropThickEdge(spine, thickEdge);
  ObjectReleaseByKind(thickB);
  spine.Objects().Unregister(thickB);
  return 1;
}

}  // namespace

int CellPassageKindAtVertex(const TObjectHeader* cell, const TObjectHeader* vertex) {
  std::vector<TObjectHeader*> edges;
  for (TObjectHeader* e : EdgesAt(vertex)) {
    if (EdgeBoundsCell(cell, e)) edges.push_back(e);
  }
  int length = TCell::BoundaryLength(cell);
  if (edges.size() == 2) {
    for (int k = 0; k < length; ++k) {
      int direction = 1;
      THandle e = TCell::PassageAt(cell, k, &direction);
      if (TEdge::End(e, 2, direction).Object() != vertex) continue;
      TObjectHeader* next = TCell::EdgeAt(cell, (k + 1) % length).Object();
      TObjectHeader* other = e.Object() == edges[0] ? edges[1] : edges[0];
      if (next != other) return 3;
    }
    return 1;
  }
  if (edges.size() == 1) {
    TObjectHeader* e = edges[0];
    if (!TEdge::IsLoop(e) && EdgePassageCount(cell, e) == 2 && CellAlgebraicPassages(cell, e) == 0) return 2;
  }
  return 3;
}

int EdgePassageKindAtVertex(const TObjectHeader* edge, const TObjectHeader* vertex) {
  int valency = TEdge::Valency(edge);
  if (valency == 0) return 0;
  int combined = 0;
  for (int i = 0; i < valency; ++i) {
    int kind = CellPassageKindAtVertex(TEdge::CellAt(edge, i), vertex);
    if (kind == 3 || combined == 2 || (i > 0 && kind == 2)) return 3;
    combined = kind;
  }
  return combined;
}

void ContractEdge(TComplex& complex, TObjectHeader* edge, TObjectHeader* vertex) {
  ContractEdgeIn(complex, nullptr, edge, vertex);
}

void ContractEdge(TSpine& spine, TObjectHeader* edge, TObjectHeader* vertex) {
  ContractEdgeIn(spine, spine.IsThickened() ? &spine : nullptr, edge, vertex);
}

int UniteCellsAlongEdge(TComplex& complex, TObjectHeader* a, TObjectHeader* b, TObjectHeader* edge) {
  if (a == b) return 0;
  THandle keepA(a);
  THandle keepB(b);
  THandle keepEdge(edge);
  int pa = TCell::FindPassage(a, edge, -1, 0);
  int pb = TCell::FindPassage(b, edge, -1, 0);
  if (pa < 0 || pb < 0) return 0;
  // The curves leave the edge across a: the sign of each pushed label
  // depends on the direction of a's passage along the edge as well as on
  // the passage it lands on.
  EdgeAddLabelsAroundCell(a, edge, pa);
  bool same = TCell::DirectionAt(a, pa) == TCell::DirectionAt(b, pb);
  TCell::CutAtPassage(a, pa, 0);
  TCell::CutAtPassage(b, pb, same ? 1 : 0);
  int length = TCell::BoundaryLength(b);
  for (int k = 0; k < length; ++k) {
    int direction = 1;
    THandle e = TCell::PassageAt(b, k, &direction);
    TCell::AppendPassage(a, e, direction);
  }
  AttachToNewVertex(complex, a);
  complex.RemoveCell(b);
  RemoveEdge(complex, edge);
  return 1;
}

int CollapseFoldedLoopCell(TComplex& complex, TObjectHeader* edge) {
  THandle cell = TEdge::CellAt(edge, 0);
  if (TEdge::Valency(edge) != 2 || TEdge::CellAt(edge, 1).Object() != cell.Object()) {
    ReportInternalError("Reduction", 437);
    return 0;
  }
  if (TCell::BoundaryLength(cell) != 2 || !TEdge::IsLoop(edge) ||
      TCell::DirectionAt(cell, 0) == TCell::DirectionAt(cell, 1)) {
    return 0;
  }
  // The disc folded along e (word e e^-1) closes up to a sphere whose seam
  // is e, and e being a loop pinches the seam's two ends together: the
  // closure is S^2 with two points identified, homotopy equivalent to
  // S^2 v S^1 (chi 1 = V - E + F, H_1 = Z). A sphere attached at the vertex
  // alone (chi 2, H_1 = 0) would lose the circle, and the complex keeps no
  // edge without cells to hold it, so the edge is no superfluous edge: the
  // fold stays.
  static_cast<void>(complex);
  return 0;
}

namespace {

int RemoveSuperfluousVertexIn(TComplex& complex, TSpine* thick) {
  TObjectManager& objects = complex.Objects();
  for (TObjectHeader* v = objects.First(kVertexKind); v != nullptr; v = objects.Next(v)) {
    if (TVertex::Valency(v) != 2 || TVertex::HasAttachedCell(v)) continue;
    THandle e0 = TVertex::EdgeAt(v, 0);
    THandle e1 = TVertex::EdgeAt(v, 1);
    if (!e0.IsValid() || !e1.IsValid() || e0.Object() == e1.Object()) continue;
    if ((TEdge::Valency(e0) > 0) != (TEdge::Valency(e1) > 0)) continue;
    if (EdgePassageKindAtVertex(e0, v) != 1 || EdgePassageKindAtVertex(e1, v) != 1) continue;
    objects.SetCreationTag(kSuperfluousVertexMove);
    ContractEdgeIn(complex, thick, e0, v);
    return 1;
  }
  return 0;
}

int RemoveSuperfluousEdgeIn(TComplex& complex, TSpine* thick) {
  TObjectManager& objects = complex.Objects();
  for (TObjectHeader* e = objects.First(kEdgeKind); e != nullptr; e = objects.Next(e)) {
    if (TEdge::Valency(e) != 2) continue;
    THandle c0 = TEdge::CellAt(e, 0);
    THandle c1 = TEdge::CellAt(e, 1);
    objects.SetCreationTag(kSuperfluousEdgeMove);
    int done = 0;
    if (c0.Object() == c1.Object()) {
      // A cell folded over a loop: not reducible (CollapseFoldedLoopCell
      // says why), thickened or not.
      done = CollapseFoldedLoopCell(complex, e);
    } else if (thick != nullptr) {
      done = UniteAcrossThickEdge(*thick, c0, c1, e);
    } else {
      done = UniteCellsAlongEdge(complex, c0, c1, e);
    }
    if (done != 0) return 1;
  }
  return 0;
}

int RemoveNeedleIn(TComplex& complex, TSpine* thick) {
  TObjectManager& objects = complex.Objects();
  for (TObjectHeader* v = objects.First(kVertexKind); v != nullptr; v = objects.Next(v)) {
    if (TVertex::Valency(v) != 1 || TVertex::HasAttachedCell(v)) continue;
    THandle e = TVertex::EdgeAt(v, 0);
    int valency = TEdge::Valency(e);
    if (valency != 0 && valency != 2) continue;
    objects.SetCreationTag(kNeedleMove);
    ContractEdgeIn(complex, thick, e, v);
    return 1;
  }
  return 0;
}

TSpine* ThickOrNull(TSpine& spine) { return spine.IsThickened() ? &spine : nullptr; }

}  // namespace

int RemoveSuperfluousVertex(TComplex& complex) { return RemoveSuperfluousVertexIn(complex, nullptr); }
int RemoveSuperfluousEdge(TComplex& complex) { return RemoveSuperfluousEdgeIn(complex, nullptr); }
int RemoveNeedle(TComplex& complex) { return RemoveNeedleIn(complex, nullptr); }

int RemoveSuperfluousVertex(TSpine& spine) { return RemoveSuperfluousVertexIn(spine, ThickOrNull(spine)); }
int RemoveSuperfluousEdge(TSpine& spine) { return RemoveSuperfluousEdgeIn(spine, ThickOrNull(spine)); }
int RemoveNeedle(TSpine& spine) { return RemoveNeedleIn(spine, ThickOrNull(spine)); }

int UniteThickCells(TSpine& spine, TObjectHeader* a, TObjectHeader* b, int position, TObjectHeader** united) {
  if (!spine.IsThickened() || TThickCell::Of(a) == nullptr || TThickCell::Of(b) == nullptr || a == b) return 0;
  THandle cellA = TThickCell::Part(a, 1);
  THandle cellB = TThickCell::Part(b, 1);
  THandle edge = TCell::EdgeAt(cellA, position);
  if (!edge.IsValid() || !EdgeBoundsCell(cellB, edge) || TEdge::Valency(edge) != 2) return 0;
  THandle keep(a);
  if (UniteAcrossThickEdge(spine, cellA, cellB, edge) == 0) return 0;
  if (united != nullptr) *united = a;
  return 1;
}
