// TSpine: a special spine of a 3-manifold and what the system learns about it.
//
// A spine is a 2-dimensional cell complex (TComplex) whose regular
// neighbourhood is the manifold. A spine whose cells fall into several
// connected components is a chain of spines, one per component: the head owns
// the next spine, which owns its next, and so on. Every spine of a chain but
// the head has the head as the owner of its object manager, so that object
// numbers are drawn from the head's counters and are unique along the chain,
// and its move log entries go to the head.
//
// Attached to the complex: the presentation it was built from (source kind),
// whether its thickening is orientable, its first homology group, the boundary
// surfaces of its thickening (complexes of their own), the log of the moves
// performed on it, the flag that its cells have been reduced, and its labeled
// molecule (TObjectTable), whose tables are chained like the spines.
//
// A spine and everything it owns live in the private heap that was current
// when it was made; it is destroyed (or cleared) in the heap context that
// holds it.
#pragma once

#include <atomic>
#include <cstddef>

#include "model/complex.h"
#include "model/object_list.h"
#include "model/thickedge.h"
#include "model/thickening_report.h"

class THomologyList;
class TObjectTable;
class TOutput;

// While non-zero nothing is logged or reported by the moves, and readers keep
// no cell names. Set for batch runs that print no move list.
inline std::atomic<int> QuietMode{0};
// While non-zero, logged moves are not followed by the spine consistency
// check. 1 at start; only the debugging commands clear it.
inline std::atomic<int> SkipSpineValidation{1};

// The presentations a spine can be built from.
enum : int {
  kSourceUnset = 0,
  kSourceBoundaryCurves = 1,
  kSourceDetails = 2,
  kSourceFacets = 3,
  kSourceLinkExterior = 4,
  kSourceLinkExteriorOnSurface = 5,
  kSourceCrystallization = 6,
  kSourceExtHeegaardDiagram = 7,
  kSourceHeegaardDiagram = 8,
  kSourceDehydrated = 9,
};

class TSpine : public TComplex {
 public:
  TSpine();
  // Clear, then the rest of the chain and everything owned is destroyed.
  ~TSpine();
  TSpine(const TSpine&) = delete;
  TSpine& operator=(const TSpine&) = delete;

  // Back to the empty state: no homology, not orientable, counter 0, no
  // boundary surfaces, empty logs, no objects, no further spines.
  void Clear();
  // Makes the target a copy of this spine and of the rest of its chain. When
  // this spine heads a chain the target is cleared first and becomes the head
  // of the copied chain.
  void CopyTo(TSpine& target) const;

  int SourceKind() const { return sourceKind_; }
  // Stores the kind and gives it to the molecule table (and the tables after it).
  void SetSourceKind(int kind);

  // The labeled molecule; its owner spine is this spine.
  TObjectTable* MoleculeTable() const { return molecule_; }

  // ---- The chain ----
  TSpine* Next() const { return next_; }
  // Stores the next spine (the chain's order) and links the molecule tables
  // the same way; the caller keeps the old next spine.
  void SetNext(TSpine* next);
  // The head of the chain this spine belongs to.
  TSpine* Head();
  // Makes a head spine the owner of this spine's manager and of the managers
  // of its boundary surfaces (null: this spine numbers its own objects, its
  // surfaces draw from it), and its molecule table the chain head of this
  // spine's table.
  void SetOwnerSpine(TSpine* head);
  // The i-th spine of the chain counted from the head; null past the end.
  TSpine* ComponentAt(int i);
  // The first spine of the chain from this one whose manager holds the
  // object; null when none does.
  TSpine* ComponentOfObject(const TObjectHeader* object);
  // Splits a spine whose cells form several connected components into a
  // chain: the component of the first cell stays here, each further one moves
  // (cells, their edges and those edges' end vertices, all keeping their
  // numbers) into a new spine inserted right after this one. The component
  // objects of the chain from here on are numbered 1, 2, 3 ... in chain order.
  // Returns 1, or 0 for an empty spine or one that is connected.
  int SplitIntoComponents();

  // 1 when every vertex has valency 4 and the neighbourhood of a vertex of a
  // special polyhedron, and there are twice as many edges as vertices (a
  // spine without vertices and edges passes). wholeChain 1 tests the rest of
  // the chain too.
  int IsSpecial(int wholeChain);

  // ---- Orientability ----
  // Mode 2: this spine's flag; mode 1: 1 only when every spine of the chain
  // from this one is orientable; any other mode: 1.
  int Orientability(int mode) const;
  void SetOrientable(int orientable) { orientable_ = orientable; }
  // Whether the manifold is orientable, from the details of the spine: 1
  // orientable, 0 not.
  int ComputeOrientability() const;

  // ---- Homology ----
  // Replaces the homology list by a new one computed over the whole chain from
  // this spine. Returns 1 when the list is not empty. Throws Out_of_Range when
  // an invariant factor exceeds the list's range (the spine then has no
  // homology list) and TComputationStopped when the stop flag is set (the
  // spine then keeps the list it had).
  int ComputeHomology();
  THomologyList* HomologyList() const { return homology_; }
  // Replaces the homology list by a copy of the given one (null: none).
  void SetHomologyList(const THomologyList* list);

  // ---- Move log ----
  // Appends a move (its code and its text or null) to the head's log; nothing
  // while QuietMode is set.
  void LogEvent(int code, const char* message);
  // The i-th move code (0 past the end) and, into the buffer, at most n - 1
  // characters of its text ("" when there is none).
  int LogEntry(int i, char* buffer, std::size_t n) const;
  int LogCount() const { return logCodes_.Count(); }

