// Cutting out a ring: the test and the finder. See ring_cutting.h.
#include "moves/ring_cutting.h"

#include <string>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/int_matrix.h"
#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/handle.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "moves/boundary_path.h"
#include "moves/boundary_gluing_matrix.h"
#include "moves/move_families.h"
#include "moves/move_rollback.h"
#include "moves/move_types.h"
#include "moves/reduction.h"
#include "moves/thick_surgery.h"

namespace {

// The copy r of the edge closes up to a curve of its surface: r is a loop,
// or a path from its start back to it begins with r (avoiding the excluded
// edge).
bool ClosesUp(const THandle& r, const TObjectHeader* excluded) {
  if (TEdge::IsLoop(r)) return true;
  THandle start = TEdge::End(r, 1);
  return FindBoundaryPath(start, start, r, 1, excluded) == 1;
}

constexpr int kMobiusText = 282;
constexpr int kTripleText = 283;
constexpr int kSeparatedText = 284;

// A torus carries no coordinate curves or two that form a basis. Re-basing
// a torus whose curves are no basis (an earlier ring cut can leave the fibre
// alone) gives a singular change of basis, and the piece glued with it would
// name a wrong manifold.
bool HasCoordinateBasis(const TComplex* torus) {
  if (torus == nullptr || torus->AllEdgeLabelsZero()) return true;
  int m[4] = {0, 0, 0, 0};
  return SpineBoundaryGluingMatrix(*torus, m) == 1;
}

// Re-bases one torus on one copy of the strip: label 1 runs along the copy's
// passage-0 edge (a cut line), label 0 along a closed path through the
// passage-1 edge; the old basis waits in slots 2 and 3 for the gluing matrix
// and is cleared afterwards. The path's edges go to path.
void Rebase(TComplex& surface, const THandle& part, TIntQuad& m, std::vector<THandle>* path) {
  THandle e1 = TCell::EdgeAt(part, 1);
  bool filled = !TEdge::LabelsAreZero(e1);
  if (filled) {
    surface.ResetEdgeLabels(2);
    surface.ResetEdgeLabels(3);
    surface.CopyEdgeLabel(2, 0);
    surface.CopyEdgeLabel(3, 1);
    surface.ResetEdgeLabels(1);
  }
  TEdge::SetLabel(TCell::EdgeAt(part, 0), 1, 1);
  int d = TCell::DirectionAt(part, 1);
  THandle start = TEdge::End(e1, 1, d);
  surface.ResetEdgeLabels(0);
  if (TEdge::IsLoop(e1))
    TEdge::SetLabel(e1, 0, d == 1 ? 1 : -1);
  else
    FindBoundaryPath(start, start, e1, d, nullptr, nullptr, nullptr, &surface, 0, path);
  int out[4] = {1, 0, 0, 1};
  if (SpineBoundaryGluingMatrix(surface, out) == 1) m = TIntQuad{out[0], out[1], out[2], out[3]};
  if (filled) {
    surface.ResetEdgeLabels(2);
    surface.ResetEdgeLabels(3);
  }
}

int CutRing(TSpine& spine, int cellPosition, TString* text) {
  int i = -1;
  int j = -1;
  int t = TestRingCutting(spine, cellPosition, &i, &j);
  if (t == 0) return 0;
  THandle cell = spine.NthCell(cellPosition);
  std::string name = cell.DisplayName();
  THandle thick = ThickCellOfCell(spine, cell);
  // Refused before anything changes: a component further down a chain has
  // no rollback.
  if (!HasCoordinateBasis(spine.BoundarySurfaceOf(TThickCell::Part(thick, 2))) ||
      !HasCoordinateBasis(spine.BoundarySurfaceOf(TThickCell::Part(thick, 3))))
    return 0;
  spine.Objects().SetCreationTag(kMoveRing);
  if (t == 2 && SplitAndReuniteAtDoubleEdge(spine, thick, i, i, j) == 0) return 0;
  TObjectHeader* remainderRaw = nullptr;
  TObjectHeader* stripRaw = nullptr;
  TObjectHeader* otherRaw = nullptr;
  if (CutThickCell(spine, thick, i, j, &remainderRaw, &stripRaw, &otherRaw) == 0) return 0;
  THandle remainder(remainderRaw);
  THandle strip(stripRaw);
  THandle other(otherRaw);
  TComplex* uPlus = spine.BoundarySurfaceOf(TThickCell::Part(strip, 2));
  TComplex* uMinus = spine.BoundarySurfaceOf(TThickCell::Part(strip, 3));
  TIntQuad m1{1, 0, 0, 1};
  TIntQuad m2{1, 0, 0, 1};
  int r = SetRingCuttingCoordinates(spine, strip, m1, m2);
  if (r == 0 || spine.RemoveThickCell(strip) == 0) return 0;
  TComplex* rSurface = spine.BoundarySurfaceOf(TThickCell::Part(remainder, 2));
  TComplex* oSurface = spine.BoundarySurfaceOf(TThickCell::Part(other, 2));
  spine.SplitIntoComponents();
  TObjectTable* table = spine.MoleculeTable();
  // Which piece is recorded follows from where the strip's copies lie. On
  // one torus T the annulus cuts T into the two tori R and O: the triple atom
  // over the pair of pants has T, R and O as its boundary (O in the next
  // component when the cut split the spine). On two tori they are united
  // into R. (Recording T twice would drop one of the three edges.) When the
  // cut leaves one torus where R and O should be two, the band was glued
  // with a twist and the piece is no pair of pants times a circle: the move
  // is refused, and the rollback puts the spine back.
  if (uPlus == uMinus && rSurface == oSurface) return 0;
  int message = kTripleText;
  if (uPlus == uMinus || r == 2) {
    if (table != nullptr) table->AddTripleAtomGlued(uPlus, m1, rSurface, oSurface);
    message = kSeparatedText;
  } else if (r == 1) {
    if (table != nullptr) table->AddTripleAtom(uPlus, m1, uMinus, m2, rSurface);
  } else {
    if (table != nullptr) table->AddMobiusAtom(rSurface, m1);
    message = kMobiusText;
  }
  TString report;
  if (text != nullptr) {
    ReportRingCutting(report, message, name.c_str());
    text->AssignString(report);
  }
  spine.LogEvent(kMoveRing, text != nullptr && !text->Empty() ? text->CStr() : nullptr);
  return 1;
}

}  // namespace

