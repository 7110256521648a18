// Short curves and curves of length 4. See short_curves.h.
#include "moves/short_curves.h"

#include <string>
#include <unordered_set>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/handle.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "model/vertex.h"
#include "moves/cell_growth.h"
#include "moves/move_families.h"
#include "moves/move_rollback.h"
#include "moves/move_types.h"
#include "moves/piercing.h"
#include "moves/thick_surgery.h"

namespace {

constexpr int kShortCurveText = 286;
constexpr int kCurve4Text = 287;
constexpr int kCurve4FirstText = 288;
constexpr int kCurve4SecondText = 289;

// The cell along the boundary edge other than the copy itself.
THandle Neighbour(const THandle& copy, const THandle& edge) {
  THandle r = TEdge::CellAt(edge, 0);
  return r.Object() == copy.Object() ? TEdge::CellAt(edge, 1) : r;
}

int CurveClassOf(TSpine& spine, int cellPosition) {
  if (!spine.IsThickened()) return 0;
  return ClassifyCellCurve(spine.NthCell(cellPosition));
}

// At each corner v_i of the "+" copy P (the start of passage i) the third
// edge of the surface leaves P; its spine edge is subdivided, so that the
// lateral cells can be cut between the midpoints.
int SubdivideLeavingEdges(TSpine& spine, const THandle& plus) {
  const int length = TCell::BoundaryLength(plus);
  for (int i = 0; i < length; ++i) {
    int dP = 1;
    THandle e = TCell::PassageAt(plus, i, &dP);
    THandle r = Neighbour(plus, e);
    const int lr = TCell::BoundaryLength(r);
    const int at = TCell::FindPassage(r, e, -1, 0);
    if (at < 0 || lr < 2) return 0;
    const int leaving = TCell::DirectionAt(r, at) == dP ? (at + lr - 1) % lr : (at + 1) % lr;
    if (SubdivideThickEdgeAtPosition(spine, ThickCellOfCell(spine, r), leaving) == 0) return 0;
  }
  return 1;
}

// Cuts the strip along passage i of P off the lateral thick cell: rotated so
// that the edge comes first, running against P's passage, and split between
// its two neighbours. The strip (chord first, from the midpoint at v_i to
// the one at v_{i+1}) and its copy on P's side go to the lists.
int CutStrips(TSpine& spine, const THandle& plus, std::vector<THandle>& strips, std::vector<THandle>& copies) {
  const int length = TCell::BoundaryLength(plus);
  for (int i = 0; i < length; ++i) {
    int dP = 1;
    THandle e = TCell::PassageAt(plus, i, &dP);
    THandle r = Neighbour(plus, e);
    THandle thick = ThickCellOfCell(spine, r);
    const int side = TThickCell::Part(thick, 2).Object() == r.Object() ? 2 : 3;
    const int at = TCell::FindPassage(r, e, -1, 0);
    if (at < 0 || TThickCell::RotateParts(thick, at, TCell::DirectionAt(r, at) == dP ? 1 : 0) == 0) return 0;
    const int lr = TThickCell::CellBoundaryLength(thick);
    TObjectHeader* strip = nullptr;
    if (lr < 3 || SplitThickCell(spine, thick, 1, lr - 1, &strip, nullptr) == 0) return 0;
    strips.emplace_back(strip);
    copies.push_back(TThickCell::Part(strip, side));
  }
  return 1;
}

int CellCurveMove(TSpine& spine, int cellPosition, int type, TString* text) {
  THandle cell = spine.NthCell(cellPosition);
  const int curveClass = CurveClassOf(spine, cellPosition);
  if (curveClass == 0) return 0;
  if (curveClass == 1 && type != kMoveShortCurve) return 0;
  if (curveClass == 2 && type != kMoveCurve4 && type != kMoveCurve4FirstPiercing && type != kMoveCurve4SecondPiercing)
    return 0;
  THandle thick = ThickCellOfCell(spine, cell);
  THandle plus = TThickCell::Part(thick, 2);
  TComplex* surface = spine.BoundarySurfaceOf(plus);
  if (surface == nullptr) return 0;
  const int logType = curveClass == 1 ? kMoveShortCurve : kMoveCurve4;
  spine.Objects().SetCreationTag(logType);
  const std::string name = cell.DisplayName();
  const int length = TCell::BoundaryLength(plus);

  if (SubdivideLeavingEdges(spine, plus) == 0) return 0;
  std::vector<THandle> strips;
  std::vector<THandle> copies;
  if (CutStrips(spine, plus, strips, copies) == 0) return 0;
  // The chords run parallel to P's passages; the curves that crossed P's
  // edges now cross the chords' copies, which stay on the outer side.
  std::vector<TGrowthStep> curve;
  for (int i = 0; i < length; ++i) {
    int dP = 1;
    THandle e = TCell::PassageAt(plus, i, &dP);
    THandle chordCopy = TCell::EdgeAt(copies[static_cast<std::size_t>(i)], 0);
    int labels[4] = {0, 0, 0, 0};
    if (!TEdge::LabelsAreZero(e, labels)) TEdge::SetLabels(chordCopy, labels, dP);
    curve.push_back({TCell::EdgeAt(TThickCell::Part(strips[static_cast<std::size_t>(i)], 1), 0).Object(), 1,
                     chordCopy.Object(), copies[static_cast<std::size_t>(i)].Object()});
  }
  TObjectHeader* grown = GrowCellAlongCurve(spine, curve);
  if (grown == nullptr) return 0;
  THandle sphereSide = TThickCell::Part(grown, 3);
  spine.SplitBoundarySurface(surface);
  if (TComplex* sphere = spine.BoundarySurfaceOf(sphereSide)) sphere->ResetEdgeLabels(-1);

  const char* stripNames[4] = {"", "", "", ""};
  std::string names[4];
  for (int i = 0; i < 4 && i < length; ++i) {
    names[i] = strips[static_cast<std::size_t>(i)].DisplayName();
    stripNames[i] = names[i].c_str();
  }
  if (type != kMoveCurve4) {
    const std::size_t k = type == kMoveCurve4SecondPiercing ? 1 : 0;
    if (k < strips.size()) PierceCellQuietly(spine, spine.CellOrdinal(TThickCell::Part(strips[k], 1)));
  }
  if (TObjectTable* table = spine.MoleculeTable()) table->DecrementCounterA();
  TString report;
  if (text != nullptr) {
    ReportCellCurveMove(report, name.c_str(), type, stripNames);
    text->AssignString(report);
  }
  spine.LogEvent(logType, text != nullptr && !text->Empty() ? text->CStr() : nullptr);
  return 1;
}

}  // namespace

