// Molecule edges: gluing matrices, boundary references and end replacement.
// See molecule_edge.h.
#include "model/molecule_edge.h"

#include <cstring>

#include "model/molecule_names.h"
#include "model/molecule_vertex.h"
#include "model/object_table.h"
#include "model/objman.h"

namespace {

bool IsQuadMatrix(const TIntMatrix& m) {
  return m.Rows() == 2 && m.Columns() == 2 && m.RowLength(0) >= 2 && m.RowLength(1) >= 2;
}

TIntQuad QuadOf(const TIntMatrix& m) {
  return TIntQuad{m.Row(0)[0], m.Row(0)[1], m.Row(1)[0], m.Row(1)[1]};
}

int SlotIndex(int slot) { return slot == 1 ? 0 : 1; }

}  // namespace

TMoleculeEdge* TMoleculeEdge::Of(const TObjectHeader* object) {
  if (object == nullptr || object->kind != kMoleculeEdgeKind) return nullptr;
  return static_cast<TMoleculeEdge*>(const_cast<TObjectHeader*>(object));
}

void TMoleculeEdge::SetEdgeType(TObjectHeader* edge, int type) {
  if (TMoleculeEdge* e = Of(edge)) e->edgeType = type;
}

int TMoleculeEdge::EdgeType(const TObjectHeader* edge) {
  const TMoleculeEdge* e = Of(edge);
  return e == nullptr ? 0 : e->edgeType;
}

void TMoleculeEdge::SetBoundaryReference(TObjectHeader* edge, TComplex* surface) {
  TMoleculeEdge* e = Of(edge);
  // Every step sets the reference of one edge that lacked it, so the walk
  // visits each edge at most once and ends.
  while (e != nullptr) {
    e->boundaryReference = surface;
    THandle linked = TMoleculeVertex::LinkedObject(e->end1);
    if (!linked.IsValid()) linked = TMoleculeVertex::LinkedObject(e->end2);
    TMoleculeEdge* next = Of(TVertex::EdgeAt(linked, 0));
    if (next == nullptr || next->boundaryReference == surface) return;
    e = next;
  }
}

TComplex* TMoleculeEdge::BoundaryReference(const TObjectHeader* edge) {
  const TMoleculeEdge* e = Of(edge);
  return e == nullptr ? nullptr : e->boundaryReference;
}

void TMoleculeEdge::SetGluingValues(TObjectHeader* edge, int a, int b, int c, int d) {
  if (TMoleculeEdge* e = Of(edge)) QuadSet(e->gluing, a, b, c, d);
}

TIntQuad TMoleculeEdge::GluingQuad(const TObjectHeader* edge) {
  const TMoleculeEdge* e = Of(edge);
  return e == nullptr ? TIntQuad{} : e->gluing;
}

void TMoleculeEdge::GluingMatrix(const TObjectHeader* edge, TIntMatrix& matrix) {
  const TMoleculeEdge* e = Of(edge);
  if (e == nullptr) return;
  matrix.SetQuad(e->gluing.a, e->gluing.b, e->gluing.c, e->gluing.d);
}

void TMoleculeEdge::SetGluing(TObjectHeader* edge, const TIntQuad& quad, int mode) {
  TMoleculeEdge* e = Of(edge);
  if (e == nullptr) return;
  TIntQuad stored = quad;
  if (mode != 1) QuadInvertUnimodular(stored, quad);
  e->gluing = stored;
}

int TMoleculeEdge::SetGluingFromMatrix(TObjectHeader* edge, const TIntMatrix& matrix, int mode) {
  if (Of(edge) == nullptr || !IsQuadMatrix(matrix)) return 0;
  SetGluing(edge, QuadOf(matrix), mode);
  return 1;
}

void TMoleculeEdge::TransformGluing(TObjectHeader* edge, const TIntQuad& m, int mode) {
  TMoleculeEdge* e = Of(edge);
  if (e == nullptr) return;
  TIntQuad product;
  if (mode == 1) {
    QuadProduct(product, m, e->gluing);
  } else {
    TIntQuad inverse;
    QuadInvertUnimodular(inverse, m);
    QuadProduct(product, e->gluing, inverse);
  }
  e->gluing = product;
}

int TMoleculeEdge::TransformGluingByMatrix(TObjectHeader* edge, const TIntMatrix& m, int mode) {
  if (Of(edge) == nullptr || !IsQuadMatrix(m)) return 0;
  TransformGluing(edge, QuadOf(m), mode);
  return 1;
}

