// The molecule builders: the atoms that the thickening and the cutting moves
// add to a spine's labeled molecule.
//
// When a spine is thickened its manifold is, as far as the molecule knows,
// one piece still to be recognised (the exceptional atom X) with a torus
// boundary for every torus surface of the thickening. Each torus becomes an
// edge from an atom on its far side to X: a virtual atom when the torus is
// left open, a solid torus when coordinate curves on it say how it is filled.
// The gluing of such an edge starts as the identity in the coordinates of the
// torus.
//
// The cutting moves then cut the spine apart along discs, annuli and tori;
// each cut recognises a piece (a solid torus, a Moebius atom over the Moebius
// band, a triple atom over the pair of pants, a Seifert atom over the annulus)
// and puts it in place of X on the edges of the tori it touches. Putting an
// atom A in place on the edge E of a torus with matrix M means: A replaces X
// as E's end, E forgets its torus (the torus is no longer on the boundary of
// the spine), and E's gluing G becomes M G when A is E's end 2, G M^-1 when
// A is its end 1, so that the gluing is expressed in the coordinates of A.
//
// When a cut splits the spine into components, a torus may end up between two
// components: the two sides are then an edge ending at an external atom in
// one table and a boundary atom in the next table, linked with each other
// (molecule_chain.h fuses such pairs when the whole molecule is read).
#include "model/object_table.h"

#include <utility>

#include "foundation/checked_int64.h"
#include "model/complex.h"
#include "model/spine.h"

namespace {

const TIntQuad kIdentity{1, 0, 0, 1};
const TIntQuad kOrientationFlip{-1, 0, 0, 1};

// A new edge of the type from the atom to the table's exceptional atom, with
// the reference and the gluing.
TObjectHeader* NewEdgeToPiece(TObjectTable& table, int type, TObjectHeader* atom, TComplex* torus,
                              const TIntQuad& gluing) {
  TObjectHeader* piece = table.NthExceptionalAtom(0);
  TObjectHeader* edge = table.NewMoleculeEdge(type);
  TEdge::SetEndVertex(edge, atom, 1, 1);
  TEdge::SetEndVertex(edge, piece, 2, 1);
  TMoleculeEdge::SetBoundaryReference(edge, torus);
  TMoleculeEdge::SetGluing(edge, gluing, 1);
  return edge;
}

// A takes X's place on E, E forgets its torus, and E's gluing is expressed
// in A's coordinates.
void PutInPlace(TObjectTable& table, TObjectHeader* edge, TObjectHeader* atom, const TIntQuad& m) {
  if (edge == nullptr) return;
  TMoleculeEdge::ReplaceExceptionalEnd(edge, &table, atom);
  TMoleculeEdge::SetBoundaryReference(edge, nullptr);
  TMoleculeEdge::TransformGluing(edge, m, TEdge::EndNumber(edge, atom) == 2 ? 1 : 2);
}

void LinkBothWays(TObjectHeader* a, TObjectHeader* b) {
  TMoleculeVertex::SetLinkedObject(a, b);
  TMoleculeVertex::SetLinkedObject(b, a);
}

}  // namespace

void TObjectTable::BuildBoundaryAtoms() {
  TSpine* spine = ownerSpine_;
  if (spine == nullptr || spine->IsEmpty()) return;
  TObjectHeader* piece = NewAtom(kExceptionalAtom);
  TMoleculeVertex::SetMarkWord(piece, reinterpret_cast<std::intptr_t>(spine));
  if (!spine->IsThickened()) return;
  int other = 0;
  int tori = 0;
  for (int i = 0; i < spine->BoundaryCount(); ++i) {
    TComplex* surface = spine->BoundaryAt(i);
    if (spine->BoundarySurfaceClass(surface) != 2) {
      ++other;
      continue;
    }
    ++tori;
    if (surface->AllEdgeLabelsZero())
      AddVirtualAtom(surface);
    else
      AddSolidTorusAtom(surface);
    LinkSharedBoundary(surface);
  }
  SetBoundaryCounts(other, tori);
}

