// Vertices of the cell complex (kind 3; a molecule vertex, kind 14, begins with
// the same data).
//
// A vertex knows the ends of the edges that meet it, in the order in which
// they were attached (a loop occurs twice), the cell attached at it (a 2-cell
// without boundary, type 2) and, with multiplicity, the cells around it: for
// each of its edge ends, every cell that passes along that edge. The edge and
// cell operations keep these lists in step with the edges' ends and cell
// lists; a vertex left with no edge and no attached cell leaves its manager.
//
// Every operation takes the vertex as a raw object pointer (a THandle converts)
// and accepts null or an object of another kind, returning 0, -1 or a null
// handle and changing nothing.
#pragma once

#include "model/handle.h"
#include "model/object_list.h"

class TObjectManager;
class TObjectCorrespondence;

struct TVertex : TObjectHeader {
  TObjectList edgeList;  // counted; one entry per edge end
  THandle attachedCell;  // the type-2 cell attached here, or null
  TObjectList cellList;  // counted; the cells around the vertex with multiplicity

  // The vertex data of an object of kind 3 or 14; null otherwise.
  static TVertex* Of(const TObjectHeader* object);

  static int Valency(const TObjectHeader* vertex);
  // The i-th edge end; a null handle past the end.
  static THandle EdgeAt(const TObjectHeader* vertex, int i);
  // The i-th entry of the cell list; a null handle past the end.
  static THandle SecondListAt(const TObjectHeader* vertex, int i);
  static THandle AttachedCell(const TObjectHeader* vertex);
  static bool HasAttachedCell(const TObjectHeader* vertex);
  // Position of the edge in the edge list (its last occurrence); -1 when absent.
  static int EdgeIndex(const TObjectHeader* vertex, const TObjectHeader* edge);
  // Exchanges the edge ends at positions i and j of the edge list; 1 when both
  // positions are occupied, else 0 and nothing changes.
  static int SwapEdges(TObjectHeader* vertex, int i, int j);

  // The bookkeeping updates below do nothing while SuspendVertexBookkeeping is set.
  // Appends the edge to the edge list and every cell of the edge to the cell list.
  static void AddEdgeAndRelink(TObjectHeader* vertex, TObjectHeader* edge);
  // When the edge is in the edge list: removes its last occurrence and the last
  // occurrence of each of its cells from the cell list; 1, else 0.
  static int DetachEdge(TObjectHeader* vertex, TObjectHeader* edge);
  // Puts the new edge's end newEnd in place of the old edge's end oldEnd at
  // position p of the edge list, keeping the cyclic order; the cells of the
  // old edge leave the cell list and those of the new edge join it. 1 when done.
  static int ReplaceEdgeAt(TObjectHeader* vertex, int p, int oldEnd, TObjectHeader* newEdge,
                           int newEnd);
  // ReplaceEdgeAt at the old edge's position; 0 when absent.
  static int ReplaceEdge(TObjectHeader* vertex, TObjectHeader* oldEdge, int oldEnd,
                         TObjectHeader* newEdge, int newEnd);
  static void SetAttachedCell(TObjectHeader* vertex, TObjectHeader* cell);
  static void ClearAttachedCell(TObjectHeader* vertex);
  static void AddToSecondList(TObjectHeader* vertex, TObjectHeader* cell);
  static void RemoveFromSecondList(TObjectHeader* vertex, TObjectHeader* cell);

  // Moves every edge end and the attached cell of the other vertex to this
  // one, then releases the other and unregisters it from the manager given, or
  // from the one that holds it. Nothing unless both exist and differ.
  static void MergeVertex(TObjectHeader* vertex, TObjectHeader* other, TObjectManager* manager);
  // The first edge at the first vertex (in its order) that is also at the
  // second; a null handle when none.
  static THandle CommonEdge(const TObjectHeader* first, const TObjectHeader* second);

  // The test that the link of the vertex is the complete graph on four
  // vertices, as at every true vertex of a special polyhedron: valency 4, every
  // edge of valency 3, and each of the six pairs of edge ends joined by a corner
  // of some cell. On success returns true and, when out is given, writes the
  // numbers of the cells that join the pairs (0,1), (0,2), (0,3), (2,3), (1,3),
  // (1,2). On failure out is left untouched.
  static bool HasSpecialNeighbourhood(const TObjectHeader* vertex, int* out = nullptr);

  // Fills the target's lists and attached cell from the source's, each object
  // replaced by its counterpart under the correspondence.
  static void CopyFrom(TObjectHeader* target, const TObjectHeader* source,
                       const TObjectCorrespondence& map);
};

// Kind routines (object_kinds.cpp dispatches to them).
void TVertexRelease(TObjectHeader* vertex);
// The vertex part of a release without its frame, for a kind whose data
// extends a vertex and whose release runs in a frame of its own.
void TVertexReleaseData(TVertex* vertex);
void TVertexDestroy(TObjectHeader* vertex);

// While set, the vertex bookkeeping updates above do nothing. It is set only
// for the duration of one call (ReplaceEdgeAt moves edge ends without
// disturbing the vertex's own edge list), so it is per thread.
inline thread_local int SuspendVertexBookkeeping = 0;

// Sets SuspendVertexBookkeeping for a scope and restores it on every exit.
class TSuspendVertexBookkeepingScope {
 public:
  TSuspendVertexBookkeepingScope() : saved_(SuspendVertexBookkeeping) { SuspendVertexBookkeeping = 1; }
  ~TSuspendVertexBookkeepingScope() { SuspendVertexBookkeeping = saved_; }
  TSuspendVertexBookkeepingScope(const TSuspendVertexBookkeepingScope&) = delete;
  TSuspendVertexBookkeepingScope& operator=(const TSuspendVertexBookkeepingScope&) = delete;

 private:
  int saved_;
};