void TMoleculeEdge::SetLinkedData(TObjectHeader* edge, void* data) {
  if (TMoleculeEdge* e = Of(edge)) e->linkedData = data;
}

void* TMoleculeEdge::LinkedData(const TObjectHeader* edge) {
  const TMoleculeEdge* e = Of(edge);
  return e == nullptr ? nullptr : e->linkedData;
}

void TMoleculeEdge::SetEndSlot(TObjectHeader* edge, int slot, int value) {
  if (TMoleculeEdge* e = Of(edge)) e->endSlots[SlotIndex(slot)] = static_cast<std::int16_t>(value);
}

int TMoleculeEdge::EndSlot(const TObjectHeader* edge, int slot) {
  const TMoleculeEdge* e = Of(edge);
  return e == nullptr ? -1 : e->endSlots[SlotIndex(slot)];
}

int TMoleculeEdge::ReplaceExceptionalEnd(TObjectHeader* edge, TObjectTable* table,
                                         TObjectHeader* vertex) {
  TMoleculeEdge* e = Of(edge);
  if (e == nullptr) return 0;
  int end = 0;
  if (TMoleculeVertex::AtomType(e->end2) == kExceptionalAtom) {
    end = 2;
  } else if (TMoleculeVertex::AtomType(e->end1) == kExceptionalAtom) {
    end = 1;
  } else if (TMoleculeVertex::AtomType(e->end2) == kExternalAtom) {
    // The piece lies across an external gluing: in the other component, the
    // linked boundary atom's edge leads to it.
    THandle partner = TMoleculeVertex::LinkedObject(e->end2);
    THandle far = TEdge::End(TVertex::EdgeAt(partner, 0), 2);
    if (TMoleculeVertex::AtomType(far) == kExceptionalAtom) end = 2;
  }
  if (end == 0) return 0;
  THandle keepEdge(edge);
  THandle old = TEdge::End(edge, end);
  TEdge::SetEndVertex(edge, vertex, end, 1);
  if (old.IsValid() && old.Object() != vertex && TVertex::Valency(old) == 0 &&
      TMoleculeVertex::AtomType(old) != kExceptionalAtom) {
    if (table != nullptr)
      table->RemoveMoleculeObject(old);
    else
      ObjectReleaseByKind(old);
  }
  return end;
}

char* TMoleculeEdge::Label(const TObjectHeader* edge, char* buffer, std::size_t n) {
  const TMoleculeEdge* e = Of(edge);
  if (e == nullptr || buffer == nullptr || n == 0) return nullptr;
  if (e->name != nullptr) return NameObjectText(e->name, buffer, n);
  TString name = MoleculeEdgeName(e->edgeType, e->number);
  std::size_t length = name.Length();
  if (length > n - 1) length = n - 1;
  std::memcpy(buffer, name.CStr(), length);
  buffer[length] = '\0';
  return buffer;
}

void TMoleculeEdge::CopyFrom(TObjectHeader* target, const TObjectHeader* source,
                             const TObjectCorrespondence& map, int mode,
                             const TSurfaceMap* surfaces) {
  TMoleculeEdge* to = Of(target);
  const TMoleculeEdge* from = Of(source);
  if (to == nullptr || from == nullptr) return;
  TEdge::CopyFrom(target, source, map);
  to->edgeType = from->edgeType;
  if (mode == 1) {
    to->boundaryReference = nullptr;
    if (surfaces != nullptr && from->boundaryReference != nullptr) {
      auto found = surfaces->find(from->boundaryReference);
      if (found != surfaces->end()) to->boundaryReference = found->second;
    }
  } else {
    to->boundaryReference = from->boundaryReference;
  }
  to->gluing = from->gluing;
  to->linkedData = from->linkedData;
  to->endSlots[0] = from->endSlots[0];
  to->endSlots[1] = from->endSlots[1];
}

void TMoleculeEdgeRelease(TObjectHeader* edge) { TEdgeRelease(edge); }

void TMoleculeEdgeDestroy(TObjectHeader* edge) {
  TMoleculeEdge* e = TMoleculeEdge::Of(edge);
  if (e == nullptr) return;
  TEdgeRelease(edge);
  e->~TMoleculeEdge();
}
