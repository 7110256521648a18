// The thickening of a spine and its boundary surfaces.
//
// A special spine P is the spine of the 3-manifold M obtained by thickening
// it: every edge becomes a thick edge with three sides, every 2-cell a thick
// cell with a "+" and a "-" copy (thickedge.h, thickcell.h). The copies, glued
// along the sides, are the cells of the boundary of M, and the classes of
// copies that meet along sides are its boundary surfaces. Each true vertex
// contributes four boundary vertices, each edge three boundary edges and each
// cell two boundary cells, so the boundary's Euler characteristic is
// 4V - 3E + 2F = 2(V - E + F) = 2 chi(P) for a special spine (E = 2V).
//
// The construction succeeds exactly when P thickens to a 3-manifold: every
// vertex of valency 4, every edge of valency 3, every cell with a boundary
// word, the corners at each vertex forming the complete graph on its four
// edge ends, and every cell two-sided. A failed thickening leaves nothing
// behind (except in the mode that keeps the surfaces for a report).
//
// Orientability is decided on the details of the spine (the tetrahedra dual
// to its vertices), whose orientation marks must spread without conflict.
//
// Removing a thick cell (the moves remove cells from a thickened spine) keeps
// the boundary surfaces right: removing a 2-cell drills an arc through M that
// crosses it, so the boundary surfaces on its two sides are joined (or one
// surface gets a handle). Every condition the removal relies on is checked
// before anything is changed, so it either completes or leaves the spine as it
// was.
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "foundation/stop_poll.h"
#include "model/cell.h"
#include "model/edge.h"
#include "model/object_table.h"
#include "model/spine.h"
#include "model/thickcell.h"
#include "model/thickedge.h"
#include "model/vertex.h"

namespace {

constexpr const char* kSourceName = "spine_thickening";
constexpr int kHeadingThickeningError = 440;
constexpr int kMessageVertexValency = 443;
constexpr int kMessageThickenable = 444;
constexpr int kMessageEmptySpine = 449;

// Classes of the cells of a complex that meet along edges, each listed
// breadth-first from its first cell, the classes in the order of their first
// cells in the complex.
std::vector<std::vector<TObjectHeader*>> CellGroups(const TComplex& complex, TStopPoll& poll) {
  std::vector<std::vector<TObjectHeader*>> groups;
  std::unordered_set<const TObjectHeader*> seen;
  const TObjectManager& objects = complex.Objects();
  for (int k = 0; k < objects.Count(); ++k) {
    TObjectHeader* start = objects.At(k);
    if (ObjectKind(start) != kCellKind || seen.count(start) != 0) continue;
    std::vector<TObjectHeader*> group{start};
    seen.insert(start);
    for (std::size_t i = 0; i < group.size(); ++i) {
      poll.Steps(static_cast<unsigned>(TCell::BoundaryLength(group[i])) + 1);
      for (int p = 0; p < TCell::BoundaryLength(group[i]); ++p) {
        THandle edge = TCell::EdgeAt(group[i], p);
        for (int w = 0; w < TEdge::Valency(edge); ++w) {
          TObjectHeader* neighbour = TEdge::CellAt(edge, w);
          if (seen.insert(neighbour).second) group.push_back(neighbour);
        }
      }
    }
    groups.push_back(std::move(group));
  }
  return groups;
}

// The objects of a kind, in the manager's order (a snapshot that stays valid
// while new objects are appended).
std::vector<TObjectHeader*> ObjectsOfKind(const TComplex& complex, int kind) {
  std::vector<TObjectHeader*> objects;
  const TObjectManager& manager = complex.Objects();
  for (int k = 0; k < manager.Count(); ++k)
    if (ObjectKind(manager.At(k)) == kind) objects.push_back(manager.At(k));
  return objects;
}

void AddLabelsOf(TObjectHeader* target, const TObjectHeader* source) {
  int labels[4];
  if (!TEdge::LabelsAreZero(source, labels)) TEdge::AddLabels(target, labels, 1);
}

// TComplex::AddCellWithBoundary with the surface's members kept in a hash set
// instead of searched for in its list, which made collecting a surface
// quadratic in its size: the cell, the edges of its passages and their ends
// join the surface, each once.
void AddCellToSurface(TComplex& surface, TObjectHeader* cell,
                      std::unordered_set<const TObjectHeader*>& members) {
  if (TCell::Of(cell) == nullptr) return;
  THandle keep(cell);
  TCell::JoinCorners(cell);
  TObjectManager& objects = surface.Objects();
  if (members.insert(cell).second) objects.Register(cell);
  int length = TCell::BoundaryLength(cell);
  for (int i = 0; i < length; ++i) {
    THandle edge = TCell::EdgeAt(cell, i);
    if (!edge.IsValid()) continue;
    if (members.insert(edge.Object()).second) objects.Register(edge);
    for (int n = 1; n <= 2; ++n) {
      THandle vertex = TEdge::End(edge, n);
      if (vertex.IsValid() && members.insert(vertex.Object()).second) objects.Register(vertex);
    }
  }
}

// Takes an edge out of whichever complex holds it.
void RemoveEdgeWhereHeld(TObjectHeader* edge) {
  if (edge == nullptr) return;
  THandle keep(edge);
  TObjectManager* holder = ManagerOfObject(edge);
  RemoveEdgeFromManager(holder, edge);
  if (holder != nullptr) holder->Unregister(edge);
}

}  // namespace