  // ---- Boundary surfaces of the thickening ----
  int BoundaryCount() const { return boundaries_.Count(); }
  TComplex* BoundaryAt(int i) const;
  // Appends a surface; the spine owns it from then on.
  void AppendBoundary(TComplex* surface);
  // Destroys every boundary surface.
  void ClearBoundaries();
  // The counter that numbers new boundary surfaces.
  int LastBoundaryNumber() const { return lastBoundaryNumber_; }
  void SetLastBoundaryNumber(int n) { lastBoundaryNumber_ = n; }

  // Set by the cell reductions of the simplification; copied with the spine.
  int Reduced() const { return reduced_; }
  void SetReduced(int reduced) { reduced_ = reduced; }

  // 1 when the spine has exactly one cell and its boundary one passage.
  int SingleCellBoundaryLength();

  // "n Connected BoundaryComponent(s)" with the number of boundary surfaces,
  // then by Euler characteristic from 2 downwards ", n " and the surface's
  // name for each kind of surface: orientable ones (every one, on an
  // orientable spine) at even characteristics, then, on a non-orientable
  // spine, non-orientable ones.
  static void PrintBoundarySummary(TOutput& output, TSpine& spine);

  // Numbers the molecule edge that the molecule table gives for the boundary
  // surface, and the vertex at its end 1, with k (both number slots), and sets
  // both end slots of the edge to k - 1. Nothing when the table has no edge
  // for the surface.
  void FirstMoleculeEdgeObject(const TComplex* surface, int k);

  // ---- Thickening (spine_thickening.cpp) ----
  // Builds the thickening of every spine of the chain from this one: thick
  // edges and cells, and the boundary surfaces. Mode 1 then decides the
  // orientability and gives the molecule table its boundary atoms; mode 2
  // leaves that out; mode 3 keeps what was built when a cell fails, for a
  // report. With a report every cell is examined and the failing ones are
  // recorded. 1 on success (at once when already thickened); 0 after
  // reporting the failure, with no thickening left (except in mode 3).
  // Throws TComputationStopped when the stop flag is set, leaving no
  // thickening behind. Cost: linear in the size of the spine.
  int Thicken(int mode, TThickeningReport* report = nullptr);
  // Every spine of the chain from this one has a boundary surface.
  bool IsThickened() const;
  // Every vertex has valency 4; then the thick edges and cells are made, their
  // sides and copies in the scratch complex. 0 after the first failure
  // (reported). The index of the wings' passages (thickedge.h) spares the
  // searches along the cells' words.
  int CheckVerticesForThickening(TComplex& scratch, const TWingPassages* wings = nullptr);
  // The classes of copies that meet along sides become the boundary surfaces.
  void CollectBoundarySurfaces(TComplex& scratch);
  // Thicken's steps; Thicken rolls them back when the stop flag interrupts.
  int ThickenSteps(int mode, TThickeningReport* report);
  // Removes the thick objects and destroys the boundary surfaces.
  void RemoveThickObjects();
  // Removes a cell of a thickened spine with its thick cell, keeping the
  // boundary surfaces right (the surfaces on its two sides are joined). 0 with
  // nothing changed when the thick cell is not this spine's or its removal
  // could not be completed; 1 when done.
  int RemoveThickCell(TObjectHeader* thickCell);
  // A new empty surface appended to the boundary list (numbered by the caller).
  TComplex* NewBoundarySurface();
  bool HasBoundarySurface(const TComplex* surface) const;
  // Position in the boundary list; -1 when absent.
  int BoundarySurfaceIndex(const TComplex* surface) const;
  // The first surface whose manager holds the object; null when none.
  TComplex* BoundarySurfaceOf(const TObjectHeader* object) const;
  // Takes an edge or cell out of the surface that holds it.
  void DetachObjectFromBoundary(TObjectHeader* object);
  // Moves b's objects into a, numbers a anew and destroys b. 0 unless both are
  // different surfaces of this spine.
  int MergeBoundarySurfaces(TComplex* a, TComplex* b);
  // Splits a surface whose cells fall apart into one surface per component.
  // 0 when it is connected.
  int SplitBoundarySurface(TComplex* surface);
  // 1 sphere, 2 torus, 0 any other surface; the Euler characteristic into
  // *euler. Every surface of an orientable spine is orientable.
  int BoundarySurfaceClass(const TComplex* surface, int* euler = nullptr) const;
  // 0 all surfaces, 1 spheres, 2 tori, 3 those of class 0, k those of class k.
  int CountBoundaries(int kind) const;
  // Surfaces of characteristic x that are orientable (flag 1) or not (flag 0);
  // 0 for flag 0 on an orientable spine.
  int CountBoundariesByEuler(int orientable, int euler) const;
  // Names the copies after their cells ("+", "-") and the sides after their
  // edges ("%s_%u"), names switched on for the duration.
  void NameThickObjects();
  // Completes a copy made by CopyTo: the thick objects of the target (made
  // with identity only) get their references, mapped by list position into
  // the target and its boundary surfaces.
  void CopyThickObjectsTo(TSpine& target) const;

 private:
  bool IsChainHead() const;
  void CopyOwnDataTo(TSpine& target) const;
  void MoveComponentTo(const TObjectList& cells, TSpine& target);

  int sourceKind_ = kSourceUnset;
  TSpine* next_ = nullptr;
  int orientable_ = 0;
  THomologyList* homology_ = nullptr;
  int lastBoundaryNumber_ = 0;
  TObjectList boundaries_;  // plain: TComplex pointers, owned
  TObjectList logCodes_;    // plain: move codes
  TObjectList logTexts_;    // counted: name objects, null for a move without text
  int reduced_ = 0;
  TObjectTable* molecule_ = nullptr;  // owned
};
