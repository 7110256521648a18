// Counterpass. See counterpass.h.
#include "moves/counterpass.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/edge_labels.h"
#include "model/handle.h"
#include "model/object_table.h"
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
// both lie on cycles (the four-chord rebuild is made then) or the sides do
// not fit.
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

// The side (part 2 or 3) of a cell grown along a curve that keeps the
// boundary surface's coordinate labels: the other side faces the sphere the
// growth cut off (class 1), whose labels are cleared. -1 when a side has no
// boundary surface.
int KeptSideOfGrownCell(TSpine& spine, const THandle& grown) {
  TComplex* plusSurface = spine.BoundarySurfaceOf(TThickCell::Part(grown, 2));
  TComplex* minusSurface = spine.BoundarySurfaceOf(TThickCell::Part(grown, 3));
  if (plusSurface == nullptr || minusSurface == nullptr) return -1;
  if (spine.BoundarySurfaceClass(plusSurface) == 1) {
    plusSurface->ResetEdgeLabels(-1);
    return 3;
  }
  minusSurface->ResetEdgeLabels(-1);
  return 2;
}

// Kind 4: the cell passes e three times the same way. After subdividing
// every passage of e into a run of three edges, two chords (from a third of
// the way into the first run to two thirds into the third, and from the
// second run across) split off a piece, and a new cell along the two chords
// closes the gap between the pieces on one side; the piece A1 is then
// pierced. The side whose curve stays on no cycle avoiding the next side
// carries its curves around the "+" copy first; the labels of the side K
// that the new cell replaces go, negated, to its copy on the surface that is
// no sphere.
int RebuildCounterpassKind4(TSpine& spine, THandle thick, int j, int& pierce) {
  pierce = -1;
  THandle e = TCell::EdgeAt(TThickCell::Part(thick, 1), j);
  THandle thickEdge = ThickEdgeOfObject(spine, e);
  THandle i;
  THandle k = TThickEdge::Side(thickEdge, 0);
  THandle jSide = TThickEdge::Side(thickEdge, 1);
  for (int n = 0; n < 3; ++n) {
    THandle kn = TThickEdge::Side(thickEdge, (n + 1) % 3);
    THandle jn = TThickEdge::Side(thickEdge, (n + 2) % 3);
    THandle v = TEdge::End(kn, 1);
    if (FindBoundaryPath(v, v, kn, 1, jn) == 1) continue;
    i = TThickEdge::Side(thickEdge, n);
    k = kn;
    jSide = jn;
    break;
  }
  THandle plus = TThickCell::Part(thick, 2);
  THandle minus = TThickCell::Part(thick, 3);
  const int kPlus = TCell::FindPassage(plus, k, -1, 0);
  const int jPlus = TCell::FindPassage(plus, jSide, -1, 0);
  const int jMinus = TCell::FindPassage(minus, jSide, -1, 0);
  const bool startAtK = kPlus == jMinus;
  const int start = startAtK ? kPlus : jPlus;
  if (start < 0) return 0;
  THandle p = startAtK ? jSide : k;
  THandle f = startAtK ? k : jSide;
  if (TThickCell::RotateParts(thick, start, TCell::DirectionAt(plus, kPlus) == 2 ? 1 : 0) == 0) return 0;
  const int x = TCell::FindPassage(plus, p, -1, 0) < TCell::FindPassage(minus, f, -1, 0) ? 3 : 2;
  const int y = 5 - x;
  if (i.IsValid()) EdgeAddLabelsAroundCell(plus, i, -1);
  int saved[4] = {0, 0, 0, 0};
  TEdge::LabelsAreZero(k, saved);
  if (SubdivideThickEdgeAtPosition(spine, thick, 0) == 0 || SubdivideThickEdgeAtPosition(spine, thick, 0) == 0)
    return 0;
  THandle cell = TThickCell::Part(thick, 1);
  const int last = TCell::FindPassage(cell, TCell::EdgeAt(cell, 0), 0, 1);
  TObjectHeader* a1Raw = nullptr;
  TObjectHeader* b1Raw = nullptr;
  if (last < 0 || SplitThickCell(spine, thick, 0, last + 2, &a1Raw, &b1Raw) == 0) return 0;
  THandle a1(a1Raw);
  THandle b1(b1Raw);
  const TGrowthStep first{TCell::EdgeAt(TThickCell::Part(a1, 1), 0).Object(), 2,
                          TCell::EdgeAt(TThickCell::Part(a1, x), 0).Object(), TThickCell::Part(a1, x).Object()};
  THandle b1Cell = TThickCell::Part(b1, 1);
  const int g = TCell::FindPassage(b1Cell, TCell::EdgeAt(b1Cell, 1), 1, 0);
  TObjectHeader* a2Raw = nullptr;
  TObjectHeader* b2Raw = nullptr;
  if (g < 1 || SplitThickCell(spine, b1, g - 1, 2, &a2Raw, &b2Raw) == 0) return 0;
  THandle a2(a2Raw);
  THandle b2(b2Raw);
  const TGrowthStep second{TCell::EdgeAt(TThickCell::Part(a2, 1), 0).Object(), 1,
                           TCell::EdgeAt(TThickCell::Part(a2, y), 0).Object(), TThickCell::Part(a2, y).Object()};
  THandle grown(GrowCellAlongCurve(spine, {first, second}));
  if (!grown.IsValid()) return 0;
  if (TComplex* surface = spine.BoundarySurfaceOf(TThickCell::Part(b2, 3))) spine.SplitBoundarySurface(surface);
  const int s = KeptSideOfGrownCell(spine, grown);
  if (s < 0) return 0;
  TEdge::SetLabels(TCell::EdgeAt(TThickCell::Part(grown, s), 0), saved, 2);
  pierce = spine.CellOrdinal(TThickCell::Part(a1, 1));
  return 1;
}

