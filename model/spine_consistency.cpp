// The consistency check of a spine. See spine_consistency.h.
#include "model/spine_consistency.h"

#include "foundation/status_reporter.h"
#include "model/cell.h"
#include "model/complex.h"
#include "model/edge.h"
#include "model/edge_labels.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "model/thickedge.h"
#include "model/vertex.h"

namespace {

constexpr const char* kSourceName = "spine_consistency";

std::atomic<TValidationFailureHandler> gFailureHandler{nullptr};
std::atomic<TVertexLinkAnalysis> gVertexLinkAnalysis{nullptr};
std::atomic<bool> gFailed{false};

// The recursion depth of ValidateSpine and the line of the first failing
// test of the outermost call. Per thread: a check runs on the thread that
// makes the move.
thread_local int tDepth = 0;
thread_local unsigned tFirstFailure = 0;

// Records the first failing test (by its line) and gives 0.
int Fail(unsigned line) {
  if (tFirstFailure == 0) tFirstFailure = line;
  return 0;
}

}  // namespace

int CheckCellBoundary(const TObjectHeader* cell) {
  if (TCell::Type(cell) != 1) return 1;
  int length = TCell::BoundaryLength(cell);
  for (int i = 0; i < length; ++i) {
    int direction = 0;
    int nextDirection = 0;
    THandle edge = TCell::PassageAt(cell, i, &direction);
    THandle next = TCell::PassageAt(cell, (i + 1) % length, &nextDirection);
    if (TEdge::End(edge, 2, direction).Object() != TEdge::End(next, 1, nextDirection).Object())
      return Fail(__LINE__);
  }
  return 1;
}

int CheckEdge(const TObjectHeader* edge) { return TEdge::Valency(edge) != 0 ? 1 : Fail(__LINE__); }

int CheckVertex(const TComplex& complex, const TObjectHeader* vertex) {
  int result = 1;
  int valency = TVertex::Valency(vertex);
  if (valency == 0 && !TVertex::HasAttachedCell(vertex)) result = Fail(__LINE__);
  for (int i = 0; i < valency; ++i) {
    THandle edge = TVertex::EdgeAt(vertex, i);
    if (!edge.IsValid()) {
      result = Fail(__LINE__);
      continue;
    }
    int occurrences = 0;
    for (int j = 0; j < valency; ++j)
      if (TVertex::EdgeAt(vertex, j).Object() == edge.Object()) ++occurrences;
    if (occurrences > 2 || (occurrences == 2 && !TEdge::IsLoop(edge))) result = Fail(__LINE__);
    if (!TEdge::HasEnd(edge, vertex)) result = Fail(__LINE__);
    if (!complex.Objects().Contains(edge)) result = Fail(__LINE__);
  }
  TVertexLinkAnalysis analysis = gVertexLinkAnalysis.load();
  if (analysis != nullptr && analysis(vertex) == 1) result = Fail(__LINE__);
  return result;
}

int CheckObjects(const TComplex& complex) {
  int result = 1;
  const TObjectManager& objects = complex.Objects();
  for (int kind : {kCellKind, kEdgeKind, kVertexKind}) {
    for (int k = 0; k < objects.Count(); ++k) {
      const TObjectHeader* object = objects.At(k);
      if (ObjectKind(object) != kind) continue;
      int passed = kind == kCellKind   ? CheckCellBoundary(object)
                   : kind == kEdgeKind ? CheckEdge(object)
                                       : CheckVertex(complex, object);
      if (passed == 0) result = 0;
    }
  }
  return result;
}

int CheckSurfaceLabels(const TComplex& surface) {
  if (surface.SurfaceClass() != 2) return 1;
  int result = 1;
  const TObjectManager& objects = surface.Objects();
  for (int k = 0; k < objects.Count(); ++k) {
    const TObjectHeader* vertex = objects.At(k);
    if (ObjectKind(vertex) == kVertexKind && !VertexLabelBalance(vertex)) result = Fail(__LINE__);
  }
  return result;
}

int CheckBoundarySurfaces(const TSpine& spine) {
  int result = 1;
  bool orientable = spine.Orientability(2) != 0;
  for (int i = 0; i < spine.BoundaryCount(); ++i) {
    const TComplex& surface = *spine.BoundaryAt(i);
    if (CheckObjects(surface) == 0) result = 0;
    if (orientable && CheckSurfaceLabels(surface) == 0) result = 0;
  }
  return result;
}

