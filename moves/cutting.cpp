// Cutting along a cell. See cutting.h.
#include "moves/cutting.h"

#include <string>
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
#include "moves/collapsing.h"
#include "moves/move_families.h"
#include "moves/move_rollback.h"
#include "moves/move_types.h"
#include "moves/thick_surgery.h"

namespace {

constexpr int kNewComponentText = 278;
constexpr int kS2xS1Text = 279;
constexpr int kSolidTorusText = 280;
constexpr int kSolidTorusWithCurvesText = 281;

bool IsFreePosition(const TObjectHeader* cell, int i) { return TEdge::Valency(TCell::EdgeAt(cell, i)) == 1; }

// The first positions of the first two free arcs, in position order.
bool FirstTwoArcs(const TObjectHeader* cell, int& a, int& b) {
  int length = TCell::BoundaryLength(cell);
  a = -1;
  b = -1;
  for (int i = 0; i < length; ++i) {
    if (!IsFreePosition(cell, i) || IsFreePosition(cell, (i + length - 1) % length)) continue;
    if (a == -1) {
      a = i;
    } else {
      b = i;
      return true;
    }
  }
  return false;
}

// The surface that holds the "+" copy of a half, in this spine or in the
// next one of the chain (where a split moved it).
TComplex* HalfSurface(TSpine& spine, const THandle& half) {
  THandle plus = TThickCell::Part(half, 2);
  if (TComplex* surface = spine.BoundarySurfaceOf(plus)) return surface;
  if (spine.Next() != nullptr) return spine.Next()->BoundarySurfaceOf(plus);
  return nullptr;
}

void ClearSphereLabels(TSpine& spine, const THandle& half) {
  TComplex* surface = HalfSurface(spine, half);
  if (surface != nullptr && surface->SurfaceClass() == 1) surface->ResetEdgeLabels(-1);
}

// The cut itself, after the test; defined below. A cut that ends another
// move leaves the log entry to that move.
int Cut(TSpine& spine, int cellPosition, TString* text, bool ownMove);

}  // namespace

int IsCuttable(TSpine& spine, int cellPosition) {
  THandle cell = spine.NthCell(cellPosition);
  if (!cell.IsValid() || CountFreeArcs(cell, nullptr, nullptr) < 2) return 0;
  // The cut is made on the thick cell; without one there is nothing to cut.
  THandle thick = ThickCellOfCell(spine, cell);
  if (!thick.IsValid()) return 0;
  TComplex* surface = spine.BoundarySurfaceOf(TThickCell::Part(thick, 2));
  if (surface == nullptr) return 0;
  int euler = 0;
  spine.BoundarySurfaceClass(surface, &euler);
  return euler >= 0 ? 1 : 0;
}

int FindCuttingCell(TSpine& spine) {
  if (spine.IsEmpty()) return -1;
  TStopPoll poll;
  for (int i = 0; spine.NthCell(i).IsValid(); ++i) {
    poll.Step();
    if (IsCuttable(spine, i) != 0) return i;
  }
  return -1;
}

int CutAlongCell(TSpine& spine, int cellPosition, TString* text) {
  if (IsCuttable(spine, cellPosition) == 0) return 0;
  return PerformWithRollback(spine, [&] { return Cut(spine, cellPosition, text, true); });
}

int CutAlongCellWithinMove(TSpine& spine, int cellPosition, TString* text) {
  if (IsCuttable(spine, cellPosition) == 0) return 0;
  // The removal of the strip splits the boundary surface it separates only
  // under a cutting's tag; the outer move's tag comes back afterwards.
  int outerTag = spine.Objects().CreationTag();
  spine.Objects().SetCreationTag(kMoveCutting);
  int result = 0;
  try {
    result = PerformWithRollback(spine, [&] { return Cut(spine, cellPosition, text, false); });
  } catch (...) {
    spine.Objects().SetCreationTag(outerTag);
    throw;
  }
  spine.Objects().SetCreationTag(outerTag);
  return result;
}