int SplitAndReuniteAtDoubleEdge(TSpine& spine, THandle& thick, int a, int& p, int& q) {
  THandle cell = TThickCell::Part(thick, 1);
  THandle e = TCell::EdgeAt(cell, a);
  int length = TCell::BoundaryLength(cell);
  int lo = -1;
  int hi = -1;
  for (int k = 0; k < length; ++k) {
    if (TCell::EdgeAt(cell, k).Object() != e.Object()) continue;
    (lo == -1 ? lo : hi) = k;
  }
  if (lo == -1 || hi == -1 || TEdge::Valency(e) != 2 || TCell::DirectionAt(cell, lo) != TCell::DirectionAt(cell, hi))
    return 0;
  if (SubdivideThickEdgeAtPosition(spine, thick, lo, &hi) == 0) return 0;
  // Passages lo, lo + 1 and hi, hi + 1 now run along the two halves.
  cell = TThickCell::Part(thick, 1);
  THandle firstHalf = TCell::EdgeAt(cell, lo);
  TObjectHeader* one = nullptr;
  TObjectHeader* two = nullptr;
  if (SplitThickCell(spine, thick, lo, hi + 1, &one, &two) == 0) return 0;
  TObjectHeader* united = nullptr;
  if (UniteThickCells(spine, one, two, 1, &united) == 0) return 0;
  thick = THandle(united);
  cell = TThickCell::Part(thick, 1);
  p = -1;
  q = -1;
  for (int k = 0; k < TCell::BoundaryLength(cell); ++k) {
    if (TCell::EdgeAt(cell, k).Object() != firstHalf.Object()) continue;
    (p == -1 ? p : q) = k;
  }
  return p != -1 && q != -1 ? 1 : 0;
}

