// Polygon move performers (move type 15): a new 2-cell glued along a short
// closed curve on a boundary surface of a thickened spine.
//
// The finder (polygon_move_finder.h) offers two, three or four edges of one
// boundary surface, the sides of a polygon: a closed curve that crosses each
// side once at its midpoint and runs, between consecutive sides, through one
// surface cell (a lateral cell: a copy of a spine cell). The move cuts every
// lateral cell's thick cell along its stretch of the curve and glues a new
// thick cell whose spine cell runs along the new spine edges, whose one copy
// caps the curve from one bank and whose other copy, on new edges, caps it
// from the other. The surface is cut along the curve. Since the curve bounds
// a disc in the manifold, one of the two banks is (or becomes) a sphere; a
// cell next to that sphere is then pierced, which undoes the ball that the
// new cell cut off, so the manifold is kept (crude piercing, only with
// maximal mode, drills a tunnel instead).
//
// One construction serves all fourteen subtypes: the subtype only tells how
// many sides there are and, for quadrangles (6..14), that the piercing goes
// by the repeat counter (the autocrossing triangle, 5, pierces the longest
// delicate piece of its splits; the other triangles and the biangle the cell
// next to the sphere with the most distinct vertices). Every crossing gets a
// spine vertex of its own: a thick edge under n sides is subdivided n times.
// Where a lateral cell is visited twice (subtypes 3..5 and 7..14) chords
// that cross in the spine cell meet at a new vertex on the earlier chord;
// where a cell lies on both banks of a side the curve must enter by the
// corner its previous chord did not use. The performer picks the cyclic
// order of the sides, the midpoint of a shared thick edge each side is
// crossed at, and these corners by a small search (at most 6 orders, 24
// midpoint assignments, 2 starts and 2^4 corner choices).
//
// Failure: a primitive that refuses, a curve that cannot be drawn, a result
// without a sphere bank or an unsound result makes the move return 0; the
// dispatcher then restores the spine from its copy (move_rollback.h).
#pragma once

#include <atomic>

class TSpine;
class TString;
class TComplex;
struct TObjectHeader;

// 1 while the Simplify dialog performs a polygon move that the user picked
// from its list: the quadrangle move then pierces nothing and leaves the
// repeat fields as they were.
inline std::atomic<int> PolygonMoveChosenInDialog{0};
void SetPolygonMoveChosenFlag(int value);

// The option words that widen the quadrangle move's piercing candidates
// (1 = on), set from the options by the shell: complicating moves let a
// cell of any boundary length qualify, maximal mode also crude piercings.
inline std::atomic<int> PolygonComplicatingMoves{0};
inline std::atomic<int> PolygonMaximalMode{0};

// Glues the polygon's cell: subtype 1..14, the surface index and the edge
// ordinals of its sides (the first 2, 3 or 4 are read), limit and counter the
// quadrangle's repeat fields (may be null for subtypes 1..5). 1 when done;
// 0 with the spine possibly half rebuilt (callers restore it).
int GluePolygonCell(TSpine& spine, int subtype, int surfaceIndex, const int positions[4], int* limit,
                    int* counter, TString* text);

// The piercing after a quadrangle move, next to the sphere bank. Candidates
// are the cells of the sphere (in first/next order, the new cell's copies
// skipped) whose spine cell has a boundary of length 4 or more (1 with
// complicating moves or maximal mode) and a delicate piercing (or crude, in
// maximal mode). A limit of -1 counts them all into the limit and takes the
// first (counter 0); otherwise the candidate at the counter is pierced. The
// note 304/305 naming it is appended to the text. 1 when a cell was pierced.
int PierceAfterQuadrangle(TSpine& spine, TComplex* sphere, TObjectHeader* newThickCell, int* limit, int* counter,
                          TString* text);
