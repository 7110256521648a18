// The switches over object kinds. See object_kinds.h.
//
// A kind whose data extends a vertex or an edge (the molecule vertices and
// edges, kinds 14 and 15) has its own case in each switch: its construction,
// its release (which runs the vertex or edge release for the common part) and
// its destroy (which runs its own destructor, not the vertex's or edge's).
#include "model/object_kinds.h"

#include <new>

#include "foundation/private_heap.h"
#include "model/cell.h"
#include "model/detail.h"
#include "model/edge.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/object_list.h"
#include "model/thickcell.h"
#include "model/thickedge.h"
#include "model/vertex.h"

namespace {

template <typename T>
TObjectHeader* Construct(int kind) {
  void* block = PrivateHeapAlloc(sizeof(T), kHeapGenerateExceptions);
  T* object = nullptr;
  try {
    object = new (block) T();
  } catch (...) {
    PrivateHeapFree(block);
    throw;
  }
  ObjectHeaderInit(object, kind);
  return object;
}

}  // namespace

bool IsCreatableKind(int kind) { return kind >= 3 && kind <= 15 && kind != 10; }

TObjectHeader* ConstructObjectOfKind(int kind) {
  switch (kind) {
    case kVertexKind:
      return Construct<TVertex>(kind);
    case kMoleculeVertexKind:
      return Construct<TMoleculeVertex>(kind);
    case kEdgeKind:
      return Construct<TEdge>(kind);
    case kMoleculeEdgeKind:
      return Construct<TMoleculeEdge>(kind);
    case kCellKind:
      return Construct<TCell>(kind);
    case kDetailKind:
      return Construct<TDetail>(kind);
    case kThickEdgeKind:
      return Construct<TThickEdge>(kind);
    case kThickCellKind:
      return Construct<TThickCell>(kind);
    case kComponentKind:
    case kThickReservedKind:
    case kDetailRepresentationKind:
    case kEdgeChainKind:
      return Construct<TObjectHeader>(kind);
    default:
      return nullptr;
  }
}

void ReleaseKindData(TObjectHeader* object) {
  switch (object->kind) {
    case kObjectListKind:
      if (BeginObjectRelease(object)) {
        ObjectListReleaseAll(static_cast<TObjectListBody*>(object));
        EndObjectRelease(object);
      }
      return;
    case kVertexKind:
      TVertexRelease(object);
      return;
    case kMoleculeVertexKind:
      TMoleculeVertexRelease(object);
      return;
    case kEdgeKind:
      TEdgeRelease(object);
      return;
    case kMoleculeEdgeKind:
      TMoleculeEdgeRelease(object);
      return;
    case kCellKind:
      TCellRelease(object);
      return;
    case kDetailKind:
      TDetailRelease(object);
      return;
    case kThickEdgeKind:
      TThickEdgeRelease(object);
      return;
    case kThickCellKind:
      TThickCellRelease(object);
      return;
    default:
      ObjectHeaderRelease(object);
      return;
  }
}

void DestroyKindData(TObjectHeader* object) {
  switch (object->kind) {
    case kObjectListKind:
      ReleaseKindData(object);
      return;
    case kVertexKind:
      TVertexDestroy(object);
      return;
    case kMoleculeVertexKind:
      TMoleculeVertexDestroy(object);
      return;
    case kEdgeKind:
      TEdgeDestroy(object);
      return;
    case kMoleculeEdgeKind:
      TMoleculeEdgeDestroy(object);
      return;
    case kCellKind:
      TCellDestroy(object);
      return;
    case kDetailKind:
      TDetailDestroy(object);
      return;
    case kThickEdgeKind:
      TThickEdgeDestroy(object);
      return;
    case kThickCellKind:
      TThickCellDestroy(object);
      return;
    default:
      ObjectHeaderRelease(object);
      return;
  }
}

const char* KindDisplayPrefix(int kind, int creationTag) {
  switch (kind) {
    case kObjectListKind:
      return "#";
    case kVertexKind:
      return creationTag == 1 ? "v" : "v#";
    case kEdgeKind:
    case kThickReservedKind:
    case kThickEdgeKind:
    case kMoleculeVertexKind:
    case kMoleculeEdgeKind:
      return creationTag == 1 ? "" : "#";
    case kCellKind:
    case kThickCellKind:
      return "Cell #";
    case kComponentKind:
      return "Component ";
    case kDetailKind:
      return "v";
    case kDetailRepresentationKind:
      return "Detail representation #";
    case kEdgeChainKind:
      return "Edge Chain ";
    default:
      return nullptr;
  }
}
