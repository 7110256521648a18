// Counterpass. See counterpass.h.
#include "moves/counterpass.h"

#include <string>
#include <unordered_map>

#include "foundation/heap_string.h"
#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/handle.h"
#include "model/object_kinds.h"
#include "model/object_table.h"
#include "model/objman.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "model/thickedge.h"
#include "model/vertex.h"
#include "moves/boundary_path.h"
#include "moves/cell_growth.h"
#include "moves/move_families.h"
#include "moves/move_rollback.h"
#include "moves/move_types.h"
#include "moves/piercing.h"
#include "moves/ring_cutting.h"
#include "moves/thick_surgery.h"

namespace {

constexpr int kCounterpassText = 285;

int Abs(int x) { return x < 0 ? -x : x; }

// The boundary edge closes up to a curve of its surface through itself (a
// loop does at once), avoiding the excluded edge.
bool OnCycle(const THandle& edge, const TObjectHeader* excluded = nullptr) {
  if (TEdge::IsLoop(edge)) return true;
  THandle start = TEdge::End(edge, 1);
  return FindBoundaryPath(start, start, edge, 1, excluded) == 1;
}

// The kind-1 test of one copy: its edge r at the position has that copy on
// both sides, is no loop, and lies on a sphere or is a bridge of a torus.
bool OppositeSideQualifies(const THandle& copy, const THandle& r, int surfaceClass) {
  if (TEdge::Valency(r) != 2 || TEdge::CellAt(r, 0).Object() != copy.Object() ||
      TEdge::CellAt(r, 1).Object() != copy.Object() || TEdge::IsLoop(r))
    return false;
  if (surfaceClass == 1) return true;
  return surfaceClass == 2 && !OnCycle(r);
}

bool SpecialVertex(const THandle& vertex) { return TVertex::HasSpecialNeighbourhood(vertex); }

// How often the cell passes each of its edges: in all, and along minus
// against. Counted once per cell, so that the walk over the positions stays
// linear in the cell's length.
struct TPassageCounts {
  int n = 0;
  int a = 0;
};
using TCellPassages = std::unordered_map<const TObjectHeader*, TPassageCounts>;

TCellPassages CountPassages(const THandle& cell) {
  TCellPassages counts;
  const int length = TCell::BoundaryLength(cell);
  for (int i = 0; i < length; ++i) {
    int d = 1;
    THandle e = TCell::PassageAt(cell, i, &d);
    TPassageCounts& c = counts[e.Object()];
    ++c.n;
    c.a += d == 1 ? 1 : -1;
  }
  return counts;
}

// The kind of one position i of the cell (0 when it does not qualify).
int PositionKind(const TCellPassages& counts, const THandle& cell, const THandle& plus, const THandle& minus,
                 int i, int plusClass, int minusClass, bool orientable, int& side) {
  const int length = TCell::BoundaryLength(cell);
  THandle e = TCell::EdgeAt(cell, i);
  const TPassageCounts& c = counts.at(e.Object());
  const int n = c.n;
  const int a = c.a;
  if (n == 3 && plusClass != 0) {
    if (!orientable) return 0;
    side = 0;
    if (Abs(a) == 3 && SpecialVertex(TEdge::End(e, 1)) && (TEdge::IsLoop(e) || SpecialVertex(TEdge::End(e, 2))))
      return 4;
    return Abs(a) == 1 && !TEdge::IsLoop(e) ? 3 : 0;
  }
  if (n != 2) return 0;
  const bool same = TEdge::Valency(e) == 2 && Abs(a) == 2;
  if (!same && a != 0) return 0;
  if (TCell::EdgeAt(cell, (i + 1) % length).Object() == e.Object() ||
      TCell::EdgeAt(cell, (i + length - 1) % length).Object() == e.Object())
    return 0;
  THandle r = TCell::EdgeAt(plus, i);
  THandle q = TCell::EdgeAt(minus, i);
  if (same) {
    if (!orientable || plusClass == 0 || TEdge::IsLoop(r) || TEdge::IsLoop(q)) return 0;
    THandle p = TEdge::End(r, 1);
    if (FindBoundaryPath(p, p, r, 1, q) == 1) return 0;
    side = 2;
    return 2;
  }
  if (OppositeSideQualifies(plus, r, plusClass)) {
    side = 2;
    return 1;
  }
  if (minusClass != 0 && OppositeSideQualifies(minus, q, minusClass)) {
    side = 3;
    return 1;
  }
  return 0;
}

// Kind 1 (kind 2 first reunites the thick cell): the chord f from the middle
// of e back to itself splits the thick cell into H and E2, and a new cell
// along f closes the loop of f's copy on the given side. pierce receives the
// index of the cell to pierce delicately afterwards (-1 for none).
int RebuildCounterpassKind12(TSpine& spine, int kind, THandle thick, int side, int j, int& pierce) {
  pierce = -1;
  int m = -1;
  if (kind == 2) {
    if (SplitAndReuniteAtDoubleEdge(spine, thick, j, j, m) == 0) return 0;
  } else {
    THandle part = TThickCell::Part(thick, side);
    m = TCell::FindPassage(part, TCell::EdgeAt(part, j), j, 0);
  }
  const int length = TThickCell::CellBoundaryLength(thick);
  if (m < 0 || m == j || length < 2) return 0;
  // With the first passage at 0 the subdivision leaves it on the half that
  // ends at the middle and moves m on to the half that starts there.
  if (j != 0) {
    if (TThickCell::RotateParts(thick, j, 0) == 0) return 0;
    m = (m - j + length) % length;
    j = 0;
  }
  if (SubdivideThickEdgeAtPosition(spine, thick, j, &j, &m) == 0) return 0;
  TObjectHeader* hRaw = nullptr;
  TObjectHeader* e2Raw = nullptr;
  if (SplitThickCell(spine, thick, j, m, &hRaw, &e2Raw) == 0) return 0;
  THandle h(hRaw);
  THandle e2(e2Raw);
  THandle chord = TCell::EdgeAt(TThickCell::Part(h, 1), 0);
  THandle copy = TThickCell::Part(h, side);
  THandle q = TCell::EdgeAt(copy, 0);
  TComplex* surface = spine.BoundarySurfaceOf(q);
  // The new cell fills the gap between H and E2 on the given side: its "+"
  // copy lies along H's copy, its "-" copy along E2's.
  const TGrowthStep step{chord.Object(), 1, q.Object(), TThickCell::Part(e2, side).Object()};
  if (surface == nullptr || GrowCellAlongCurve(spine, {step}) == nullptr) return 0;
  spine.SplitBoundarySurface(surface);
  THandle hCell = TThickCell::Part(h, 1);
  THandle e2Cell = TThickCell::Part(e2, 1);
  if (ClassifyPiercing(spine, hCell) == 1)
    pierce = spine.CellOrdinal(hCell);
  else if (ClassifyPiercing(spine, e2Cell) == 1)
    pierce = spine.CellOrdinal(e2Cell);
  return 1;
}

// The three sides of the thick edge of an edge passed three times by one
// cell, named by how often the cell's "+" copy X runs along them: V twice
// (X on both sides), L once, M never (the "-" copy twice).
struct TThreeSides {
  THandle v;
  THandle l;
  THandle m;
};

bool NameSides(TSpine& spine, const THandle& edge, const THandle& plus, TThreeSides& sides) {
  THandle thickEdge = ThickEdgeOfObject(spine, edge);
  for (int k = 0; k < 3; ++k) {
    THandle side = TThickEdge::Side(thickEdge, k);
    if (!side.IsValid()) return false;
    const int onPlus = EdgePassageCount(plus, side);
    (onPlus == 2 ? sides.v : onPlus == 1 ? sides.l : sides.m) = side;
  }
  return sides.v.IsValid() && sides.l.IsValid() && sides.m.IsValid();
}

// Kind 3 where one of V and M lies on no cycle of its surface: then it is a
// bridge there, the copy on that side passes it twice in opposite
// directions, and the kind-1 rebuild at those two passages applies. 0 when
// both lie on cycles (that rebuild is not built) or the sides do not fit.
int KindThreeAsKindOne(TSpine& spine, const THandle& thick, int j, int& side, int& position) {
  THandle cell = TThickCell::Part(thick, 1);
  THandle e = TCell::EdgeAt(cell, j);
  TThreeSides sides;
  if (!NameSides(spine, e, TThickCell::Part(thick, 2), sides)) return 0;
  THandle bridge;
  if (!OnCycle(sides.v)) {
    side = 2;
    bridge = sides.v;
  } else if (!OnCycle(sides.m)) {
    side = 3;
    bridge = sides.m;
  } else {
    return 0;
  }
  THandle copy = TThickCell::Part(thick, side);
  position = TCell::FindPassage(copy, bridge, -1, 0);
  return position >= 0 ? 1 : 0;
}

int Counterpass(TSpine& spine, int cellPosition, TString* text) {
  int side = 0;
  int position = -1;
  const int kind = TestCounterpass(spine, cellPosition) != 0
                       ? ClassifyCounterpass(spine, cellPosition, &side, &position)
                       : 0;
  if (kind == 0) return 0;
  spine.Objects().SetCreationTag(kMoveCounterpass);
  THandle cell = spine.NthCell(cellPosition);
  const std::string name = cell.DisplayName();
  THandle thick = ThickCellOfCell(spine, cell);
  int pierce = -1;
  int rebuild = kind;
  if (kind == 3) {
    if (KindThreeAsKindOne(spine, thick, position, side, position) == 0) return 0;
    rebuild = 1;
  }
  if (RebuildCounterpassKind12(spine, rebuild, thick, side, position, pierce) == 0) return 0;
  TString report;
  if (text != nullptr) {
    ReportCounterpass(report, name.c_str());
    text->AssignString(report);
  }
  spine.LogEvent(kMoveCounterpass, text != nullptr && !text->Empty() ? text->CStr() : nullptr);
  // The piercing takes away the ball that the new cell closed off; it is
  // part of this move, so it logs nothing of its own.
  if (pierce >= 0) PierceCellQuietly(spine, pierce);
  if (TObjectTable* table = spine.MoleculeTable()) table->DecrementCounterA();
  return 1;
}

}  // namespace

