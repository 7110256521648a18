// Coordinates on torus boundaries. See torus_coordinates.h.
#include "moves/torus_coordinates.h"

#include <vector>

#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/handle.h"
#include "model/object_header.h"
#include "model/objman.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "model/vertex.h"
#include "moves/reduction.h"

namespace {

// The k-th surface of the whole chain that is a torus, with its spine.
struct TTorus {
  TSpine* spine;
  TComplex* surface;
};

std::vector<TTorus> TorusSurfaces(TSpine& spine) {
  std::vector<TTorus> tori;
  for (TSpine* s = &spine; s != nullptr; s = s->Next())
    for (int i = 0; i < s->BoundaryCount(); ++i)
      if (s->BoundarySurfaceClass(s->BoundaryAt(i)) == 2) tori.push_back({s, s->BoundaryAt(i)});
  return tori;
}

std::vector<TObjectHeader*> ObjectsOfKind(TComplex& complex, int kind) {
  std::vector<TObjectHeader*> objects;
  TObjectManager& manager = complex.Objects();
  for (TObjectHeader* o = manager.First(kind); o != nullptr; o = manager.Next(o)) objects.push_back(o);
  return objects;
}

}  // namespace

void SetTorusCoordinates(TSpine& /*spine*/, TComplex& surface) {
  if (!surface.AllEdgeLabelsZero()) return;
  TComplex copy;
  surface.CopyTo(copy);
  while (RemoveSuperfluousEdge(copy) != 0) {
  }
  while (RemoveNeedle(copy) != 0) {
  }
  THandle start;
  THandle end;
  int ends = 0;
  for (TObjectHeader* v : ObjectsOfKind(copy, kVertexKind)) {
    if (TVertex::Valency(v) == 4) {
      start = THandle(v);
      end = start;
      ends = 4;
      break;
    }
  }
  if (!start.IsValid()) {
    for (TObjectHeader* v : ObjectsOfKind(copy, kVertexKind)) {
      if (TVertex::Valency(v) != 3) continue;
      if (!start.IsValid()) {
        start = THandle(v);
      } else {
        end = THandle(v);
        break;
      }
    }
    ends = 3;
  }
  if (!start.IsValid() || !end.IsValid()) return;
  const int pairs[3][2] = {{1, 0}, {0, 1}, {-1, -1}};
  const int curves = ends == 4 ? 2 : 3;
  for (int c = 0; c < curves; ++c) {
    THandle edge;
    for (int k = 0; k < ends && k < TVertex::Valency(start); ++k) {
      THandle e = TVertex::EdgeAt(start, k);
      if (TEdge::LabelsAreZero(e)) {
        edge = e;
        break;
      }
    }
    if (!edge.IsValid()) return;
    TEdge::SetLabel(edge, 0, -1);
    THandle at = start;
    // The walk ends at the end vertex; a curve is never longer than the copy.
    for (int steps = copy.Objects().CountOfKind(kEdgeKind); steps >= 0 && edge.IsValid(); --steps) {
      bool fromEnd1 = !TEdge::IsLoop(edge) && TEdge::End(edge, 1).Object() == at.Object();
      TObjectHeader* original = surface.Objects().FindByNumber(kEdgeKind, ObjectNumber(edge));
      const int labels[4] = {pairs[c][0], pairs[c][1], 0, 0};
      TEdge::SetLabels(original, labels, fromEnd1 ? 1 : 0);
      at = fromEnd1 || TEdge::IsLoop(edge) ? TEdge::End(edge, 2) : TEdge::End(edge, 1);
      if (at.Object() == end.Object()) break;
      THandle next = TVertex::EdgeAt(at, 0);
      if (next.Object() == edge.Object()) next = TVertex::EdgeAt(at, 1);
      edge = next;
    }
  }
}

