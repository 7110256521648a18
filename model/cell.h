// 2-cells of the cell complex (kind 5).
//
// A cell of type 1 has a boundary word: a cyclic sequence of passages, each an
// edge with a direction (1 along the edge, from end 1 to end 2; 2 against it).
// A cell of type 2 is attached at a vertex and has no boundary (the sphere of a
// complex with one vertex, no edge and one cell). Type 0 is unset.
//
// A cell occurs in an edge's cell list once per passage of that edge in its
// word; the operations here keep both sides in step, and an edge that loses
// its last cell leaves its manager together with the vertices it orphans.
// Consecutive passages of a type-1 cell meet in one vertex once the corners are
// joined (JoinCorners).
//
// Every operation takes the cell as a raw object pointer (a THandle converts)
// and accepts null, another kind, or positions out of range, returning 0, -1 or
// a null handle and changing nothing. Positions are indices into the word.
#pragma once

#include "model/handle.h"
#include "model/object_list.h"

class TObjectManager;
class TObjectCorrespondence;

struct TCell : TObjectHeader {
  std::int32_t type = 0;       // 0 unset, 1 boundary word, 2 attached at a vertex
  TObjectList boundaryEdges;   // counted; the edge of each passage
  TObjectList directions;      // plain; 1 along, 2 against, per passage
  THandle vertex;              // the vertex of a type-2 cell

  TCell();

  // The cell data of a kind-5 object; null otherwise.
  static TCell* Of(const TObjectHeader* object);

  static int Type(const TObjectHeader* cell);
  // Number of passages of a type-1 cell; 0 otherwise.
  static int BoundaryLength(const TObjectHeader* cell);
  // Edge of passage i (type 1 only); a null handle out of range.
  static THandle EdgeAt(const TObjectHeader* cell, int i);
  // The same with its direction (0 out of range).
  static THandle PassageAt(const TObjectHeader* cell, int i, int* direction);
  static int DirectionAt(const TObjectHeader* cell, int i);
  // The next passage (flag 0; after the last comes 0) or the previous one
  // (flag 1); -1 when not type 1, empty, or i out of range.
  static int NeighbourIndex(const TObjectHeader* cell, int i, int backward);
  // With start -1: the first passage of the edge scanning forward from 0
  // (flag 0) or backward from the last (flag 1). Otherwise (start below the
  // length, length at least 2): the first passage of the edge met stepping
  // from start in that direction, start itself excluded. -1 when none.
  static int FindPassage(const TObjectHeader* cell, const TObjectHeader* edge, int start,
                         int backward);
  // Some passage of the edge, searched from both ends of the word at once
  // (the passage nearest an end; at equal distance the one nearer the
  // start): the edges a builder has just worked on stand near an end of a
  // long word, where a search from one end only may walk the whole word.
  // -1 when none.
  static int FindPassageNearAnEnd(const TObjectHeader* cell, const TObjectHeader* edge);

  // Appends a passage; a cell attached at a vertex first gives the passage
  // that vertex as its start (when the edge has none there) and leaves it.
  static void AppendPassage(TObjectHeader* cell, TObjectHeader* edge, int direction);
  static void ReserveBoundary(TObjectHeader* cell, int n);
  // For a type-0 cell: attaches it at the vertex (type 2); 1, else 0.
  static int AttachToVertex(TObjectHeader* cell, TObjectHeader* vertex);
  static THandle AttachedVertex(const TObjectHeader* cell);
  // For a type-2 cell: the vertex drops it, and a vertex left with no edge and
  // no attached cell is released and unregistered (from the manager given, or
  // the one that holds it); the cell becomes type 0 without vertex; 1. A type-2
  // cell without vertex is reported as an internal error and gives 0.
  static int DetachFromVertex(TObjectHeader* cell, TObjectManager* manager);