TObjectHeader* TObjectTable::AddVirtualAtom(TComplex* torus) {
  TObjectHeader* atom = NewAtom(kVirtualAtom);
  TObjectHeader* edge = NewEdgeToPiece(*this, kVirtualMoleculeEdge, atom, torus, kIdentity);
  int i = ownerSpine_ != nullptr ? ownerSpine_->BoundarySurfaceIndex(torus) : -1;
  ObjectSetNumberSlot(atom, 1, i + 1);
  // The edge keeps the name its serial number gave it.
  ObjectSetNumber(edge, i + 1);
  TMoleculeEdge::SetEndSlot(edge, 1, i);
  return atom;
}

TObjectHeader* TObjectTable::AddSolidTorusAtom(TComplex* torus) {
  TObjectHeader* atom = NewAtom(kSolidTorusAtom);
  TMoleculeVertex::SetPair(atom, 1, 0);
  NewEdgeToPiece(*this, kTrueMoleculeEdge, atom, torus, kIdentity);
  return atom;
}

void TObjectTable::FirstEdgeOfObject(const TComplex* surface, TComplex* replacement) {
  if (TObjectHeader* edge = FirstEdgeOf(surface))
    TMoleculeEdge::SetBoundaryReference(edge, replacement);
}

void TObjectTable::CutOffSolidTorus(TComplex* torus, int b, int c) {
  THandle edge(FirstEdgeOf(torus));
  if (!edge.IsValid()) return;
  TMoleculeEdge::SetBoundaryReference(edge, nullptr);
  if (b != 0 || c != 0) {
    TObjectHeader* atom = NewAtom(kSolidTorusAtom);
    TMoleculeVertex::SetPair(atom, CheckedIntDifference(0, c), b);
    TMoleculeEdge::ReplaceExceptionalEnd(edge, this, atom);
    return;
  }
  // A solid torus filled along its own meridian: the torus bounds a ball on
  // one side, and the gluing disappears with its boundary atom.
  THandle boundaryAtom = TEdge::End(edge, 1);
  TEdge::DetachEnd(edge, 1);
  TEdge::DetachEnd(edge, 2);
  RemoveMoleculeObject(edge);
  RemoveMoleculeObject(boundaryAtom);
  counterB_ = CheckedIntSum(counterB_, 1);
}

TObjectHeader* TObjectTable::AddMobiusAtom(TComplex* torus, const TIntQuad& m) {
  TObjectHeader* atom = NewAtom(kMobiusAtom);
  PutInPlace(*this, FirstEdgeOf(torus), atom, m);
  // The new torus faces the rest of the spine: its labels (section, fibre)
  // are oriented from that side, the atom's coordinates from its own, as for
  // the third torus of a triple atom. With the identity here the names of
  // Seifert manifolds over RP^2 came out with the Euler number shifted.
  NewEdgeToPiece(*this, kTrueMoleculeEdge, atom, torus, kOrientationFlip);
  return atom;
}

TObjectHeader* TObjectTable::AddTripleAtom(TComplex* t1, const TIntQuad& m1, TComplex* t2,
                                           const TIntQuad& m2, TComplex* t3) {
  TObjectHeader* atom = NewAtom(kTripleAtom);
  NewEdgeToPiece(*this, kTrueMoleculeEdge, atom, t3, kOrientationFlip);
  const std::pair<TComplex*, const TIntQuad*> sides[2] = {{t1, &m1}, {t2, &m2}};
  for (const auto& [torus, m] : sides) {
    TObjectHeader* edge = FirstEdgeOf(torus);
    if (edge == nullptr) continue;
    // The torus is forgotten while the edge still ends at the piece, so that
    // the clearing is carried through the atoms linked with its old ends.
    TMoleculeEdge::SetBoundaryReference(edge, nullptr);
    TMoleculeEdge::ReplaceExceptionalEnd(edge, this, atom);
    TMoleculeEdge::TransformGluing(edge, *m, TEdge::EndNumber(edge, atom) == 2 ? 1 : 2);
  }
  return atom;
}

