// Short curves (move type 12) and curves of length 4 (16, 17, 18).
//
// A 2-cell c of a thickened spine whose boundary is an embedded curve of at
// most four edges, each of valency 3 with ends of valency 4, is a disc with
// a collar: along each of its edges the lateral cell on c's "+" side turns,
// at c's corners, into the edges that leave c on that side. The move cuts a
// strip along c's boundary off every lateral cell (chords between the
// midpoints of those leaving edges) and glues a new cell c' along the chords
// (cell_growth.h): c' is a parallel copy of c, and c, c' and the strips bound
// a ball, whose boundary sphere splits off the "+" surface. Piercing a strip
// (a delicate piercing: one side is that sphere) opens the ball again, so
// the manifold and its homology are unchanged, while c now has a free edge
// along the pierced strip and the collapsings that follow simplify the
// spine. Curve labels on c's "+" copy move over to the parallel chords.
//
// For a cell of length 4 the move is offered without piercing (16) or with
// the piercing of the first or the second strip (17, 18); the finder of the
// automatic step proposes 17 or 18 where a neighbouring 4-cell's opposite
// edge does not touch this cell's opposite edge.
//
// Cost: the test is linear in the cell; the move is linear in the lateral
// cells' words plus one copy of the spine for the rollback.
#pragma once

class TSpine;
class TString;
struct TObjectHeader;

// 0 none, 1 short curve (length 1 to 3), 2 curve of length 4 (see above).
int ClassifyCellCurve(const TObjectHeader* cell);

// 286-289 by the type, with the cell's name and, for 16, the four strips'
// names, for 17 the first's, for 18 the second's; nothing in quiet mode.
void ReportCellCurveMove(TString& text, const char* cellName, int type, const char* const strips[4]);