int ClassifyCellCurve(const TObjectHeader* cell) {
  if (TCell::Of(cell) == nullptr || TCell::Type(cell) != 1) return 0;
  const int length = TCell::BoundaryLength(cell);
  if (length == 0 || length > 4) return 0;
  std::unordered_set<const TObjectHeader*> edges;
  std::unordered_set<const TObjectHeader*> vertices;
  for (int i = 0; i < length; ++i) {
    int d = 1;
    THandle e = TCell::PassageAt(cell, i, &d);
    if (!edges.insert(e.Object()).second || TEdge::Valency(e) != 3) return 0;
    THandle v = TEdge::End(e, 2, d);
    if (!v.IsValid() || !vertices.insert(v.Object()).second || TVertex::Valency(v) != 4) return 0;
  }
  return length == 4 ? 2 : 1;
}

int ClassifyCellCurveAt(TSpine& spine, int cellPosition) { return CurveClassOf(spine, cellPosition); }

int FindShortCurveCell(TSpine& spine, int curveClass) {
  if (!spine.IsThickened() || spine.IsEmpty()) return -1;
  const int longest = curveClass == 1 ? 3 : 4;
  TStopPoll poll;
  for (int i = 0;; ++i) {
    poll.Step();
    THandle cell = spine.NthCell(i);
    if (!cell.IsValid()) return -1;
    if (TCell::BoundaryLength(cell) <= longest && ClassifyCellCurve(cell) == curveClass) return i;
  }
}

int FindCurveLength4WithPiercing(TSpine& spine, int* type) {
  if (type != nullptr) *type = 0;
  if (!spine.IsThickened() || spine.IsEmpty()) return -1;
  TStopPoll poll;
  for (int n = 0;; ++n) {
    poll.Step();
    THandle c = spine.NthCell(n);
    if (!c.IsValid()) return -1;
    if (TCell::BoundaryLength(c) != 4 || ClassifyCellCurve(c) != 2) continue;
    for (int i = 0; i < 4; ++i) {
      THandle s = TCell::EdgeAt(c, i);
      if (TEdge::Valency(s) != 3) continue;
      for (int k = 0; k < 3; ++k) {
        THandle r = TEdge::CellAt(s, k);
        if (r.Object() == c.Object() || ClassifyCellCurve(r) != 2) continue;
        THandle q = TCell::EdgeAt(c, (i + 2) % 4);
        THandle p = TCell::EdgeAt(r, (TCell::FindPassage(r, s, -1, 0) + 2) % 4);
        if (TEdge::SharesEnd(q, p)) continue;
        if (type != nullptr) *type = i % 2 == 0 ? kMoveCurve4SecondPiercing : kMoveCurve4FirstPiercing;
        return n;
      }
    }
  }
}

int PerformCellCurveMove(TSpine& spine, int cellPosition, int type, TString* text) {
  return PerformWithRollback(spine, [&] { return CellCurveMove(spine, cellPosition, type, text); });
}

void ReportCellCurveMove(TString& text, const char* cellName, int type, const char* const strips[4]) {
  if (QuietMode.load() != 0) return;
  switch (type) {
    case kMoveShortCurve: text.FormatResource(kShortCurveText, cellName); break;
    case kMoveCurve4: text.FormatResource(kCurve4Text, cellName, strips[0], strips[1], strips[2], strips[3]); break;
    case kMoveCurve4FirstPiercing: text.FormatResource(kCurve4FirstText, cellName, strips[0]); break;
    case kMoveCurve4SecondPiercing: text.FormatResource(kCurve4SecondText, cellName, strips[1]); break;
    default: break;
  }
}