namespace {

int Cut(TSpine& spine, int cellPosition, TString* text, bool ownMove) {
  THandle cell = spine.NthCell(cellPosition);
  THandle thick = ThickCellOfCell(spine, cell);
  int a = -1;
  int b = -1;
  if (!FirstTwoArcs(cell, a, b) || CanCutThickCell(spine, thick, a, b) == 0) return 0;
  spine.Objects().SetCreationTag(kMoveCutting);
  std::string name = cell.DisplayName();
  int boundaries = spine.BoundaryCount();
  TObjectHeader* remainderRaw = nullptr;
  TObjectHeader* stripRaw = nullptr;
  TObjectHeader* otherRaw = nullptr;
  if (CutThickCell(spine, thick, a, b, &remainderRaw, &stripRaw, &otherRaw) == 0) return 0;
  THandle halves[2] = {THandle(remainderRaw), THandle(otherRaw)};
  THandle strip(stripRaw);
  THandle stripPlus = TThickCell::Part(strip, 2);
  TComplex* u = spine.BoundarySurfaceOf(stripPlus);
  int surfaceClass = spine.BoundarySurfaceClass(u);
  // The disc's boundary crosses the old free arcs at passages 1 and 3 of its
  // copy; the curves' counts there give the meridian's coordinates.
  int d1 = 1;
  int d3 = 1;
  THandle e1 = TCell::PassageAt(stripPlus, 1, &d1);
  THandle e3 = TCell::PassageAt(stripPlus, 3, &d3);
  int p = TEdge::Label(e1, 0);
  int q = TEdge::Label(e1, 1);
  int r = TEdge::Label(e3, 0);
  int s = TEdge::Label(e3, 1);
  int sign = d1 == d3 ? -1 : 1;
  int x = p + sign * r;
  int y = q + sign * s;
  if ((p != 0 && r != 0) || (q != 0 && s != 0)) {
    int labels[4];
    TEdge::LabelsAreZero(e1, labels);
    for (int k : {0, 2}) {
      int d = TCell::DirectionAt(stripPlus, k);
      TEdge::SetLabels(TCell::EdgeAt(stripPlus, k), labels, d == d1 ? 2 : 1);
    }
  }
  if (spine.RemoveThickCell(strip) == 0) return 0;
  // The disc separates when the two halves end in different components. A
  // split alone does not say so: the spine may have held a piece apart from
  // the rest already (a disc left by a collapsing), which the split now
  // moves away too.
  int boundariesAfterCut = spine.BoundaryCount();
  int split = spine.SplitIntoComponents();
  TSpine* head = spine.Head();
  TSpine* home = head->ComponentOfObject(TThickCell::Part(halves[0], 1));
  if (home == nullptr) home = &spine;
  if (split != 0 && home == head->ComponentOfObject(TThickCell::Part(halves[1], 1))) split = 0;
  int message = kSolidTorusText;
  if (split != 0) {
    if (surfaceClass == 2)
      for (const THandle& half : halves) ClearSphereLabels(spine, half);
    message = kNewComponentText;
  } else if (boundariesAfterCut > boundaries) {
    if (surfaceClass == 2)
      for (const THandle& half : halves) ClearSphereLabels(*home, half);
    if (home->MoleculeTable() != nullptr) home->MoleculeTable()->IncrementCounterC();
    message = kS2xS1Text;
  } else if (surfaceClass == 2 && home->HasBoundarySurface(u)) {
    u->ResetEdgeLabels(-1);
    if (home->MoleculeTable() != nullptr) home->MoleculeTable()->CutOffSolidTorus(u, x, y);
    message = x != 0 || y != 0 ? kSolidTorusWithCurvesText : kSolidTorusText;
  }
  TString report;
  if (text != nullptr) {
    ReportCutting(report, message, name.c_str(), x, y);
    text->AssignString(report);
  }
  if (ownMove) spine.LogEvent(kMoveCutting, text != nullptr && !text->Empty() ? text->CStr() : nullptr);
  return 1;
}

}  // namespace

void ReportCutting(TString& text, int messageId, const char* cellName, int x, int y) {
  if (QuietMode.load() != 0) return;
  if (messageId == kSolidTorusWithCurvesText) {
    text.FormatResource(messageId, cellName, x, y);
  } else {
    text.FormatResource(messageId, cellName);
  }
}
