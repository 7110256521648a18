// TComplex: lifetime, copy, counts and the surface tests. See complex.h.
//
// Orientability of a closed surface. Every edge of a closed surface lies on
// exactly two passages of cell boundaries. The surface is orientable exactly
// when each cell can be given an orientation (its word read forward or
// backward) such that every edge is passed once along and once against. A
// breadth-first walk over the cells fixes the orientation of each cell from a
// neighbour across a shared edge and fails as soon as an edge is passed twice
// in the same sense; a cell that passes one edge twice must pass it in
// opposite directions. The cost is linear in the total length of the words.
#include "model/complex.h"

#include <numeric>
#include <unordered_map>
#include <vector>

#include "model/cell.h"
#include "model/edge.h"
#include "model/vertex.h"

namespace {

// A passage seen from its edge: the cell (by index) and +1 along, -1 against.
struct TEdgePassage {
  int cell;
  int sign;
};

int Find(std::vector<int>& parent, int i) {
  while (parent[static_cast<std::size_t>(i)] != i) {
    parent[static_cast<std::size_t>(i)] = parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(i)])];
    i = parent[static_cast<std::size_t>(i)];
  }
  return i;
}

}  // namespace

TComplex::TComplex() { component_.AssignObject(objects_.CreateObject(kComponentKind)); }

TComplex::~TComplex() { ReleaseAllObjects(); }

void* TComplex::operator new(std::size_t bytes) { return AllocateModelBlock(bytes); }

void TComplex::operator delete(void* block) { FreeModelBlock(block); }

void TComplex::ReleaseAllObjects() {
  // The cells' words go first, each from its end. Releasing an edge first
  // would cut every cell through it in the middle of its word, shifting the
  // rest of the word each time: quadratic on the long cells of a framing.
  for (int i = 0; i < objects_.Count(); ++i) {
    TObjectHeader* object = objects_.At(i);
    if (object != nullptr && ObjectKind(object) == kCellKind) TCell::ReleaseWordForTeardown(object);
  }
  while (objects_.Count() > 0) {
    int before = objects_.Count();
    int last = before - 1;
    THandle object(objects_.At(last));
    switch (object.Kind()) {
      case kEdgeKind:
      case kMoleculeEdgeKind:
        ReleaseEdgeObject(&objects_, object);
        objects_.Unregister(object);
        break;
      case kCellKind:
        RemoveCell(object);
        break;
      case kComponentKind:
        objects_.Unregister(object);
        break;
      default:
        ObjectReleaseByKind(object);
        objects_.Unregister(object);
        break;
    }
    // Whatever could not be taken out the ordinary way (a null entry) goes now.
    if (objects_.Count() >= before && objects_.At(last) == object.Object())
      objects_.UnregisterAt(last);
  }
  ObjectHeaderRelease(component_);
  objects_.Reset();
}

void TComplex::CopyTo(TComplex& target) const {
  if (&target == this) return;
  target.ReleaseAllObjects();
  objects_.CopyObjectsTo(target.objects_);
  TObjectCorrespondence map(objects_, target.objects_);
  for (int i = 0; i < objects_.Count(); ++i) {
    const TObjectHeader* source = objects_.At(i);
    TObjectHeader* copy = target.objects_.At(i);
    switch (ObjectKind(source)) {
      case kVertexKind:
      case kMoleculeVertexKind:
        TVertex::CopyFrom(copy, source, map);
        break;
      case kEdgeKind:
      case kMoleculeEdgeKind:
        TEdge::CopyFrom(copy, source, map);
        break;
      case kCellKind:
        TCell::CopyFrom(copy, source, map);
        break;
      default:
        break;  // identity only
    }
  }
}

bool TComplex::IsEmpty() const {
  return objects_.CountOfKind(kVertexKind) == 0 && objects_.CountOfKind(kEdgeKind) == 0 &&
         objects_.CountOfKind(kCellKind) == 0;
}

THandle TComplex::NthCell(int n) { return THandle(objects_.NthOfKind(kCellKind, n)); }

int TComplex::CellOrdinal(const TObjectHeader* cell) const {
  if (cell == nullptr) return -1;
  int ordinal = 0;
  for (int i = 0; i < objects_.Count(); ++i) {
    const TObjectHeader* object = objects_.At(i);
    if (object == nullptr || object->kind != kCellKind) continue;
    if (object == cell) return ordinal;
    ++ordinal;
  }
  return -1;
}

int TComplex::ComponentCount() const {
  // Union-find over the cells: two cells meet when some edge lies on both.
  std::unordered_map<const TObjectHeader*, int> index;
  for (int i = 0; i < objects_.Count(); ++i) {
    const TObjectHeader* object = objects_.At(i);
    if (object != nullptr && object->kind == kCellKind)
      index.emplace(object, static_cast<int>(index.size()));
  }
  if (index.empty()) return 0;
  std::vector<int> parent(index.size());
  std::iota(parent.begin(), parent.end(), 0);
  for (int i = 0; i < objects_.Count(); ++i) {
    const TEdge* edge = TEdge::Of(objects_.At(i));
    if (edge == nullptr) continue;
    int root = -1;
    for (int k = 0; k < edge->cellList.Count(); ++k) {
      auto found = index.find(edge->cellList.At(k));
      if (found == index.end()) continue;
      int other = Find(parent, found->second);
      if (root < 0)
        root = other;
      else if (other != root)
        parent[static_cast<std::size_t>(other)] = root;
    }
  }
  int components = 0;
  for (std::size_t i = 0; i < parent.size(); ++i)
    if (Find(parent, static_cast<int>(i)) == static_cast<int>(i)) ++components;
  return components;
}

