// Thick edges (kind 8): the thickening of one edge of a spine.
//
// In the regular neighbourhood of a special spine, a cross-section of the
// neighbourhood of an edge is a disc containing a tripod: the three wings of
// the edge (the cells passing along it, in the order of the edge's cell list,
// positions 0, 1, 2). The boundary circle of that disc is cut by the wings
// into three arcs; swept along the edge, each arc is a strip of the boundary
// surface, a "side". Side k lies between the wings at positions k and k + 1
// (side 2 between positions 2 and 0). The sides are edges of the boundary
// surfaces, which the two copies of each cell (thickcell.h) run along.
//
// A thick edge also records, for each wing, which passage of the wing's cell
// runs along the edge (a cell may pass an edge more than once; its k-th
// occurrence in the edge's cell list is taken to be its k-th passage along
// the edge, which is consistent because at an edge of valency 3 every two
// wings are neighbours).
//
// Operations take the thick edge as a raw object pointer (a THandle converts)
// and accept null or another kind, returning -1, 0 or a null handle.
// Internal errors name the source "thickedge".
#pragma once

#include <unordered_map>
#include <vector>

#include "model/handle.h"
#include "model/object_list.h"

class TComplex;
class TObjectManager;
class TObjectCorrespondence;

using TWingPassages = std::unordered_map<const TObjectHeader*, std::vector<int>>;

struct TThickEdge : TObjectHeader {
  THandle edge;               // the spine edge it thickens
  THandle side[3];            // edges of the boundary surfaces; null when absent
  TObjectList passageIndex;   // plain; entry k: the passage of wing k's cell along the edge

  TThickEdge();

  // The thick-edge data of a kind-8 object; null otherwise.
  static TThickEdge* Of(const TObjectHeader* object);

  // Builds the thick edge of edge e: takes e's number, records the passage
  // index of every wing and creates the three sides in the thickening complex.
  // An edge of valency other than 3 is reported ("Valency of Edge %s equals
  // %u" under "Thicking error : ") and gives 0 with no side created.
  static int Build(TObjectHeader* thickEdge, TObjectHeader* edge, TComplex& thickening,
                   const TWingPassages* wings = nullptr);

  static THandle Edge(const TObjectHeader* thickEdge);
  // Gives the object the thick edge's display name (its number while names are
  // suppressed) and makes it the thick edge's edge.
  static void CopyNameToObject(TObjectHeader* thickEdge, TObjectHeader* object);
  // Side k (0..2); a null handle otherwise.
  static THandle Side(const TObjectHeader* thickEdge, int k);
  // 0, 1 or 2 when the object is that side; -1 otherwise.
  static int SideIndex(const TObjectHeader* thickEdge, const TObjectHeader* object);
  // The side between wing positions i and j (AdjacentSlot(i, j, 3)).
  static THandle SideBetween(const TObjectHeader* thickEdge, int i, int j);
  // Names the side (the thick edge's display name followed by k + 1) unless
  // names are suppressed, numbers it 10 x number + k + 1 and stores it in slot k.
  static void AddSide(TObjectHeader* thickEdge, TObjectHeader* side, int k);
  // Removes the side from its slot: later sides move one slot down, each
  // taking the name (or number) of the side before it; slot 2 becomes null.
  // Nothing when the object is not a side.
  static void Detach(TObjectHeader* thickEdge, const TObjectHeader* side);
  // The cell of wing k; a null handle past the end.
  static THandle CellAtPassage(const TObjectHeader* thickEdge, int k);
  // The recorded passage index of wing k; -1 past the end.
  static int PassageIndexAt(const TObjectHeader* thickEdge, int k);
  // The first wing position after start (start -1: from the beginning) whose
  // cell is the given one; -1 when none.
  static int FindCellPosition(const TObjectHeader* thickEdge, const TObjectHeader* cell,
                              int start = -1);
  // The one side that occurs in the cell's boundary; null when none or more
  // than one does.
  static THandle SideOfCell(const TObjectHeader* thickEdge, const TObjectHeader* cell);

  // Fills the target (a released copy) from the source: identity, edge mapped
  // through the spine's correspondence, sides through the boundary surfaces'.
  static void CopyFrom(TObjectHeader* target, const TObjectHeader* source,
                       const TObjectCorrespondence& map);
};

// Kind routines (object_kinds.cpp dispatches to them).
void TThickEdgeRelease(TObjectHeader* thickEdge);
void TThickEdgeDestroy(TObjectHeader* thickEdge);

// The smaller of a and b when they differ by 1 and the smaller is below c;
// c - 1 for the pair (0, c - 1) in either order; -1 otherwise.
int AdjacentSlot(int a, int b, int c);

// The thick edge whose edge is this edge, among the kind-8 objects of the
// manager that holds the edge; null when none. An edge that no manager holds
// is reported as an internal error.
THandle ThickEdgeOfEdge(const TObjectHeader* edge);
// The first kind-8 object of the complex's manager that has the object as its
// edge or as one of its sides; null when none.
// The passages of the wings of every edge: entry k of an edge is the index,
// in the word of the edge's k-th cell, of the passage along the edge that
// this wing is (the k-th wing that is that cell takes its occurrence-th
// passage), or -1. Built in one walk over the cells' words; looking passages
// up here instead of searching the words keeps the thickening linear in the
// size of the spine, however long its cells.
TWingPassages IndexWingPassages(const TComplex& spine);
// Entry k of the edge's wings in the index, or -1.
int IndexedWingPassage(const TWingPassages& wings, const TObjectHeader* edge, int k);

THandle ThickEdgeOfObject(const TComplex& spine, const TObjectHeader* object);
