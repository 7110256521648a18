// Surgery on thickened spines. See thick_surgery.h.
#include "moves/thick_surgery.h"

#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/handle.h"
#include "model/object_header.h"
#include "model/object_kinds.h"
#include "model/objman.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "model/thickedge.h"
#include "moves/cell_surgery.h"

namespace {

bool Below(const int* position, int length) { return position == nullptr || (*position >= 0 && *position < length); }

// The complex of each part: the spine for part 1, its boundary surface else.
TComplex* ComplexOfPart(TSpine& spine, TObjectHeader* thickCell, int part) {
  THandle cell = TThickCell::Part(thickCell, part);
  if (part == 1) return spine.Objects().Contains(cell) ? &spine : nullptr;
  return spine.BoundarySurfaceOf(cell);
}

bool HoldsThickCell(TSpine& spine, TObjectHeader* thickCell) {
  return spine.IsThickened() && TThickCell::Of(thickCell) != nullptr && spine.Objects().Contains(thickCell);
}

// The two halves that replaced a passage at position j in direction d: the
// one from the old edge's end 1 first.
void HalvesAt(const TObjectHeader* cell, int j, int direction, THandle& first, THandle& second) {
  THandle a = TCell::EdgeAt(cell, j);
  THandle b = TCell::EdgeAt(cell, j + 1);
  first = direction == 1 ? a : b;
  second = direction == 1 ? b : a;
}

void SetParts(TObjectHeader* thickCell, TObjectHeader* cell, TObjectHeader* plus, TObjectHeader* minus) {
  TThickCell* t = TThickCell::Of(thickCell);
  t->cell = THandle(cell);
  t->plusCopy = THandle(plus);
  t->minusCopy = THandle(minus);
}

}  // namespace

int CanSubdivideThickEdgeAtPosition(TSpine& spine, TObjectHeader* thickCell, int i, const int* p, const int* q) {
  if (!HoldsThickCell(spine, thickCell)) return 0;
  for (int part = 1; part <= 3; ++part) {
    TObjectHeader* cell = TThickCell::Part(thickCell, part).Object();
    TComplex* complex = ComplexOfPart(spine, thickCell, part);
    if (complex == nullptr || TCell::Type(cell) != 1) return 0;
    int length = TCell::BoundaryLength(cell);
    if (i < 0 || i >= length || !Below(p, length) || !Below(q, length)) return 0;
  }
  return ThickEdgeOfObject(spine, TCell::EdgeAt(TThickCell::Part(thickCell, 1), i)).IsValid() ? 1 : 0;
}

int SubdivideThickEdgeAtPosition(TSpine& spine, TObjectHeader* thickCell, int i, int* p, int* q) {
  if (CanSubdivideThickEdgeAtPosition(spine, thickCell, i, p, q) == 0) return 0;
  THandle keep(thickCell);
  THandle cell = TThickCell::Part(thickCell, 1);
  THandle edge = TCell::EdgeAt(cell, i);
  THandle oldThick = ThickEdgeOfObject(spine, edge);
  // Every side is subdivided in its surface, in all the copies along it.
  THandle sideHalves[3][2];
  for (int k = 0; k < 3; ++k) {
    THandle side = TThickEdge::Side(oldThick, k);
    TComplex* surface = spine.BoundarySurfaceOf(side);
    if (surface == nullptr) continue;
    THandle along = TEdge::CellAt(side, 0);
    int j = TCell::FindPassage(along, side, -1, 0);
    int d = TCell::DirectionAt(along, j);
    RemoveCellEdge(*surface, along, j);
    HalvesAt(along, j, d, sideHalves[k][0], sideHalves[k][1]);
  }
  // The halves are read at the first passage of the edge, which no earlier
  // replacement shifts.
  int first = TCell::FindPassage(cell, edge, -1, 0);
  int firstDirection = TCell::DirectionAt(cell, first);
  RemoveCellEdge(spine, cell, i, p, q);
  THandle halves[2];
  HalvesAt(cell, first, firstDirection, halves[0], halves[1]);
  for (int h = 0; h < 2; ++h) {
    THandle thick(spine.Objects().CreateObject(kThickEdgeKind));
    TThickEdge::CopyNameToObject(thick, halves[h]);
    for (int k = 0; k < 3; ++k)
      if (sideHalves[k][h].IsValid()) TThickEdge::AddSide(thick, sideHalves[k][h], k);
  }
  for (int k = 2; k >= 0; --k) {
    THandle side = TThickEdge::Side(oldThick, k);
    if (side.IsValid()) TThickEdge::Detach(oldThick, side);
  }
  ObjectReleaseByKind(oldThick);
  spine.Objects().Unregister(oldThick);
  return 1;
}