// ---- Vertex check and construction ---------------------------------------------------------

int ThickeningVertexCheck(const TObjectHeader* vertex) {
  int valency = TVertex::Valency(vertex);
  if (valency == 4) return 1;
  TString message;
  message.FormatResource(kMessageVertexValency, ObjectDisplayName(vertex),
                         static_cast<unsigned>(valency));
  ReportStatus(message, kHeadingThickeningError);
  return 0;
}

int TSpine::CheckVerticesForThickening(TComplex& scratch, const TWingPassages* wings) {
  TStopPoll poll;
  for (TObjectHeader* vertex : ObjectsOfKind(*this, kVertexKind)) {
    poll.Step();
    if (ThickeningVertexCheck(vertex) == 0) return 0;
  }
  std::vector<TObjectHeader*> edges = ObjectsOfKind(*this, kEdgeKind);
  std::vector<TObjectHeader*> cells = ObjectsOfKind(*this, kCellKind);
  // Sized ahead: a thick edge per edge and a thick cell per cell here; in the
  // scratch complex three sides per edge, about two corners per edge and two
  // copies per cell.
  Objects().Reserve(Objects().Count() + static_cast<int>(edges.size() + cells.size()));
  scratch.Objects().Reserve(scratch.Objects().Count() +
                            static_cast<int>(5 * edges.size() + 2 * cells.size()));
  TThickEdgeIndex thickEdgeOf;
  thickEdgeOf.reserve(edges.size());
  for (TObjectHeader* edge : edges) {
    poll.Step();
    TObjectHeader* thickEdge = Objects().CreateObject(kThickEdgeKind);
    if (TThickEdge::Build(thickEdge, edge, scratch, wings) == 0) return 0;
    thickEdgeOf.emplace(edge, thickEdge);
  }
  for (TObjectHeader* cell : cells) {
    poll.Steps(static_cast<unsigned>(TCell::BoundaryLength(cell)) + 1);
    TObjectHeader* thickCell = Objects().CreateObject(kThickCellKind);
    if (TThickCell::Build(thickCell, cell, *this, scratch, &thickEdgeOf) == 0) return 0;
  }
  return 1;
}