int ClassifyCounterpass(TSpine& spine, int cellPosition, int* side, int* position) {
  if (side != nullptr) *side = 0;
  if (position != nullptr) *position = -1;
  if (!spine.IsThickened()) return 0;
  THandle cell = spine.NthCell(cellPosition);
  if (!cell.IsValid() || TCell::Type(cell) != 1) return 0;
  THandle thick = ThickCellOfCell(spine, cell);
  if (!thick.IsValid()) return 0;
  THandle plus = TThickCell::Part(thick, 2);
  THandle minus = TThickCell::Part(thick, 3);
  const int plusClass = spine.BoundarySurfaceClass(spine.BoundarySurfaceOf(plus));
  const int minusClass = spine.BoundarySurfaceClass(spine.BoundarySurfaceOf(minus));
  const bool orientable = spine.Orientability(1) != 0;
  const int length = TCell::BoundaryLength(cell);
  if (TCell::BoundaryLength(plus) != length || TCell::BoundaryLength(minus) != length) return 0;
  const TCellPassages counts = CountPassages(cell);
  TStopPoll poll;
  for (int i = 0; i < length; ++i) {
    poll.Step();
    int s = 0;
    const int kind = PositionKind(counts, cell, plus, minus, i, plusClass, minusClass, orientable, s);
    if (kind == 0) continue;
    if (side != nullptr) *side = s;
    if (position != nullptr) *position = i;
    return kind;
  }
  return 0;
}