TObjectHeader* TObjectTable::AddTripleAtomGlued(TComplex* t1, const TIntQuad& m1, TComplex* t2,
                                                TComplex* t3) {
  TObjectHeader* atom = NewAtom(kTripleAtom);
  PutInPlace(*this, FirstEdgeOf(t1), atom, m1);
  for (TComplex* torus : {t2, t3}) {
    THandle edge;
    if (ownerSpine_ != nullptr && ownerSpine_->HasBoundarySurface(torus))
      edge.AssignObject(NewEdgeToPiece(*this, kTrueMoleculeEdge, atom, torus, kIdentity));
    else
      edge = AddExternalGluing(atom, torus);
    TMoleculeEdge::SetGluing(edge, kOrientationFlip, 1);
  }
  return atom;
}

THandle TObjectTable::AddExternalGluing(TObjectHeader* atom, TComplex* torus) {
  TSpine* next = ownerSpine_ != nullptr ? ownerSpine_->Next() : nullptr;
  TObjectTable* nextTable = next != nullptr ? next->MoleculeTable() : nullptr;
  TObjectHeader* far = nextTable != nullptr ? nextTable->FirstEdgeOf(torus) : nullptr;
  if (far == nullptr) return THandle();
  TObjectHeader* edge = NewMoleculeEdge(kTrueMoleculeEdge);
  TMoleculeEdge::SetGluing(edge, kIdentity, 1);
  TEdge::SetEndVertex(edge, atom, 1, 1);
  TObjectHeader* external = NewAtom(kExternalAtom);
  TEdge::SetEndVertex(edge, external, 2, 1);
  ObjectSetNumber(far, ObjectNumber(edge));
  THandle boundaryAtom = TEdge::End(far, 1);
  LinkBothWays(external, boundaryAtom);
  return TVertex::EdgeAt(boundaryAtom, 0);
}

TObjectHeader* TObjectTable::LinkSharedBoundary(TComplex* torus) {
  TObjectTable* other = nullptr;
  TObjectHeader* far = nullptr;
  for (TObjectTable* t = Head(); t != nullptr && far == nullptr; t = t->next_) {
    if (t == this) continue;
    TObjectHeader* edge = t->FirstEdgeOf(torus);
    if (edge != nullptr && TMoleculeVertex::AtomType(TEdge::End(edge, 2)) == kExceptionalAtom) {
      other = t;
      far = edge;
    }
  }
  if (far == nullptr) return nullptr;
  TObjectHeader* external = other->NewAtom(kExternalAtom);
  TMoleculeEdge::ReplaceExceptionalEnd(far, other, external);
  TObjectHeader* near = FirstEdgeOf(torus);
  if (near != nullptr) {
    LinkBothWays(TEdge::End(near, 1), external);
    TMoleculeEdge::SetGluing(near, TMoleculeEdge::GluingQuad(far), 1);
  }
  return far;
}

int TObjectTable::AssembleFromPieces(TComplex* t1, TComplex* t2) {
  auto* spine = reinterpret_cast<TSpine*>(TMoleculeVertex::MarkWord(NthExceptionalAtom(0)));
  if (spine == nullptr) return 0;
  int split = spine->SplitIntoComponents();
  TObjectHeader* atom = NewAtom(kSeifertAtom);
  TMoleculeVertex::ResetByType(atom, kBaseAnnulus);
  for (TComplex* torus : {t1, t2}) {
    if (split == 0 || spine->HasBoundarySurface(torus)) {
      NewEdgeToPiece(*this, kTrueMoleculeEdge, atom, torus, kOrientationFlip);
      continue;
    }
    THandle edge = AddExternalGluing(atom, torus);
    TMoleculeEdge::SetGluing(edge, kOrientationFlip, 1);
  }
  return split == 0 ? 2 : 1;
}