void TSpine::CollectBoundarySurfaces(TComplex& scratch) {
  TStopPoll poll;
  std::vector<std::vector<TObjectHeader*>> groups = CellGroups(scratch, poll);
  std::unordered_map<const TObjectHeader*, std::size_t> groupOf;
  for (std::size_t g = 0; g < groups.size(); ++g)
    for (const TObjectHeader* cell : groups[g]) groupOf.emplace(cell, g);

  // Edges that lie on a group's cells but on none of their passages (none in
  // a thickening) join the surface of each group they touch, in the order of
  // the scratch complex.
  std::vector<std::vector<TObjectHeader*>> loose(groups.size());
  for (TObjectHeader* edge : ObjectsOfKind(scratch, kEdgeKind)) {
    poll.Step();
    std::size_t touched[2];
    int count = 0;
    for (int w = 0; w < 2; ++w) {
      auto found = groupOf.find(TEdge::CellAt(edge, w).Object());
      if (found == groupOf.end()) continue;
      if (count == 1 && touched[0] == found->second) continue;
      touched[count++] = found->second;
    }
    for (int k = 0; k < count; ++k) loose[touched[k]].push_back(edge);
  }

  // Nothing is changed until here; the surfaces are built without polling so
  // that a stop never leaves a half-built boundary.
  for (std::size_t g = 0; g < groups.size(); ++g) {
    TComplex* surface = NewBoundarySurface();
    ObjectSetNumber(surface->Component(), ++lastBoundaryNumber_);
    std::unordered_set<const TObjectHeader*> members;
    for (TObjectHeader* cell : groups[g]) AddCellToSurface(*surface, cell, members);
    for (TObjectHeader* edge : loose[g]) {
      if (!members.insert(edge).second) continue;
      surface->Objects().Register(edge);
      for (int n = 1; n <= 2; ++n) {
        THandle end = TEdge::End(edge, n);
        if (end.IsValid() && members.insert(end.Object()).second) surface->Objects().Register(end);
      }
    }
  }
  // The cells leave the scratch complex with everything else.
  scratch.Objects().Reset();
}

int TSpine::Thicken(int mode, TThickeningReport* report) {
  try {
    return ThickenSteps(mode, report);
  } catch (const TComputationStopped&) {
    // A stopped thickening leaves nothing behind, as a failed one does.
    RemoveThickObjects();
    throw;
  }
}

int TSpine::ThickenSteps(int mode, TThickeningReport* report) {
  Objects().SetCreationTag(1);
  if (IsThickened()) return 1;
  // What a failed thickening kept for its report goes before a new one starts.
  RemoveThickObjects();
  if (IsEmpty()) {
    ReportStatusIdId(kHeadingThickeningError, kMessageEmptySpine);
    return 0;
  }
  if (report != nullptr) {
    report->failedCount = -1;
    report->cells.clear();
  }
  TComplex scratch;
  scratch.Objects().SetCreationTag(1);
  const TWingPassages wings = IndexWingPassages(*this);
  int result = CheckVerticesForThickening(scratch, &wings);
  if (result == 1) {
    if (report != nullptr) report->failedCount = 0;
    std::vector<TObjectHeader*> cells = ObjectsOfKind(*this, kCellKind);
    std::vector<TObjectHeader*> thickCells = ObjectsOfKind(*this, kThickCellKind);
    TStopPoll poll;
    for (std::size_t i = 0; i < cells.size() && i < thickCells.size(); ++i) {
      poll.Steps(static_cast<unsigned>(TCell::BoundaryLength(cells[i])) + 1);
      if (report != nullptr)
        report->cells.push_back({0, ObjectNumber(cells[i]), TCell::BoundaryLength(cells[i])});
      if (TThickCell::BuildAll(thickCells[i], scratch, &wings) == 1) continue;
      result = 0;
      if (report != nullptr) {
        ++report->failedCount;
        report->cells.back().failed = 1;
      } else if (mode != 3) {
        break;
      }
    }
  }
  if (result == 1) {
    CollectBoundarySurfaces(scratch);
    if (next_ != nullptr && next_->Thicken(1) == 0) {
      RemoveThickObjects();
      return 0;
    }
    ReportStatusId(kMessageThickenable);
    if (mode != 2) {
      // The details are only a means here; their messages would bury the
      // thickening's own.
      SuppressStatus();
      orientable_ = ComputeOrientability();
      UnsuppressStatus();
      // The labeled molecule: the spine as one exceptional atom, an atom for
      // each torus of its boundary.
      molecule_->BuildBoundaryAtoms();
      molecule_->SetVertexCount(Objects().CountOfKind(kVertexKind));
      if (molecule_->HasVirtualAtom() != 0) {
        int k = 0;
        for (int i = 0; i < BoundaryCount(); ++i)
          if (BoundarySurfaceClass(BoundaryAt(i)) == 2) FirstMoleculeEdgeObject(BoundaryAt(i), ++k);
      }
    }
  } else if (mode == 3) {
    CollectBoundarySurfaces(scratch);
  } else {
    RemoveThickObjects();
  }
  return result;
}