int TestCounterpass(TSpine& spine, int cellPosition) {
  int side = 0;
  int position = -1;
  const int kind = ClassifyCounterpass(spine, cellPosition, &side, &position);
  // The rebuilds of kind 4 and of kind 3 with both V and M on cycles are not
  // built; a cell whose first qualifying position needs one is not offered.
  if (kind == 3) {
    THandle thick = ThickCellOfCell(spine, spine.NthCell(cellPosition));
    return KindThreeAsKindOne(spine, thick, position, side, position) != 0 ? 3 : 0;
  }
  return kind == 1 || kind == 2 ? kind : 0;
}

int FindCounterpassCell(TSpine& spine) {
  if (spine.IsEmpty()) return -1;
  TStopPoll poll;
  for (int i = 0;; ++i) {
    poll.Step();
    THandle cell = spine.NthCell(i);
    if (!cell.IsValid()) return -1;
    if (TestCounterpass(spine, i) != 0) return i;
  }
}

int PerformCounterpass(TSpine& spine, int cellPosition, TString* text) {
  return PerformWithRollback(spine, [&] { return Counterpass(spine, cellPosition, text); });
}

void ReportCounterpass(TString& text, const char* cellName) {
  if (QuietMode.load() != 0) return;
  text.FormatResource(kCounterpassText, cellName);
}