int CanSplitThickCell(TSpine& spine, TObjectHeader* thickCell, int a, int b) {
  if (!HoldsThickCell(spine, thickCell)) return 0;
  for (int part = 1; part <= 3; ++part) {
    TObjectHeader* cell = TThickCell::Part(thickCell, part).Object();
    if (ComplexOfPart(spine, thickCell, part) == nullptr || TCell::Type(cell) != 1) return 0;
    int length = TCell::BoundaryLength(cell);
    if (a < 0 || a >= length || b < 0 || b >= length) return 0;
  }
  return 1;
}

int SplitThickCell(TSpine& spine, TObjectHeader* thickCell, int a, int b, TObjectHeader** first,
                   TObjectHeader** second) {
  if (CanSplitThickCell(spine, thickCell, a, b) == 0) return 0;
  THandle keep(thickCell);
  TObjectHeader* halves[3][2] = {};
  for (int part = 1; part <= 3; ++part) {
    TComplex* complex = ComplexOfPart(spine, thickCell, part);
    SplitCellByEdge(*complex, TThickCell::Part(thickCell, part), a, b, &halves[part - 1][0], &halves[part - 1][1]);
  }
  THandle one(spine.Objects().CreateObject(kThickCellKind));
  THandle two(spine.Objects().CreateObject(kThickCellKind));
  SetParts(one, halves[0][0], halves[1][0], halves[2][0]);
  SetParts(two, halves[0][1], halves[1][1], halves[2][1]);
  THandle chord(spine.Objects().CreateObject(kThickEdgeKind));
  TThickEdge::CopyNameToObject(chord, TCell::EdgeAt(halves[0][0], 0));
  TThickEdge::AddSide(chord, TCell::EdgeAt(halves[1][0], 0), 0);
  TThickEdge::AddSide(chord, TCell::EdgeAt(halves[2][0], 0), 1);
  ObjectReleaseByKind(thickCell);
  spine.Objects().Unregister(thickCell);
  if (first != nullptr) *first = one.Object();
  if (second != nullptr) *second = two.Object();
  return 1;
}

namespace {

// The number of passages of the edge at positions below x.
int CountBefore(const TObjectHeader* cell, const TObjectHeader* edge, int x) {
  int n = 0;
  for (int k = 0; k < x; ++k) n += TCell::EdgeAt(cell, k).Object() == edge ? 1 : 0;
  return n;
}

}  // namespace

int CutOffThickStretch(TSpine& spine, TObjectHeader* thickCell, int p, int q, TObjectHeader** rest,
                       TObjectHeader** piece) {
  if (p == q || CanSplitThickCell(spine, thickCell, p, q) == 0) return 0;
  THandle keep(thickCell);
  THandle cell = TThickCell::Part(thickCell, 1);
  THandle first = TCell::EdgeAt(cell, p);
  THandle second = TCell::EdgeAt(cell, q);
  bool sameEdge = first.Object() == second.Object();
  // Subdividing an edge replaces each of its passages by two, the first
  // ending at the midpoint; the positions are followed through that.
  int a = p + CountBefore(cell, first, p);
  int b = q + CountBefore(cell, first, q) + (sameEdge ? 1 : 0);
  if (SubdivideThickEdgeAtPosition(spine, thickCell, p) == 0) return 0;
  if (!sameEdge) {
    int a2 = a + CountBefore(cell, second, a);
    int b2 = b + CountBefore(cell, second, b) + 1;
    if (SubdivideThickEdgeAtPosition(spine, thickCell, b) == 0) return 0;
    a = a2;
    b = b2;
  }
  return SplitThickCell(spine, thickCell, a, b, rest, piece);
}

int CanCutThickCell(TSpine& spine, TObjectHeader* thickCell, int a, int b) {
  return a != b && CanSplitThickCell(spine, thickCell, a, b) != 0 ? 1 : 0;
}

int CutThickCell(TSpine& spine, TObjectHeader* thickCell, int a, int b, TObjectHeader** remainder,
                 TObjectHeader** strip, TObjectHeader** otherSide) {
  if (CanCutThickCell(spine, thickCell, a, b) == 0) return 0;
  TObjectHeader* side = nullptr;
  TObjectHeader* other = nullptr;
  if (CutOffThickStretch(spine, thickCell, a, b, &side, &other) == 0) return 0;
  // The side keeps the chord at position 0, between the half of the edge at
  // b (position 1) and the half of the edge at a (its last position); a
  // second chord between their midpoints cuts the strip along the first.
  int last = TCell::BoundaryLength(TThickCell::Part(side, 1)) - 1;
  TObjectHeader* band = nullptr;
  TObjectHeader* rest = nullptr;
  if (CutOffThickStretch(spine, side, 1, last, &band, &rest) == 0) return 0;
  if (remainder != nullptr) *remainder = rest;
  if (strip != nullptr) *strip = band;
  if (otherSide != nullptr) *otherSide = other;
  return 1;
}