int TComplex::CountFreeEdges() const {
  int count = 0;
  for (int i = 0; i < objects_.Count(); ++i) {
    const TObjectHeader* object = objects_.At(i);
    if (ObjectKind(object) == kEdgeKind && TEdge::Valency(object) == 0) ++count;
  }
  return count;
}

int TComplex::CountIsolatedVertices() const {
  int count = 0;
  for (int i = 0; i < objects_.Count(); ++i) {
    const TObjectHeader* object = objects_.At(i);
    if (ObjectKind(object) == kVertexKind && TVertex::Valency(object) == 0 &&
        !TVertex::HasAttachedCell(object))
      ++count;
  }
  return count;
}

void TComplex::AddCellWithBoundary(TObjectHeader* cell) {
  if (TCell::Of(cell) == nullptr) return;
  THandle keep(cell);
  TCell::JoinCorners(cell);
  if (!objects_.Contains(cell)) objects_.Register(cell);
  int length = TCell::BoundaryLength(cell);
  for (int i = 0; i < length; ++i) {
    THandle edge = TCell::EdgeAt(cell, i);
    if (!edge.IsValid()) continue;
    if (!objects_.Contains(edge)) objects_.Register(edge);
    for (int n = 1; n <= 2; ++n) {
      THandle vertex = TEdge::End(edge, n);
      if (vertex.IsValid() && !objects_.Contains(vertex)) objects_.Register(vertex);
    }
  }
}

int TComplex::RemoveCell(TObjectHeader* cell) {
  TCell* c = TCell::Of(cell);
  if (c == nullptr || !objects_.Contains(cell)) return 0;
  THandle keep(cell);
  if (c->type == 1) {
    // Cut from the end of the word: the last passage goes without moving the
    // others, where cutting the first one shifted the whole rest of a long
    // word each time. Every passage goes either way.
    while (TCell::BoundaryLength(cell) > 0)
      if (TCell::CutAtPassage(cell, TCell::BoundaryLength(cell) - 1, 0) == 0) break;
  } else if (c->type == 2) {
    TCell::DetachFromVertex(cell, &objects_);
  }
  TCellRelease(cell);
  objects_.Unregister(cell);
  return 1;
}

int TComplex::SurfaceClass(int* euler) const {
  int characteristic = objects_.CountOfKind(kCellKind) + objects_.CountOfKind(kVertexKind) -
                       objects_.CountOfKind(kEdgeKind);
  if (euler != nullptr) *euler = characteristic;
  if (characteristic == 2) return 1;
  if (characteristic == 0 && IsOrientableSurface()) return 2;
  return 0;
}

int TComplex::CopyAsSpine() const {
  return ComponentCount() == 1 && IsOrientableSurface() ? 1 : 0;
}

bool TComplex::IsClosedSurface() const {
  if (objects_.CountOfKind(kEdgeKind) == 0)
    return objects_.CountOfKind(kVertexKind) == 1 && objects_.CountOfKind(kCellKind) == 1;
  for (int i = 0; i < objects_.Count(); ++i) {
    const TObjectHeader* object = objects_.At(i);
    if (ObjectKind(object) == kEdgeKind && TEdge::Valency(object) != 2) return false;
  }
  return true;
}

bool TComplex::IsOrientableSurface() const {
  if (!IsClosedSurface()) return false;
  std::vector<const TCell*> cells;
  for (int i = 0; i < objects_.Count(); ++i)
    if (const TCell* cell = TCell::Of(objects_.At(i))) cells.push_back(cell);
  std::unordered_map<const TObjectHeader*, std::vector<TEdgePassage>> passages;
  for (std::size_t c = 0; c < cells.size(); ++c) {
    const TCell* cell = cells[c];
    if (cell->type != 1) continue;
    for (int i = 0; i < cell->boundaryEdges.Count(); ++i) {
      int sign = cell->directions.ValueAt(i) == 1 ? 1 : -1;
      passages[cell->boundaryEdges.At(i)].push_back({static_cast<int>(c), sign});
    }
  }
  // orientation[c]: 0 not yet fixed, else +1 (word as it stands) or -1.
  std::vector<int> orientation(cells.size(), 0);
  std::vector<int> queue;
  for (std::size_t start = 0; start < cells.size(); ++start) {
    if (orientation[start] != 0) continue;
    orientation[start] = 1;
    queue.assign(1, static_cast<int>(start));
    while (!queue.empty()) {
      int c = queue.back();
      queue.pop_back();
      const TCell* cell = cells[static_cast<std::size_t>(c)];
      if (cell->type != 1) continue;
      for (int i = 0; i < cell->boundaryEdges.Count(); ++i) {
        const std::vector<TEdgePassage>& pair = passages[cell->boundaryEdges.At(i)];
        if (pair.size() != 2) return false;
        const TEdgePassage& a = pair[0];
        const TEdgePassage& b = pair[1];
        int& oa = orientation[static_cast<std::size_t>(a.cell)];
        int& ob = orientation[static_cast<std::size_t>(b.cell)];
        // The two passages, each in its cell's orientation, must be opposite.
        if (a.cell == b.cell) {
          if (a.sign == b.sign) return false;
          continue;
        }
        if (oa != 0 && ob != 0) {
          if (oa * a.sign != -ob * b.sign) return false;
        } else if (oa != 0) {
          ob = -oa * a.sign * b.sign;
          queue.push_back(b.cell);
        } else if (ob != 0) {
          oa = -ob * b.sign * a.sign;
          queue.push_back(a.cell);
        }
      }
    }
  }
  return true;
}

bool ComplexContains(const TComplex* complex, const TObjectHeader* object) {
  return complex != nullptr && object != nullptr && complex->Objects().Contains(object);
}