int TestRingCutting(TSpine& spine, int cellPosition, int* first, int* second) {
  THandle cell = spine.NthCell(cellPosition);
  if (!cell.IsValid() || TCell::Type(cell) != 1) return 0;
  THandle thick = ThickCellOfCell(spine, cell);
  if (!thick.IsValid()) return 0;
  THandle plus = TThickCell::Part(thick, 2);
  THandle minus = TThickCell::Part(thick, 3);
  TComplex* a = spine.BoundarySurfaceOf(plus);
  TComplex* b = spine.BoundarySurfaceOf(minus);
  if (a == nullptr || b == nullptr || spine.BoundarySurfaceClass(a) != 2 || spine.BoundarySurfaceClass(b) != 2)
    return 0;
  const int length = TCell::BoundaryLength(cell);
  TStopPoll poll;
  for (int i = 0; i < length; ++i) {
    poll.Step();
    THandle e = TCell::EdgeAt(cell, i);
    if (TEdge::Valency(e) != 2) continue;
    int j = -1;
    int count = 0;
    int algebraic = 0;
    for (int k = 0; k < length; ++k) {
      if (TCell::EdgeAt(cell, k).Object() != e.Object()) continue;
      ++count;
      algebraic += TCell::DirectionAt(cell, k) == 1 ? 1 : -1;
      if (k > i && j == -1) j = k;
    }
    if (count != 2) continue;
    // The other passage, searched forward from i (cyclically).
    if (j == -1)
      for (int k = 0; k < i && j == -1; ++k)
        if (TCell::EdgeAt(cell, k).Object() == e.Object()) j = k;
    THandle r = TCell::EdgeAt(plus, i);
    THandle q = TCell::EdgeAt(minus, i);
    int result = 0;
    if (algebraic != 2 && algebraic != -2) {
      bool adjacent = (j + 1) % length == i || (i + 1) % length == j;
      if (!adjacent && ClosesUp(r, nullptr) && ClosesUp(q, nullptr)) result = 1;
    } else {
      THandle start = TEdge::End(r, 1);
      if (FindBoundaryPath(start, start, r, 1, q) == 1) result = 2;
    }
    // The first qualifying position ends the walk.
    if (first != nullptr) *first = i;
    if (second != nullptr) *second = j;
    return result;
  }
  return 0;
}

int TestRingCutting(TSpine& spine, int cellPosition) { return TestRingCutting(spine, cellPosition, nullptr, nullptr); }

int FindRingCell(TSpine& spine) {
  if (spine.IsEmpty()) return -1;
  TStopPoll poll;
  for (int i = 0; spine.NthCell(i).IsValid(); ++i) {
    poll.Step();
    if (TestRingCutting(spine, i) != 0) return i;
  }
  return -1;
}

int SetRingCuttingCoordinates(TSpine& spine, TObjectHeader* strip, TIntQuad& m1, TIntQuad& m2) {
  THandle plus = TThickCell::Part(strip, 2);
  THandle minus = TThickCell::Part(strip, 3);
  TComplex* a = spine.BoundarySurfaceOf(plus);
  TComplex* b = spine.BoundarySurfaceOf(minus);
  if (a == nullptr || b == nullptr) return 0;
  if (a == b) {
    Rebase(*a, plus, m1, nullptr);
    Rebase(*a, minus, m2, nullptr);
    TEdge::SetLabel(TCell::EdgeAt(minus, 0), 1, 0);
    return 1;
  }
  std::vector<THandle> path;
  Rebase(*a, plus, m1, &path);
  THandle plusEdge = TCell::EdgeAt(plus, 1);
  THandle minusEdge = TCell::EdgeAt(minus, 1);
  if (TEdge::Label(minusEdge, 0) != TEdge::Label(plusEdge, 0)) {
    TEdge::SetLabel(TCell::EdgeAt(plus, 2), 1, -1);
    return 2;
  }
  for (const THandle& edge : path) {
    if (edge.Object() == minusEdge.Object()) break;
    TEdge::SetLabel(edge, 0, -TEdge::Label(edge, 0));
  }
  return 3;
}

int CutOutRing(TSpine& spine, int cellPosition, TString* text) {
  if (TestRingCutting(spine, cellPosition) == 0) return 0;
  return PerformWithRollback(spine, [&] { return CutRing(spine, cellPosition, text); });
}

void ReportRingCutting(TString& text, int messageId, const char* cellName) {
  if (QuietMode.load() != 0) return;
  text.FormatResource(messageId, cellName);
}