bool TSpine::IsThickened() const {
  for (const TSpine* spine = this; spine != nullptr; spine = spine->next_)
    if (spine->BoundaryCount() == 0) return false;
  return true;
}

// ---- Removal --------------------------------------------------------------------------------

int RemoveThickEdge(TSpine& spine, TObjectHeader* thickEdge, int keepEdge) {
  if (TThickEdge::Of(thickEdge) == nullptr || !spine.Objects().Contains(thickEdge)) return 0;
  THandle keep(thickEdge);
  for (int k = 2; k >= 0; --k) {
    THandle side = TThickEdge::Side(thickEdge, k);
    if (!side.IsValid()) continue;
    TThickEdge::Detach(thickEdge, side);
    spine.DetachObjectFromBoundary(side);
    ReleaseEdgeObject(nullptr, side);
  }
  if (keepEdge == 0) {
    THandle edge = TThickEdge::Edge(thickEdge);
    if (edge.IsValid()) {
      RemoveEdgeFromManager(&spine.Objects(), edge);
      spine.Objects().Unregister(edge);
    }
  }
  ObjectReleaseByKind(thickEdge);
  return 1;
}

int RemoveThickCellParts(TSpine& spine, TObjectHeader* thickCell, int keepCell) {
  if (TThickCell::Of(thickCell) == nullptr || !spine.Objects().Contains(thickCell)) return 0;
  THandle keep(thickCell);
  for (int part = 2; part <= 3; ++part) {
    THandle copy = TThickCell::Part(thickCell, part);
    if (TComplex* surface = spine.BoundarySurfaceOf(copy)) surface->RemoveCell(copy);
  }
  if (keepCell == 0) spine.RemoveCell(TThickCell::Part(thickCell, 1));
  ObjectReleaseByKind(thickCell);
  return 1;
}

void TSpine::RemoveThickObjects() {
  // Thick objects hold the sides and copies; letting go of them first leaves
  // the surfaces to be emptied whole.
  for (int k = Objects().Count() - 1; k >= 0; --k) {
    TObjectHeader* object = Objects().At(k);
    int kind = ObjectKind(object);
    if (kind != kThickReservedKind && kind != kThickEdgeKind && kind != kThickCellKind) continue;
    THandle keep(object);
    ObjectReleaseByKind(object);
    Objects().UnregisterAt(k);
  }
  ClearBoundaries();
}

// Whether removing the thick cell can run to its end: every edge of the cell
// has its thick edge, and the sides that the removal glues exist.
static bool CanRemoveThickCell(const TSpine& spine, const TObjectHeader* thickCell,
                               const TComplex* plusSurface, const TComplex* minusSurface) {
  THandle cell = TThickCell::Part(thickCell, 1);
  THandle plus = TThickCell::Part(thickCell, 2);
  THandle minus = TThickCell::Part(thickCell, 3);
  if (plusSurface == nullptr || minusSurface == nullptr) return false;
  for (int i = 0; i < TCell::BoundaryLength(cell); ++i) {
    THandle edge = TCell::EdgeAt(cell, i);
    THandle thickEdge = ThickEdgeOfObject(spine, edge);
    if (!thickEdge.IsValid()) return false;
    int valency = TEdge::Valency(edge);
    int passages = EdgePassageCount(cell, edge);
    if (valency == passages) continue;
    if (passages == 1) {
      if (!TThickEdge::SideOfCell(thickEdge, plus).IsValid() ||
          !TThickEdge::SideOfCell(thickEdge, minus).IsValid())
        return false;
      continue;
    }
    THandle other;
    for (int w = 0; w < 3 && !other.IsValid(); ++w) {
      THandle wing = TEdge::CellAt(edge, w);
      if (wing.IsValid() && wing.Object() != cell.Object()) other = wing;
    }
    THandle otherThick = ThickCellOfCell(spine, other);
    THandle otherPlus = TThickCell::Part(otherThick, 2);
    THandle otherMinus = TThickCell::Part(otherThick, 3);
    if (spine.BoundarySurfaceOf(otherPlus) == nullptr) return false;
    THandle h = TThickEdge::SideOfCell(thickEdge, otherPlus);
    THandle g = TThickEdge::SideOfCell(thickEdge, otherMinus);
    if (!h.IsValid() || !g.IsValid() || h.Object() == g.Object()) return false;
    // After h goes, the side left beside g must exist.
    int sides = 0;
    for (int k = 0; k < 3; ++k) sides += TThickEdge::Side(thickEdge, k).IsValid() ? 1 : 0;
    if (sides < 3) return false;
  }
  return true;
}

