// Delicate and crude piercing. See piercing.h.
#include "moves/piercing.h"

#include <string>

#include "foundation/heap_string.h"
#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/handle.h"
#include "model/object_kinds.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "model/thickedge.h"
#include "model/vertex.h"
#include "moves/boundary_path.h"
#include "moves/collapsing.h"
#include "moves/move_families.h"
#include "moves/move_rollback.h"
#include "moves/move_types.h"
#include "moves/thick_surgery.h"

namespace {

constexpr int kDelicatePiercingText = 276;
constexpr int kCrudePiercingText = 277;

// Grows the antenna into one part: a new edge of the complex from the vertex
// where the last passage ends (the cell's vertex for a cell attached at one)
// to a new vertex, passed along and back at the end of the word.
THandle GrowAntenna(TComplex& complex, TObjectHeader* cell) {
  TObjectManager& objects = complex.Objects();
  THandle edge(objects.CreateObject(kEdgeKind));
  THandle tip(objects.CreateObject(kVertexKind));
  int length = TCell::BoundaryLength(cell);
  if (length > 0) {
    int direction = 1;
    THandle last = TCell::PassageAt(cell, length - 1, &direction);
    TEdge::SetEndVertex(edge, TEdge::End(last, 2, direction), 1);
  }
  TEdge::SetEndVertex(edge, tip, 2);
  TCell::AppendPassage(cell, edge, 1);
  TCell::AppendPassage(cell, edge, 2);
  TCell::JoinCorners(cell);
  return edge;
}

int Pierce(TSpine& spine, int cellPosition, TString* text, bool ownMove) {
  // A piercing is also one step of longer moves and searches; it looks at
  // the stop flag before it changes anything, so that they stop between
  // steps.
  ThrowIfStopRequested();
  THandle cell = spine.NthCell(cellPosition);
  int piercingClass = ClassifyPiercing(spine, cell);
  if (piercingClass == 0) return 0;
  int moveType = piercingClass == 1 ? kMoveDelicatePiercing : kMoveCrudePiercing;
  THandle thick = ThickCellOfCell(spine, cell);
  THandle plus = TThickCell::Part(thick, 2);
  THandle minus = TThickCell::Part(thick, 3);
  TComplex* plusSurface = spine.BoundarySurfaceOf(plus);
  TComplex* minusSurface = spine.BoundarySurfaceOf(minus);
  if (ownMove) spine.Objects().SetCreationTag(moveType);
  std::string name = cell.DisplayName();
  int length = TCell::BoundaryLength(cell);

  THandle edge = GrowAntenna(spine, cell);
  THandle plusEdge = GrowAntenna(*plusSurface, plus);
  THandle minusEdge = GrowAntenna(*minusSurface, minus);
  THandle thickEdge(spine.Objects().CreateObject(kThickEdgeKind));
  TThickEdge::CopyNameToObject(thickEdge, edge);
  TThickEdge::AddSide(thickEdge, plusEdge, 0);
  TThickEdge::AddSide(thickEdge, minusEdge, 1);

  TObjectHeader* keptRaw = nullptr;
  TObjectHeader* discRaw = nullptr;
  if (SplitThickCell(spine, thick, length, length + 1, &keptRaw, &discRaw) == 0) return 0;
  THandle kept(keptRaw);
  THandle disc(discRaw);
  // Delicate piercing joins the sphere to the other surface; the molecule's
  // reference to that other surface (a torus, when it is one) moves on to
  // the joined surface.
  TComplex* remembered = nullptr;
  if (piercingClass == 1) {
    TComplex* discPlus = spine.BoundarySurfaceOf(TThickCell::Part(disc, 2));
    remembered = spine.BoundarySurfaceClass(discPlus) == 2 ? discPlus
                                                           : spine.BoundarySurfaceOf(TThickCell::Part(disc, 3));
  }
  if (spine.RemoveThickCell(disc) == 0) return 0;
  if (ownMove) {
    TString report;
    if (text != nullptr) ReportPiercing(report, piercingClass, name.c_str());
    if (text != nullptr) text->AssignString(report);
    spine.LogEvent(moveType, text != nullptr && !text->Empty() ? text->CStr() : nullptr);
  }
  THandle keptPlus = TThickCell::Part(kept, 2);
  TComplex* joined = spine.BoundarySurfaceOf(keptPlus);
  TObjectTable* table = spine.MoleculeTable();
  if (piercingClass == 1) {
    if (table != nullptr) {
      table->IncrementCounterA();
      table->FirstEdgeOfObject(remembered, joined);
    }
  } else if (joined != nullptr) {
    SetPiercingCoordinates(*joined, TCell::EdgeAt(keptPlus, 0));
    if (table != nullptr) table->AddSolidTorusAtom(joined);
  }
  return 1;
}

}  // namespace