// Kind 3 with V and M both on cycles: the passages of e, after a rotation,
// run along, along, against; each becomes a run of five edges, four chords
// cut the thick cell into pieces, and a new cell along the four chords joins
// them up; the piece A3 is then pierced. The labels of L first go around the
// "+" copy; V's labels go to the new cell's copy on the surface that is no
// sphere.
int RebuildCounterpassKind3(TSpine& spine, THandle thick, int j, int& pierce) {
  pierce = -1;
  THandle cell = TThickCell::Part(thick, 1);
  THandle e = TCell::EdgeAt(cell, j);
  const int q0 = j;
  const int q1 = TCell::FindPassage(cell, e, q0, 0);
  const int q2 = TCell::FindPassage(cell, e, q1, 0);
  if (q1 < 0 || q2 < 0) return 0;
  const int d0 = TCell::DirectionAt(cell, q0);
  const int d1 = TCell::DirectionAt(cell, q1);
  const int d2 = TCell::DirectionAt(cell, q2);
  int start = q0;
  int reverse = 0;
  if (d0 == 2 && d1 == 2) {
    start = q1;
    reverse = 1;
  } else if (d0 == 1 && d1 == 2) {
    start = q2;
    reverse = d2 == 2 ? 1 : 0;
  } else if (d0 == 2 && d1 == 1) {
    start = d2 == 2 ? q0 : q1;
    reverse = d2 == 2 ? 1 : 0;
  }
  if ((start != 0 || reverse != 0) && TThickCell::RotateParts(thick, start, reverse) == 0) return 0;
  THandle plus = TThickCell::Part(thick, 2);
  TThreeSides sides;
  if (!NameSides(spine, e, plus, sides)) return 0;
  const int w = TCell::EdgeAt(plus, 0).Object() == sides.l.Object() ? 2 : 3;
  const int o = 5 - w;
  EdgeAddLabelsAroundCell(plus, sides.l, -1);
  int saved[4] = {0, 0, 0, 0};
  TEdge::LabelsAreZero(sides.v, saved);
  for (int n = 0; n < 4; ++n)
    if (SubdivideThickEdgeAtPosition(spine, thick, 0) == 0) return 0;
  cell = TThickCell::Part(thick, 1);
  const int f = TCell::FindPassage(cell, TCell::EdgeAt(cell, 0), 0, 1);
  TObjectHeader* raw[2] = {nullptr, nullptr};
  if (f < 0 || SplitThickCell(spine, thick, 1, f, &raw[0], &raw[1]) == 0) return 0;
  THandle a1(raw[0]);
  THandle b1(raw[1]);
  THandle chord1 = TCell::EdgeAt(TThickCell::Part(b1, 1), 0);
  THandle side1 = TCell::EdgeAt(TThickCell::Part(b1, w), 0);
  THandle b1Cell = TThickCell::Part(b1, 1);
  const int g = TCell::FindPassage(b1Cell, TCell::EdgeAt(b1Cell, 1), 1, 0);
  if (g < 1 || SplitThickCell(spine, b1, g - 1, 2, &raw[0], &raw[1]) == 0) return 0;
  THandle a2(raw[0]);
  THandle b2(raw[1]);
  THandle chord2 = TCell::EdgeAt(TThickCell::Part(b2, 1), 0);
  THandle side2 = TCell::EdgeAt(TThickCell::Part(b2, o), 0);
  THandle b2Cell = TThickCell::Part(b2, 1);
  const int h = TCell::FindPassage(b2Cell, TCell::EdgeAt(b2Cell, 2), 2, 0);
  if (h < 0 || SplitThickCell(spine, b2, h, 3, &raw[0], &raw[1]) == 0) return 0;
  THandle a3(raw[0]);
  THandle b3(raw[1]);
  THandle chord3 = TCell::EdgeAt(TThickCell::Part(b3, 1), 0);
  THandle side3 = TCell::EdgeAt(TThickCell::Part(b3, o), 0);
  const int n = TCell::BoundaryLength(TThickCell::Part(a2, 1));
  if (n < 2 || SplitThickCell(spine, a2, 1, n - 1, &raw[0], &raw[1]) == 0) return 0;
  THandle a4(raw[0]);
  THandle b4(raw[1]);
  THandle chord4 = TCell::EdgeAt(TThickCell::Part(a4, 1), 0);
  THandle side4 = TCell::EdgeAt(TThickCell::Part(a4, w), 0);
  const std::vector<TGrowthStep> curve = {
      {chord1.Object(), 2, side1.Object(), TThickCell::Part(a1, w).Object()},
      {chord2.Object(), 1, side2.Object(), TThickCell::Part(a4, o).Object()},
      {chord3.Object(), 1, side3.Object(), TThickCell::Part(a3, o).Object()},
      {chord4.Object(), 1, side4.Object(), TThickCell::Part(b4, w).Object()}};
  THandle grown(GrowCellAlongCurve(spine, curve));
  if (!grown.IsValid()) return 0;
  if (TComplex* surface = spine.BoundarySurfaceOf(TThickCell::Part(a3, 3))) spine.SplitBoundarySurface(surface);
  const int s = KeptSideOfGrownCell(spine, grown);
  if (s < 0) return 0;
  THandle copy = TThickCell::Part(grown, s);
  TEdge::SetLabels(TCell::EdgeAt(copy, 2), saved, 1);
  TEdge::SetLabels(TCell::EdgeAt(copy, 3), saved, 1);
  pierce = spine.CellOrdinal(TThickCell::Part(a3, 1));
  return 1;
}

