// TObjectTable: the labeled molecule of a spine.
//
// Recognition describes a 3-manifold as a graph of pieces glued along tori:
// the labeled molecule, whose vertices are atoms (molecule_vertex.h) and whose
// edges are torus gluings (molecule_edge.h). Every spine keeps one beside it.
// When the spine is thickened the table receives one exceptional atom for the
// spine (the piece still to be recognised) and one atom for every torus of its
// boundary: a virtual atom for an open torus, or a solid torus when the torus
// carries coordinate curves that fill it. The cutting and piercing moves then
// add solid tori, Moebius, triple and Seifert atoms as they cut the spine
// apart, and count what they cut off.
//
// A table is an object manager of molecule vertices and edges, extended by
// the spine that owns it, a chain of further tables (one per connected
// component of the spine, or of the molecule), the numbers of boundary
// surfaces, three event counters and the serial counters that number new
// atoms and edges per type. Serial numbers are drawn from the chain head, so
// they are unique along a chain.
//
// Tables of different components meet through external gluings: a torus that
// one component shares with another appears in both, and the two atoms on
// its sides are linked (each the other's linked object). A molecule made of
// several tables is brought together by copying the chain and fusing every
// linked pair into one direct edge (molecule_chain.h).
//
// Queries never move the manager's cursors; they walk the list in order.
// Removal of an object that is not in the table only releases it. No message
// is reported here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/int_matrix.h"
#include "model/molecule_edge.h"
#include "model/molecule_vertex.h"
#include "model/objman.h"

class TComplex;
class TSpine;

class TObjectTable : public TObjectManager {
 public:
  // No owner, no chain, source kind 0, everything cleared.
  TObjectTable();
  // Clear, then the manager's destructor.
  ~TObjectTable();

  // Tables live in the private heap, like the spines that own them.
  static void* operator new(std::size_t bytes);
  static void operator delete(void* block);

  // Chain links := null; vertex count, boundary counts, event and serial
  // counters := 0; every object released by its kind, the manager reset. The
  // owner and the source kind stay.
  void Clear();
  // Makes the target a copy of this table: its source kind, its owner (mode
  // 1: the given owner; mode 2: this table's owner), cleared, the objects
  // copied with their molecule data (mode as for TMoleculeVertex::CopyFrom and
  // TMoleculeEdge::CopyFrom, whose mode-1 boundary references come from the
  // surface map), then the counts and counters. Linked objects are not copied:
  // RelinkCopiedChain restores them between copied tables.
  void CopyTo(TObjectTable& target, TSpine* owner, int mode,
              const TSurfaceMap* surfaces = nullptr) const;

  // ---- Owner and chain ----
  void SetOwnerSpine(TSpine* spine) { ownerSpine_ = spine; }
  TSpine* OwnerSpine() const { return ownerSpine_; }
  // The first table of the chain; null in the first table itself.
  void SetChainHead(TObjectTable* head) { chainHead_ = head; }
  TObjectTable* ChainHead() const { return chainHead_; }
  // The chain head, or this table when it is the head.
  TObjectTable* Head() { return chainHead_ != nullptr ? chainHead_ : this; }
  const TObjectTable* Head() const { return chainHead_ != nullptr ? chainHead_ : this; }
  void SetNext(TObjectTable* next) { next_ = next; }
  TObjectTable* Next() const { return next_; }
  // Set on this table and every following one.
  void SetSourceKind(int kind);
  int SourceKind() const { return sourceKind_; }
  void SetVertexCount(int count);
  int VertexCount() const { return vertexCount_; }

  // ---- Boundary counts and event counters ----
  void SetBoundaryCounts(int other, int torus);
  int OtherBoundaryCount() const { return otherBoundaryCount_; }
  int TorusBoundaryCount() const { return torusBoundaryCount_; }
  // A: piercings of 2-cells; B: solid tori cut off; C: copies of S^2 x S^1
  // cut off.
  void IncrementCounterA();
  void DecrementCounterA();
  void SetCounterA(int value) { counterA_ = value; }
  void SetCounterB(int value) { counterB_ = value; }
  void IncrementCounterC();
  void SetCounterC(int value) { counterC_ = value; }
  // This table's counter, or with argument 2 the sum over the whole chain
  // from the head. Throws Out_of_Range when the sum overflows.
  int CounterA(int argument = 1) const;
  int CounterB(int argument = 1) const;
  int CounterC(int argument = 1) const;
  // The serial counters that number new atoms (0 to 5, by type - 1) and
  // edges (6 and 7); a table file carries them.
  std::int32_t SerialCounter(int i) const;
  void SetSerialCounter(int i, std::int32_t value);
  // Both outputs start at 0; this table's counts when they are not both 0,
  // otherwise those of the first other table of the chain (from the head)
  // whose counts are not both 0. 1 when found, else 0.
  int FindBoundaryCounts(int& other, int& torus) const;
  // Molecule edges - molecule vertices + 1 of this table, plus CycleRank
  // (n - 1) of the next table when n is 2 or more and there is one.
  int CycleRank(int n) const;
  // 1 when the table has no molecule vertex.
  int IsEmpty() const { return CountOfKind(kMoleculeVertexKind) == 0 ? 1 : 0; }

  // ---- Queries over the molecule vertices, in list order ----
  int CountAtomsOfType(int type) const;
  int HasVirtualAtom() const { return CountAtomsOfType(kVirtualAtom) != 0 ? 1 : 0; }
  // The n-th (from 0) exceptional atom; null when there are fewer.
  TObjectHeader* NthExceptionalAtom(int n) const;
  // Gives the atoms that are not virtual, of the type (0: of every type), the
  // secondary numbers 1, 2, ... in list order.
  void NumberAtoms(int type);
  // The atom of the type whose primary (slot 0) or secondary number is the
  // number; null when none.
  TObjectHeader* FindAtom(int type, int number, int slot) const;
  // The first molecule edge whose boundary reference is the surface; null.
  TObjectHeader* FirstEdgeOf(const TComplex* surface) const;