int ClassifyPiercing(TSpine& spine, TObjectHeader* cell) {
  if (TCell::Of(cell) == nullptr || !spine.Objects().Contains(cell)) return 0;
  bool attached = TCell::Type(cell) == 2;
  if (!attached && CountFreeArcs(cell, nullptr, nullptr) > 0) return 0;
  THandle thick = ThickCellOfCell(spine, cell);
  if (!thick.IsValid()) return 0;
  TComplex* a = spine.BoundarySurfaceOf(TThickCell::Part(thick, 2));
  TComplex* b = spine.BoundarySurfaceOf(TThickCell::Part(thick, 3));
  if (a == nullptr || b == nullptr) return 0;
  // A cell at a vertex is a whole sphere of the spine: piercing it leaves a
  // disc, which keeps the manifold.
  if (attached) return 1;
  bool aSphere = spine.BoundarySurfaceClass(a) == 1;
  bool bSphere = spine.BoundarySurfaceClass(b) == 1;
  if (a != b) return aSphere || bSphere ? 1 : 0;
  return aSphere ? 2 : 0;
}

int ClassifyPiercingAt(TSpine& spine, int cellPosition) {
  THandle cell = spine.NthCell(cellPosition);
  return ClassifyPiercing(spine, cell);
}

int FindPiercingCell(TSpine& spine, int piercingClass) {
  if (spine.IsEmpty()) return -1;
  int best = -1;
  int bestCount = 0;
  TStopPoll poll;
  for (int i = 0;; ++i) {
    poll.Step();
    THandle cell = spine.NthCell(i);
    if (!cell.IsValid()) break;
    if (ClassifyPiercing(spine, cell) != piercingClass) continue;
    int count = TCell::CornerVertexCount(cell);
    if (best == -1 || count > bestCount) {
      best = i;
      bestCount = count;
    }
  }
  return best;
}

int PierceCell(TSpine& spine, int cellPosition, TString* text) {
  return PerformWithRollback(spine, [&] { return Pierce(spine, cellPosition, text, true); });
}

int PierceCellQuietly(TSpine& spine, int cellPosition) {
  return PerformWithRollback(spine, [&] { return Pierce(spine, cellPosition, nullptr, false); });
}

void ReportPiercing(TString& text, int piercingClass, const char* cellName) {
  if (QuietMode.load() != 0) return;
  text.FormatResource(piercingClass == 1 ? kDelicatePiercingText : kCrudePiercingText, cellName);
}

void SetPiercingCoordinates(TComplex& surface, TObjectHeader* edge) {
  if (TEdge::Of(edge) == nullptr) return;
  surface.ResetEdgeLabels(-1);
  TEdge::SetLabel(edge, 0, 1);
  THandle vertex = TEdge::End(edge, 1);
  THandle other;
  for (int i = 0; i < TVertex::Valency(vertex) && !other.IsValid(); ++i) {
    THandle candidate = TVertex::EdgeAt(vertex, i);
    if (candidate.Object() != edge) other = candidate;
  }
  if (!other.IsValid()) return;
  // A loop closes the longitude by itself; the path search does not mark it.
  if (TEdge::IsLoop(other)) {
    TEdge::SetLabel(other, 1, 1);
    return;
  }
  int direction = TEdge::End(other, 1).Object() == vertex.Object() ? 1 : 2;
  FindBoundaryPath(vertex, vertex, other, direction, nullptr, nullptr, nullptr, &surface, 1);
}