int TSpine::RemoveThickCell(TObjectHeader* thickCell) {
  if (TThickCell::Of(thickCell) == nullptr || !Objects().Contains(thickCell)) return 0;
  THandle keep(thickCell);
  if (!IsThickened()) {
    RemoveThickCellParts(*this, thickCell, 0);
    Objects().Unregister(thickCell);
    return 1;
  }
  THandle cell = TThickCell::Part(thickCell, 1);
  THandle plus = TThickCell::Part(thickCell, 2);
  THandle minus = TThickCell::Part(thickCell, 3);
  TComplex* plusSurface = BoundarySurfaceOf(plus);
  TComplex* minusSurface = BoundarySurfaceOf(minus);
  if (!CanRemoveThickCell(*this, thickCell, plusSurface, minusSurface)) return 0;

  while (TCell::BoundaryLength(cell) > 0) {
    THandle edge = TCell::EdgeAt(cell, 0);
    THandle thickEdge = ThickEdgeOfObject(*this, edge);
    int valency = TEdge::Valency(edge);
    int passages = EdgePassageCount(cell, edge);
    if (valency == passages) {
      // No other cell passes the edge: it goes with its thick edge.
      RemoveThickEdge(*this, thickEdge, 0);
      Objects().Unregister(thickEdge);
    } else if (passages == 1) {
      // Glue the surfaces along the edge: the neighbour's copy that ran along
      // the "+" copy's side h now runs along the "-" copy's side g.
      THandle h = TThickEdge::SideOfCell(thickEdge, plus);
      THandle g = TThickEdge::SideOfCell(thickEdge, minus);
      if (!h.IsValid() || !g.IsValid()) {
        ReportInternalError(kSourceName, __LINE__);
        return 0;
      }
      int labels[4];
      bool carry = !TEdge::LabelsAreZero(h, labels);
      TCell::CutAtEdge(plus, h, 0);
      THandle neighbour = TEdge::CellAt(h, 0);
      TCell::ReplaceEdge(neighbour, h, g, 1);
      if (carry) TEdge::AddLabels(g, labels, 1);
      TCell::CutAtEdge(minus, g, 0);
      TThickEdge::Detach(thickEdge, h);
      RemoveEdgeWhereHeld(h);
      TCell::CutAtEdge(cell, edge, 0);
    } else {
      // The cell passes the edge twice beside one other cell D: both copies
      // of D come to run along one side.
      THandle other;
      for (int w = 0; w < 3 && !other.IsValid(); ++w) {
        THandle wing = TEdge::CellAt(edge, w);
        if (wing.IsValid() && wing.Object() != cell.Object()) other = wing;
      }
      THandle otherThick = ThickCellOfCell(*this, other);
      THandle otherPlus = TThickCell::Part(otherThick, 2);
      THandle otherMinus = TThickCell::Part(otherThick, 3);
      THandle h = TThickEdge::SideOfCell(thickEdge, otherPlus);
      THandle g = TThickEdge::SideOfCell(thickEdge, otherMinus);
      if (!h.IsValid() || !g.IsValid()) {
        ReportInternalError(kSourceName, __LINE__);
        return 0;
      }
      TCell::ReplaceEdge(otherPlus, h, g, 1);
      AddLabelsOf(g, h);
      TThickEdge::Detach(thickEdge, h);
      THandle beside = TThickEdge::Side(thickEdge, TThickEdge::SideIndex(thickEdge, g) == 0 ? 1 : 0);
      AddLabelsOf(g, beside);
      RemoveEdgeWhereHeld(h);
      TThickEdge::Detach(thickEdge, beside);
      RemoveEdgeWhereHeld(beside);
      TCell::CutAtEdge(cell, edge, 0);
      TCell::CutAtEdge(cell, edge, 0);
    }
    while (TCell::CutAtEdge(cell, edge, 0) == 1) {
    }
  }
  RemoveThickCellParts(*this, thickCell, 0);
  if (plusSurface != minusSurface) {
    MergeBoundarySurfaces(plusSurface, minusSurface);
  } else {
    int tag = Objects().CreationTag();
    if (tag == 8 || tag == 9 || tag == 10) SplitBoundarySurface(plusSurface);
  }
  Objects().Unregister(thickCell);
  return 1;
}