int Counterpass(TSpine& spine, int cellPosition, TString* text) {
  int side = 0;
  int position = -1;
  const int kind = ClassifyCounterpass(spine, cellPosition, &side, &position);
  if (kind == 0) return 0;
  spine.Objects().SetCreationTag(kMoveCounterpass);
  THandle cell = spine.NthCell(cellPosition);
  const std::string name = cell.DisplayName();
  THandle thick = ThickCellOfCell(spine, cell);
  int pierce = -1;
  int rebuild = kind;
  if (kind == 3) {
    int bridgeSide = 0;
    int bridgePosition = -1;
    if (KindThreeAsKindOne(spine, thick, position, bridgeSide, bridgePosition) != 0) {
      rebuild = 1;
      side = bridgeSide;
      position = bridgePosition;
    }
  }
  if (rebuild == 3) {
    if (RebuildCounterpassKind3(spine, thick, position, pierce) == 0) return 0;
  } else if (rebuild == 4) {
    if (RebuildCounterpassKind4(spine, thick, position, pierce) == 0) return 0;
  } else if (RebuildCounterpassKind12(spine, rebuild, thick, side, position, pierce) == 0) {
    return 0;
  }
  // The piercing takes away the ball that the new cell closed off; it is
  // part of this move, so it logs nothing of its own. A cell that can no
  // longer be pierced is left; a piercing that fails or is stopped half-way
  // fails the whole move, which the rollback then undoes.
  if (pierce >= 0 && ClassifyPiercing(spine, spine.NthCell(pierce)) != 0 && PierceCellQuietly(spine, pierce) == 0)
    return 0;
  if (TObjectTable* table = spine.MoleculeTable()) table->DecrementCounterA();
  // The report and the log entry are written only once the move is done: a
  // stop in the piercing must leave neither behind the rolled-back spine.
  TString report;
  if (text != nullptr) ReportCounterpass(report, name.c_str());
  spine.LogEvent(kMoveCounterpass, text != nullptr && !report.Empty() ? report.CStr() : nullptr);
  if (text != nullptr) text->AssignString(report);
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
  return ClassifyCounterpass(spine, cellPosition, nullptr, nullptr);
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
