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
