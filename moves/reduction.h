// Cell reductions: removing the elements of a cell complex that carry no
// information, without changing the manifold.
//
// - A superfluous vertex lies in the middle of a smooth arc: two different
//   edges meet there and every cell passes straight through. Its two edges
//   are united into one.
// - A superfluous edge merely separates two different cells, which are
//   united across it; or a single cell runs forth and back along it as a
//   loop, and the cell shrinks to a disc attached at the loop's vertex.
// - A needle is an edge with a free end (no cell, or one cell folded over
//   it); it is contracted.
//
// These primitives work on any complex (a spine, or a boundary surface); on
// a thickened spine (the TSpine overloads) they change the thickening with
// it: the sides of a contracted edge's thick edge are contracted in their
// boundary surfaces and the two copies of a cell lose the same passage as
// the cell, and across a superfluous edge the copies of the two cells are
// united along the sides as the cells are along the edge, so that the spine
// stays thickened. They set the complex manager's creation tag to the
// reduction's move number (2, 3, 4) before they create objects. The driver
// that repeats them until nothing is left, logs the moves and marks the spine
// reduced is RunCellReductions (moves/cell_reductions.h).
#pragma once

class TComplex;
class TSpine;
struct TObjectHeader;

// How a cell passes a vertex: 1 straight through (exactly two edges of the
// cell at the vertex, and every passage that ends there is followed by the
// other edge), 2 folded back along one non-loop edge (the cell passes it twice
// in opposite directions), 3 otherwise.
int CellPassageKindAtVertex(const TObjectHeader* cell, const TObjectHeader* vertex);
// The kinds of the cells around the edge at the vertex combined: 0 no cells;
// 1 every cell passes straight; 2 one cell, folded; 3 anything else.
int EdgePassageKindAtVertex(const TObjectHeader* edge, const TObjectHeader* vertex);

// Contracts an edge that ends at the vertex: the vertex is merged into the
// edge's other end, the edge's passages are cut out of their cells (a cell
// left empty is attached to a new vertex), and the edge leaves the complex.
void ContractEdge(TComplex& complex, TObjectHeader* edge, TObjectHeader* vertex);
void ContractEdge(TSpine& spine, TObjectHeader* edge, TObjectHeader* vertex);
// Cell A absorbs cell B across the edge (A's other edges take the edge's
// labels first); B leaves the complex. 0 when A and B are the same cell.
int UniteCellsAlongEdge(TComplex& complex, TObjectHeader* a, TObjectHeader* b, TObjectHeader* edge);
// A cell of boundary length 2 running forth and back along a loop edge is
// left as it is: its closure is S^2 v S^1, and attaching the cell at the
// loop's vertex instead would lose the circle (a free summand of H_1), so the
// result is always 0 and nothing changes. An edge without exactly two
// passages of one cell is an internal error (source "Reduction").
int CollapseFoldedLoopCell(TComplex& complex, TObjectHeader* edge);

// The thick-level union of two thick cells of a thickened spine across the
// edge at the position of a's part 1, which must be an edge between the two
// cells and no other: the cells are united, and on each side of the edge's
// thick edge so are their copies; b's thick cell and the thick edge go, a
// (written to united) keeps the union. 1, or 0 with nothing changed.
int UniteThickCells(TSpine& spine, TObjectHeader* a, TObjectHeader* b, int position,
                    TObjectHeader** united = nullptr);

// One removal each: the first candidate in object order; 1 when one was
// removed, else 0.
int RemoveSuperfluousVertex(TComplex& complex);
int RemoveSuperfluousEdge(TComplex& complex);
int RemoveNeedle(TComplex& complex);
// The same on a spine, keeping its thickening when it has one. A cell folded
// over a loop is not shrunk on a thickened spine.
int RemoveSuperfluousVertex(TSpine& spine);
int RemoveSuperfluousEdge(TSpine& spine);
int RemoveNeedle(TSpine& spine);
