// T-moves and inverse T-moves of a special spine.
//
// The T-move (move type 19) replaces an edge joining two distinct vertices
// by a triangular 2-cell: the vertex count grows by one, the edge count by
// two and the cell count by one. The inverse T-move (type 20) replaces a
// triangle whose three corners are distinct vertices by an edge. Any two
// special spines with at least two vertices of one manifold are joined by a
// sequence of these moves, which is what the comparison and simplification
// of t_move_search.h explore.
//
// Candidate marks (THandle::Mark): an edge or cell may be moved when its mark
// 0 is 'a' and its mark 1 is not 'c'. 'b' in mark 0 forbids the move; 'c' in
// mark 1 marks the object the last move made (so it is not moved straight
// back); 'd' in mark 1 marks the objects around the last move. A spine whose
// objects were never marked offers no candidate. The polyhedron cloud sets
// the marks (TPolyhedronCloud::MarkTMoveCandidates).
//
// The performers rebuild the spine from its dual triangulation after the
// corresponding 2-3 or 3-2 move (tet_gluing.h), so the result is exact by
// construction. Objects away from the move keep their names and marks; all
// objects are numbered afresh (1, 2, ... per kind). Edge labels (curve
// coordinates on boundary tori) cannot follow such a rebuild, so a spine
// whose edges carry labels, or whose thickening has a torus boundary, is
// refused and left as it was. A thickened spine is thickened again.
#pragma once

#include <string>

#include "model/handle.h"

class TSpine;

// The next candidate edge after the one with index last (-1 to start), by
// ordinal among the edges in the manager's order; -1 when none.
int FindTMoveEdge(const TSpine& spine, int last);
// The next candidate cell after last; -1 when none, and always -1 on a spine
// with at most two vertices.
int FindInverseTMoveCell(const TSpine& spine, int last);

// Whether the moves may change this spine at all: connected (no next spine in
// its chain), no edge labels, no torus boundary in its thickening.
bool TMovesApplyTo(const TSpine& spine);

// The T-move on the edge of that ordinal. Returns the new triangle, marked
// 'b' and 'c'; the edges at its three vertices and their cells get 'a' and
// 'd'. A null handle, with the spine unchanged, when the edge is missing, a
// loop, not of valency 3, or the spine is refused (see above). Polls the stop
// flag; a stop leaves the spine unchanged. Cost: linear in the spine.
THandle PerformTMove(TSpine& spine, int edgeIndex);
// The inverse T-move on the cell of that ordinal. Returns the new edge, its
// mark 1 'c'; the edges at its ends and their cells get mark 1 'd'. A null
// handle, with the spine unchanged, when the cell is not a triangle with
// three distinct corner vertices or the spine is refused.
THandle PerformInverseTMove(TSpine& spine, int cellIndex);

// The dialog lines: "T-move %s" with the edge's display name; "T^{-1}-move "
// and the cell written as one cell of the cell presentation.
std::string ReportTMove(const TSpine& spine, int edgeIndex);
std::string ReportInverseTMove(const TSpine& spine, int cellIndex);
// The short texts of the cloud: "T(%u)" with the edge's number (kind 1),
// "T^{-1}(%u)" with the cell's number (kind 2); "" for another kind.
std::string FormatTMoveShort(const TSpine& spine, int kind, int index);

// The object of that ordinal among the objects of the kind (edges or cells)
// in the manager's order; null past the end.
TObjectHeader* TMoveObjectAt(const TSpine& spine, int kind, int index);