// ---- The list of boundary surfaces ------------------------------------------------------------

TComplex* TSpine::NewBoundarySurface() {
  TComplex* surface = new TComplex();
  AppendBoundary(surface);
  return surface;
}

int TSpine::BoundarySurfaceIndex(const TComplex* surface) const {
  for (int i = 0; i < BoundaryCount(); ++i)
    if (BoundaryAt(i) == surface) return i;
  return -1;
}

bool TSpine::HasBoundarySurface(const TComplex* surface) const {
  return surface != nullptr && BoundarySurfaceIndex(surface) >= 0;
}

TComplex* TSpine::BoundarySurfaceOf(const TObjectHeader* object) const {
  if (object == nullptr) return nullptr;
  for (int i = 0; i < BoundaryCount(); ++i)
    if (BoundaryAt(i)->Objects().Contains(object)) return BoundaryAt(i);
  return nullptr;
}

void TSpine::DetachObjectFromBoundary(TObjectHeader* object) {
  TComplex* surface = BoundarySurfaceOf(object);
  if (surface == nullptr) return;
  THandle keep(object);
  if (TEdge::Of(object) != nullptr)
    ReleaseEdgeObject(&surface->Objects(), object);
  else if (ObjectKind(object) == kCellKind)
    surface->RemoveCell(object);
  ObjectReleaseByKind(object);
  surface->Objects().Unregister(object);
}

int TSpine::MergeBoundarySurfaces(TComplex* a, TComplex* b) {
  if (a == nullptr || b == nullptr || a == b || !HasBoundarySurface(a) || !HasBoundarySurface(b))
    return 0;
  b->Objects().MoveAllTo(a->Objects());
  ObjectSetNumber(a->Component(), ++lastBoundaryNumber_);
  boundaries_.RemoveAt(BoundarySurfaceIndex(b));
  delete b;
  return 1;
}

int TSpine::SplitBoundarySurface(TComplex* surface) {
  if (!HasBoundarySurface(surface)) return 0;
  TStopPoll poll;
  std::vector<std::vector<TObjectHeader*>> groups = CellGroups(*surface, poll);
  if (groups.size() < 2) return 0;
  TComplex* last = nullptr;
  for (std::size_t g = 1; g < groups.size(); ++g) {
    TComplex* part = NewBoundarySurface();
    ObjectSetNumber(part->Component(), ++lastBoundaryNumber_);
    std::unordered_set<const TObjectHeader*> moved;
    auto move = [&](TObjectHeader* object) {
      if (object == nullptr || !moved.insert(object).second) return;
      THandle keep(object);
      part->Objects().Register(object);
      surface->Objects().Unregister(object);
    };
    for (TObjectHeader* cell : groups[g]) {
      move(cell);
      for (int p = 0; p < TCell::BoundaryLength(cell); ++p) {
        THandle edge = TCell::EdgeAt(cell, p);
        move(edge);
        move(TEdge::End(edge, 1));
        move(TEdge::End(edge, 2));
      }
    }
    if (BoundarySurfaceClass(part) == 1) part->ResetEdgeLabels(-1);
    last = part;
  }
  if (BoundarySurfaceClass(surface) == 1) surface->ResetEdgeLabels(-1);
  // A torus split off a sphere carries the sphere's gluing in the molecule.
  if (molecule_->IsEmpty() == 0 && BoundarySurfaceClass(last) == 2 &&
      BoundarySurfaceClass(surface) == 1)
    molecule_->FirstEdgeOfObject(surface, last);
  return 1;
}

