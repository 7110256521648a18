// The polygon move finder (move type 15): biangles, triangles and
// quadrangles drawn on a boundary surface of a thickened spine.
//
// Two, three or four edges of one boundary surface, each a side of a thick
// edge, that cut off a disc made of the surface cells between them, bound a
// polygon: the cells between consecutive sides are its lateral cells. A
// polygon move adds a new 2-cell to the spine along the polygon (the
// performers are separate). Candidates are enumerated surface by surface, by
// ascending edge ordinals (first, second, third, fourth), resumably: the
// cursor holds the last candidate, and the next call goes on after it.
//
// Subtypes: 1 biangle; 2 triangle on three cells; 3 on two cells with one
// side between a cell and itself; 4 on two cells with two such sides; 5 the
// same with crossing chords (an autocrossing); 6 to 14 quadrangles by the
// number of distinct lateral cells and thick cells and how their chords lie.
// A quadrangle whose two lateral cells alternate with two thick cells (15)
// has no move, and is never offered.
//
// Cost: the edges of a surface are walked in up to four nested loops, each
// level filtered by the side cells of the edges before it, so that the
// inner loops visit only edges next to the polygon so far; the path tests
// (breadth-first searches on the surface) run last and only when needed.
#pragma once

#include "model/handle.h"

class TSpine;

// The cursor: subtype (0 to start), boundary-surface index, four edge
// ordinals of that surface (ascending; -1 reads as 0), repeat limit and
// repeat counter (-1 while unset).
struct TPolygonMoveCursor {
  int subtype = 0;
  int surface = -1;
  int positions[4] = {-1, -1, -1, -1};
  int repeatLimit = -1;
  int repeatCounter = -1;
};

// The next candidate after the one the cursor holds: 1 with it in the
// cursor, or 0 (subtype 0, the rest as it was) when there is none. Mode 0
// is the full enumeration; any other mode leaves out subtype 5 and all
// quadrangles. 0 at once when the view's spine is not orientable.
// The cursor's eight ints are, in order, the fields of TPolygonMoveCursor.
int FindPolygonMove(int mode, TSpine& spine, int cursor[8]);

// The rejection tests of a candidate (1: reject), on surface edges and cells.
// Three sides whose spine edges are not three different edges, or whose
// first spine edge has an end shared by both others.
int RejectPolygonConfiguration(TSpine& spine, TObjectHeader* e1, TObjectHeader* e2, TObjectHeader* e3);
// At an end of e1 of valency 3 the two other edges end at one end of e2, and
// the spine edge under the first of them is not a loop.
int RejectBiangleConfiguration(TSpine& spine, TObjectHeader* e1, TObjectHeader* e2);
// Two steps on from e1 in c1 and in c2 meet e2 and e3, and the cell across
// the edge next to e1 is a triangle whose spine cell has a loop among its
// first three edges.
int RejectTriangleConfiguration(TSpine& spine, TObjectHeader* c1, TObjectHeader* c2, TObjectHeader* e1,
                                TObjectHeader* e2, TObjectHeader* e3);
// A cell across an edge next to the first side in l0 is a square whose
// corners' third edges are the four sides, each once, and whose spine cell
// has four different corners.
int RejectQuadrangleConfiguration(TSpine& spine, TObjectHeader* l0, TObjectHeader* g, TObjectHeader* f,
                                  TObjectHeader* e, TObjectHeader* d);

// The arrangement of four sides around a quadrangle.
struct TQuadrangleArrangement {
  THandle edges[4];    // in cyclic order: g, f, e, d
  THandle lateral[4];  // L0 between g and f, L1 (f, e), L2 (e, d), L3 (d, g)
  THandle thick[4];    // their thick cells T0..T3
  int lateralCount = 0;
  int thickCount = 0;
};

// 1 when the four edges, with side cells sides[2i], sides[2i+1] and their
// thick cells thick[2i], thick[2i+1], can be put in a cyclic order with a
// lateral cell between each two consecutive edges: the first fit over the
// orderings (lexicographic) and orientations, turned to a canonical start.
int ClassifyQuadrangle(TObjectHeader* const edges[4], TObjectHeader* const sides[8],
                       TObjectHeader* const thick[8], TQuadrangleArrangement& out);