  // Rewrites the word to begin at passage i, forward, or (reverse 1) backward
  // with every direction exchanged. 0 when i is not below the length.
  static int RotateBoundary(TObjectHeader* cell, int i, int reverse);
  // Removes passage i; the word continues from the passage after it (reverse
  // 0) or runs backward from the one before it with directions exchanged
  // (reverse 1). The edge of passage i loses the cell and, left without cells,
  // leaves the complex. An emptied cell becomes type 0. 1, or 0 out of range.
  static int CutAtPassage(TObjectHeader* cell, int i, int reverse);
  // Empties the word of a cell that is about to go with its whole complex:
  // passages leave from the end and the edges stay registered (the teardown
  // releases them next), so a long word goes in linear time.
  static void ReleaseWordForTeardown(TObjectHeader* cell);
  // CutAtPassage at the last passage of the edge; 0 when absent.
  static int CutAtEdge(TObjectHeader* cell, TObjectHeader* edge, int reverse);
  // Passage i becomes the new edge with the new direction; the old edge loses
  // the cell (leaving the complex when it has none left), the new one gains it.
  static int ReplacePassage(TObjectHeader* cell, int i, TObjectHeader* newEdge, int newDirection);
  // Every passage of the old edge becomes one of the new edge (direction
  // exchanged when orientation is 2); at the first replaced passage the corners
  // are joined by merging vertices. Returns the number of passages replaced.
  static int ReplaceEdge(TObjectHeader* cell, TObjectHeader* oldEdge, TObjectHeader* newEdge,
                         int orientation);
  // Replaces every passage of the edge e of passage p by two passages: f1 then
  // f2 along e, f2 then f1 (both against) against it. Requires f1 to start where
  // e starts, f2 to start where f1 ends and end where e ends, and the trackers
  // (when given) below the length; the trackers keep pointing at the same
  // passages (see cell.cpp). Returns the number of passages replaced, 0 when
  // the requirements fail.
  static int SubdivideEdge(TObjectHeader* cell, int p, TObjectHeader* f1, TObjectHeader* f2,
                           int* s = nullptr, int* t = nullptr);
  // Makes consecutive passages meet: for each corner, the vertex where a passage
  // ends and the vertex where the next starts become one (a new vertex in the
  // cell's manager when neither exists).
  static void JoinCorners(TObjectHeader* cell);
  // The same with the new vertices made in the given manager, the one that
  // holds the cell (spares the search for it among all managers).
  static void JoinCorners(TObjectHeader* cell, TObjectManager& manager);

  // Some boundary edge of this cell is a boundary edge of the other.
  static bool SharesEdgeWith(const TObjectHeader* cell, const TObjectHeader* other);
  // Number of distinct start vertices of the passages (1 for fewer than two).
  static int CornerVertexCount(const TObjectHeader* cell);
  // The number of distinct vertices (by primary number) at which the passages
  // of the stretch i..j end and that pass the special vertex test. The stretch
  // runs from i to j when i < j, else from i to the end and on from 0 to j (so
  // i = j covers the whole word and i once more); -1 means 0 for i and the last
  // position for j.
  static int CountSpecialVertices(const TObjectHeader* cell, int i, int j);
  // 1 as soon as more than n such vertices are found in the stretch, else 0.
  static int HasMoreSpecialVertices(const TObjectHeader* cell, int n, int i, int j);

  // Fills the target's type, word and vertex from the source's, each object
  // replaced by its counterpart under the correspondence.
  static void CopyFrom(TObjectHeader* target, const TObjectHeader* source,
                       const TObjectCorrespondence& map);
};

// Kind routines (object_kinds.cpp dispatches to them).
void TCellRelease(TObjectHeader* cell);
void TCellDestroy(TObjectHeader* cell);

// Some boundary edge of the cell has the vertex as an end.
bool CellHasEndVertex(const TObjectHeader* cell, const TObjectHeader* vertex);
// +1 per passage along the edge, -1 per passage against it.
int CellAlgebraicPassages(const TObjectHeader* cell, const TObjectHeader* edge);