namespace {

// Orientations of the cells of one surface, by cell position; 0 unsigned.
using TSignRow = std::vector<int>;

void PropagateCellSigns(TComplex& surface, TSignRow& row) {
  std::vector<TObjectHeader*> cells = ObjectsOfKind(surface, kCellKind);
  std::vector<TObjectHeader*> edges = ObjectsOfKind(surface, kEdgeKind);
  auto position = [&](const TObjectHeader* cell) { return surface.CellOrdinal(cell); };
  std::vector<bool> done(edges.size(), false);
  int signedCount = 0;
  for (int s : row) signedCount += s != 0 ? 1 : 0;
  for (bool changed = true; changed && signedCount < static_cast<int>(cells.size());) {
    changed = false;
    for (std::size_t k = 0; k < edges.size(); ++k) {
      if (done[k]) continue;
      TObjectHeader* edge = edges[k];
      THandle a = TEdge::CellAt(edge, 0);
      THandle b = TEdge::CellAt(edge, 1);
      if (!a.IsValid() || !b.IsValid() || a.Object() == b.Object()) {
        done[k] = true;
        continue;
      }
      int pa = position(a);
      int pb = position(b);
      int& sa = row[static_cast<std::size_t>(pa)];
      int& sb = row[static_cast<std::size_t>(pb)];
      if (sa != 0 && sb != 0) {
        done[k] = true;
        continue;
      }
      if (sa == 0 && sb == 0) continue;
      bool same = TCell::DirectionAt(a, TCell::FindPassage(a, edge, -1, 0)) ==
                  TCell::DirectionAt(b, TCell::FindPassage(b, edge, -1, 0));
      if (sa == 0) {
        sa = same ? -sb : sb;
      } else {
        sb = same ? -sa : sa;
      }
      ++signedCount;
      done[k] = true;
      changed = true;
    }
  }
}

// The spine's sign table: rows 0 ("+" copies) and 1 ("-" copies) over the
// thick cells, by the position of their spine cell in the chain.
struct TSignTable {
  std::vector<TObjectHeader*> thickCells;
  std::vector<int> rows[2];

  int IndexOf(const TObjectHeader* thickCell) const {
    for (std::size_t i = 0; i < thickCells.size(); ++i)
      if (thickCells[i] == thickCell) return static_cast<int>(i);
    return -1;
  }
};

// The thick cell of a boundary cell, which copy it is (0 "+", 1 "-"), and the
// other copy.
struct TCopyOf {
  int index = -1;
  int row = 0;
  TObjectHeader* other = nullptr;
};

TCopyOf CopyOf(const TSignTable& table, const TObjectHeader* cell) {
  TCopyOf copy;
  for (std::size_t i = 0; i < table.thickCells.size(); ++i) {
    TObjectHeader* t = table.thickCells[i];
    if (TThickCell::Part(t, 2).Object() == cell) {
      copy = {static_cast<int>(i), 0, TThickCell::Part(t, 3).Object()};
    } else if (TThickCell::Part(t, 3).Object() == cell) {
      copy = {static_cast<int>(i), 1, TThickCell::Part(t, 2).Object()};
    }
    if (copy.index >= 0) break;
  }
  return copy;
}

TComplex* SurfaceOf(TSpine& spine, const TObjectHeader* cell) {
  for (TSpine* s = &spine; s != nullptr; s = s->Next())
    if (TComplex* surface = s->BoundarySurfaceOf(cell)) return surface;
  return nullptr;
}

void TransferCellSigns(TSpine& spine, TComplex& surface, const TSignRow& row, TSignTable& table, int depth) {
  if (depth > 64) return;
  std::vector<TObjectHeader*> cells = ObjectsOfKind(surface, kCellKind);
  for (std::size_t c = 0; c < cells.size(); ++c) {
    TCopyOf copy = CopyOf(table, cells[c]);
    if (copy.index < 0 || SurfaceOf(spine, copy.other) == &surface) continue;
    table.rows[copy.row][static_cast<std::size_t>(copy.index)] = row[c];
  }
  for (std::size_t c = 0; c < cells.size(); ++c) {
    TCopyOf copy = CopyOf(table, cells[c]);
    if (copy.index < 0) continue;
    TComplex* other = SurfaceOf(spine, copy.other);
    if (other == nullptr || other == &surface) continue;
    int& entry = table.rows[1 - copy.row][static_cast<std::size_t>(copy.index)];
    if (entry != 0) {
      if (entry == row[c]) return;
      continue;
    }
    entry = -row[c];
    TSignRow next(static_cast<std::size_t>(other->Objects().CountOfKind(kCellKind)), 0);
    next[static_cast<std::size_t>(other->CellOrdinal(copy.other))] = -row[c];
    PropagateCellSigns(*other, next);
    TransferCellSigns(spine, *other, next, table, depth + 1);
  }
}

// The sign of a torus at its coordinate vertex: the orientation of the cell
// that turns from the first curve's edge to the second's. 0 when there is no
// such vertex; the cell goes to cell.
int TorusSign(TComplex& surface, TObjectHeader*& cell) {
  for (TObjectHeader* v : ObjectsOfKind(surface, kVertexKind)) {
    if (TVertex::Valency(v) < 3) continue;
    THandle first[3] = {TVertex::EdgeAt(v, 0), TVertex::EdgeAt(v, 1), TVertex::EdgeAt(v, 2)};
    bool labelled = true;
    for (const THandle& e : first) labelled = labelled && !TEdge::LabelsAreZero(e);
    if (!labelled) continue;
    auto away = [&](const THandle& e, int slot) {
      int label = TEdge::Label(e, slot);
      return TEdge::End(e, 1).Object() == v ? label > 0 : label < 0;
    };
    THandle a;
    THandle b;
    for (const THandle& e : first)
      if (!a.IsValid() && away(e, 0)) a = e;
    for (const THandle& e : first)
      if (!b.IsValid() && e.Object() != a.Object() && away(e, 1)) b = e;
    if (!a.IsValid() || !b.IsValid()) return 0;
    THandle l = TEdge::CommonCell(a, b);
    if (!l.IsValid()) l = TEdge::CellAt(a, 1);
    int length = TCell::BoundaryLength(l);
    int at = TCell::FindPassage(l, a, -1, 0);
    for (int i = 0; i < length; ++i) {
      if (TCell::EdgeAt(l, i).Object() != a.Object()) continue;
      if (TCell::EdgeAt(l, (i + 1) % length).Object() == b.Object() ||
          TCell::EdgeAt(l, (i + length - 1) % length).Object() == b.Object()) {
        at = i;
        break;
      }
    }
    int sign = TCell::DirectionAt(l, at) == 1 ? 1 : -1;
    if (TEdge::End(a, 2).Object() == v && !TEdge::IsLoop(a)) sign = -sign;
    cell = l.Object();
    return sign;
  }
  return 0;
}

}  // namespace

