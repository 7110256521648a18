// Surgery on a thickened spine: the cell-level operations of cell_surgery.h
// applied to a thick cell's three parts at once (part 1 in the spine, parts 2
// and 3, its copies, in the boundary surfaces), keeping the thick edges and
// thick cells in step so that the spine stays thickened.
//
// The three parts of a thick cell have boundary words of one length whose
// passages correspond position by position (the copy's passage i runs along a
// side of the thick edge of the cell's passage i, in the same direction). An
// operation that acts on all three at the same positions keeps that so.
//
// Each operation has a test; the action repeats it and returns 0 without
// changing anything when it fails.
#pragma once

class TSpine;
struct TObjectHeader;

// The spine is thickened, holds the thick cell, and i (and p, q when given)
// are below the boundary length of its parts.
int CanSubdivideThickEdgeAtPosition(TSpine& spine, TObjectHeader* thickCell, int i, const int* p = nullptr,
                                    const int* q = nullptr);
// Subdivides the edge of passage i of the thick cell and every side of its
// thick edge by a middle vertex, in every cell that passes them; the old thick
// edge gives way to two new ones. The trackers p, q (positions of the thick
// cell) keep pointing at the same passages (cell_surgery.h). 1 or 0.
int SubdivideThickEdgeAtPosition(TSpine& spine, TObjectHeader* thickCell, int i, int* p = nullptr,
                                 int* q = nullptr);

// The spine is thickened, holds the thick cell, a and b are below its length
// (a = b allowed).
int CanSplitThickCell(TSpine& spine, TObjectHeader* thickCell, int a, int b);
// Splits the three parts along a new edge from the end of passage a to the
// start of passage b (SplitCellByEdge): the new cells are parts of two new
// thick cells, the new edges the edge and sides 0 and 1 of a new thick edge;
// the old thick cell goes. 1 with the two new thick cells, or 0.
int SplitThickCell(TSpine& spine, TObjectHeader* thickCell, int a, int b, TObjectHeader** first = nullptr,
                   TObjectHeader** second = nullptr);

// Cuts the stretch of the thick cell from the middle of the edge of passage
// p to the middle of the edge of passage q (p != q; one edge passed twice
// has one midpoint) off by a chord between the midpoints: the edges are
// subdivided, then the cell is split. rest (chord first, then the passages
// from q's second half round to p's first half) and piece (the stretch)
// are the two new thick cells. 1, or 0 when a primitive refused.
int CutOffThickStretch(TSpine& spine, TObjectHeader* thickCell, int p, int q, TObjectHeader** rest,
                       TObjectHeader** piece);

// As CanSplitThickCell, with a and b different.
int CanCutThickCell(TSpine& spine, TObjectHeader* thickCell, int a, int b);
// Cuts the thick cell along a band from the edge at a to the edge at b: a
// chord between their midpoints separates the other side (the passages
// between them); a second chord parallel to the first cuts the strip (the
// quadrangle along the first chord) off the remainder. 1 with the three new
// thick cells, or 0 with nothing changed when the test fails.
int CutThickCell(TSpine& spine, TObjectHeader* thickCell, int a, int b, TObjectHeader** remainder,
                 TObjectHeader** strip, TObjectHeader** otherSide);