// ---- Counting and classifying -----------------------------------------------------------------

int TSpine::BoundarySurfaceClass(const TComplex* surface, int* euler) const {
  if (surface == nullptr) return 0;
  const TObjectManager& objects = surface->Objects();
  int characteristic = objects.CountOfKind(kCellKind) + objects.CountOfKind(kVertexKind) -
                       objects.CountOfKind(kEdgeKind);
  if (euler != nullptr) *euler = characteristic;
  if (characteristic == 2) return 1;
  // A boundary surface of an orientable manifold is orientable; otherwise the
  // surface itself decides.
  if (characteristic == 0 && (orientable_ != 0 || surface->IsOrientableSurface())) return 2;
  return 0;
}

int TSpine::CountBoundaries(int kind) const {
  int count = 0;
  for (int i = 0; i < BoundaryCount(); ++i) {
    int surfaceClass = BoundarySurfaceClass(BoundaryAt(i));
    bool counted = false;
    switch (kind) {
      case 0:
        counted = true;
        break;
      case 3:
        counted = surfaceClass == 0;
        break;
      default:
        counted = surfaceClass == kind;
        break;
    }
    if (counted) ++count;
  }
  return count;
}

int TSpine::CountBoundariesByEuler(int orientable, int euler) const {
  if (orientable == 0 && orientable_ != 0) return 0;
  int count = 0;
  for (int i = 0; i < BoundaryCount(); ++i) {
    const TComplex* surface = BoundaryAt(i);
    int characteristic = 0;
    BoundarySurfaceClass(surface, &characteristic);
    if (characteristic != euler) continue;
    bool surfaceOrientable = orientable_ != 0 || surface->IsOrientableSurface();
    if (surfaceOrientable == (orientable != 0)) ++count;
  }
  return count;
}

void TSpine::NameThickObjects() {
  if (!IsThickened()) return;
  TSuppressObjectNamesScope names(0);
  for (TObjectHeader* thickCell : ObjectsOfKind(*this, kThickCellKind)) {
    std::string name = ObjectDisplayName(thickCell);
    ObjectSetNameText(TThickCell::Part(thickCell, 1), nullptr, name.c_str());
    ObjectSetNameText(TThickCell::Part(thickCell, 2), nullptr, (name + "+").c_str());
    ObjectSetNameText(TThickCell::Part(thickCell, 3), nullptr, (name + "-").c_str());
  }
  for (TObjectHeader* thickEdge : ObjectsOfKind(*this, kThickEdgeKind)) {
    std::string edgeName = ObjectDisplayName(TThickEdge::Edge(thickEdge));
    for (int k = 0; k < 3; ++k) {
      THandle side = TThickEdge::Side(thickEdge, k);
      if (!side.IsValid()) continue;
      std::string name = edgeName + "_" + std::to_string(k + 1);
      ObjectSetNameText(side, nullptr, name.c_str());
    }
  }
}

// ---- Copy -------------------------------------------------------------------------------------

void TSpine::CopyThickObjectsTo(TSpine& target) const {
  TObjectCorrespondence map(Objects(), target.Objects());
  for (int i = 0; i < BoundaryCount() && i < target.BoundaryCount(); ++i) {
    const TComplex* surface = BoundaryAt(i);
    TComplex* copy = target.BoundaryAt(i);
    ObjectSetNumber(copy->Component(), ObjectNumber(surface->Component()));
    map.AddManagers(surface->Objects(), copy->Objects());
  }
  for (int i = 0; i < Objects().Count(); ++i) {
    const TObjectHeader* source = Objects().At(i);
    TObjectHeader* copy = target.Objects().At(i);
    if (TThickEdge::Of(source) != nullptr && TThickEdge::Edge(source).IsValid())
      TThickEdge::CopyFrom(copy, source, map);
    else if (TThickCell::Of(source) != nullptr && TThickCell::Part(source, 1).IsValid())
      TThickCell::CopyFrom(copy, source, map);
  }
}