int CheckThickCell(const TSpine& spine, const TObjectHeader* cell) {
  THandle thick = ThickCellOfCell(spine, cell);
  THandle plus = TThickCell::Part(thick, 2);
  THandle minus = TThickCell::Part(thick, 3);
  if (!thick.IsValid() || !plus.IsValid() || !minus.IsValid()) return Fail(__LINE__);
  int length = TCell::BoundaryLength(cell);
  if (TCell::BoundaryLength(plus) != length || TCell::BoundaryLength(minus) != length)
    return Fail(__LINE__);
  if (length == 0) {
    const TObjectHeader* parts[] = {cell, plus.Object(), minus.Object()};
    for (const TObjectHeader* part : parts)
      if (TCell::Type(part) != 2 || !TCell::AttachedVertex(part).IsValid()) return Fail(__LINE__);
    return 1;
  }
  bool orientable = spine.Orientability(2) != 0;
  int result = 1;
  for (int i = 0; i < length; ++i) {
    THandle edge = TCell::EdgeAt(cell, i);
    THandle thickEdge = ThickEdgeOfObject(spine, edge);
    THandle plusSide = TCell::EdgeAt(plus, i);
    THandle minusSide = TCell::EdgeAt(minus, i);
    if (!thickEdge.IsValid() || TThickEdge::SideIndex(thickEdge, plusSide) < 0 ||
        TThickEdge::SideIndex(thickEdge, minusSide) < 0) {
      result = Fail(__LINE__);
      continue;
    }
    if (!orientable) continue;
    // A cell that runs along an edge twice, once each way, is two-sided only
    // when its "+" copy stays on one side of the edge's sheets.
    bool crossed = EdgePassageCount(plus, minusSide) != 0 || EdgePassageCount(minus, plusSide) != 0;
    if (crossed && EdgePassageCount(cell, edge) == 2 && CellAlgebraicPassages(cell, edge) == 0)
      result = Fail(__LINE__);
  }
  return result;
}

int CheckMoleculeTable(const TSpine& spine) {
  const TObjectTable* table = spine.MoleculeTable();
  if (table == nullptr) return Fail(__LINE__);
  if (spine.Next() != nullptr && table->Next() == nullptr) return Fail(__LINE__);
  int result = 1;
  for (int k = 0; k < table->Count(); ++k) {
    const TObjectHeader* edge = table->At(k);
    if (ObjectKind(edge) != kMoleculeEdgeKind) continue;
    for (int n = 1; n <= 2; ++n) {
      THandle end = TEdge::End(edge, n);
      if (!end.IsValid()) {
        result = Fail(__LINE__);
      } else if (TMoleculeVertex::AtomType(end) == kExternalAtom &&
                 !TMoleculeVertex::LinkedObject(end).IsValid()) {
        result = Fail(__LINE__);
      }
    }
  }
  return result;
}

int ValidateSpine(TSpine& spine) {
  if (tDepth == 0) tFirstFailure = 0;
  ++tDepth;
  int result = 1;
  if (CheckObjects(spine) == 0) result = 0;
  if (CheckBoundarySurfaces(spine) == 0) result = 0;
  if (spine.IsThickened()) {
    for (int n = 0;; ++n) {
      THandle cell = spine.NthCell(n);
      if (!cell.IsValid()) break;
      if (CheckThickCell(spine, cell) == 0) result = 0;
    }
    if (CheckMoleculeTable(spine) == 0) result = 0;
  }
  if (spine.Next() != nullptr && ValidateSpine(*spine.Next()) == 0) result = 0;
  --tDepth;
  if (result == 0 && tDepth == 0) {
    ReportInternalError(kSourceName, tFirstFailure);
    gFailed.store(true);
    if (TValidationFailureHandler handler = gFailureHandler.load()) handler();
  }
  return result;
}

int ValidateSpineChecked(TSpine& spine, const char* /*context*/) { return ValidateSpine(spine); }

void SetValidationFailureHandler(TValidationFailureHandler handler) { gFailureHandler.store(handler); }
bool SpineValidationFailed() { return gFailed.load(); }
void ClearSpineValidationFailure() { gFailed.store(false); }
void SetVertexLinkAnalysis(TVertexLinkAnalysis analysis) { gVertexLinkAnalysis.store(analysis); }