  // ---- Creation and removal ----
  // A new atom of the type, registered here. Types 1 to 6 are numbered by the
  // head's serial counter of the type, any other type by the type value (a
  // Seifert atom is number 7 until renumbered); named unless names are
  // suppressed. Throws std::bad_alloc.
  TObjectHeader* NewAtom(int type);
  // The same for a molecule edge of type 1 or 2 with the head's edge counters.
  TObjectHeader* NewMoleculeEdge(int type);
  // The kind's release, then unregistered from this table (only released when
  // the table does not hold it).
  void RemoveMoleculeObject(TObjectHeader* object);

  // ---- Builders (molecule_builders.cpp) ----
  // Run by the thickening: the exceptional atom of the owner spine, then for
  // each torus of its boundary a virtual atom (no coordinate curves) or a
  // solid torus (curves), linked with the same torus in the other tables of
  // the chain; the boundary counts are taken. Nothing for an empty spine.
  void BuildBoundaryAtoms();
  // A virtual atom and a virtual edge from it to the exceptional atom, with
  // reference T and the identity gluing; the atom's secondary number and the
  // edge's primary number are T's index in the boundary list + 1, the edge's
  // end slot 1 that index. Returns the atom.
  TObjectHeader* AddVirtualAtom(TComplex* torus);
  // A solid torus with pair words (1, 0) and a true edge from it to the
  // exceptional atom with reference T and the identity gluing. Returns the atom.
  TObjectHeader* AddSolidTorusAtom(TComplex* torus);
  // The edge of S takes S' as its reference (carried on through linked
  // atoms); nothing when S has no edge.
  void FirstEdgeOfObject(const TComplex* surface, TComplex* replacement);
  // The torus T bounds a solid torus that a cutting cuts off. Its edge loses
  // the reference; with (b, c) not (0, 0) a new solid torus with pair words
  // (-c, b) replaces the edge's exceptional end and the edge keeps its
  // gluing; otherwise the edge and its end-1 atom are removed and the
  // solid-torus counter rises by 1.
  void CutOffSolidTorus(TComplex* torus, int b, int c);
  // A Moebius atom put in place on the edge of T with M, and a new true edge
  // from it to the exceptional atom with reference T (gluing (-1, 0; 0, 1)).
  // Returns the atom.
  TObjectHeader* AddMobiusAtom(TComplex* torus, const TIntQuad& m);
  // A triple atom with a new true edge for T3 (gluing (-1, 0; 0, 1)), put in
  // place on the edges of T1 and T2 with M1 and M2. Returns the atom.
  TObjectHeader* AddTripleAtom(TComplex* t1, const TIntQuad& m1, TComplex* t2, const TIntQuad& m2,
                               TComplex* t3);
  // A triple atom put in place on the edge of T1 with M1, with a new true edge
  // (T2, T3 still on the owner spine's boundary) or an external gluing for T2
  // and T3, each with gluing (-1, 0; 0, 1). Returns the atom.
  TObjectHeader* AddTripleAtomGlued(TComplex* t1, const TIntQuad& m1, TComplex* t2, TComplex* t3);
  // A true edge from the atom to a new external atom, which is linked with
  // the boundary atom of T in the next spine's table; that table's edge of T
  // gets the new edge's number. Returns the linked atom's first edge (the
  // edge of T there), on which the caller sets the gluing; null when the
  // owner spine has no next spine or its table has no edge of T (nothing is
  // made then).
  THandle AddExternalGluing(TObjectHeader* atom, TComplex* torus);
  // Joins this table's edge of T with the edge of T of another table of the
  // chain that still ends at an exceptional atom, through a new external atom
  // there; this edge takes that edge's gluing. Returns that edge, or null.
  TObjectHeader* LinkSharedBoundary(TComplex* torus);
  // Cutting along a normal torus: splits the exceptional atom's spine into
  // its components and adds a Seifert atom over the annulus with a true edge
  // or an external gluing for T1 and T2 (gluing (-1, 0; 0, 1)). Returns 2
  // when the spine stayed connected, 1 when it split, 0 when there is no
  // exceptional atom with a spine.
  int AssembleFromPieces(TComplex* t1, TComplex* t2);

  // Splits the molecule into its connected components: each new table is
  // chained directly after this one, belongs to the chain of this one, and
  // receives its objects by registration there and unregistration here. With
  // at most one vertex nothing happens; without edges every vertex but the
  // last moves into a table of its own; otherwise the component of the first
  // vertex moves out when it is not all, and the rest is split again. The new
  // tables belong to whoever owns this chain. Returns the number of
  // components.
  int Rebuild();

 private:
  TObjectTable* MoveIntoNewTable(const std::vector<THandle>& objects);

  TSpine* ownerSpine_ = nullptr;
  TObjectTable* chainHead_ = nullptr;
  TObjectTable* next_ = nullptr;
  std::int32_t sourceKind_ = 0;
  // Cleared and copied together.
  std::int32_t vertexCount_ = 0;
  std::int32_t otherBoundaryCount_ = 0;
  std::int32_t torusBoundaryCount_ = 0;
  std::int32_t counterA_ = 0;
  std::int32_t counterB_ = 0;
  std::int32_t counterC_ = 0;
  std::int32_t atomSerials_[6] = {};
  std::int32_t edgeSerials_[2] = {};
};
