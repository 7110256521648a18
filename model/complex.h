// TComplex: a 2-dimensional cell complex in its own right.
//
// A complex is a component object (kind 6, numbered by the manager but not in
// its list; its number is that of the connected component or boundary surface)
// and an object manager holding the vertices, edges and cells. It is the base
// part of every spine and the type of every boundary surface of a thickened
// spine.
//
// Lifetime. A complex is emptied by ReleaseAllObjects before its manager is
// destroyed, so that the cycles between incident objects are broken before the
// references go; the destructor does this. A complex allocated with new lives
// in the current private heap.
//
// Surfaces. For a closed surface (every edge of valency 2, or one vertex and
// one cell without edges) the Euler characteristic V - E + F and the
// orientability classify it: sphere (2), torus (0, orientable), other.
// Orientability is decided on the complex itself, by orienting the cells
// coherently across edges; no process-wide state is consulted.
#pragma once

#include <atomic>
#include <cstddef>

#include "model/handle.h"
#include "model/objman.h"

class TComplex {
 public:
  // Null component, manager constructed, then the component := the manager's
  // new kind-6 object (the handle holds its only reference).
  TComplex();
  ~TComplex();
  TComplex(const TComplex&) = delete;
  TComplex& operator=(const TComplex&) = delete;

  static void* operator new(std::size_t bytes);
  static void operator delete(void* block);

  const THandle& Component() const { return component_; }
  TObjectManager& Objects() { return objects_; }
  const TObjectManager& Objects() const { return objects_; }

  // Takes the last object of the list until it is empty: an edge is removed
  // through ReleaseEdgeObject and unregistered, a cell by RemoveCell, a
  // component object only unregistered, anything else released by its kind and
  // unregistered. Then the component's name is dropped and the manager reset.
  void ReleaseAllObjects();
  // Empties the target, gives it one object per object here (same kind,
  // identity and list position) and fills vertices, edges and cells with the
  // same incidences. Objects of other kinds receive identity only. The target
  // keeps its own component object and number.
  void CopyTo(TComplex& target) const;

  // No vertex, edge or cell.
  bool IsEmpty() const;
  // The n-th cell in first/next order (moves the cell cursor); null past the end.
  THandle NthCell(int n);
  // Position of the cell among the cells in list order; -1 when absent.
  int CellOrdinal(const TObjectHeader* cell) const;
  // 0 for an empty complex; else the number of classes of cells that meet
  // along edges.
  int ComponentCount() const;
  // Edges of valency 0; vertices of valency 0 without an attached cell.
  int CountFreeEdges() const;
  int CountIsolatedVertices() const;
  // Joins the cell's corners, then registers here, each only when not yet
  // here: the cell, and for every passage its edge and the edge's two ends.
  void AddCellWithBoundary(TObjectHeader* cell);
  // Nothing (0) unless the cell is valid and here. A type-1 cell is cut at its
  // first passage until its word is empty (edges left without cells leave the
  // complex with their orphaned vertices); a type-2 cell is detached from its
  // vertex. Then the cell is released and unregistered; 1.
  int RemoveCell(TObjectHeader* cell);

  // 1 sphere (characteristic 2), 2 torus (characteristic 0 and orientable), 0
  // otherwise. The Euler characteristic (cells + vertices - edges, from the
  // per-kind counts) is written to *euler when given.
  int SurfaceClass(int* euler = nullptr) const;
  // Without edges: one vertex and one cell. Otherwise every edge has valency 2.
  bool IsClosedSurface() const;
  // A closed surface whose cells can be oriented so that every edge is passed
  // once along and once against; false for a complex that is not a closed surface.
  bool IsOrientableSurface() const;
  // 1 when the complex is one connected orientable closed surface, else 0:
  // the answer the cell reductions give on a copy of it as a spine (they end
  // with one cell through whose edges it passes once each way exactly then).
  // Decided by orienting the cells directly, so the complex is not copied.
  int CopyAsSpine() const;

  // ---- Curve coordinates on edges (edge_labels.cpp) ----
  // Every edge has all four labels 0 (true without edges).
  bool AllEdgeLabelsZero() const;
  // Slot -1: every label of every edge := 0; slot 0..3: that label only.
  void ResetEdgeLabels(int slot);
  // For every edge with a non-zero label: label[target] := label[source].
  void CopyEdgeLabel(int targetSlot, int sourceSlot);

 private:
  THandle component_;
  TObjectManager objects_;
};

// The complex's manager holds the object.
bool ComplexContains(const TComplex* complex, const TObjectHeader* object);

// The orientability of the view's current spine (1 at start). The view sets it
// after it parses a spine and when it receives the focus; the moves read it.
// Nothing in the model reads it. Atomic because a worker may read it while the
// user interface thread owns it.
inline std::atomic<int> CurrentSpineIsOrientable{1};