void RelateTorusCoordinates(TSpine& spine) {
  TSignTable table;
  for (TSpine* s = &spine; s != nullptr; s = s->Next())
    for (TObjectHeader* t : ObjectsOfKind(*s, kThickCellKind)) table.thickCells.push_back(t);
  table.rows[0].assign(table.thickCells.size(), 0);
  table.rows[1].assign(table.thickCells.size(), 0);
  bool first = true;
  for (const TTorus& torus : TorusSurfaces(spine)) {
    TComplex& surface = *torus.surface;
    TObjectHeader* cell = nullptr;
    int sign = TorusSign(surface, cell);
    if (sign == 0) continue;
    TSignRow row(static_cast<std::size_t>(surface.Objects().CountOfKind(kCellKind)), 0);
    if (first) {
      row[static_cast<std::size_t>(surface.CellOrdinal(cell))] = sign;
      PropagateCellSigns(surface, row);
      TransferCellSigns(spine, surface, row, table, 0);
      first = false;
      continue;
    }
    TCopyOf copy = CopyOf(table, cell);
    int reached = copy.index < 0 ? 0 : table.rows[copy.row][static_cast<std::size_t>(copy.index)];
    int mine = sign;
    if (reached == 0) {
      row[static_cast<std::size_t>(surface.CellOrdinal(cell))] = sign;
      PropagateCellSigns(surface, row);
      std::vector<TObjectHeader*> cells = ObjectsOfKind(surface, kCellKind);
      for (std::size_t c = 0; c < cells.size() && reached == 0; ++c) {
        TCopyOf other = CopyOf(table, cells[c]);
        if (other.index < 0) continue;
        reached = table.rows[other.row][static_cast<std::size_t>(other.index)];
        mine = row[c];
      }
    }
    if (reached != 0 && reached != mine) {
      for (TObjectHeader* e : ObjectsOfKind(surface, kEdgeKind)) TEdge::SetLabel(e, 1, -TEdge::Label(e, 1));
    }
  }
}

void SetBoundaryCoordinates(TSpine& spine) {
  if (!spine.IsThickened() || spine.SourceKind() == kSourceLinkExterior || spine.Orientability(1) == 0) return;
  std::vector<TTorus> tori = TorusSurfaces(spine);
  if (tori.empty()) return;
  for (const TTorus& torus : tori) SetTorusCoordinates(*torus.spine, *torus.surface);
  if (tori.size() > 1 && spine.SourceKind() != kSourceLinkExteriorOnSurface) RelateTorusCoordinates(spine);
}
