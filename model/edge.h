// Edges of the cell complex (kind 4; a molecule edge, kind 15, begins with the
// same data).
//
// An edge runs from end 1 to end 2 (either may be null while a complex is being
// built) and knows, once per passage, the cells whose boundary words run along
// it; the number of passages is its valency (3 in a special spine). Four
// 32-bit labels carry closed curves as edge weights (edge_labels.h); a label
// that would leave that range throws Out_of_Range (foundation/checked_int64.h)
// and leaves the edge's labels as they were.
//
// Where an operation takes an end number and a direction, direction 2 exchanges
// ends 1 and 2, and any end number other than 1 means end 2.
//
// Every operation takes the edge as a raw object pointer (a THandle converts)
// and accepts null or an object of another kind, returning 0, -1 or a null
// handle and changing nothing.
#pragma once

#include <cstdint>

#include "model/handle.h"
#include "model/object_list.h"

class TObjectManager;
class TObjectCorrespondence;

struct TEdge : TObjectHeader {
  std::int32_t labels[4] = {0, 0, 0, 0};
  THandle end1;          // start vertex, or null
  THandle end2;          // end vertex, or null
  TObjectList cellList;  // counted; one entry per passage of a cell

  // The edge data of an object of kind 4 or 15; null otherwise.
  static TEdge* Of(const TObjectHeader* object);

  // End n under direction d (direction 2 exchanges the ends).
  static THandle End(const TObjectHeader* edge, int n, int direction = 1);
  // 1 when the vertex is end 1 only, 2 when end 2 only, 0 when neither or both.
  static int EndNumber(const TObjectHeader* edge, const TObjectHeader* vertex);
  static bool HasEnd(const TObjectHeader* edge, const TObjectHeader* vertex);
  // Both ends are the same non-null vertex.
  static bool IsLoop(const TObjectHeader* edge);
  // The two edges have a non-null end in common.
  static bool SharesEnd(const TObjectHeader* edge, const TObjectHeader* other);

  // The vertex at end n under d (if any) detaches the edge and loses the
  // edge's reference; the new vertex (null allowed) is stored and gains the edge.
  static void SetEndVertex(TObjectHeader* edge, TObjectHeader* vertex, int n, int direction = 1);
  // The vertex at end n under d detaches the edge; the end becomes null.
  // 1 when there was a vertex.
  static int DetachEnd(TObjectHeader* edge, int n, int direction = 1);
  // Detaches the vertex from the end it occupies, from both ends of a loop;
  // 0 when it is no end.
  static int DetachVertex(TObjectHeader* edge, TObjectHeader* vertex);

  // Appends the cell to the cell list and to the cell lists of both ends.
  static void AddCell(TObjectHeader* edge, TObjectHeader* cell);
  // Removes the cell's last occurrence from the cell list and, when that
  // succeeded, from both ends' cell lists. 1 or 0.
  static int RemoveCell(TObjectHeader* edge, TObjectHeader* cell);
  // The cell of the i-th passage; a null handle past the end.
  static THandle CellAt(const TObjectHeader* edge, int i);
  static int Valency(const TObjectHeader* edge);
  // The first cell around the first edge that is also around the second.
  static THandle CommonCell(const TObjectHeader* first, const TObjectHeader* second);

  // Label i (0..3); 0 for another index.
  static int Label(const TObjectHeader* edge, int i);
  static void SetLabel(TObjectHeader* edge, int i, int value);
  // Each label := value (sign 1) or -value (any other sign).
  static void SetLabels(TObjectHeader* edge, const int values[4], int sign);
  // Each label += value (sign 1) or -= value; Out_of_Range on overflow.
  static void AddLabels(TObjectHeader* edge, const int values[4], int sign);
  // True when all four labels are 0 (and for null); copies them out when given.
  static bool LabelsAreZero(const TObjectHeader* edge, int out[4] = nullptr);

  // Copies the labels and fills the target's ends and cell list from the
  // source's, each object replaced by its counterpart under the correspondence.
  static void CopyFrom(TObjectHeader* target, const TObjectHeader* source,
                       const TObjectCorrespondence& map);
};

// Kind routines (object_kinds.cpp dispatches to them).
void TEdgeRelease(TObjectHeader* edge);
void TEdgeDestroy(TObjectHeader* edge);

// Removes an edge from a complex: nothing when it is locked; otherwise end 1,
// then end 2, is detached, and a vertex left with no edge and no attached cell
// is released and unregistered (from the manager, or without one from the
// manager that holds it); finally the edge is released. The edge itself stays
// registered: callers unregister it.
void RemoveEdgeFromManager(TObjectManager* manager, TObjectHeader* edge);
// RemoveEdgeFromManager for an edge or a molecule edge.
void ReleaseEdgeObject(TObjectManager* manager, TObjectHeader* edge);
// How often the cell occurs in the edge's cell list; whether it occurs.
int EdgePassageCount(const TObjectHeader* cell, const TObjectHeader* edge);
bool EdgeBoundsCell(const TObjectHeader* cell, const TObjectHeader* edge);
